#include "canvas/HalftoneScaler.h"

#include "canvas/PixelCopy.h"
#include "canvas/RowBands.h"

#include <algorithm>
#include <cstring>

#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace pictavo {

namespace {

// The horizontal pass reads whole tap pairs, padded ones too, so the
// blended row carries spare channels past its end.
std::size_t spareChannels(int pairsEach) { return 8 * std::size_t(std::max(pairsEach, 1)); }

std::uint32_t weightPair(std::uint16_t even, std::uint16_t odd) { return std::uint32_t(even) | (std::uint32_t(odd) << 16); }

}  // namespace

void HalftoneScaler::planColumns(const AxisMapping& xs) {
  const int columns = xs.end() - xs.begin();
  hFirst_.assign(std::size_t(columns), 0);
  hCount_.assign(std::size_t(columns), 0);
  hOffset_.assign(std::size_t(columns), 0);
  hPairs_.clear();
  anySingle_ = anyMulti_ = false;
  everyColumn_ = true;
  bool any = false;
  for (int i = 0; i < columns; ++i) {
    hScratch_.clear();
    const AxisMapping::Taps t = xs.areaWeights(xs.begin() + i, hScratch_);
    hFirst_[std::size_t(i)] = t.first;
    hCount_[std::size_t(i)] = t.count;
    hOffset_[std::size_t(i)] = int(hPairs_.size());
    if (t.count == 0) {
      everyColumn_ = false;
      continue;
    }
    (t.count == 1 ? anySingle_ : anyMulti_) = true;
    for (int k = 0; k < t.count; k += 2)
      hPairs_.push_back(weightPair(hScratch_[std::size_t(k)], k + 1 < t.count ? hScratch_[std::size_t(k + 1)] : 0));
    colLo_ = any ? std::min(colLo_, t.first) : t.first;
    colHi_ = any ? std::max(colHi_, t.first + t.count) : t.first + t.count;
    any = true;
  }
  if (!any) colLo_ = colHi_ = 0;
  pairsEach_ = 0;
  uniformPairs_.clear();
  if (!everyColumn_) return;
  for (int i = 0; i < columns; ++i) pairsEach_ = std::max(pairsEach_, (hCount_[std::size_t(i)] + 1) / 2);
  uniformPairs_.assign(std::size_t(columns) * std::size_t(pairsEach_), 0);
  for (int i = 0; i < columns; ++i) {
    const int pairs = (hCount_[std::size_t(i)] + 1) / 2;
    std::copy_n(hPairs_.data() + hOffset_[std::size_t(i)], pairs,
                uniformPairs_.data() + std::size_t(i) * std::size_t(pairsEach_));
  }
}

void HalftoneScaler::scale(std::uint32_t* dest, std::size_t destStride, const AxisMapping& xs, const AxisMapping& ys,
                           const PixelBlock& src) {
  if (xs.isEmpty() || ys.isEmpty()) return;
  const std::vector<RowBand> bands = rowBands(ys.begin(), ys.end(), xs.end() - xs.begin());
  while (bandScalers_.size() + 1 < bands.size()) bandScalers_.push_back(std::make_unique<HalftoneScaler>());
  runBands(bands, [&](std::size_t b) {
    HalftoneScaler& scaler = b == 0 ? *this : *bandScalers_[b - 1];
    scaler.scaleRows(dest, destStride, xs, ys, src, bands[b].first, bands[b].last);
  });
}

void HalftoneScaler::scaleRows(std::uint32_t* dest, std::size_t destStride, const AxisMapping& xs,
                               const AxisMapping& ys, const PixelBlock& src, int yFirst, int yLast) {
  planColumns(xs);
  if (colLo_ >= colHi_) return;
  const std::size_t channels = std::size_t(colHi_ - colLo_) * 4;
  if (blended_.size() < channels + spareChannels(pairsEach_)) blended_.resize(channels + spareChannels(pairsEach_));
  if (rounded_.size() < std::size_t(colHi_ - colLo_)) rounded_.resize(std::size_t(colHi_ - colLo_));

  // With every column written, a row is made in a cache-resident buffer and
  // then written out (also to the following rows that are the same); a large
  // destination is written around the cache, saving the read of each line
  // before it is overwritten.
  const int columns = xs.end() - xs.begin();
  if (everyColumn_ && row_.size() < std::size_t(columns)) row_.resize(std::size_t(columns));
  const bool stream = std::size_t(columns) * std::size_t(ys.end() - ys.begin()) * 4 >= kStreamingCopyBytes;
  bool haveRow = false;
  int previousFirst = 0;
  for (int y = yFirst; y < yLast; ++y) {
    vWeights_.clear();
    const AxisMapping::Taps t = ys.areaWeights(y, vWeights_);
    if (t.count == 0) continue;
    std::uint32_t* out = dest + std::size_t(y) * destStride + std::size_t(xs.begin());
    if (haveRow && t.first == previousFirst && vWeights_ == previousWeights_) {
      copyPixels(out, row_.data(), std::size_t(columns), stream);
      continue;
    }
    std::uint32_t* target = everyColumn_ ? row_.data() : out;
    if (anyMulti_ || t.count > 1) blendRows(src, t.first, t.count, vWeights_.data());
    if (anyMulti_ && everyColumn_) {
      blendColumnsUniform(target);
    } else {
      // Columns within one source column take a whole pixel: the source's
      // own when the row lies within one source row, else the rounded blend.
      const std::uint32_t* pixels = nullptr;
      if (anySingle_ && t.count == 1) {
        pixels = src.row(t.first) + (colLo_ - src.originX);
      } else if (anySingle_) {
        roundBlended();
        pixels = rounded_.data();
      }
      blendColumns(target, pixels);
    }
    if (!everyColumn_) continue;
    copyPixels(out, row_.data(), std::size_t(columns), stream);
    haveRow = true;
    previousFirst = t.first;
    previousWeights_ = vWeights_;
  }
  if (stream) finishStreaming();
}

// blended_[c] = round(sum of weight * byte c of each source row / 2^7): the
// channel value in units of 1/128 (at most 32640, so it fits an int16).
void HalftoneScaler::blendRows(const PixelBlock& src, int firstRow, int count, const std::uint16_t* weights) {
  const std::size_t n = std::size_t(colHi_ - colLo_) * 4;
  std::int16_t* blended = blended_.data();
  // Rows in pairs with their weights packed together; an odd row out is
  // paired with itself at weight 0.
  const int pairs = (count + 1) / 2;
  rowPointers_.resize(std::size_t(pairs) * 2);
  rowPairs_.resize(std::size_t(pairs));
  for (int t = 0; t < count; ++t)
    rowPointers_[std::size_t(t)] = reinterpret_cast<const std::uint8_t*>(src.row(firstRow + t) + (colLo_ - src.originX));
  if (count % 2) rowPointers_[std::size_t(count)] = rowPointers_[std::size_t(count - 1)];
  for (int k = 0; k < pairs; ++k)
    rowPairs_[std::size_t(k)] = weightPair(weights[2 * k], 2 * k + 1 < count ? weights[2 * k + 1] : 0);
  const std::uint8_t* const* rows = rowPointers_.data();
  const std::uint32_t* rowWeights = rowPairs_.data();
  std::size_t i = 0;
#if defined(__AVX2__)
  // Two rows at a time: their bytes interleaved as 16-bit pairs, one
  // multiply-add per pair of weights.
  const __m256i half = _mm256_set1_epi32(64);
  for (; i + 16 <= n; i += 16) {
    __m256i lo = _mm256_setzero_si256(), hi = _mm256_setzero_si256();
    for (int k = 0; k < pairs; ++k) {
      const __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * k] + i)));
      const __m256i b = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * k + 1] + i)));
      const __m256i w = _mm256_set1_epi32(int(rowWeights[k]));
      lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), w));
      hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), w));
    }
    lo = _mm256_srli_epi32(_mm256_add_epi32(lo, half), 7);
    hi = _mm256_srli_epi32(_mm256_add_epi32(hi, half), 7);
    // unpack and pack both work within 128-bit lanes, so this restores the order.
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(blended + i), _mm256_packus_epi32(lo, hi));
  }
#endif
  for (; i < n; ++i) {
    std::uint32_t sum = 0;
    for (int k = 0; k < pairs; ++k)
      sum += (rowWeights[k] & 0xFFFFu) * rows[2 * k][i] + (rowWeights[k] >> 16) * rows[2 * k + 1][i];
    blended[i] = std::int16_t((sum + 64) >> 7);
  }
}

// The blended row as pixels, for the columns that take a whole pixel.
void HalftoneScaler::roundBlended() {
  const std::size_t n = std::size_t(colHi_ - colLo_) * 4;
  const std::int16_t* blended = blended_.data();
  auto* bytes = reinterpret_cast<std::uint8_t*>(rounded_.data());
  for (std::size_t i = 0; i < n; ++i) bytes[i] = std::uint8_t((blended[i] + 64) >> 7);
}

void HalftoneScaler::blendColumns(std::uint32_t* out, const std::uint32_t* pixels) const {
  const std::int16_t* blended = blended_.data();
  const int columns = int(hFirst_.size());
  if (!anyMulti_ && everyColumn_) {  // an enlargement by a whole factor: whole pixels only
    const int* firsts = hFirst_.data();
    const int lo = colLo_;
    for (int i = 0; i < columns; ++i) out[i] = pixels[firsts[i] - lo] | 0xFF000000u;
    return;
  }
#if defined(__AVX2__)
  // Two neighbouring source pixels (8 channels) regrouped as channel pairs
  // (a0 b0 a1 b1 ...) so one multiply-add applies both weights.
  const __m128i pairUp = _mm_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
  const __m128i half = _mm_set1_epi32(1 << 20);
#endif
  for (int i = 0; i < columns; ++i) {
    const int count = hCount_[std::size_t(i)];
    if (count == 0) continue;
    const int first = hFirst_[std::size_t(i)] - colLo_;
    if (count == 1) {
      out[i] = pixels[first] | 0xFF000000u;
      continue;
    }
    const std::int16_t* p = blended + std::size_t(first) * 4;
    const std::uint32_t* w = hPairs_.data() + hOffset_[std::size_t(i)];
    const int pairs = (count + 1) / 2;
#if defined(__AVX2__)
    __m128i sum = _mm_setzero_si128();
    for (int k = 0; k < pairs; ++k) {
      const __m128i two = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8 * k)), pairUp);
      sum = _mm_add_epi32(sum, _mm_madd_epi16(two, _mm_set1_epi32(int(w[k]))));
    }
    // Sums are value * 2^21; add a half before dropping the fraction.
    sum = _mm_srli_epi32(_mm_add_epi32(sum, half), 21);
    const __m128i bytes = _mm_packus_epi16(_mm_packus_epi32(sum, sum), _mm_setzero_si128());
    out[i] = std::uint32_t(_mm_cvtsi128_si32(bytes)) | 0xFF000000u;
#else
    std::uint32_t b = 0, g = 0, r = 0;
    for (int k = 0; k < pairs; ++k, p += 8) {
      const std::uint32_t w0 = w[k] & 0xFFFFu, w1 = w[k] >> 16;
      b += w0 * std::uint32_t(p[0]) + w1 * std::uint32_t(p[4]);
      g += w0 * std::uint32_t(p[1]) + w1 * std::uint32_t(p[5]);
      r += w0 * std::uint32_t(p[2]) + w1 * std::uint32_t(p[6]);
    }
    constexpr std::uint32_t kHalf = 1u << 20;
    out[i] = 0xFF000000u | (((r + kHalf) >> 21) << 16) | (((g + kHalf) >> 21) << 8) | ((b + kHalf) >> 21);
#endif
  }
}

// Every column reads the source and has pairsEach_ weight pairs: four
// columns at a time, their pixels packed and stored together. Pairs is a
// constant for the common cases (up to 4 taps) so the tap loop unrolls.
template <int FixedPairs>
void HalftoneScaler::blendColumnsUniformWith(std::uint32_t* out) const {
  const std::int16_t* blended = blended_.data();
  const int columns = int(hFirst_.size());
  const int pairs = FixedPairs > 0 ? FixedPairs : pairsEach_;
  const std::uint32_t* weights = uniformPairs_.data();
  const int* firsts = hFirst_.data();
  int i = 0;
#if defined(__AVX2__)
  const __m128i pairUp = _mm_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
  const __m128i half = _mm_set1_epi32(1 << 20);
  const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
  auto column = [&](int c) {
    const std::int16_t* p = blended + std::size_t(firsts[c] - colLo_) * 4;
    const std::uint32_t* w = weights + std::size_t(c) * std::size_t(pairs);
    __m128i sum = _mm_setzero_si128();
    for (int k = 0; k < pairs; ++k) {
      const __m128i two = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8 * k)), pairUp);
      sum = _mm_add_epi32(sum, _mm_madd_epi16(two, _mm_set1_epi32(int(w[k]))));
    }
    return _mm_srli_epi32(_mm_add_epi32(sum, half), 21);
  };
  // Eight columns at a time, two to a 256-bit register (one per lane).
  const __m256i pairUp2 = _mm256_broadcastsi128_si256(pairUp);
  const __m256i half2 = _mm256_set1_epi32(1 << 20);
  auto columnPair = [&](int c) {
    const std::int16_t* pa = blended + std::size_t(firsts[c] - colLo_) * 4;
    const std::int16_t* pb = blended + std::size_t(firsts[c + 1] - colLo_) * 4;
    const std::uint32_t* wa = weights + std::size_t(c) * std::size_t(pairs);
    const std::uint32_t* wb = wa + pairs;
    __m256i sum = _mm256_setzero_si256();
    for (int k = 0; k < pairs; ++k) {
      const __m256i v = _mm256_inserti128_si256(
          _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pa + 8 * k))),
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(pb + 8 * k)), 1);
      const __m256i w = _mm256_inserti128_si256(_mm256_set1_epi32(int(wa[k])), _mm_set1_epi32(int(wb[k])), 1);
      sum = _mm256_add_epi32(sum, _mm256_madd_epi16(_mm256_shuffle_epi8(v, pairUp2), w));
    }
    return _mm256_srli_epi32(_mm256_add_epi32(sum, half2), 21);
  };
  const __m256i interleave = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  const __m256i opaque2 = _mm256_set1_epi32(int(0xFF000000u));
  for (; i + 8 <= columns; i += 8) {
    // Lanes hold columns (i, i+2, i+4, i+6) and (i+1, i+3, i+5, i+7) after packing.
    const __m256i lo = _mm256_packus_epi32(columnPair(i), columnPair(i + 2));
    const __m256i hi = _mm256_packus_epi32(columnPair(i + 4), columnPair(i + 6));
    const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(lo, hi), interleave);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_or_si256(bytes, opaque2));
  }
  for (; i + 4 <= columns; i += 4) {
    const __m128i a = column(i), b = column(i + 1), c = column(i + 2), d = column(i + 3);
    const __m128i bytes = _mm_packus_epi16(_mm_packus_epi32(a, b), _mm_packus_epi32(c, d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_or_si128(bytes, opaque));
  }
#endif
  for (; i < columns; ++i) {
    const std::int16_t* p = blended + std::size_t(firsts[i] - colLo_) * 4;
    const std::uint32_t* w = weights + std::size_t(i) * std::size_t(pairs);
    std::uint32_t b = 0, g = 0, r = 0;
    for (int k = 0; k < pairs; ++k, p += 8) {
      const std::uint32_t w0 = w[k] & 0xFFFFu, w1 = w[k] >> 16;
      b += w0 * std::uint32_t(p[0]) + w1 * std::uint32_t(p[4]);
      g += w0 * std::uint32_t(p[1]) + w1 * std::uint32_t(p[5]);
      r += w0 * std::uint32_t(p[2]) + w1 * std::uint32_t(p[6]);
    }
    constexpr std::uint32_t kHalf = 1u << 20;
    out[i] = 0xFF000000u | (((r + kHalf) >> 21) << 16) | (((g + kHalf) >> 21) << 8) | ((b + kHalf) >> 21);
  }
}

void HalftoneScaler::blendColumnsUniform(std::uint32_t* out) const {
  switch (pairsEach_) {
    case 1: blendColumnsUniformWith<1>(out); break;
    case 2: blendColumnsUniformWith<2>(out); break;
    default: blendColumnsUniformWith<0>(out); break;
  }
}

}  // namespace pictavo
