#pragma once
// A decoded picture: what a file reader hands to a surface. Pixels are
// 0xAARRGGBB words (straight alpha), rows top-down, no padding. Alpha is 0
// for pixels the file leaves transparent (GIF, ICO, CUR transparency, pixels
// an RLE bitmap skips or a short file leaves out) and 255 everywhere else;
// a surface shows its BackColor through the transparent ones.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pictavo {

// An allocator whose value-less construction leaves the element as it is:
// growing a buffer of pixel words writes nothing, so a buffer is written
// once, by whoever fills it, not zeroed first.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
  using value_type = T;
  template <class U>
  struct rebind {
    using other = UninitializedAllocator<U>;
  };
  UninitializedAllocator() = default;
  template <class U>
  UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// Pixel words; resize(n) without a value leaves new words unspecified.
using PixelWords = std::vector<std::uint32_t, UninitializedAllocator<std::uint32_t>>;

inline bool operator==(const PixelWords& a, const std::vector<std::uint32_t>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

struct Picture {
  int width = 0;
  int height = 0;
  PixelWords pixels;  // width * height words
  // The reader vouches that every alpha is 255: the surface takes the words
  // as they are, without a pass to lay them over its background.
  bool opaque = false;

  Picture() = default;
  Picture(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

  bool isNull() const { return width <= 0 || height <= 0; }
  std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

}  // namespace pictavo
