#pragma once
// Splitting a pass over the rows of a picture between the cores: contiguous
// bands of rows, one per core worth using, each run on its own thread.

#include <cstddef>
#include <functional>
#include <vector>

namespace pictavo {

// Rows [first, last) split into contiguous bands, one per core that is worth
// using for a pass over `pixelsPerRow`-pixel rows (a single band for small
// pictures). Bands are in ascending order and cover the range exactly.
struct RowBand {
  int first = 0, last = 0;
};
std::vector<RowBand> rowBands(int first, int last, int pixelsPerRow);

// Runs body(band index) for every band, the bands at the same time on
// their own threads. Should a band throw, the others still finish and the
// first exception (in band order) is thrown here; the pass may then be half
// done, so prepare anything that can fail (scratch memory) before.
void runBands(const std::vector<RowBand>& bands, const std::function<void(std::size_t)>& body);

}  // namespace pictavo
