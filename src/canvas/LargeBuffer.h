#pragma once
// Sizing the large buffers of pictures (file bytes, decoded pixels, surface
// layers).
//
// A fresh 256 MB buffer costs more in page faults than the decoding that
// fills it; asking for transparent huge pages before the first touch cuts
// that cost about five times. Running out of memory is the program's error 7.

#include "base/Errors.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <sys/mman.h>
#include <vector>

namespace pictavo {

// Empties v and gives it fresh room for `count` elements, on huge pages when
// it is large. Nothing is touched yet: the first writes fault the pages in.
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
  const std::size_t bytes = count * sizeof(T);
  constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
  if (bytes >= 4 * kHuge) {
    // madvise wants page-aligned addresses; the advice covers the 2 MB
    // blocks that lie wholly inside the buffer.
    const auto begin = (reinterpret_cast<std::uintptr_t>(v.data()) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(v.data()) + bytes) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  }
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
