#include "canvas/PixelPool.h"

#include "base/Errors.h"
#include "canvas/LargeBuffer.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <system_error>
#include <sys/mman.h>
#include <unistd.h>

namespace pictavo {

namespace {

std::size_t bytesOf(const PixelWords& w) { return w.capacity() * sizeof(std::uint32_t); }

// A pooled buffer much larger than the picture it now holds: the pages past
// the picture go back to the system (they read as zeros if ever used again).
void returnTail(PixelWords& buffer, std::size_t words) {
  const std::size_t page = std::size_t(::sysconf(_SC_PAGE_SIZE));
  const auto used = reinterpret_cast<std::uintptr_t>(buffer.data() + words);
  const auto end = reinterpret_cast<std::uintptr_t>(buffer.data() + buffer.capacity());
  const std::uintptr_t begin = (used + page - 1) & ~std::uintptr_t(page - 1);
  const std::uintptr_t stop = end & ~std::uintptr_t(page - 1);
  if (stop > begin && stop - begin >= PixelPool::kMinPooledBytes)
    ::madvise(reinterpret_cast<void*>(begin), stop - begin, MADV_DONTNEED);
}

}  // namespace

PixelPool& PixelPool::shared() {
  static PixelPool pool;
  return pool;
}

PixelPool::~PixelPool() { waitForSpare(0, true); }

bool PixelPool::serves(const PixelWords& buffer, std::size_t words) const {
  return buffer.capacity() >= words && buffer.capacity() / 4 <= words;
}

void PixelPool::waitForSpare(std::size_t words, bool always) {
  const std::lock_guard lock(spareMutex_);
  if (!spare_.joinable()) return;
  if (!always && !(spareWords_ >= words && spareWords_ / 4 <= words)) return;
  spare_.join();
}

void PixelPool::prepareSpare(std::size_t words) {
  if (words * sizeof(std::uint32_t) < kMinPooledBytes) return;
  {
    const std::lock_guard lock(mutex_);
    for (const PixelWords& buffer : free_)
      if (serves(buffer, words)) return;
  }
  const std::lock_guard lock(spareMutex_);
  if (spare_.joinable()) {
    if (!spareDone_) return;  // one at a time
    spare_.join();
  }
  spareWords_ = words;
  spareDone_ = false;
  try {
    spare_ = std::thread([this, words] {
      struct Done {
        std::atomic<bool>& flag;
        ~Done() { flag = true; }
      } done{spareDone_};
      PixelWords buffer;
      try {
        buffer.reserve(words);
      } catch (const std::exception&) {
        return;  // no memory to spare
      }
      prepareFreshMemory(buffer.data(), words * sizeof(std::uint32_t));
      buffer.resize(words);
      const std::size_t pageWords = std::size_t(::sysconf(_SC_PAGE_SIZE)) / sizeof(std::uint32_t);
      for (std::size_t i = 0; i < words; i += pageWords) buffer[i] = 0;
      release(std::move(buffer));
    });
  } catch (const std::system_error&) {
    // No thread: the next picture faults its own memory, as without a spare.
  }
}

PixelWords PixelPool::acquire(std::size_t words) {
  if (words * sizeof(std::uint32_t) >= kMinPooledBytes) {
    waitForSpare(words, false);
    const std::lock_guard lock(mutex_);
    // A buffer more than four times the request stays for a picture of its
    // size (the file bytes of a JPEG must not take the picture's buffer).
    const auto fit = std::find_if(free_.begin(), free_.end(), [words](const PixelWords& w) { return w.capacity() >= words; });
    if (fit != free_.end() && serves(*fit, words)) {
      PixelWords buffer = std::move(*fit);
      free_.erase(fit);
      bytes_ -= bytesOf(buffer);
      if (buffer.capacity() / 2 > words) returnTail(buffer, words);
      buffer.resize(words);  // within its capacity: nothing is written
      return buffer;
    }
  }
  PixelWords buffer;
  try {
    buffer.reserve(words);
  } catch (const std::bad_alloc&) {
    throw Error(kErrOutOfMemory);
  } catch (const std::length_error&) {
    throw Error(kErrOutOfMemory);
  }
  prepareFreshMemory(buffer.data(), words * sizeof(std::uint32_t));
  buffer.resize(words);
  return buffer;
}

void PixelPool::release(PixelWords&& words) {
  PixelWords buffer = std::move(words);
  words = PixelWords();
  if (bytesOf(buffer) < kMinPooledBytes) return;
  const std::lock_guard lock(mutex_);
  const std::size_t bytes = bytesOf(buffer);
  const auto at = std::find_if(free_.begin(), free_.end(),
                               [&](const PixelWords& w) { return w.capacity() >= buffer.capacity(); });
  try {
    free_.insert(at, std::move(buffer));
  } catch (const std::bad_alloc&) {
    return;  // no room to list it: it is freed instead
  }
  bytes_ += bytes;
}

void PixelPool::trim(std::size_t keepBytes) {
  waitForSpare(0, true);
  std::vector<PixelWords> dropped;  // freed outside the lock
  {
    const std::lock_guard lock(mutex_);
    // First the buffers larger than what is kept, then the smallest.
    while (!free_.empty() && bytesOf(free_.back()) > keepBytes) {
      bytes_ -= bytesOf(free_.back());
      dropped.push_back(std::move(free_.back()));
      free_.pop_back();
    }
    while (bytes_ > keepBytes) {
      bytes_ -= bytesOf(free_.front());
      dropped.push_back(std::move(free_.front()));
      free_.erase(free_.begin());
    }
  }
}

std::size_t PixelPool::pooledBytes() const {
  const std::lock_guard lock(mutex_);
  return bytes_;
}

std::size_t PixelPool::pooledCount() const {
  const std::lock_guard lock(mutex_);
  return free_.size();
}

}  // namespace pictavo
