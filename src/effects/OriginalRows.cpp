#include "effects/OriginalRows.h"

#include <algorithm>
#include <cstring>

namespace pictavo::effects {

OriginalRows::OriginalRows(const PixelRows& image, RowBand band, int above, int below, int pad)
    : image_(image),
      band_(band),
      above_(above),
      below_(below),
      pad_(pad),
      slotWords_(std::size_t(image.width) + 2 * std::size_t(pad)),
      size_(above + 1 + below),
      loadedTo_(band.first - above - 1),
      window_(slotWords_ * std::size_t(size_), 0),
      tail_(slotWords_ * std::size_t(below), 0) {
  // Rows of other bands, below the band (copied aside) and above it.
  for (int r = band_.last; r < band_.last + below_; ++r)
    if (r >= 0 && r < image_.height)
      std::memcpy(tail_.data() + std::size_t(r - band_.last) * slotWords_ + pad_, image_.row(r),
                  std::size_t(image_.width) * sizeof(std::uint32_t));
  for (int r = band_.first - above_; r < band_.first; ++r) load(r, slot(r));
  loadedTo_ = band_.first - 1;
}

std::uint32_t* OriginalRows::slot(int r) {
  const int index = ((r % size_) + size_) % size_;
  return window_.data() + std::size_t(index) * slotWords_;
}

const std::uint32_t* OriginalRows::row(int r) const {
  const int index = ((r % size_) + size_) % size_;
  return window_.data() + std::size_t(index) * slotWords_ + pad_;
}

void OriginalRows::load(int r, std::uint32_t* s) {
  std::uint32_t* dst = s + pad_;
  const std::size_t bytes = std::size_t(image_.width) * sizeof(std::uint32_t);
  if (r < 0 || r >= image_.height)
    std::memset(dst, 0, bytes);
  else if (r >= band_.last)
    std::memcpy(dst, tail_.data() + std::size_t(r - band_.last) * slotWords_ + pad_, bytes);
  else
    std::memcpy(dst, image_.row(r), bytes);
}

void OriginalRows::moveTo(int y) {
  while (loadedTo_ < y + below_) {
    ++loadedTo_;
    load(loadedTo_, slot(loadedTo_));
  }
}

}  // namespace pictavo::effects
