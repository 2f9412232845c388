#pragma once
// The program's one pseudo-random generator: uniform on [0, 1), never seeded,
// so every run draws the same sequence. The spray gun, the noise effect and
// the diffuse filter share it, so the order of draws matters.
//
// It is counter based: the state steps by a fixed odd constant (a Weyl
// sequence, period 2^32 draws, several times what a noise pass over the
// largest canvas draws), and each draw is a 32-bit integer hash of the state
// over 2^32. Being 32-bit throughout, a pass can compute eight draws per
// vector instruction; and every quantity the effects derive from a draw is
// then exact in double precision, so their rounding is exact as well.

#include <bit>
#include <cstdint>

namespace pictavo {

class Random {
 public:
  // The shared generator.
  static Random& shared();
  // The next number in [0, 1).
  double next() { return valueAt(state_ += kGamma); }
  // Back to the start of the sequence (tests only: the program never reseeds).
  void reset() { state_ = kSeed; }

  // Jumping ahead, so that a pass drawing many numbers can compute the k-th
  // draw from its index (in any order, on several threads) and then move the
  // shared generator past all of them. The k-th next draw (k = 1, 2, ...)
  // is valueAt(state() + k * kGamma), in wrapping 32-bit arithmetic.
  static constexpr std::uint32_t kGamma = 0x9E3779B9u;
  std::uint32_t state() const { return state_; }
  // As if next() had been called `count` times.
  void discard(std::uint64_t count) { state_ += std::uint32_t(count) * kGamma; }

  // The number drawn when the state has become `state`, times 2^32.
  // Inline and branch-free so that loops over many states vectorise.
  static std::uint32_t bitsAt(std::uint32_t state) {
    std::uint32_t z = state;
    z ^= z >> 16;
    z *= 0x7FEB352Du;
    z ^= z >> 15;
    z *= 0x846CA68Bu;
    z ^= z >> 16;
    return z;
  }
  // The same number times 2^32 as a double (a whole number), converted
  // through the exponent field of 2^52: many CPUs' vector units lack an
  // unsigned-to-double conversion.
  static double scaledValueAt(std::uint32_t state) {
    return std::bit_cast<double>(0x4330000000000000ULL | bitsAt(state)) - 4503599627370496.0;
  }
  // The number drawn when the state has become `state`.
  static double valueAt(std::uint32_t state) { return scaledValueAt(state) * kUnit; }
  static constexpr double kUnit = 1.0 / 4294967296.0;  // 2^-32

 private:
  static constexpr std::uint32_t kSeed = 0x748FEA9Bu;
  std::uint32_t state_ = kSeed;
};

}  // namespace pictavo
