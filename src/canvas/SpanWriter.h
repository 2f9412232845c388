#pragma once
// The one place figures write pixels. Every span is clipped here, at the
// surface edge, so the rasterisers above may work in 64-bit coordinates far
// outside the picture. The writer remembers the bounding box of what it
// wrote; finish() reports that box once, because a Refresh costs in
// proportion to the rectangles the surface was told about. When the surface
// has a span clip, each span is cut to it as well.

#include "canvas/Surface.h"

#include <algorithm>
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
  void fill(std::int64_t y, std::int64_t x0, std::int64_t x1);

  Surface& surface_;
  const SpanClip* clip_;
  std::uint32_t* bits_;
  std::int64_t width_, height_;
  std::uint32_t word_;
  bool kept_;  // each span is announced before it is written
  std::int64_t minX_, minY_, maxX_ = -1, maxY_ = -1;
  bool finished_ = false;
};

// Calls part(a, b) for each piece a..b (both included) of x0..x1 in row y
// that lies inside the clip, left to right.
template <class Part>
void forEachClipPart(const SpanClip& clip, std::int64_t y, std::int64_t x0, std::int64_t x1, Part&& part) {
  // Bands do not overlap, so bottoms rise with tops: the first rectangle
  // ending below y starts the band that holds y, when one does. Within the
  // band, the first rectangle reaching past x0 is searched for too, so a
  // short span in a wide band costs little.
  auto it = std::partition_point(clip.begin(), clip.end(), [y](const Rect& r) { return r.bottom <= y; });
  if (it == clip.end() || it->top > y) return;
  const int top = it->top;
  it = std::partition_point(it, clip.end(), [top, x0](const Rect& r) { return r.top == top && r.right <= x0; });
  for (; it != clip.end() && it->top == top && it->left <= x1; ++it) {
    const std::int64_t a = std::max<std::int64_t>(x0, it->left), b = std::min<std::int64_t>(x1, std::int64_t(it->right) - 1);
    if (a <= b) part(a, b);
  }
}

}  // namespace pictavo
