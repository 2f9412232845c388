#pragma once
// Scanline flood fill on a block of pixel words, with an explicit span
// stack: memory grows with the number of pending spans, never the call
// depth, so the largest canvas fills without a stack overflow.

#include "canvas/Picture.h"
#include "canvas/Surface.h"

#include <cstdint>
#include <functional>

namespace pictavo {

// Told of each run (one row high) just before it is written; may be empty.
using FillRunObserver = std::function<void(const Rect&)>;

// Fills the 4-connected area of pixels equal to seedWord around (x, y) with
// fillWord. Returns the bounding box of what was written (empty when the
// start is outside, is not seedWord, or fillWord equals seedWord, which
// would fill nothing visible).
Rect floodFillSolid(std::uint32_t* pixels, int width, int height, int x, int y, std::uint32_t seedWord,
                    std::uint32_t fillWord, const FillRunObserver& beforeRun = {});

// The same area, each pixel (px, py) taking pattern(px mod pw, py mod ph)
// (alpha forced opaque): the pattern tiles from the block's origin, not from
// the start point. Terminates even when the pattern contains seedWord.
Rect floodFillPattern(std::uint32_t* pixels, int width, int height, int x, int y, std::uint32_t seedWord,
                      const Picture& pattern, const FillRunObserver& beforeRun = {});

}  // namespace pictavo
