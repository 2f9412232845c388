// The sharpen against the upper-left neighbour. A large factor can push a
// result past 16 bits; that is found by a read-only pass before anything is
// written, so a refused sharpen leaves the picture as it was.

#include "base/Errors.h"
#include "effects/Bitmap.h"
#include "effects/EffectPass.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictavo::Bitmap {

namespace {

// With |k| at most this, |v + k (v - u)| <= 255 + 127 * 255 < 32768 for any
// channels, so no result can overflow and the check pass is skipped.
constexpr double kSafeFactor = 127.0;

// v - u is exact and so is k times it (a single-precision k has 24 bits), so
// the double result does not depend on how the compiler fuses the operations.
inline double sharpened(std::uint32_t v, std::uint32_t u, double k) {
  return std::rint(double(int(v)) + k * double(int(v) - int(u)));
}

// Only for results known to fit 16 bits: the clamp is done on integers,
// which is cheaper in the vector units.
inline std::uint32_t toChannel(double t) { return std::uint32_t(std::min(std::max(int(t), 0), 255)); }

// In place: each pixel needs only its own old value and the one up-left of
// it, which lies in the row above, not yet rewritten.
void sharpenRow(const std::uint32_t* __restrict upper, std::uint32_t* __restrict row, int width, double k) {
  for (int x = 1; x < width - 1; ++x) {
    const std::uint32_t v = row[x], u = upper[x - 1];
    const std::uint32_t r = toChannel(sharpened((v >> 16) & 0xFF, (u >> 16) & 0xFF, k));
    const std::uint32_t g = toChannel(sharpened((v >> 8) & 0xFF, (u >> 8) & 0xFF, k));
    const std::uint32_t b = toChannel(sharpened(v & 0xFF, u & 0xFF, k));
    row[x] = effects::kOpaque | (r << 16) | (g << 8) | b;
  }
}

// Whether a result of the row leaves the 16-bit range (or is no number).
bool rowOverflows(const std::uint32_t* __restrict upper, const std::uint32_t* __restrict current, int width,
                  double k) {
  auto fits = [](double t) { return int(t >= -32768.0) & int(t <= 32767.0); };
  int bad = 0;
  for (int x = 1; x < width - 1; ++x) {
    const std::uint32_t v = current[x], u = upper[x - 1];
    const int ok = fits(sharpened((v >> 16) & 0xFF, (u >> 16) & 0xFF, k)) &
                    fits(sharpened((v >> 8) & 0xFF, (u >> 8) & 0xFF, k)) & fits(sharpened(v & 0xFF, u & 0xFF, k));
    bad |= ok ^ 1;
  }
  return bad != 0;
}

bool anyOverflow(const effects::PixelRows& image, double k) {
  const std::vector<RowBand> bands = rowBands(1, image.height - 1, image.width);
  std::vector<char> found(bands.size(), 0);
  runBands(bands, [&](std::size_t b) {
    for (int y = bands[b].first; y < bands[b].last && !found[b]; ++y)
      found[b] = rowOverflows(image.row(y - 1), image.row(y), image.width, k);
  });
  return std::find(found.begin(), found.end(), 1) != found.end();
}

}  // namespace

void SharpenPicture(Surface& surface, float factor) {
  effects::WholePass pass(surface);
  const effects::PixelRows image = pass.target();
  const int w = image.width, h = image.height;
  if (w < 3 || h < 3) {
    pass.finish();
    return;
  }
  const double k = factor;
  if (!(std::fabs(k) <= kSafeFactor) && anyOverflow(image, k)) throw Error(kErrOverflow);

  // Rows are rewritten from the bottom up, so the row above each one is still
  // the original; only the row above a band, which the band before it
  // rewrites at the same time, is copied first (the top margin row above the
  // first band is never rewritten).
  const std::vector<RowBand> bands = rowBands(1, h - 1, w);
  std::vector<std::vector<std::uint32_t>> rowsAbove(bands.size());
  for (std::size_t b = 1; b < bands.size(); ++b) {
    const std::uint32_t* above = image.row(bands[b].first - 1);
    rowsAbove[b].assign(above, above + w);
  }
  runBands(bands, [&](std::size_t b) {
    for (int y = bands[b].last - 1; y >= bands[b].first; --y) {
      const std::uint32_t* upper = y == bands[b].first && b > 0 ? rowsAbove[b].data() : image.row(y - 1);
      sharpenRow(upper, image.row(y), w, k);
    }
  });
  pass.finish();
}

}  // namespace pictavo::Bitmap
