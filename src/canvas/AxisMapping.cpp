#include "canvas/AxisMapping.h"

#include <algorithm>

namespace pictavo {

AxisMapping::AxisMapping(int destOrigin, int destExtent, int destSize, int sourceOrigin, int sourceExtent,
                         int sourceSize)
    : sourceSize_(sourceSize) {
  if (destExtent == 0 || sourceExtent == 0 || destSize <= 0 || sourceSize <= 0) return;
  destLength_ = destExtent < 0 ? -std::int64_t(destExtent) : destExtent;
  destStart_ = destExtent < 0 ? std::int64_t(destOrigin) + destExtent + 1 : destOrigin;
  sourceLength_ = sourceExtent < 0 ? -std::int64_t(sourceExtent) : sourceExtent;
  sourceStart_ = sourceExtent < 0 ? std::int64_t(sourceOrigin) + sourceExtent : sourceOrigin;
  mirrored_ = (destExtent < 0) != (sourceExtent < 0);
  begin_ = int(std::clamp<std::int64_t>(destStart_, 0, destSize));
  end_ = int(std::clamp<std::int64_t>(destStart_ + destLength_, 0, destSize));
}

std::int64_t AxisMapping::along(int d) const {
  const std::int64_t k = std::int64_t(d) - destStart_;
  return mirrored_ ? destLength_ - 1 - k : k;
}

int AxisMapping::nearest(int d) const {
  // The centre of step k lies at (k + 1/2) * sourceLength / destLength.
  const __int128 k = along(d);
  const std::int64_t s = std::int64_t((2 * k + 1) * sourceLength_ / (2 * __int128(destLength_)));
  const std::int64_t p = sourceStart_ + s;
  return (p < 0 || p >= sourceSize_) ? -1 : int(p);
}

std::vector<int> AxisMapping::nearestTable() const {
  std::vector<int> table;
  if (isEmpty()) return table;
  table.reserve(std::size_t(end_ - begin_));
  for (int d = begin_; d < end_; ++d) table.push_back(nearest(d));
  return table;
}

AxisMapping::Taps AxisMapping::areaWeights(int d, std::vector<std::uint16_t>& weights) const {
  // In units of 1 / destLength of a source pixel, step k covers
  // [k * sourceLength, (k + 1) * sourceLength) and source pixel j covers
  // [j * destLength, (j + 1) * destLength); the weight of j is the overlap.
  const __int128 k = along(d);
  const __int128 lo = k * sourceLength_, hi = (k + 1) * sourceLength_;
  std::int64_t jFirst = std::int64_t(lo / destLength_);
  std::int64_t jLast = std::int64_t((hi - 1) / destLength_);
  // Only the source pixels that exist.
  jFirst = std::max<std::int64_t>(jFirst, -sourceStart_);
  jLast = std::min<std::int64_t>(jLast, std::int64_t(sourceSize_) - 1 - sourceStart_);
  Taps taps;
  if (jFirst > jLast) return taps;
  auto overlap = [&](std::int64_t j) {
    const __int128 a = std::max<__int128>(lo, __int128(j) * destLength_);
    const __int128 b = std::min<__int128>(hi, __int128(j + 1) * destLength_);
    return b > a ? b - a : __int128(0);
  };
  __int128 total = 0;
  for (std::int64_t j = jFirst; j <= jLast; ++j) total += overlap(j);
  if (total <= 0) return taps;
  // Rounding the running sum keeps the total exactly kWeightOne and every
  // weight within one unit of its exact value.
  __int128 running = 0;
  std::int64_t previous = 0;
  taps.first = int(sourceStart_ + jFirst);
  for (std::int64_t j = jFirst; j <= jLast; ++j) {
    running += overlap(j);
    const std::int64_t upTo = std::int64_t((running * kWeightOne + total / 2) / total);
    weights.push_back(std::uint16_t(upTo - previous));
    previous = upTo;
  }
  taps.count = int(jLast - jFirst + 1);
  return taps;
}

}  // namespace pictavo
