#include "canvas/QuarterTurn.h"

#include "canvas/PixelCopy.h"
#include "canvas/RowBands.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace pictavo {

namespace {

// A quarter turn is a transpose done tile by tile: each tile is turned into
// a scratch tile in the second-level cache, then written out row by row.
// The source and destination rows of a large picture lie a power of two
// apart, so short runs on many rows at once would keep evicting each other
// from the caches and waste the memory's long bursts; a tile reads long runs
// of few source rows. Destination columns (source rows) of a tile:
constexpr int kTileColumns = 64;
// and its destination rows (the run read along each source row):
constexpr int kTileRows = 1024;

// Whether the rows written should go straight to memory (PixelCopy.h).
inline bool streams(int w, int h) {
  return std::size_t(w) * std::size_t(h) * sizeof(std::uint32_t) >= kStreamingCopyBytes;
}

// A kBlock x kBlock transpose: t[k * stride + l] = r[l][k], or r[l][kBlock - 1 - k] reversed.
#if defined(__AVX2__)
constexpr int kBlock = 8;
inline void transposeBlock(const std::uint32_t* const* r, std::uint32_t* t, std::size_t stride, bool reversed) {
  __m256i a[8];
  for (int l = 0; l < 8; ++l) a[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(r[l]));
  __m256i b[8], c[8];
  for (int l = 0; l < 8; l += 2) {
    b[l] = _mm256_unpacklo_epi32(a[l], a[l + 1]);
    b[l + 1] = _mm256_unpackhi_epi32(a[l], a[l + 1]);
  }
  for (int l = 0; l < 8; l += 4) {
    c[l] = _mm256_unpacklo_epi64(b[l], b[l + 2]);
    c[l + 1] = _mm256_unpackhi_epi64(b[l], b[l + 2]);
    c[l + 2] = _mm256_unpacklo_epi64(b[l + 1], b[l + 3]);
    c[l + 3] = _mm256_unpackhi_epi64(b[l + 1], b[l + 3]);
  }
  for (int k = 0; k < 4; ++k) {
    const __m256i low = _mm256_permute2x128_si256(c[k], c[k + 4], 0x20);
    const __m256i high = _mm256_permute2x128_si256(c[k], c[k + 4], 0x31);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + std::size_t(reversed ? 7 - k : k) * stride), low);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + std::size_t(reversed ? 3 - k : k + 4) * stride), high);
  }
}
#elif defined(__SSE2__)
constexpr int kBlock = 4;
inline void transposeBlock(const std::uint32_t* const* r, std::uint32_t* t, std::size_t stride, bool reversed) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[0]));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[1]));
  const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[2]));
  const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[3]));
  const __m128i ab01 = _mm_unpacklo_epi32(a, b), ab23 = _mm_unpackhi_epi32(a, b);
  const __m128i ef01 = _mm_unpacklo_epi32(e, f), ef23 = _mm_unpackhi_epi32(e, f);
  const __m128i o[4] = {_mm_unpacklo_epi64(ab01, ef01), _mm_unpackhi_epi64(ab01, ef01), _mm_unpacklo_epi64(ab23, ef23),
                        _mm_unpackhi_epi64(ab23, ef23)};
  for (int k = 0; k < 4; ++k)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(t + std::size_t(reversed ? 3 - k : k) * stride), o[k]);
}
#else
constexpr int kBlock = 1;
inline void transposeBlock(const std::uint32_t* const* r, std::uint32_t* t, std::size_t, bool) { *t = *r[0]; }
#endif

// A quarter turn as dst(X, Y) = row(X)[col(Y)]: destination column X reads
// one source row, destination row Y one source column.
template <bool kRight>
struct QuarterMap {
  const std::uint32_t* src;
  int w, h;  // source size
  const std::uint32_t* row(int X) const { return src + std::size_t(kRight ? h - 1 - X : X) * std::size_t(w); }
  int col(int Y) const { return kRight ? Y : w - 1 - Y; }
};

// Words in a cache line. A streaming store that covers only part of a line
// costs a read of the line in memory, so each destination row is cut at its
// own line boundaries: row y writes columns x0 - off(y) .. x1 - off(y) - 1,
// off(y) being how far into a line its column 0 lies (the first and last
// tile reach the row's ends). The scratch tile holds kLine columns more on
// the left for that.
constexpr int kLine = 16;
constexpr int kScratchColumns = kTileColumns + kLine;

// Destination columns x0..x1 - 1 of rows y0..y1 - 1 (as cut above), through
// the scratch tile t: kTileRows x kScratchColumns words, row i for
// destination row y0 + i, column 0 for destination column x0 - kLine.
template <bool kRight>
void turnTile(const QuarterMap<kRight>& m, std::uint32_t* dst, int x0, int x1, int y0, int y1, std::uint32_t* t,
              bool stream) {
  const int from = std::max(0, x0 - kLine);
  const int nx = x1 - from, ny = y1 - y0;
  std::uint32_t* const t0 = t + (from - (x0 - kLine));  // column `from`
  auto one = [&](int i, int j) { t0[std::size_t(i) * kScratchColumns + std::size_t(j)] = m.row(from + j)[m.col(y0 + i)]; };
  int j = 0;
  // kBlock source rows at a time, each read along its run of the tile;
  // turning left reads them in the opposite direction to the destination rows.
  for (; j + kBlock <= nx; j += kBlock) {
    const std::uint32_t* r[kBlock];
    for (int l = 0; l < kBlock; ++l) r[l] = m.row(from + j + l);
    const int blocks = ny / kBlock;
    for (int k = 0; k < blocks; ++k) {
      // Turning left, the last block first: the source rows are read forwards.
      const int i = (kRight ? k : blocks - 1 - k) * kBlock;
      const int c = kRight ? y0 + i : m.w - kBlock - (y0 + i);
      const std::uint32_t* runs[kBlock];
      for (int l = 0; l < kBlock; ++l) runs[l] = r[l] + c;
      transposeBlock(runs, t0 + std::size_t(i) * kScratchColumns + std::size_t(j), kScratchColumns, !kRight);
    }
    for (int i = blocks * kBlock; i < ny; ++i)
      for (int l = 0; l < kBlock; ++l) one(i, j + l);
  }
  for (; j < nx; ++j)
    for (int i = 0; i < ny; ++i) one(i, j);
  const int dstW = m.h;
  for (int i = 0; i < ny; ++i) {
    std::uint32_t* row = dst + std::size_t(y0 + i) * std::size_t(dstW);
    const int off = stream ? int(reinterpret_cast<std::uintptr_t>(row) % (kLine * 4)) / 4 : 0;
    const int start = x0 == 0 ? 0 : x0 - off;
    const int end = x1 == dstW ? dstW : x1 - off;
    copyPixels(row + start, t0 + std::size_t(i) * kScratchColumns + std::size_t(start - from), std::size_t(end - start), stream);
  }
}

template <bool kRight>
void turnQuarter(const std::uint32_t* src, int w, int h, std::uint32_t* dst) {
  const QuarterMap<kRight> m{src, w, h};
  const int dstW = h, dstH = w;
  const bool stream = streams(w, h);
  const std::vector<RowBand> bands = rowBands(0, dstH, dstW);
  // The scratch tiles before the threads: nothing fails once they run.
  std::vector<std::vector<std::uint32_t>> scratch(bands.size());
  for (auto& tile : scratch) tile.resize(std::size_t(std::min(kTileRows, dstH)) * kScratchColumns + kLine);
  runBands(bands, [&](std::size_t b) {
    // On a cache line, as the scratch rows are (kScratchColumns words apart).
    std::uint32_t* t = scratch[b].data();
    t += (kLine - int(reinterpret_cast<std::uintptr_t>(t) % (kLine * 4)) / 4) % kLine;
    for (int y0 = bands[b].first; y0 < bands[b].last; y0 += kTileRows) {
      const int y1 = std::min(y0 + kTileRows, bands[b].last);
      for (int x0 = 0; x0 < dstW; x0 += kTileColumns)
        turnTile(m, dst, x0, std::min(x0 + kTileColumns, dstW), y0, y1, t, stream);
    }
    if (stream) finishStreaming();
  });
}

// One row read backwards.
void reverseRow(const std::uint32_t* s, std::uint32_t* d, int w, bool stream) {
  int x = 0;
#if defined(__SSE2__)
  if (stream)
    for (; x < w && (reinterpret_cast<std::uintptr_t>(d + x) & 15) != 0; ++x) d[x] = s[w - 1 - x];
  for (; x + 4 <= w; x += 4) {
    const __m128i v = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + (w - 4 - x))), _MM_SHUFFLE(0, 1, 2, 3));
    if (stream) {
      _mm_stream_si128(reinterpret_cast<__m128i*>(d + x), v);
    } else {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), v);
    }
  }
#endif
  for (; x < w; ++x) d[x] = s[w - 1 - x];
}

void turnHalf(const std::uint32_t* src, int w, int h, std::uint32_t* dst) {
  const bool stream = streams(w, h);
  const std::vector<RowBand> bands = rowBands(0, h, w);
  runBands(bands, [&](std::size_t i) {
    for (int y = bands[i].first; y < bands[i].last; ++y)
      reverseRow(src + std::size_t(h - 1 - y) * std::size_t(w), dst + std::size_t(y) * std::size_t(w), w, stream);
    if (stream) finishStreaming();
  });
}

}  // namespace

void turnPixels(const std::uint32_t* src, int w, int h, QuarterTurn turn, std::uint32_t* dst) {
  if (w < 1 || h < 1) return;
  switch (turn) {
    case QuarterTurn::Right: turnQuarter<true>(src, w, h, dst); break;
    case QuarterTurn::Left: turnQuarter<false>(src, w, h, dst); break;
    case QuarterTurn::Half: turnHalf(src, w, h, dst); break;
  }
}

void copyArea(const std::uint32_t* src, int stride, const Rect& area, std::uint32_t* dst) {
  if (area.isEmpty()) return;
  const std::size_t w = std::size_t(area.width());
  const bool stream = streams(area.width(), area.height());
  const std::vector<RowBand> bands = rowBands(area.top, area.bottom, area.width());
  runBands(bands, [&](std::size_t i) {
    for (int y = bands[i].first; y < bands[i].last; ++y)
      copyPixels(dst + std::size_t(y - area.top) * w, src + std::size_t(y) * std::size_t(stride) + std::size_t(area.left), w,
                 stream);
    if (stream) finishStreaming();
  });
}

}  // namespace pictavo
