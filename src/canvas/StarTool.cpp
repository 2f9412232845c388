#include "canvas/StarTool.h"

#include "canvas/Surface.h"

namespace pictavo {

void StarTool::move(ToolContext& ctx, const PointerEvent& e) {
  ctx.canvas.SetAutoRedraw(true);
  ctx.canvas.Line(ctx.state.startX, ctx.state.startY, e.x, e.y);
}

}  // namespace pictavo
