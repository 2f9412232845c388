// The mirror: the left half copied onto the right half, row by row.

#include "effects/Bitmap.h"
#include "effects/EffectPass.h"

namespace pictavo::Bitmap {

namespace {

void mirrorRow(std::uint32_t* row, int width, int half, bool middle) {
  const std::uint32_t* __restrict left = row;
  std::uint32_t* __restrict right = row + (width - half);
  for (int x = 0; x < half; ++x) right[half - 1 - x] = left[x] | effects::kOpaque;
  if (middle) row[half] |= effects::kOpaque;
}

}  // namespace

void MirrorPicture(Surface& surface) {
  effects::WholePass pass(surface);
  const effects::PixelRows image = pass.target();
  const int w = image.width;
  // Column x (x <= (w - 1) / 2) is written at w - 1 - x. The two halves do
  // not overlap; for an odd width the middle column is its own target.
  const int half = w / 2;
  const bool middle = w % 2 == 1;
  const std::vector<RowBand> bands = rowBands(0, image.height, w);
  runBands(bands, [&bands, image, w, half, middle](std::size_t b) {
    for (int y = bands[b].first; y < bands[b].last; ++y) mirrorRow(image.row(y), w, half, middle);
  });
  pass.finish();
}

}  // namespace pictavo::Bitmap
