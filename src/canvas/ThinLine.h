#pragma once
// One-pixel lines: the pixels nearest to the exact segment, one per step
// along the longer axis, both end points included (the classic Bresenham
// result). Clipping happens on the step range before any pixel is visited,
// so a line from -1e9 to 1e9 costs no more than one across the surface.

#include "canvas/DashPattern.h"
#include "canvas/SpanWriter.h"

#include <cstdint>

namespace pictavo {

// Draws (x0, y0)..(x1, y1). The pixel at step i (0 at the start) has the
// dash position firstIndex + i. Returns the number of steps (pixels) the
// whole line has, visible or not, so a chain of lines can continue a dash.
std::int64_t drawThinLine(SpanWriter& out, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                          const DashPattern& dash, std::int64_t firstIndex = 0);

}  // namespace pictavo
