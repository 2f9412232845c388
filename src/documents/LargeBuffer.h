#pragma once
// Sizing the large buffers of picture files (file bytes, decoded pixels).
//
// A fresh 256 MB buffer costs more in page faults than the decoding that
// fills it; asking for transparent huge pages before the first touch cuts
// that cost about five times. Running out of memory is the program's error 7.

#include "app/Errors.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <vector>

namespace pictavo {

template <class T>
void resizeLargeBuffer(std::vector<T>& v, std::size_t count) {
  try {
    v.clear();
    v.shrink_to_fit();
    v.reserve(count);
    const std::size_t bytes = count * sizeof(T);
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    if (bytes >= 4 * kHuge) {
      // madvise wants page-aligned addresses; the advice covers the 2 MB
      // blocks that lie wholly inside the buffer.
      const auto begin = (reinterpret_cast<std::uintptr_t>(v.data()) + kHuge - 1) & ~(kHuge - 1);
      const auto end = (reinterpret_cast<std::uintptr_t>(v.data()) + bytes) & ~(kHuge - 1);
      if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    v.resize(count);
  } catch (const std::bad_alloc&) {
    throw Error(kErrOutOfMemory);
  } catch (const std::length_error&) {
    throw Error(kErrOutOfMemory);
  }
}

}  // namespace pictavo
