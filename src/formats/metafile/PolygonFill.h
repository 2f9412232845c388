#pragma once
// Scanline filling of polygons with several contours, as metafile playback
// needs: alternate (even-odd) or winding (non-zero) rule. A pixel is inside
// when its centre is. Coordinates are surface pixels and may be fractional,
// huge or negative; only rows and columns inside the surface are visited.

#include "canvas/Surface.h"

#include <functional>
#include <vector>

namespace pictavo {

struct PointF {
  double x = 0, y = 0;
};
using Contour = std::vector<PointF>;

enum class FillRule { Alternate = 1, Winding = 2 };

// Calls span(row, first, last) for each run of pixels inside the contours
// (each closed implicitly) within a width x height picture, rows top down
// and runs left to right. Returns the number of rows x edges visited, so
// callers can bound the work a hostile file asks for.
long long scanPolygon(const std::vector<Contour>& contours, FillRule rule, int width, int height,
                      const std::function<void(int row, int first, int last)>& span);

// Fills the contours with colour on the layer the surface draws to, within
// the surface's span clip when it has one. Returns the work as scanPolygon.
long long fillPolygon(Surface& surface, const std::vector<Contour>& contours, FillRule rule, Color color);

}  // namespace pictavo
