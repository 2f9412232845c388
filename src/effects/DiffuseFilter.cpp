// Diffuse: every pixel two or more steps inside the edges takes the colour of
// itself or of a pixel up to two steps up and to the left, chosen by one draw
// per pixel in the classic column-by-column order. Draws are computed from
// their index, so rows are processed top-down on every core.

#include "base/Random.h"
#include "effects/Bitmap.h"
#include "effects/EffectPass.h"
#include "effects/OriginalRows.h"

#include <cmath>
#include <memory>

namespace pictavo::Bitmap {

namespace {

constexpr int kPad = 2;  // reads reach two columns left of the first written one

void diffuseRow(const std::uint32_t* __restrict row0, const std::uint32_t* __restrict row1,
                const std::uint32_t* __restrict row2, std::uint32_t* __restrict target, int width, int y,
                std::uint32_t firstState, std::uint32_t columnStep) {
  const double fy = y;
  std::uint32_t state = firstState;
  for (int x = 2; x < width - 2; ++x, state += columnStep) {
    // 2r - 2, exactly: 2r = (r * 2^32) * 2^-31.
    const double d = Random::scaledValueAt(state) * (2.0 * Random::kUnit) - 2.0;
    // Both offsets come from the same d but are rounded apart: they differ
    // only when x + d or y + d lands exactly halfway.
    const int ox = x - int(std::rint(double(x) + d));
    const int oy = y - int(std::rint(fy + d));
    // Every candidate is read, then one is chosen: a branch-free select
    // the vector units can do (all nine reads lie inside the padded rows).
    const std::uint32_t c00 = row0[x], c01 = row0[x - 1], c02 = row0[x - 2];
    const std::uint32_t c10 = row1[x], c11 = row1[x - 1], c12 = row1[x - 2];
    const std::uint32_t c20 = row2[x], c21 = row2[x - 1], c22 = row2[x - 2];
    const std::uint32_t a0 = ox == 0 ? c00 : ox == 1 ? c01 : c02;
    const std::uint32_t a1 = ox == 0 ? c10 : ox == 1 ? c11 : c12;
    const std::uint32_t a2 = ox == 0 ? c20 : ox == 1 ? c21 : c22;
    const std::uint32_t v = oy == 0 ? a0 : oy == 1 ? a1 : a2;
    target[x] = v | 0xFF000000u;
  }
}

}  // namespace

void DiffusePicture(Surface& surface) {
  effects::WholePass pass(surface);
  const effects::PixelRows image = pass.target();
  const int w = image.width, h = image.height;
  if (w < 5 || h < 5) {
    pass.finish();
    return;
  }
  Random& random = Random::shared();
  const std::uint32_t start = random.state();
  constexpr std::uint32_t gamma = Random::kGamma;
  // Draw number (x - 2)(H - 4) + (y - 2) + 1 (counting from 1) belongs to (x, y).
  const std::uint32_t inner = std::uint32_t(h - 4);
  const std::uint32_t columnStep = inner * gamma;

  const std::vector<RowBand> bands = rowBands(2, h - 2, w);
  std::vector<std::unique_ptr<effects::OriginalRows>> originals;
  for (const RowBand& band : bands)
    originals.push_back(std::make_unique<effects::OriginalRows>(image, band, 2, 0, kPad));
  runBands(bands, [&](std::size_t b) {
    effects::OriginalRows& rows = *originals[b];
    for (int y = bands[b].first; y < bands[b].last; ++y) {
      rows.moveTo(y);
      const std::uint32_t first = start + (std::uint32_t(y - 2) + 1u) * gamma;
      diffuseRow(rows.row(y), rows.row(y - 1), rows.row(y - 2), image.row(y), w, y, first, columnStep);
    }
  });
  random.discard(std::uint64_t(inner) * std::uint64_t(w - 4));
  pass.finish();
}

}  // namespace pictavo::Bitmap
