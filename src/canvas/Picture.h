#pragma once
// A decoded picture: what a file reader hands to a surface. Pixels are
// 0xAARRGGBB words (straight alpha), rows top-down, no padding. Alpha is 0
// for pixels the file leaves transparent (GIF, ICO, CUR transparency, pixels
// an RLE bitmap skips or a short file leaves out) and 255 everywhere else;
// a surface shows its BackColor through the transparent ones.

#include <cstdint>
#include <vector>

namespace pictavo {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height words

  Picture() = default;
  Picture(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

  bool isNull() const { return width <= 0 || height <= 0; }
  std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

}  // namespace pictavo
