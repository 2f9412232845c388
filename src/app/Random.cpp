#include "app/Random.h"

namespace pictavo {

Random& Random::shared() {
  static Random generator;
  return generator;
}

double Random::next() {
  // splitmix64: small, fast and well distributed; 53 high bits make the double.
  return valueAt(state_ += kGamma);
}

void Random::reset() { state_ = kSeed; }

}  // namespace pictavo
