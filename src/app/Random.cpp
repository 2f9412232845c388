#include "app/Random.h"

namespace pictavo {

Random& Random::shared() {
  static Random generator;
  return generator;
}

double Random::next() {
  // splitmix64: small, fast and well distributed; 53 high bits make the double.
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return double(z >> 11) * (1.0 / 9007199254740992.0);
}

void Random::reset() { state_ = kSeed; }

}  // namespace pictavo
