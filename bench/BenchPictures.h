#pragma once
// What several benchmarks share: a picture with content, and the statistic
// that keeps the fastest run.

#include "canvas/Surface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictavo::bench {

// The fastest of the repetitions, for ComputeStatistics("min", fastest).
inline double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Something other than one flat colour, so no copy can take a shortcut.
inline void paintStripes(Surface& s) {
  std::uint32_t* p = s.writableDrawBits(s.bounds());
  const std::size_t w = std::size_t(s.Width());
  for (int y = 0; y < s.Height(); ++y)
    for (std::size_t x = 0; x < w; ++x) p[std::size_t(y) * w + x] = 0xFF000000u | std::uint32_t((x * 7 + y * 3) & 0xFFFFFF);
}

}  // namespace pictavo::bench
