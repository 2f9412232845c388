#include "canvas/SprayTool.h"

#include "base/Random.h"
#include "canvas/Surface.h"

#include <cmath>

namespace pictavo {

int SprayTool::offset(double r, int drawWidth) { return int(std::floor(r * double(drawWidth) * 10.0)) - 5; }

void SprayTool::move(ToolContext& ctx, const PointerEvent& e) {
  Surface& c = ctx.canvas;
  DrawingState& s = ctx.state;
  Random& random = Random::shared();
  c.SetAutoRedraw(true);
  for (int i = 0; i < kDotsPerStep; ++i) {
    const int dx = offset(random.next(), c.DrawWidth);
    const int dy = offset(random.next(), c.DrawWidth);
    c.PSet(double(s.startX) + dx, double(s.startY) + dy);
    s.startX = e.x;
    s.startY = e.y;
  }
}

}  // namespace pictavo
