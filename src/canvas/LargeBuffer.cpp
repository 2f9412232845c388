#include "canvas/LargeBuffer.h"

#include <sys/mman.h>

namespace pictavo {

void prepareFreshMemory(void* data, std::size_t bytes) noexcept {
  constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
  if (data == nullptr || bytes < 4 * kHuge) return;
  // madvise wants page-aligned addresses; the advice covers the 2 MB
  // blocks that lie wholly inside the buffer.
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace pictavo
