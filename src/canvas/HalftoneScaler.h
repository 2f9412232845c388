#pragma once
// Area-averaging resampler behind the halftone stretch: each destination
// pixel becomes the mean of the source area under it, every source pixel
// weighted by the part of it that area covers; channels round to nearest.
//
// Separable and in fixed point: a vertical pass blends the source rows of
// one destination row into 8.8-bit channel values, then a horizontal pass
// blends those into pixels. Consecutive destination rows made of the same
// source rows with the same weights (an enlargement) are copied, not
// recomputed. The scaler keeps its row buffers between calls.

#include "canvas/AxisMapping.h"
#include "canvas/PixelBlock.h"

#include <cstdint>
#include <vector>

namespace pictavo {

class HalftoneScaler {
 public:
  // Writes the destination pixels xs.begin..end-1 by ys.begin..end-1 of
  // dest (stride in pixel words) from src. Destination pixels whose area
  // lies wholly outside the source are left as they are. src must hold
  // every source pixel the mappings refer to and must not overlap dest.
  void scale(std::uint32_t* dest, std::size_t destStride, const AxisMapping& xs, const AxisMapping& ys,
             const PixelBlock& src);

 private:
  void blendRows(const PixelBlock& src, int firstRow, int count, const std::uint16_t* weights, int colLo, int colHi);
  void blendColumns(std::uint32_t* out, int colLo) const;

  // Horizontal taps of every written destination column.
  std::vector<int> hFirst_, hCount_, hOffset_;
  std::vector<std::uint16_t> hWeights_, vWeights_, previousWeights_;
  std::vector<std::uint16_t> blended_;  // one row of 8.8 channel values
  std::vector<std::uint32_t> sums_;
};

}  // namespace pictavo
