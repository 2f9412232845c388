// The shared generator's jumps, which the random effects rely on to compute
// draws by index: stepping, skipping and computing by index must agree.

#include "base/Random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pictavo {
namespace {

TEST(RandomJump, DiscardAndIndexedDrawsMatchStepping) {
  Random skipped, stepped;
  skipped.discard(12345);
  for (int i = 0; i < 12345; ++i) stepped.next();
  EXPECT_EQ(skipped.next(), stepped.next());
  const double fifth = Random::valueAt(stepped.state() + 5 * Random::kGamma);
  stepped.discard(4);
  EXPECT_EQ(stepped.next(), fifth);
  // Counts beyond 32 bits wrap with the state.
  Random far, near;
  far.discard((std::uint64_t(1) << 32) + 7);
  near.discard(7);
  EXPECT_EQ(far.next(), near.next());
}

TEST(RandomJump, DrawsAreMultiplesOfTwoToTheMinus32) {
  Random r;
  for (int i = 0; i < 100000; ++i) {
    const double v = r.next() * 4294967296.0;
    ASSERT_EQ(v, std::floor(v)) << i;
  }
}

}  // namespace
}  // namespace pictavo
