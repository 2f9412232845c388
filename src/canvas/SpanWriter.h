#pragma once
// The one place figures write pixels. Every span is clipped here, at the
// surface edge, so the rasterisers above may work in 64-bit coordinates far
// outside the picture. The writer remembers the bounding box of what it
// wrote; finish() reports that box once, because a Refresh costs in
// proportion to the rectangles the surface was told about.

#include "canvas/Surface.h"

#include <cstdint>

namespace pictavo {

class SpanWriter {
 public:
  SpanWriter(Surface& surface, Color color);

  std::int64_t width() const { return width_; }
  std::int64_t height() const { return height_; }
  void setColor(Color color) { word_ = pixelFromColor(color); }

  // Pixels x0..x1 of row y, both included; nothing when x1 < x0. Whatever
  // lies outside the surface is dropped.
  void span(std::int64_t y, std::int64_t x0, std::int64_t x1);
  void pixel(std::int64_t x, std::int64_t y) { span(y, x, x); }

  // The rectangle written so far (empty when nothing was).
  Rect written() const;
  // Tells the surface about the written rectangle, once.
  void finish();

 private:
  Surface& surface_;
  std::uint32_t* bits_;
  std::int64_t width_, height_;
  std::uint32_t word_;
  std::int64_t minX_, minY_, maxX_ = -1, maxY_ = -1;
  bool finished_ = false;
};

}  // namespace pictavo
