#pragma once
// The rows a neighbourhood filter reads, as they were before the pass, while
// the pass rewrites the picture in place from the top down.
//
// One OriginalRows serves one band of rows [first, last) and keeps a window
// of copies: `above` rows over the current row, the row itself and `below`
// rows under it. Rows of the neighbouring bands, which other threads are
// rewriting at the same time, are copied when the window is made, so make
// every band's window before any band starts writing. Each copied row has
// `pad` spare words on both sides (zero) so vector loops may read a little
// past the picture's edge.

#include "effects/EffectPass.h"

#include <cstdint>
#include <vector>

namespace pictavo::effects {

class OriginalRows {
 public:
  OriginalRows(const PixelRows& image, RowBand band, int above, int below, int pad);

  // Moves the window to centre on row y; rows are visited in ascending order
  // starting at the band's first row, and row y must not have been written yet.
  void moveTo(int y);
  // The original of row r, r within the window (rows outside the picture hold zeros).
  const std::uint32_t* row(int r) const;

 private:
  void load(int r, std::uint32_t* slot);
  std::uint32_t* slot(int r);

  PixelRows image_;
  RowBand band_;
  int above_, below_, pad_;
  std::size_t slotWords_;
  int size_;      // rows in the window
  int loadedTo_;  // rows up to and including this one are in the window
  std::vector<std::uint32_t> window_;
  std::vector<std::uint32_t> tail_;  // rows last .. last + below - 1
};

}  // namespace pictavo::effects
