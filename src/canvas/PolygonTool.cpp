#include "canvas/PolygonTool.h"

#include "canvas/Surface.h"

namespace pictavo {

// Runs before the engine switches persistent drawing off, so both marks land
// in the persistent image.
void PolygonTool::press(ToolContext& ctx, const PointerEvent& e) {
  DrawingState& s = ctx.state;
  if (s.polygonOpen) {
    ctx.canvas.Line(s.anchorX, s.anchorY, e.x, e.y, ctx.canvas.ForeColor);
    return;
  }
  s.anchorX = e.x;
  s.anchorY = e.y;
  ctx.canvas.PSet(e.x, e.y, ctx.canvas.ForeColor);
  s.polygonOpen = true;
}

void PolygonTool::move(ToolContext& ctx, const PointerEvent& e) {
  ctx.canvas.Refresh();
  ctx.canvas.Line(ctx.state.startX, ctx.state.startY, e.x, e.y);
}

void PolygonTool::release(ToolContext& ctx, const PointerEvent& e) {
  DrawingState& s = ctx.state;
  ctx.canvas.Line(s.startX, s.startY, e.x, e.y);
  // The joining edge drawn at the press once more, now that the preview of
  // the drag may have painted over it on the visible layer.
  ctx.canvas.Line(s.startX, s.startY, s.anchorX, s.anchorY);
  s.anchorX = e.x;
  s.anchorY = e.y;
}

}  // namespace pictavo
