#include "EffectTestSupport.h"

#include "base/Random.h"

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

std::uint32_t inverseOf(std::uint32_t odd) {
  std::uint32_t inv = odd;  // Newton's iteration doubles the correct low bits each step
  for (int i = 0; i < 5; ++i) inv *= 2 - odd * inv;
  return inv;
}

std::uint32_t undoXorShift(std::uint32_t y, int shift) {
  std::uint32_t x = y;
  for (int i = 0; i < 32 / shift + 1; ++i) x = y ^ (x >> shift);
  return x;
}

}  // namespace

void aimNextDraw(std::uint32_t k, double r) {
  // The state whose hash is r * 2^32.
  std::uint32_t z = std::uint32_t(r * 4294967296.0);
  z = undoXorShift(z, 16);
  z *= inverseOf(0x846CA68Bu);
  z = undoXorShift(z, 15);
  z *= inverseOf(0x7FEB352Du);
  z = undoXorShift(z, 16);
  Random& random = Random::shared();
  // Want state() + k * gamma == z after discarding.
  const std::uint32_t steps = (z - random.state()) * inverseOf(Random::kGamma) - k;
  random.discard(steps);
}

}  // namespace pictavo::test
