// The wave (the menu's "pixelate"): the pixel at (x, y) moves to
// (x + round(cos y), y + round(sin x)), the last writer in column-by-column
// order winning. Worked backwards: a target (tx, ty) can only receive from
// the source rows ty + 1, ty and ty - 1, each at the one column
// tx - round(cos(source row)); the latest writer among those is the one with
// the largest source column, that is the smallest row shift. So each target
// row is a blend of three shifted source rows in a fixed order of precedence.

#include "effects/Bitmap.h"
#include "effects/EffectPass.h"
#include "effects/OriginalRows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace pictavo::Bitmap {

namespace {

// A vertical shift no column has: marks the columns beyond the edges.
constexpr int kNoShift = 9;

struct Candidate {
  int sourceRow;           // the source row
  int shiftNeeded;         // its pixel lands on the target row when round(sin x) is this
  int columnShift;         // round(cos(source row))
  const std::uint32_t* pixels;
};

void waveRow(const std::uint32_t* __restrict current, const std::array<Candidate, 3>& order,
             const int* __restrict verticalShift, std::uint32_t* __restrict target, int width) {
  // Lowest precedence first; a later candidate overrides an earlier one.
  const std::uint32_t* __restrict p0 = order[0].pixels - order[0].columnShift;
  const std::uint32_t* __restrict p1 = order[1].pixels - order[1].columnShift;
  const std::uint32_t* __restrict p2 = order[2].pixels - order[2].columnShift;
  const int* __restrict s0 = verticalShift - order[0].columnShift;
  const int* __restrict s1 = verticalShift - order[1].columnShift;
  const int* __restrict s2 = verticalShift - order[2].columnShift;
  const int k0 = order[0].shiftNeeded, k1 = order[1].shiftNeeded, k2 = order[2].shiftNeeded;
  for (int x = 0; x < width; ++x) {
    std::uint32_t v = current[x];
    v = s0[x] == k0 ? (p0[x] | effects::kOpaque) : v;
    v = s1[x] == k1 ? (p1[x] | effects::kOpaque) : v;
    v = s2[x] == k2 ? (p2[x] | effects::kOpaque) : v;
    target[x] = v;
  }
}

}  // namespace

void PixelatePicture(Surface& surface) {
  effects::WholePass pass(surface);
  const effects::PixelRows image = pass.target();
  const int w = image.width, h = image.height;
  if (w <= 0 || h <= 0) {
    pass.finish();
    return;
  }
  std::vector<int> columnShift(std::size_t(h), 0);
  for (int y = 0; y < h; ++y) columnShift[std::size_t(y)] = int(std::rint(std::cos(double(y))));
  // round(sin x) for x = -1 .. w; the two outside columns match no row.
  std::vector<int> paddedShift(std::size_t(w) + 2, kNoShift);
  for (int x = 0; x < w; ++x) paddedShift[std::size_t(x) + 1] = int(std::rint(std::sin(double(x))));
  const int* verticalShift = paddedShift.data() + 1;

  const std::vector<RowBand> bands = rowBands(0, h, w);
  std::vector<std::unique_ptr<effects::OriginalRows>> originals;
  for (const RowBand& band : bands)
    originals.push_back(std::make_unique<effects::OriginalRows>(image, band, 1, 1, 1));
  runBands(bands, [&](std::size_t b) {
    effects::OriginalRows& rows = *originals[b];
    for (int ty = bands[b].first; ty < bands[b].last; ++ty) {
      rows.moveTo(ty);
      std::array<Candidate, 3> order;
      for (int k = -1; k <= 1; ++k) {
        const int source = ty - k;
        const bool inside = source >= 0 && source < h;
        order[std::size_t(k + 1)] = Candidate{source, inside ? k : kNoShift,
                                              inside ? columnShift[std::size_t(source)] : 0, rows.row(ty)};
        if (inside) order[std::size_t(k + 1)].pixels = rows.row(source);
      }
      std::stable_sort(order.begin(), order.end(),
                       [](const Candidate& a, const Candidate& c) { return a.columnShift > c.columnShift; });
      waveRow(rows.row(ty), order, verticalShift, image.row(ty), w);
    }
  });
  pass.finish();
}

}  // namespace pictavo::Bitmap
