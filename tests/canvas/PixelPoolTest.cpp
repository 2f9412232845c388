// The pool of picture buffers: what it hands out is the right size, never
// a buffer someone still holds, memory already faulted in when it can be,
// and it lets go of memory when told the picture got smaller.
#include "canvas/PixelPool.h"

#include "canvas/Surface.h"

#include <gtest/gtest.h>

#include <thread>

namespace pictavo {
namespace {

constexpr std::size_t kMB = std::size_t(1) << 20;
constexpr std::size_t kWordsPerMB = kMB / 4;

void fill(PixelWords& w, std::uint32_t v) { std::fill(w.begin(), w.end(), v); }
bool allAre(const PixelWords& w, std::uint32_t v) {
  return std::all_of(w.begin(), w.end(), [v](std::uint32_t p) { return p == v; });
}

TEST(PixelPool, ReleasedBuffersServeTheSameSizeOrSmallerAndNothingLarger) {
  PixelPool pool;
  PixelWords a = pool.acquire(4 * kWordsPerMB);
  ASSERT_EQ(a.size(), 4 * kWordsPerMB);
  fill(a, 7);
  const std::uint32_t* memory = a.data();
  pool.release(std::move(a));
  EXPECT_TRUE(a.empty());
  EXPECT_EQ(pool.pooledCount(), 1u);
  EXPECT_EQ(pool.pooledBytes(), 4 * kMB);

  // Larger than anything pooled: fresh memory, the pooled buffer stays.
  PixelWords larger = pool.acquire(5 * kWordsPerMB);
  EXPECT_EQ(larger.size(), 5 * kWordsPerMB);
  EXPECT_EQ(pool.pooledCount(), 1u);

  PixelWords smaller = pool.acquire(3 * kWordsPerMB);
  EXPECT_EQ(smaller.data(), memory);
  EXPECT_EQ(smaller.size(), 3 * kWordsPerMB);
  EXPECT_EQ(pool.pooledCount(), 0u);
  EXPECT_EQ(pool.pooledBytes(), 0u);
}

// A spare is faulted in on another thread; the acquire it serves waits for
// it instead of taking fresh memory beside it, one that it does not serve
// does not wait, and a second spare is not made while one is pooled.
TEST(PixelPool, ASpareServesTheNextPictureOfItsSize) {
  PixelPool pool;
  pool.prepareSpare(6 * kWordsPerMB);
  PixelWords small = pool.acquire(kWordsPerMB);  // a quarter of 6 MB is more: fresh memory
  EXPECT_EQ(small.size(), kWordsPerMB);
  PixelWords picture = pool.acquire(6 * kWordsPerMB);
  EXPECT_EQ(picture.size(), 6 * kWordsPerMB);
  EXPECT_EQ(pool.pooledCount(), 0u);  // the spare was taken, no other buffer is left over
  pool.release(std::move(picture));
  pool.prepareSpare(6 * kWordsPerMB);  // one is pooled: nothing to prepare
  pool.trim(100 * kMB);                // waits for any spare
  EXPECT_EQ(pool.pooledCount(), 1u);
  pool.prepareSpare(2 * kWordsPerMB);
  pool.prepareSpare(2 * kWordsPerMB);  // the first may still be running: never two at once
  pool.trim(100 * kMB);
  EXPECT_LE(pool.pooledCount(), 2u);
}

TEST(PixelPool, TheSmallestBufferThatFitsIsChosen) {
  PixelPool pool;
  PixelWords big = pool.acquire(8 * kWordsPerMB), mid = pool.acquire(4 * kWordsPerMB), small = pool.acquire(2 * kWordsPerMB);
  const std::uint32_t* midMemory = mid.data();
  pool.release(std::move(big));
  pool.release(std::move(small));
  pool.release(std::move(mid));
  EXPECT_EQ(pool.acquire(3 * kWordsPerMB).data(), midMemory);
}

TEST(PixelPool, ABufferInUseIsNeverHandedOutAgain) {
  PixelPool pool;
  pool.release(pool.acquire(4 * kWordsPerMB));
  PixelWords first = pool.acquire(4 * kWordsPerMB);
  PixelWords second = pool.acquire(4 * kWordsPerMB);
  ASSERT_NE(first.data(), second.data());
  fill(first, 1);
  fill(second, 2);
  EXPECT_TRUE(allAre(first, 1));
  EXPECT_TRUE(allAre(second, 2));

  // Threads taking and giving back at once each keep their buffer to
  // themselves (the sanitizer builds check the memory too).
  auto worker = [&pool](std::uint32_t mark) {
    for (int i = 0; i < 50; ++i) {
      PixelWords w = pool.acquire((1 + i % 3) * kWordsPerMB);
      fill(w, mark);
      std::this_thread::yield();
      if (!allAre(w, mark)) ADD_FAILURE() << "buffer shared while in use";
      pool.release(std::move(w));
    }
  };
  std::thread t1(worker, 11u), t2(worker, 22u);
  t1.join();
  t2.join();
}

TEST(PixelPool, SmallRequestsLeaveLargeBuffersForPicturesOfTheirSize) {
  PixelPool pool;
  pool.release(pool.acquire(kWordsPerMB / 2));
  EXPECT_EQ(pool.pooledCount(), 0u);  // small buffers are left to the allocator
  pool.release(pool.acquire(16 * kWordsPerMB));
  EXPECT_EQ(pool.acquire(100).size(), 100u);
  // A file's bytes before its picture: the picture still finds the buffer.
  PixelWords fileBytes = pool.acquire(2 * kWordsPerMB);
  EXPECT_EQ(pool.pooledCount(), 1u);
  EXPECT_EQ(pool.acquire(16 * kWordsPerMB).size(), 16 * kWordsPerMB);
  EXPECT_EQ(pool.pooledCount(), 0u);
}

TEST(PixelPool, TrimKeepsASpareOfThePicturesSizeAndLetsLargerOnesGo) {
  PixelPool pool;
  PixelWords a = pool.acquire(8 * kWordsPerMB), b = pool.acquire(4 * kWordsPerMB), c = pool.acquire(4 * kWordsPerMB);
  PixelWords file = pool.acquire(2 * kWordsPerMB);
  pool.release(std::move(a));
  pool.release(std::move(b));
  pool.release(std::move(file));
  pool.release(std::move(c));
  ASSERT_EQ(pool.pooledBytes(), 18 * kMB);
  pool.trim(4 * kMB);  // the picture shrank to 4 MB
  EXPECT_EQ(pool.pooledBytes(), 4 * kMB);
  EXPECT_EQ(pool.pooledCount(), 1u);
  pool.trim(0);
  EXPECT_EQ(pool.pooledCount(), 0u);
}

TEST(PixelPool, ALargerBufferServingASmallPictureStillHoldsItsWholePicture) {
  PixelPool pool;
  pool.release(pool.acquire(16 * kWordsPerMB));
  PixelWords w = pool.acquire(5 * kWordsPerMB);  // the unused pages are given back
  EXPECT_EQ(pool.pooledCount(), 0u);
  fill(w, 5);
  EXPECT_TRUE(allAre(w, 5));
  // Growing again within the buffer is still memory that can be written.
  w.resize(16 * kWordsPerMB);
  std::fill(w.begin() + 5 * kWordsPerMB, w.end(), 6u);
  EXPECT_TRUE(std::all_of(w.begin(), w.begin() + 5 * kWordsPerMB, [](std::uint32_t p) { return p == 5; }));
}

TEST(PixelPool, ACanvasTakingAPictureGivesItsOldMemoryToTheNextPictureOfItsSize) {
  PixelPool& pool = PixelPool::shared();
  pool.trim(0);
  Surface canvas(1024, 1024);
  const std::uint32_t* old = std::as_const(canvas).bits(Surface::Layer::Persistent);
  Picture opened(1024, 1024, 0xFF102030u);
  canvas.SetPicture(std::move(opened));
  EXPECT_EQ(canvas.GetPixel(5, 5), colorFromPixel(0xFF102030u));
  EXPECT_EQ(pool.pooledCount(), 1u);
  Picture next;
  next.pixels = pool.acquire(1024 * 1024);
  EXPECT_EQ(next.pixels.data(), old);
  EXPECT_NE(next.pixels.data(), std::as_const(canvas).bits(Surface::Layer::Persistent));
}

}  // namespace
}  // namespace pictavo
