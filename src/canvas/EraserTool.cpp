#include "canvas/EraserTool.h"

#include "base/NumberEntry.h"
#include "canvas/Surface.h"

namespace pictavo {

void EraserTool::move(ToolContext& ctx, const PointerEvent& e) {
  Surface& c = ctx.canvas;
  DrawingState& st = ctx.state;
  const double s = leadingNumber(ctx.host.listText("cboWidth"));
  const int h = roundCoord(s) / 2;
  st.anchorX = float(double(e.x) - h);
  st.anchorY = float(double(e.y) - h);
  c.SetAutoRedraw(true);
  const Color back = c.BackColor();
  if (ctx.host.listIndex("cboEraseType") == kCircleShape) {
    c.FillStyle = kFillSolid;
    c.FillColor = back;
    c.Circle(double(st.anchorX) + h, double(st.anchorY) + h, float(s), back);
  } else {
    c.Line(st.anchorX, st.anchorY, double(st.anchorX) + s, double(st.anchorY) + s, back, LineKind::FilledBox);
  }
}

}  // namespace pictavo
