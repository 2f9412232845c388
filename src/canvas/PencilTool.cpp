#include "canvas/PencilTool.h"

#include "canvas/Surface.h"

namespace pictavo {

void PencilTool::move(ToolContext& ctx, const PointerEvent& e) {
  // The stroke is final as it goes: no preview, so draw persistently even
  // though the engine switched persistent drawing off at the press.
  ctx.canvas.SetAutoRedraw(true);
  ctx.canvas.Line(ctx.state.startX, ctx.state.startY, e.x, e.y);
  ctx.state.startX = e.x;
  ctx.state.startY = e.y;
}

}  // namespace pictavo
