// Noise: three draws per pixel (red, green, blue) in the classic visiting
// order, column by column. Each draw is computed from its index, so the
// picture is processed row by row, on every core, with the very numbers the
// column-wise order would draw; the shared generator is then moved past them.

#include "app/Errors.h"
#include "app/Random.h"
#include "effects/Bitmap.h"
#include "effects/EffectPass.h"

#include <algorithm>
#include <cmath>

namespace pictavo::Bitmap {

namespace {

constexpr int kMinAmount = -16384, kMaxAmount = 16383;

// `scaled` is the draw times 2^53 and `spread` is (2n + 1) / 2^53: their
// product is rounded exactly as (2n + 1) times the draw would be. |t| stays
// far below 2^31, so the clamp can be done on integers, which is cheaper in
// the vector units than on doubles.
inline std::uint32_t noisy(std::uint32_t v, double scaled, double spread, double amount) {
  const int t = int(std::rint(double(int(v)) + spread * scaled - amount));
  return std::uint32_t(std::min(std::max(t, 0), 255));
}

void noiseRow(std::uint32_t* __restrict row, int width, std::uint64_t redState, std::uint64_t columnStep,
              double spread, double amount) {
  constexpr std::uint64_t gamma = Random::kGamma;
  std::uint64_t s = redState;
  for (int x = 0; x < width; ++x, s += columnStep) {
    const std::uint32_t p = row[x];
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
  const effects::PixelRows image = effects::persistentRows(surface);
  const int w = image.width, h = image.height;
  Random& random = Random::shared();
  const std::uint64_t start = random.state();
  constexpr std::uint64_t gamma = Random::kGamma;
  // Draw number 3 (x H + y) + 1 + c (counting from 1) is channel c of (x, y).
  const std::uint64_t columnStep = 3u * std::uint64_t(h) * gamma;
  const double spread = (2.0 * amount + 1.0) * (1.0 / 9007199254740992.0), offset = amount;

  const std::vector<effects::RowBand> bands = effects::rowBands(0, h, w);
  effects::runBands(bands, [&](std::size_t b) {
    for (int y = bands[b].first; y < bands[b].last; ++y)
      noiseRow(image.row(y), w, start + (3u * std::uint64_t(y) + 1u) * gamma, columnStep, spread, offset);
  });
  random.discard(3u * std::uint64_t(w > 0 ? w : 0) * std::uint64_t(h > 0 ? h : 0));
  effects::finishPass(surface, surface.bounds());
}

}  // namespace pictavo::Bitmap
