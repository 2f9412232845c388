#pragma once
// What every effect pass shares: direct access to the persistent image, the
// split of the rows into bands for the cores (canvas/RowBands.h), and the
// finish (mark the written area, refresh once).

#include "canvas/RowBands.h"
#include "canvas/Surface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictavo::effects {

struct PixelRows {
  std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  std::uint32_t* row(int y) const { return pixels + std::size_t(y) * std::size_t(width); }
  std::size_t count() const { return std::size_t(width) * std::size_t(height); }
  bool empty() const { return width <= 0 || height <= 0; }
};

// The persistent image, the picture the effects read and write.
PixelRows persistentRows(Surface& surface);

// Marks `written` changed and refreshes the surface once.
void finishPass(Surface& surface, const Rect& written);

// Replaces every pixel word p of the picture by f(p). f must be cheap and
// inlinable: the loop is meant to vectorise.
template <class F>
void mapPixels(const PixelRows& image, F f) {
  const std::vector<RowBand> bands = rowBands(0, image.height, image.width);
  runBands(bands, [&](std::size_t b) {
    std::uint32_t* p = image.row(bands[b].first);
    const std::size_t n = std::size_t(bands[b].last - bands[b].first) * std::size_t(image.width);
    for (std::size_t i = 0; i < n; ++i) p[i] = f(p[i]);
  });
}

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

}  // namespace pictavo::effects
