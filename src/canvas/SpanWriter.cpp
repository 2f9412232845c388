#include "canvas/SpanWriter.h"

#include <algorithm>

namespace pictavo {

SpanWriter::SpanWriter(Surface& surface, Color color)
    : surface_(surface),
      clip_(surface.spanClip()),
      bits_(surface.writableDrawBits(Rect{})),
      width_(surface.Width()),
      height_(surface.Height()),
      word_(pixelFromColor(color)),
      kept_(surface.drawingIsKept()),
      minX_(width_),
      minY_(height_) {}

void SpanWriter::span(std::int64_t y, std::int64_t x0, std::int64_t x1) {
  if (y < 0 || y >= height_) return;
  x0 = std::max<std::int64_t>(x0, 0);
  x1 = std::min<std::int64_t>(x1, width_ - 1);
  if (x1 < x0) return;
  if (clip_) {
    forEachClipPart(*clip_, y, x0, x1, [&](std::int64_t a, std::int64_t b) { fill(y, a, b); });
    return;
  }
  fill(y, x0, x1);
}

void SpanWriter::fill(std::int64_t y, std::int64_t x0, std::int64_t x1) {
  if (kept_) surface_.willWrite(Rect{int(x0), int(y), int(x1 + 1), int(y + 1)});
  std::uint32_t* row = bits_ + y * width_;
  std::fill(row + x0, row + x1 + 1, word_);
  minX_ = std::min(minX_, x0);
  maxX_ = std::max(maxX_, x1);
  minY_ = std::min(minY_, y);
  maxY_ = std::max(maxY_, y);
}

Rect SpanWriter::written() const {
  if (maxX_ < minX_ || maxY_ < minY_) return Rect{};
  return Rect{int(minX_), int(minY_), int(maxX_ + 1), int(maxY_ + 1)};
}

void SpanWriter::finish() {
  if (finished_) return;
  finished_ = true;
  const Rect r = written();
  if (!r.isEmpty()) surface_.markChanged(r);
}

}  // namespace pictavo
