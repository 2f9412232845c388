#pragma once
// Sizing the large buffers of pictures (file bytes, decoded pixels, surface
// layers).
//
// A fresh 256 MB buffer costs more in page faults than the decoding that
// fills it: picture buffers are reused through PixelPool, and fresh ones
// are advised huge pages where that cannot stall. Running out of memory is
// the program's error 7.

#include "base/Errors.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

namespace pictavo {

// Advice for a large buffer just allocated and not yet touched (see
// LargeBuffer.cpp for what is asked and why).
void prepareFreshMemory(void* data, std::size_t bytes) noexcept;

// Empties v and gives it fresh room for `count` elements. Nothing is
// touched yet: the first writes fault the pages in.
template <class T>
void reserveLargeBuffer(std::vector<T>& v, std::size_t count) {
  try {
    v.clear();
    v.shrink_to_fit();
    v.reserve(count);
  } catch (const std::bad_alloc&) {
    throw Error(kErrOutOfMemory);
  } catch (const std::length_error&) {
    throw Error(kErrOutOfMemory);
  }
  prepareFreshMemory(v.data(), count * sizeof(T));
}

// `count` elements of `value` in fresh memory.
template <class T>
void resizeLargeBuffer(std::vector<T>& v, std::size_t count, const T& value = T()) {
  reserveLargeBuffer(v, count);
  v.resize(count, value);  // within the reserved room: cannot throw
}

// A copy of src in fresh memory (written once, never zeroed first).
template <class T>
void copyLargeBuffer(std::vector<T>& dst, const std::vector<T>& src) {
  reserveLargeBuffer(dst, src.size());
  dst.assign(src.begin(), src.end());
}

}  // namespace pictavo
