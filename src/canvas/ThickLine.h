#pragma once
// Wide strokes: every pixel whose centre lies within half the width of the
// segment, which gives round ends, and a round dot for a zero-length
// segment. An even width has no centre pixel, so its stroke sits half a
// pixel up and left of the points (a width-2 dot is the 2 x 2 block whose
// bottom-right pixel is the point), as the pen of the same width would.

#include "canvas/SpanWriter.h"

#include <cstdint>

namespace pictavo {

void drawThickLine(SpanWriter& out, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width);

}  // namespace pictavo
