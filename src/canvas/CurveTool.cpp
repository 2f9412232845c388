#include "canvas/CurveTool.h"

#include "canvas/Surface.h"

namespace pictavo {

void CurveTool::press(ToolContext& ctx, const PointerEvent& e) {
  ctx.state.curveStartX = e.x;
  ctx.state.curveStartY = e.y;
}

void CurveTool::move(ToolContext& ctx, const PointerEvent& e) {
  ctx.canvas.SetAutoRedraw(true);
  ctx.canvas.Line(ctx.state.startX, ctx.state.startY, e.x, e.y);
  ctx.state.startX = e.x;
  ctx.state.startY = e.y;
}

// A click without movement has no segment; this chord of zero length is its dot.
void CurveTool::release(ToolContext& ctx, const PointerEvent& e) {
  ctx.canvas.Line(ctx.state.curveStartX, ctx.state.curveStartY, e.x, e.y);
}

}  // namespace pictavo
