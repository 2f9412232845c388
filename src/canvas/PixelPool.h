#pragma once
// PixelPool: one reservoir of large pixel buffers for the whole program.
//
// A fresh picture-sized buffer costs more in page faults than the decoding
// or copy that fills it (256 MB: about 100 ms, several times that when the
// machine is busy). Memory already faulted in costs nothing, so the buffers
// of pictures that are replaced (the canvas after Open, a history step that
// is dropped) come back here and serve the next picture of that size or
// smaller, down to a quarter of it. Buffers below kMinPooledBytes are left to the allocator: small
// ones are cheap to get.
//
// A buffer is owned by exactly one holder at a time: acquire() moves it out
// of the pool, release() moves it back in. Safe from any thread.

#include "canvas/Picture.h"

#include <cstddef>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace pictavo {

class PixelPool {
 public:
  static constexpr std::size_t kMinPooledBytes = std::size_t(1) << 20;

  // The program's pool.
  static PixelPool& shared();

  PixelPool() = default;
  ~PixelPool();
  PixelPool(const PixelPool&) = delete;
  PixelPool& operator=(const PixelPool&) = delete;

  // A buffer of `words` pixel words whose contents are unspecified: the
  // smallest pooled one that holds them if it is at most four times that
  // size, else fresh memory. Throws
  // pictavo::Error(7) when memory runs out.
  PixelWords acquire(std::size_t words);
  // Takes a buffer back for a later acquire (small ones are freed); `words`
  // is left empty.
  void release(PixelWords&& words);
  // Gives pooled memory back to the system until at most keepBytes remain
  // pooled: first every buffer larger than keepBytes, then the smallest.
  // After Open or New, trim(bytes of the picture) keeps at most one spare
  // of the picture's size and lets go of the memory of larger pictures.
  void trim(std::size_t keepBytes);

  // Faults in a buffer of `words` on another thread and pools it, unless a
  // pooled buffer would already serve such a request: the next picture of
  // that size then costs no page faults on the thread that waits for it.
  // An acquire() that the buffer would serve waits for it rather than take
  // fresh memory beside it.
  void prepareSpare(std::size_t words);

  std::size_t pooledBytes() const;
  std::size_t pooledCount() const;

 private:
  bool serves(const PixelWords& buffer, std::size_t words) const;
  void waitForSpare(std::size_t words, bool always);

  mutable std::mutex mutex_;
  std::mutex spareMutex_;  // guards the two below; never held while mutex_ is wanted by the spare
  std::thread spare_;
  std::size_t spareWords_ = 0;
  std::atomic<bool> spareDone_{false};
  std::vector<PixelWords> free_;  // by capacity, smallest first
  std::size_t bytes_ = 0;
};

}  // namespace pictavo
