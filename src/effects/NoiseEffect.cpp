// Noise: three draws per pixel (red, green, blue) in the classic visiting
// order, column by column. Each draw is computed from its index, so the
// picture is processed row by row, on every core, with the very numbers the
// column-wise order would draw; the shared generator is then moved past them.

#include "base/Errors.h"
#include "base/Random.h"
#include "effects/Bitmap.h"
#include "effects/EffectPass.h"

#include <algorithm>
#include <cmath>

namespace pictavo::Bitmap {

namespace {

constexpr int kMinAmount = -16384, kMaxAmount = 16383;

// v + (2n + 1) r - n with r = drawn / 2^32: (2n + 1) drawn needs at most 47
// bits and the sum at most 48, so the double arithmetic is exact and rint
// rounds the true value, halves to even. |t| stays far below 2^31, so the
// clamp can be done on integers, which is cheaper in the vector units.
inline std::uint32_t noisy(std::uint32_t v, double drawn, double spread, int amount) {
  const int t = int(std::rint(double(int(v) - amount) + spread * drawn));
  return std::uint32_t(std::min(std::max(t, 0), 255));
}

void noiseRow(const std::uint32_t* from, std::uint32_t* row, int width, std::uint32_t redState, std::uint32_t columnStep,
              double spread, int amount) {
  constexpr std::uint32_t gamma = Random::kGamma;
  std::uint32_t s = redState;
  for (int x = 0; x < width; ++x, s += columnStep) {
    const std::uint32_t p = from[x];
    const std::uint32_t r = noisy((p >> 16) & 0xFF, Random::scaledValueAt(s), spread, amount);
    const std::uint32_t g = noisy((p >> 8) & 0xFF, Random::scaledValueAt(s + gamma), spread, amount);
    const std::uint32_t b = noisy(p & 0xFF, Random::scaledValueAt(s + 2 * gamma), spread, amount);
    row[x] = effects::kOpaque | (r << 16) | (g << 8) | b;
  }
}

}  // namespace

void AddNoise(Surface& surface, int amount) {
  if (amount < kMinAmount || amount > kMaxAmount)
    throw Error(kErrOverflow, "噪点值超出范围: " + std::to_string(amount) + " (允许 " + std::to_string(kMinAmount) +
                                  " 到 " + std::to_string(kMaxAmount) + ")");
  effects::WholePass pass(surface, false);
  const effects::PixelRows image = pass.target();
  const int w = image.width, h = image.height;
  Random& random = Random::shared();
  const std::uint32_t start = random.state();
  constexpr std::uint32_t gamma = Random::kGamma;
  // Draw number 3 (x H + y) + 1 + c (counting from 1) is channel c of (x, y).
  const std::uint32_t columnStep = 3u * std::uint32_t(h) * gamma;
  const double spread = (2.0 * amount + 1.0) * Random::kUnit;

  const std::vector<RowBand> bands = rowBands(0, h, w);
  runBands(bands, [&](std::size_t b) {
    for (int y = bands[b].first; y < bands[b].last; ++y)
      noiseRow(pass.source() + std::size_t(y) * std::size_t(w), image.row(y), w, start + (3u * std::uint32_t(y) + 1u) * gamma, columnStep, spread, amount);
  });
  random.discard(3u * std::uint64_t(w > 0 ? w : 0) * std::uint64_t(h > 0 ? h : 0));
  pass.finish();
}

}  // namespace pictavo::Bitmap
