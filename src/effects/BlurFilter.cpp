// The 3 x 3 box blur, computed per byte lane of the pixel words (the alpha
// lane comes out as 255 and is set anyway): a vertical sum of three rows,
// then a horizontal sum of three columns, rounded division by 9.

#include "effects/Bitmap.h"
#include "effects/EffectPass.h"
#include "effects/OriginalRows.h"

#include <memory>

namespace pictavo::Bitmap {

namespace {

// round(s / 9) for a sum s of nine channel values (s <= 2295), which never
// lies halfway: floor((s + 4) / 9). Kept in 16 bits, where the compiler
// divides sixteen lanes at a time with a multiply-high.
inline std::uint8_t ninthOf(std::uint16_t s) { return std::uint8_t(std::uint16_t(s + 4) / 9); }

struct BlurScratch {
  std::vector<std::uint16_t> columnSums;  // 4 lanes per pixel
  std::vector<std::uint32_t> out;
};

void blurRow(const std::uint8_t* __restrict above, const std::uint8_t* __restrict middle,
             const std::uint8_t* __restrict below, std::uint16_t* __restrict sums, std::uint32_t* __restrict out,
             std::uint32_t* __restrict target, int width) {
  const int lanes = 4 * width;
  for (int i = 0; i < lanes; ++i) sums[i] = std::uint16_t(above[i] + middle[i] + below[i]);
  auto* outBytes = reinterpret_cast<std::uint8_t*>(out);
  for (int i = 4; i < lanes - 4; ++i)
    outBytes[i] = ninthOf(std::uint16_t(sums[i - 4] + sums[i] + sums[i + 4]));
  for (int x = 1; x < width - 1; ++x) target[x] = out[x] | effects::kOpaque;
}

}  // namespace

void BlurPicture(Surface& surface) {
  effects::WholePass pass(surface);
  const effects::PixelRows image = pass.target();
  const int w = image.width, h = image.height;
  if (w < 3 || h < 3) {
    pass.finish();
    return;
  }
  const std::vector<RowBand> bands = rowBands(1, h - 1, w);
  std::vector<std::unique_ptr<effects::OriginalRows>> originals;
  std::vector<BlurScratch> scratch(bands.size());
  for (std::size_t b = 0; b < bands.size(); ++b) {
    originals.push_back(std::make_unique<effects::OriginalRows>(image, bands[b], 1, 1, 0));
    scratch[b].columnSums.resize(std::size_t(4) * std::size_t(w));
    scratch[b].out.resize(std::size_t(w));
  }
  runBands(bands, [&](std::size_t b) {
    effects::OriginalRows& rows = *originals[b];
    for (int y = bands[b].first; y < bands[b].last; ++y) {
      rows.moveTo(y);
      blurRow(reinterpret_cast<const std::uint8_t*>(rows.row(y - 1)),
              reinterpret_cast<const std::uint8_t*>(rows.row(y)),
              reinterpret_cast<const std::uint8_t*>(rows.row(y + 1)), scratch[b].columnSums.data(),
              scratch[b].out.data(), image.row(y), w);
    }
  });
  pass.finish();
}

void BlurPictureMore(Surface& surface) {
  for (int pass = 0; pass < 3; ++pass) BlurPicture(surface);
}

}  // namespace pictavo::Bitmap
