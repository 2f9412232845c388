#pragma once
// Turning a picture by quarter turns and cutting a rectangle out of it, as
// pixel-word mappings between two buffers (rows top-down, no padding). With
// W x H the source size:
//   Right  (x, y) goes to (H - 1 - y, x); the result is H x W
//   Left   (x, y) goes to (y, W - 1 - x); the result is H x W
//   Half   (x, y) goes to (W - 1 - x, H - 1 - y); the result is W x H
// The quarter turns are cache-blocked transposes, the work split between
// the cores by bands of destination rows; they run at memory speed.
//
// The canvas limit (Surface::sizeAllowed) is symmetric in width and height,
// so a turned picture always fits wherever the original did.

#include "canvas/Surface.h"

#include <cstdint>

namespace pictavo {

enum class QuarterTurn { Right, Left, Half };

// Width and height of a w x h picture after the turn.
inline int turnedWidth(QuarterTurn turn, int w, int h) { return turn == QuarterTurn::Half ? w : h; }
inline int turnedHeight(QuarterTurn turn, int w, int h) { return turn == QuarterTurn::Half ? h : w; }

// Writes the turned w x h picture `src` into `dst`, which holds w * h words
// and does not overlap src. Nothing happens when w or h is below 1.
void turnPixels(const std::uint32_t* src, int w, int h, QuarterTurn turn, std::uint32_t* dst);

// Copies `area` of the picture `src` (rows of `stride` words) into `dst`,
// area.width() x area.height() words. `area` must lie inside the picture.
void copyArea(const std::uint32_t* src, int stride, const Rect& area, std::uint32_t* dst);

}  // namespace pictavo
