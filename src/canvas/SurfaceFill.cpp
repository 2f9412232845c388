// Flood fill and gradient fill of a Surface.
#include "canvas/FloodFill.h"
#include "canvas/Surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pictavo {

void Surface::ExtFloodFill(int x, int y, Color seed, int mode) {
  // Only the surface mode exists here; a seed with bits above the colour
  // (such as kNoColor from a read outside) matches no pixel.
  if (mode != 1 || (seed & 0xFF000000u) != 0) return;
  const std::uint32_t seedWord = pixelFromColor(seed);
  std::uint32_t* pixels = writableDrawBits(Rect{});
  // The extent of a fill is found as it goes: each run is announced before it is written.
  FillRunObserver beforeRun;
  if (drawingIsKept()) beforeRun = [this](const Rect& run) { willWrite(run); };
  Rect written;
  const Picture* pattern = pattern_ && pattern_->picture ? pattern_->picture.get() : nullptr;
  if (pattern && !pattern->isNull())
    written = floodFillPattern(pixels, width_, height_, x, y, seedWord, *pattern, beforeRun);
  else
    written = floodFillSolid(pixels, width_, height_, x, y, seedWord, pixelFromColor(FillColor), beforeRun);
  if (!written.isEmpty()) markChanged(written);
}

namespace {

// One channel along the blend. The 16-bit channel values run from c0 at the
// edge of the first vertex (t = 0) towards c1 over n steps:
//     value(t) = c0 + (c1 - c0) * t / n     (integer division, 0 <= t < n)
// and the pixel takes the high byte of value(t). So the first vertex's edge
// gets its colour exactly, and the far edge (t = n - 1) lies one step short
// of the second vertex's colour, which sits just outside the rectangle.
std::uint32_t blendChannel(std::uint16_t c0, std::uint16_t c1, std::int64_t t, std::int64_t n) {
  const std::int64_t v = std::int64_t(c0) + (std::int64_t(c1) - std::int64_t(c0)) * t / n;
  return std::uint32_t(v >> 8) & 0xFFu;
}

std::uint32_t blendWord(const TriVertex& v0, const TriVertex& v1, std::int64_t t, std::int64_t n) {
  return 0xFF000000u | (blendChannel(v0.red, v1.red, t, n) << 16) | (blendChannel(v0.green, v1.green, t, n) << 8) |
         blendChannel(v0.blue, v1.blue, t, n);
}

// Steps from the first vertex's edge to pixel p, along an axis where the
// rectangle runs from a0 (the first vertex) to a1: the first vertex's edge
// pixel is a0 when a0 < a1, else a0 - 1 (its right column or bottom row is
// the excluded one), so a drag left or upward still starts with v0's colour.
std::int64_t stepsFrom(std::int64_t a0, std::int64_t a1, std::int64_t p) { return a0 < a1 ? p - a0 : (a0 - 1) - p; }

}  // namespace

void Surface::GradientFill(const TriVertex& v0, const TriVertex& v1, int direction) {
  if (direction != kGradientHorizontal && direction != kGradientVertical) return;
  const Rect full{std::min(v0.x, v1.x), std::min(v0.y, v1.y), std::max(v0.x, v1.x), std::max(v0.y, v1.y)};
  const Rect r = full.intersected(bounds());
  if (r.isEmpty()) return;
  std::uint32_t* pixels = writableDrawBits(r);
  const std::size_t stride = std::size_t(width_);
  const std::size_t w = std::size_t(r.width());
  if (direction == kGradientHorizontal) {
    const std::int64_t n = std::int64_t(full.right) - full.left;
    std::vector<std::uint32_t> row(w);
    for (int x = r.left; x < r.right; ++x) row[std::size_t(x - r.left)] = blendWord(v0, v1, stepsFrom(v0.x, v1.x, x), n);
    for (int y = r.top; y < r.bottom; ++y)
      std::memcpy(pixels + std::size_t(y) * stride + std::size_t(r.left), row.data(), w * sizeof(std::uint32_t));
  } else {
    const std::int64_t n = std::int64_t(full.bottom) - full.top;
    for (int y = r.top; y < r.bottom; ++y)
      std::fill_n(pixels + std::size_t(y) * stride + std::size_t(r.left), w, blendWord(v0, v1, stepsFrom(v0.y, v1.y, y), n));
  }
  markChanged(r);
}

}  // namespace pictavo
