#include "canvas/FillTool.h"

#include "canvas/Surface.h"

namespace pictavo {

// Runs while persistent drawing is still on from the previous release, so
// the fill goes straight into the persistent image.
void FillTool::press(ToolContext& ctx, const PointerEvent& e) {
  Surface& c = ctx.canvas;
  c.FillStyle = kFillSolid;
  c.FillColor = c.ForeColor;
  std::optional<PatternBrush> pattern;
  if (ctx.host.listIndex("cboFillType") == kPatternFill) {
    const Picture* picture = ctx.host.patternPicture();
    if (picture && !picture->isNull()) {
      pattern = c.CreatePatternBrush(*picture);
      c.SelectObject(*pattern);
    }
  }
  const Color seed = c.Point(e.x, e.y);
  c.ExtFloodFill(roundCoord(e.x), roundCoord(e.y), seed, 1);
  if (pattern) c.DeleteObject(*pattern);
}

}  // namespace pictavo
