#include "canvas/GradientTool.h"

#include "canvas/GradientRect.h"
#include "canvas/Surface.h"

namespace pictavo {

void GradientTool::move(ToolContext& ctx, const PointerEvent& e) {
  ctx.canvas.Refresh();
  ctx.canvas.Line(ctx.state.startX, ctx.state.startY, e.x, e.y, kBlack, LineKind::Box);
}

void GradientTool::release(ToolContext& ctx, const PointerEvent& e) {
  const Rect rect{roundCoord(ctx.state.startX), roundCoord(ctx.state.startY), roundCoord(e.x), roundCoord(e.y)};
  GradientRect(ctx.canvas, rect, ctx.host.color1(), ctx.host.color2(), ctx.host.listIndex("cboGrade"));
}

}  // namespace pictavo
