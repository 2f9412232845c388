#pragma once
// Read access to a rectangle of pixel words: a whole surface, or a scratch
// copy of part of one, addressed in the coordinates of the surface it came from.

#include <cstddef>
#include <cstdint>

namespace pictavo {

struct PixelBlock {
  const std::uint32_t* data = nullptr;  // pixel (originX, originY)
  std::size_t stride = 0;               // in pixel words
  int originX = 0, originY = 0;

  // Row y, indexed by x - originX.
  const std::uint32_t* row(int y) const { return data + std::size_t(y - originY) * stride; }
};

}  // namespace pictavo
