#include "EffectTestSupport.h"

#include "app/Random.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace pictavo::test {

Surface randomSurface(int w, int h, std::uint32_t seed, int spread) {
  Surface s(w, h, kWhite);
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> channel(std::max(0, 128 - spread), std::min(255, 128 + spread));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, composeColor(channel(gen), channel(gen), channel(gen)));
  return s;
}

std::string pictureDifference(const Surface& a, const Surface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
  const std::uint32_t* pa = a.bits(Surface::Layer::Persistent);
  const std::uint32_t* pb = b.bits(Surface::Layer::Persistent);
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const std::size_t i = std::size_t(y) * a.Width() + x;
      if (pa[i] != pb[i]) {
        char text[96];
        std::snprintf(text, sizeof text, "first difference at (%d, %d): %08X vs %08X", x, y, pa[i], pb[i]);
        return text;
      }
    }
  return {};
}

namespace {

std::uint64_t inverseOf(std::uint64_t odd) {
  std::uint64_t inv = odd;  // Newton's iteration doubles the correct low bits each step
  for (int i = 0; i < 6; ++i) inv *= 2 - odd * inv;
  return inv;
}

std::uint64_t undoXorShift(std::uint64_t y, int shift) {
  std::uint64_t x = y;
  for (int i = 0; i < 64 / shift + 1; ++i) x = y ^ (x >> shift);
  return x;
}

}  // namespace

void aimNextDraw(std::uint64_t k, std::uint64_t m) {
  // The state whose mixed value has m in its 53 high bits.
  std::uint64_t z = m << 11;
  z = undoXorShift(z, 31);
  z *= inverseOf(0x94D049BB133111EBULL);
  z = undoXorShift(z, 27);
  z *= inverseOf(0xBF58476D1CE4E5B9ULL);
  z = undoXorShift(z, 30);
  Random& random = Random::shared();
  // Want state() + k * gamma == z after discarding.
  const std::uint64_t steps = (z - random.state()) * inverseOf(Random::kGamma) - k;
  random.discard(steps);
}

}  // namespace pictavo::test
