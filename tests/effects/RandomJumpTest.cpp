// The shared generator's jumps, which the random effects rely on to compute
// draws by index: the sequence itself must be the one it always was.

#include "app/Random.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

// The generator as first written: splitmix64 and a plain conversion.
double classicNext(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return double(z >> 11) * (1.0 / 9007199254740992.0);
}

TEST(RandomJump, SequenceIsUnchangedAndDiscardSkipsExactly) {
  Random r;
  std::uint64_t classic = r.state();
  for (int i = 0; i < 100000; ++i) ASSERT_EQ(r.next(), classicNext(classic)) << i;
  Random skipped, stepped;
  skipped.discard(12345);
  for (int i = 0; i < 12345; ++i) stepped.next();
  EXPECT_EQ(skipped.next(), stepped.next());
  const double fifth = Random::valueAt(stepped.state() + 5 * Random::kGamma);
  stepped.discard(4);
  EXPECT_EQ(stepped.next(), fifth);
}

}  // namespace
}  // namespace pictavo
