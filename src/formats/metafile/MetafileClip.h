#pragma once
// Clip regions of the metafile player, in target pixels: the banded
// rectangle lists the surface's SpanWriter cuts spans to (canvas/Surface.h,
// SpanClip). Regions are combined the way the recording device combined
// them: and, or, xor, difference, copy.
//
// Safety: a hostile file may ask for regions of any complexity. Every
// operation takes a work allowance and gives up (returns nothing) when it
// runs out or when the result would pass kMaxRects rectangles; coordinates
// are held within +-kFar so offsets never overflow.

#include "canvas/Surface.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace pictavo::metafile {

enum class ClipCombine { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

namespace clip {

constexpr int kFar = 1 << 28;
constexpr std::size_t kMaxRects = std::size_t(1) << 16;

// The region without a clip: everything.
SpanClip whole();
// Pixel bounds of a box given in (fractional) target pixels: the pixels
// whose centres lie inside, as the polygon filler decides. Coordinates are
// held within +-kFar; NaN gives an empty rectangle.
Rect pixelBounds(double left, double top, double right, double bottom);
// Whether the rectangles already form a valid clip (nonempty, disjoint, banded).
bool isBanded(const SpanClip& rects);
// The union of any rectangles (empty ones are dropped).
std::optional<SpanClip> fromRects(std::vector<Rect> rects, long long& allowance);
// a op b; Copy gives b.
std::optional<SpanClip> combine(const SpanClip& a, const SpanClip& b, ClipCombine op, long long& allowance);
// Moved by whole pixels (held within +-kFar).
SpanClip offset(const SpanClip& region, long long dx, long long dy);
// Rows of pixel runs (first, last both included; sorted, possibly touching)
// as a region: consecutive rows with the same runs share one band.
std::optional<SpanClip> fromRows(int firstRow, const std::vector<std::vector<std::pair<int, int>>>& rows,
                                 long long& allowance);
// The largest number of rectangles in one band: what cutting one span may cost.
std::size_t widestBand(const SpanClip& region);

}  // namespace clip
}  // namespace pictavo::metafile
