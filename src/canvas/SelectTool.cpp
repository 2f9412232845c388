#include "canvas/SelectTool.h"

#include <algorithm>

namespace pictavo {

void SelectTool::press(ToolContext& ctx, const PointerEvent&) {
  // The old geometry stays with the shape; only its visibility goes.
  OutlineShape shape = ctx.host.selection();
  shape.visible = false;
  ctx.host.setSelection(shape);
}

void SelectTool::move(ToolContext& ctx, const PointerEvent& e) {
  ctx.host.setSelection(spanned(ctx.state.startX, ctx.state.startY, e.x, e.y));
}

OutlineShape SelectTool::spanned(float startX, float startY, float x, float y) {
  OutlineShape shape;
  shape.left = std::min(startX, x);
  shape.top = std::min(startY, y);
  shape.width = std::max(startX, x) - shape.left;
  shape.height = std::max(startY, y) - shape.top;
  shape.visible = true;
  return shape;
}

}  // namespace pictavo
