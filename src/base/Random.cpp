#include "base/Random.h"

namespace pictavo {

Random& Random::shared() {
  static Random generator;
  return generator;
}

}  // namespace pictavo
