#pragma once
// The program's one pseudo-random generator: uniform on [0, 1), never seeded,
// so every run draws the same sequence. The spray gun, the noise effect and
// the diffuse filter share it, so the order of draws matters.

#include <bit>
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

  // Jumping ahead, so that a pass drawing many numbers can compute the k-th
  // draw from its index (in any order, on several threads) and then move the
  // shared generator past all of them. The k-th next draw (k = 1, 2, ...)
  // is valueAt(state() + k * kGamma).
  static constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ULL;
  std::uint64_t state() const { return state_; }
  // As if next() had been called `count` times.
  void discard(std::uint64_t count) { state_ += count * kGamma; }
  // The number drawn when the state has become `state`.
  static double valueAt(std::uint64_t state) { return scaledValueAt(state) * (1.0 / 9007199254740992.0); }
  // The same number times 2^53: a whole number below 2^53. Loops that scale
  // the draw anyway can fold the 2^-53 into their own factor, exactly.
  // Inline and branch-free so that loops over many states vectorise.
  static double scaledValueAt(std::uint64_t state) {
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    // The 53 high bits as a double, exactly, without an int64 -> double
    // conversion (missing from many CPUs' vector units): the low 52 bits go
    // through the exponent field, the top bit adds 0.0 or 2^52.
    const std::uint64_t low = (z >> 11) & 0xFFFFFFFFFFFFFULL;
    const std::uint64_t top = std::int64_t(z) < 0 ? 0x4330000000000000ULL : 0;
    return (std::bit_cast<double>(low | 0x4330000000000000ULL) - 4503599627370496.0) + std::bit_cast<double>(top);
  }

 private:
  std::uint64_t state_ = kSeed;
  static constexpr std::uint64_t kSeed = 0x853C49E6748FEA9BULL;
};

}  // namespace pictavo
