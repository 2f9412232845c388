#include "canvas/PickerTool.h"

#include "canvas/Surface.h"

namespace pictavo {

void PickerTool::pick(ToolContext& ctx, const PointerEvent& e) {
  if (e.button != kLeftButton && e.button != kRightButton) return;
  const Color c = ctx.canvas.Point(e.x, e.y);
  // A drag beyond the canvas edge reads no colour; the palette keeps the
  // last real one instead of taking an invalid value.
  if (c == kNoColor) return;
  if (e.button == kLeftButton)
    ctx.host.setColor1(c);
  else
    ctx.host.setColor2(c);
}

}  // namespace pictavo
