#pragma once
// The program's one pseudo-random generator: uniform on [0, 1), never seeded,
// so every run draws the same sequence. The spray gun, the noise effect and
// the diffuse filter share it, so the order of draws matters.

#include <cstdint>

namespace pictavo {

class Random {
 public:
  // The shared generator.
  static Random& shared();
  // The next number in [0, 1).
  double next();
  // Back to the start of the sequence (tests only: the program never reseeds).
  void reset();

 private:
  std::uint64_t state_ = kSeed;
  static constexpr std::uint64_t kSeed = 0x853C49E6748FEA9BULL;
};

}  // namespace pictavo
