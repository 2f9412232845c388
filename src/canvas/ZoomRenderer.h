#pragma once
// ZoomRenderer: draws part of the canvas as the view shows it at a zoom
// factor, from the surface's shown pixels (its visible layer, previews
// included), into a buffer of screen pixels.
//
//   z > 1   each picture pixel is a block of its colour (nearest, crisp); with
//           the grid on and z >= 8, the top row and left column of every
//           block show gridColor() of the pixel instead;
//   z = 1   the pixels as they are;
//   z < 1   each screen pixel is the mean of the picture pixels whose centres
//           lie in its square, per channel, rounded to nearest (halves up).
//           1/2 and 2/3 read the pixels; 1/3 and below read ReducedLevels,
//           kept current cell by cell through invalidate().
//
// Work is in proportion to the screen pixels drawn, not to the picture.

#include "canvas/ReducedLevels.h"
#include "canvas/Surface.h"
#include "canvas/ZoomFactor.h"

#include <cstdint>
#include <vector>

namespace pictavo {

class ZoomRenderer {
 public:
  // The shown pixels in r (picture pixels) changed.
  void invalidate(const Rect& r) { levels_.invalidate(r); }
  // Draws the view pixels `area` (canvas-widget pixels, within the displayed
  // size ceil(W z) x ceil(H z)) into dst, whose first word is the area's
  // top-left pixel and whose rows are dstStride words apart. Without memory
  // for the reduced levels it reads the pixels instead (slower, the same).
  void render(const Surface& surface, ZoomFactor z, bool grid, const Rect& area, std::uint32_t* dst,
              std::size_t dstStride);
  // Memory held for zoomed-out levels, and giving it back.
  std::size_t levelBytes() const { return levels_.bytes(); }
  void releaseLevels() { levels_.release(); }

  // The grid's colour over a pixel word: a quarter darker on light pixels,
  // a quarter lighter on dark ones, so it always differs from the pixel.
  static std::uint32_t gridColor(std::uint32_t pixel);
  static constexpr int kGridFromZoom = 8;

 private:
  void magnify(const std::uint32_t* pixels, int stride, ZoomFactor z, bool grid, const Rect& area,
               std::uint32_t* dst, std::size_t dstStride);
  void reduceFromPixels(const std::uint32_t* pixels, int width, int height, ZoomFactor z, const Rect& area,
                        std::uint32_t* dst, std::size_t dstStride);
  void reduceFewPixels(const std::uint32_t* pixels, int width, int height, ZoomFactor z, const Rect& area,
                       std::uint32_t* dst, std::size_t dstStride);
  void reduceFromLevels(const Surface& surface, int block, int factor, const Rect& area, std::uint32_t* dst,
                        std::size_t dstStride);

  ReducedLevels levels_;
  std::vector<int> columns_;            // per screen column: first picture column (and one more)
};

}  // namespace pictavo
