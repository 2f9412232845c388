#pragma once
// Area-averaging resampler behind the halftone stretch: each destination
// pixel becomes the mean of the source area under it, every source pixel
// weighted by the part of it that area covers; channels round to nearest.
//
// Separable and in fixed point: a vertical pass blends the source rows of
// one destination row into channel values in units of 1/128, then a
// horizontal pass blends those into pixels. Weights of each pass sum to
// 2^14. Consecutive destination rows made of the same source rows with the
// same weights (an enlargement) are copied, not recomputed; a destination
// pixel that lies within one source column and one source row is that
// source pixel. The scaler keeps its row buffers between calls. A large
// picture is made in bands of rows, one per core, each band by its own
// scaler: the rows are independent.

#include "canvas/AxisMapping.h"
#include "canvas/PixelBlock.h"

#include <cstdint>
#include <memory>
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
  // The rows yFirst..yLast-1 of a scale(), with this scaler's buffers.
  void scaleRows(std::uint32_t* dest, std::size_t destStride, const AxisMapping& xs, const AxisMapping& ys,
                 const PixelBlock& src, int yFirst, int yLast);
  void planColumns(const AxisMapping& xs);
  void blendRows(const PixelBlock& src, int firstRow, int count, const std::uint16_t* weights);
  void roundBlended();
  void blendColumns(std::uint32_t* out, const std::uint32_t* pixels) const;
  void blendColumnsUniform(std::uint32_t* out) const;
  template <int FixedPairs>
  void blendColumnsUniformWith(std::uint32_t* out) const;

  // Per written destination column: first source column, tap count, and
  // the offset of its weights in hPairs_, packed two to a word (low half
  // the even tap) and padded with a zero weight to an even count.
  std::vector<int> hFirst_, hCount_, hOffset_;
  std::vector<std::uint32_t> hPairs_;
  int colLo_ = 0, colHi_ = 0;  // source columns any destination column reads
  // When every column reads the source: the same weights again, each
  // column padded with zero pairs to pairsEach_ pairs (single taps too).
  std::vector<std::uint32_t> uniformPairs_;
  int pairsEach_ = 0;
  bool anySingle_ = false, anyMulti_ = false, everyColumn_ = true;

  std::vector<std::uint16_t> vWeights_, previousWeights_, hScratch_;
  std::vector<const std::uint8_t*> rowPointers_;
  std::vector<std::uint32_t> rowPairs_;
  std::vector<std::int16_t> blended_;   // channel values * 128, columns colLo_..colHi_-1
  std::vector<std::uint32_t> rounded_;  // the same as pixels
  std::vector<std::uint32_t> row_;      // the destination row being made
  // Scalers of their own for the other bands of rows of a large picture.
  std::vector<std::unique_ptr<HalftoneScaler>> bandScalers_;
};

}  // namespace pictavo
