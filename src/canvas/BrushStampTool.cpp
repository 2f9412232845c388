#include "canvas/BrushStampTool.h"

#include "canvas/BrushStamp.h"
#include "canvas/Surface.h"

namespace pictavo {

void BrushStampTool::move(ToolContext& ctx, const PointerEvent& e) {
  Surface& c = ctx.canvas;
  c.SetAutoRedraw(true);
  Surface* stamp = ctx.host.brushStamp();
  if (!stamp) return;
  PrepareBrushStamp(*stamp, ctx.host.brushPicture(), c.ForeColor);
  const int w = stamp->Width(), h = stamp->Height();
  c.TransparentBlt(roundCoord(double(e.x) - w / 2), roundCoord(double(e.y) - h / 2), w, h, *stamp, 0, 0, w, h,
                   kMagenta);
  c.Refresh();
}

}  // namespace pictavo
