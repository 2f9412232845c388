#pragma once
// What every effect pass shares: the pass over the persistent image, the
// split of the rows into bands for the cores (canvas/RowBands.h), and the
// finish (the new picture in place, refreshed once).

#include "canvas/PixelCopy.h"
#include "canvas/RowBands.h"
#include "canvas/Surface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictavo::effects {

struct PixelRows {
  std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  std::uint32_t* row(int y) const { return pixels + std::size_t(y) * std::size_t(width); }
  std::size_t count() const { return std::size_t(width) * std::size_t(height); }
  bool empty() const { return width <= 0 || height <= 0; }
};

// An effect's pass over the persistent image. target() holds the picture as
// it was (unless the pass is made to write every pixel from source()), and
// the effect rewrites it; with an undo history listening this is a second
// buffer and the history keeps the old picture as it is, without a copy.
// finish() puts the new picture in place and refreshes once; a pass left
// unfinished (an effect that throws) changes nothing.
class WholePass {
 public:
  explicit WholePass(Surface& surface, bool startFromOld = true)
      : surface_(surface), rewrite_(surface, startFromOld) {}
  const std::uint32_t* source() const { return rewrite_.from(); }
  PixelRows target() const { return PixelRows{rewrite_.to(), surface_.ScaleWidth(), surface_.ScaleHeight()}; }
  void finish() {
    rewrite_.finish();
    surface_.Refresh();
  }

 private:
  Surface& surface_;
  PictureRewrite rewrite_;
};

// Writes f(p) for every pixel word p of `from` to the same place of `to`
// (which may be `from`). f must be cheap and inlinable: the loop is meant to
// vectorise. Into another large buffer the words are streamed: ordinary
// stores would first read every line of the new picture for nothing.
template <class F>
void mapPixels(const std::uint32_t* from, const PixelRows& to, F f) {
  const bool stream = from != to.pixels && to.count() * sizeof(std::uint32_t) >= kStreamingCopyBytes;
  const std::vector<RowBand> bands = rowBands(0, to.height, to.width);
  runBands(bands, [&](std::size_t b) {
    const std::size_t first = std::size_t(bands[b].first) * std::size_t(to.width);
    const std::size_t n = std::size_t(bands[b].last - bands[b].first) * std::size_t(to.width);
    const std::uint32_t* src = from + first;
    std::uint32_t* dst = to.pixels + first;
    std::size_t i = 0;
#if defined(__AVX2__)
    if (stream) {
      for (; i < n && (reinterpret_cast<std::uintptr_t>(dst + i) & 31) != 0; ++i) dst[i] = f(src[i]);
      for (; i + 8 <= n; i += 8) {
        alignas(32) std::uint32_t out[8];
        for (int k = 0; k < 8; ++k) out[k] = f(src[i + k]);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_load_si256(reinterpret_cast<const __m256i*>(out)));
      }
      finishStreaming();
    }
#else
    (void)stream;
#endif
    for (; i < n; ++i) dst[i] = f(src[i]);
  });
}

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

}  // namespace pictavo::effects
