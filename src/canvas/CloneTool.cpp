#include "canvas/CloneTool.h"

#include "canvas/Surface.h"

namespace pictavo {

void CloneTool::press(ToolContext& ctx, const PointerEvent& e) {
  if (e.shift != kAltKey) return;
  DrawingState& s = ctx.state;
  s.cloneSourcePending = true;
  s.anchorX = e.x;
  s.anchorY = e.y;
  OutlineShape marker = ctx.host.cloneMarker();
  const int half = roundCoord(marker.width) / 2;
  marker.left = float(double(e.x) - half);
  marker.top = float(double(e.y) - half);
  marker.visible = true;
  ctx.host.setCloneMarker(marker);
}

void CloneTool::move(ToolContext& ctx, const PointerEvent& e) {
  DrawingState& s = ctx.state;
  if (s.cloneSourcePending) {
    s.cloneOffsetX = e.x - s.anchorX;
    s.cloneOffsetY = e.y - s.anchorY;
    s.cloneSourcePending = false;
    return;
  }
  Surface& c = ctx.canvas;
  c.SetAutoRedraw(true);
  OutlineShape marker = ctx.host.cloneMarker();
  const float sx = e.x - s.cloneOffsetX, sy = e.y - s.cloneOffsetY;
  // The canvas is its own source: BitBlt reads the block whole before it
  // writes, so overlapping source and destination copy the old pixels.
  c.BitBlt(roundCoord(e.x), roundCoord(e.y), roundCoord(marker.width), roundCoord(marker.height), c, roundCoord(sx),
           roundCoord(sy));
  marker.top = sy;
  marker.left = sx;
  ctx.host.setCloneMarker(marker);
  c.Refresh();
}

}  // namespace pictavo
