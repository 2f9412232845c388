#include "canvas/ZoomRenderer.h"

#include "base/Errors.h"

#include <algorithm>
#include <cstring>

namespace pictavo {

namespace {

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

// Exact (sum + count / 2) / count for sums below 65536 and counts up to
// 65536: a multiply by 2^32 / count rounded up errs by less than 1 / count.
struct MeanDivisor {
  explicit MeanDivisor(unsigned count) : half(count / 2), reciprocal((std::uint64_t(1) << 32) / count + 1) {}
  std::uint32_t operator()(unsigned sum) const { return std::uint32_t(((sum + half) * reciprocal) >> 32); }
  unsigned half;
  std::uint64_t reciprocal;
};

std::uint32_t meanWord(unsigned b, unsigned g, unsigned r, const MeanDivisor& divide) {
  return 0xFF000000u | (divide(r) << 16) | (divide(g) << 8) | divide(b);
}

// The first picture pixel whose centre lies at or right of screen edge v:
// 2i + 1 >= 2 v / z.
int firstCentreAt(std::int64_t v, ZoomFactor z) {
  return int(std::max<std::int64_t>(0, ceilDiv(2 * v * z.den - z.num, 2 * std::int64_t(z.num))));
}

}  // namespace

std::uint32_t ZoomRenderer::gridColor(std::uint32_t pixel) {
  const unsigned b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
  const bool light = r * 299 + g * 587 + b * 114 >= 128 * 1000;
  auto shade = [light](unsigned c) { return light ? c - c / 4 : c + (255 - c) / 4; };
  return 0xFF000000u | (shade(r) << 16) | (shade(g) << 8) | shade(b);
}

void ZoomRenderer::render(const Surface& surface, ZoomFactor z, bool grid, const Rect& area, std::uint32_t* dst,
                          std::size_t dstStride) {
  if (area.isEmpty() || surface.Width() <= 0 || surface.Height() <= 0) return;
  const int width = surface.Width(), height = surface.Height();
  if (!z.reduces()) {
    // Picture pixels under the area: floor(v / z) of its first and last pixels.
    const Rect needed{int(std::int64_t(area.left) * z.den / z.num), int(std::int64_t(area.top) * z.den / z.num),
                      int(std::int64_t(area.right - 1) * z.den / z.num) + 1,
                      int(std::int64_t(area.bottom - 1) * z.den / z.num) + 1};
    const std::uint32_t* pixels = surface.visibleBits(needed);
    magnify(pixels, surface.stride(), z, grid && z.num >= kGridFromZoom * z.den, area, dst, dstStride);
    return;
  }
  // Which level's sums, and how many of them a side, make one screen pixel.
  struct LevelUse {
    int den, block, factor;
  };
  static constexpr LevelUse kUses[] = {{3, 3, 1}, {4, 4, 1}, {6, 3, 2}, {8, 4, 2}, {12, 12, 1}, {16, 16, 1}};
  for (const LevelUse& use : kUses) {
    if (z.num != 1 || z.den != use.den) continue;
    try {
      reduceFromLevels(surface, use.block, use.factor, area, dst, dstStride);
      return;
    } catch (const Error&) {
      // No memory for the levels: the same means, straight from the pixels.
      levels_.release();
    }
  }
  const Rect needed{firstCentreAt(area.left, z), firstCentreAt(area.top, z), firstCentreAt(area.right, z),
                    firstCentreAt(area.bottom, z)};
  const std::uint32_t* pixels = surface.visibleBits(needed);
  reduceFromPixels(pixels, width, height, z, area, dst, dstStride);
}

void ZoomRenderer::magnify(const std::uint32_t* pixels, int stride, ZoomFactor z, bool grid, const Rect& area,
                           std::uint32_t* dst, std::size_t dstStride) {
  const int aw = area.width();
  columns_.resize(std::size_t(aw));
  for (int i = 0; i < aw; ++i) columns_[std::size_t(i)] = int(std::int64_t(area.left + i) * z.den / z.num);
  // Rows that show the same picture row alike are drawn once and copied.
  const std::uint32_t* plainRow = nullptr;
  int plainRowSource = -1;
  for (int row = 0; row < area.height(); ++row) {
    const std::int64_t v = area.top + row;
    const int source = int(v * z.den / z.num);
    std::uint32_t* out = dst + std::size_t(row) * dstStride;
    const std::uint32_t* in = pixels + std::size_t(source) * std::size_t(stride);
    if (grid && v % z.num == 0) {  // the grid is drawn only at whole-number levels
      for (int i = 0; i < aw; ++i) out[i] = gridColor(in[columns_[std::size_t(i)]]);
      continue;
    }
    if (source == plainRowSource) {
      std::memcpy(out, plainRow, std::size_t(aw) * sizeof(std::uint32_t));
      continue;
    }
    for (int i = 0; i < aw; ++i) out[i] = in[columns_[std::size_t(i)]];
    if (grid) {
      for (int i = int((z.num - area.left % z.num) % z.num); i < aw; i += z.num) out[i] = gridColor(out[i]);
    }
    plainRow = out;
    plainRowSource = source;
  }
}

void ZoomRenderer::reduceFromPixels(const std::uint32_t* pixels, int width, int height, ZoomFactor z,
                                    const Rect& area, std::uint32_t* dst, std::size_t dstStride) {
  const int aw = area.width();
  // columns_[i] .. columns_[i + 1]: the picture columns of screen column i.
  columns_.resize(std::size_t(aw) + 1);
  for (int i = 0; i <= aw; ++i) columns_[std::size_t(i)] = std::min(width, firstCentreAt(area.left + i, z));
  const int spanFirst = columns_[0], span = columns_[std::size_t(aw)] - spanFirst;
  rowSums_.resize(std::size_t(span) * 4);
  for (int row = 0; row < area.height(); ++row) {
    const int r0 = std::min(height, firstCentreAt(area.top + row, z));
    const int r1 = std::min(height, firstCentreAt(area.top + row + 1, z));
    std::fill(rowSums_.begin(), rowSums_.end(), std::uint16_t(0));
    for (int y = r0; y < r1; ++y) {
      const auto* in = reinterpret_cast<const std::uint8_t*>(pixels + std::size_t(y) * std::size_t(width) + std::size_t(spanFirst));
      std::uint16_t* sums = rowSums_.data();
      for (int i = 0; i < span * 4; ++i) sums[i] = std::uint16_t(sums[i] + in[i]);
    }
    std::uint32_t* out = dst + std::size_t(row) * dstStride;
    for (int i = 0; i < aw; ++i) {
      const int c0 = columns_[std::size_t(i)] - spanFirst, c1 = columns_[std::size_t(i) + 1] - spanFirst;
      unsigned b = 0, g = 0, r = 0;
      for (int c = c0; c < c1; ++c) {
        b += rowSums_[std::size_t(c) * 4];
        g += rowSums_[std::size_t(c) * 4 + 1];
        r += rowSums_[std::size_t(c) * 4 + 2];
      }
      const unsigned count = unsigned(c1 - c0) * unsigned(r1 - r0);
      out[i] = count ? meanWord(b, g, r, MeanDivisor(count)) : 0xFF000000u;
    }
  }
}

void ZoomRenderer::reduceFromLevels(const Surface& surface, int block, int factor, const Rect& area,
                                    std::uint32_t* dst, std::size_t dstStride) {
  const int width = surface.Width(), height = surface.Height();
  const int side = block * factor;  // picture pixels a screen pixel covers
  const Rect needed{area.left * side, area.top * side, int(std::min<std::int64_t>(width, std::int64_t(area.right) * side)),
                    int(std::min<std::int64_t>(height, std::int64_t(area.bottom) * side))};
  levels_.update(surface, needed);
  const ChannelSums* sums = levels_.level(block);
  const std::size_t stride = std::size_t(levels_.stride(block));
  const MeanDivisor whole(unsigned(side * side));
  for (int row = 0; row < area.height(); ++row) {
    const int sy = area.top + row;
    const int rows = std::min(height - sy * side, side);
    const ChannelSums* top = sums + std::size_t(sy) * std::size_t(factor) * stride;
    std::uint32_t* out = dst + std::size_t(row) * dstStride;
    for (int i = 0; i < area.width(); ++i) {
      const int sx = area.left + i;
      const int columns = std::min(width - sx * side, side);
      const ChannelSums* s = top + std::size_t(sx) * std::size_t(factor);
      unsigned b = s->blue, g = s->green, r = s->red;
      if (factor == 2) {
        const ChannelSums* below = s + stride;
        b += s[1].blue + below[0].blue + below[1].blue;
        g += s[1].green + below[0].green + below[1].green;
        r += s[1].red + below[0].red + below[1].red;
      }
      const unsigned count = unsigned(columns) * unsigned(rows);
      out[i] = count == unsigned(side * side) ? meanWord(b, g, r, whole) : meanWord(b, g, r, MeanDivisor(count));
    }
  }
}

}  // namespace pictavo
