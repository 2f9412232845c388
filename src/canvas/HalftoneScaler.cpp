#include "canvas/HalftoneScaler.h"

#include <algorithm>
#include <cstring>

namespace pictavo {

namespace {

constexpr int kChunk = 4096;  // channel values blended at a time (stays in L1)

}  // namespace

void HalftoneScaler::scale(std::uint32_t* dest, std::size_t destStride, const AxisMapping& xs, const AxisMapping& ys,
                           const PixelBlock& src) {
  if (xs.isEmpty() || ys.isEmpty()) return;
  const int columns = xs.end() - xs.begin();
  hFirst_.assign(std::size_t(columns), 0);
  hCount_.assign(std::size_t(columns), 0);
  hOffset_.assign(std::size_t(columns), 0);
  hWeights_.clear();
  int colLo = 0, colHi = 0;
  bool anyColumn = false, everyColumn = true;
  for (int i = 0; i < columns; ++i) {
    hOffset_[std::size_t(i)] = int(hWeights_.size());
    const AxisMapping::Taps t = xs.areaWeights(xs.begin() + i, hWeights_);
    hFirst_[std::size_t(i)] = t.first;
    hCount_[std::size_t(i)] = t.count;
    if (t.count == 0) {
      everyColumn = false;
      continue;
    }
    colLo = anyColumn ? std::min(colLo, t.first) : t.first;
    colHi = anyColumn ? std::max(colHi, t.first + t.count) : t.first + t.count;
    anyColumn = true;
  }
  if (!anyColumn) return;

  const std::size_t rowBytes = std::size_t(columns) * sizeof(std::uint32_t);
  int previousRow = -1, previousFirst = 0;
  for (int y = ys.begin(); y < ys.end(); ++y) {
    vWeights_.clear();
    const AxisMapping::Taps t = ys.areaWeights(y, vWeights_);
    if (t.count == 0) continue;
    std::uint32_t* out = dest + std::size_t(y) * destStride + std::size_t(xs.begin());
    if (previousRow >= 0 && everyColumn && t.first == previousFirst && vWeights_ == previousWeights_) {
      std::memcpy(out, dest + std::size_t(previousRow) * destStride + std::size_t(xs.begin()), rowBytes);
      continue;
    }
    blendRows(src, t.first, t.count, vWeights_.data(), colLo, colHi);
    blendColumns(out, colLo);
    previousRow = y;
    previousFirst = t.first;
    previousWeights_ = vWeights_;
  }
}

// blended_[c] = the weighted sum of byte c of the source rows, in units of
// 1/256 (8.8 fixed point), for the bytes of columns colLo..colHi-1.
void HalftoneScaler::blendRows(const PixelBlock& src, int firstRow, int count, const std::uint16_t* weights, int colLo,
                               int colHi) {
  const std::size_t n = std::size_t(colHi - colLo) * 4;
  if (blended_.size() < n) blended_.resize(n);
  if (sums_.size() < std::size_t(kChunk)) sums_.resize(std::size_t(kChunk));
  std::uint16_t* blended = blended_.data();
  std::uint32_t* sums = sums_.data();
  for (std::size_t base = 0; base < n; base += kChunk) {
    const std::size_t len = std::min<std::size_t>(kChunk, n - base);
    for (int t = 0; t < count; ++t) {
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(src.row(firstRow + t) + (colLo - src.originX)) + base;
      const std::uint32_t w = weights[t];
      if (t == 0) {
        for (std::size_t i = 0; i < len; ++i) sums[i] = w * bytes[i];
      } else {
        for (std::size_t i = 0; i < len; ++i) sums[i] += w * bytes[i];
      }
    }
    // Weights sum to 2^14: a sum is value * 2^14, kept as value * 2^8.
    for (std::size_t i = 0; i < len; ++i) blended[base + i] = std::uint16_t((sums[i] + 32) >> 6);
  }
}

void HalftoneScaler::blendColumns(std::uint32_t* out, int colLo) const {
  const std::uint16_t* blended = blended_.data();
  const int columns = int(hFirst_.size());
  for (int i = 0; i < columns; ++i) {
    const int count = hCount_[std::size_t(i)];
    if (count == 0) continue;
    const std::uint16_t* p = blended + std::size_t(hFirst_[std::size_t(i)] - colLo) * 4;
    if (count == 1) {  // value * 2^8 -> value, rounded
      out[i] = 0xFF000000u | (std::uint32_t((p[2] + 128) >> 8) << 16) | (std::uint32_t((p[1] + 128) >> 8) << 8) |
               std::uint32_t((p[0] + 128) >> 8);
      continue;
    }
    const std::uint16_t* w = hWeights_.data() + hOffset_[std::size_t(i)];
    std::uint32_t b = 0, g = 0, r = 0;
    for (int t = 0; t < count; ++t, p += 4) {
      b += std::uint32_t(w[t]) * p[0];
      g += std::uint32_t(w[t]) * p[1];
      r += std::uint32_t(w[t]) * p[2];
    }
    // Sums are value * 2^22; add a half before dropping the fraction.
    constexpr std::uint32_t kHalf = 1u << 21;
    out[i] = 0xFF000000u | (((r + kHalf) >> 22) << 16) | (((g + kHalf) >> 22) << 8) | ((b + kHalf) >> 22);
  }
}

}  // namespace pictavo
