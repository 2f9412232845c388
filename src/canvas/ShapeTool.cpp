#include "canvas/ShapeTool.h"

#include "canvas/Surface.h"

#include <cmath>

namespace pictavo {

float ShapeTool::circleRadius(float startX, float startY, float x, float y) {
  const double dx = double(x) - double(startX);
  const double dy = double(y) - double(startY);
  return float(std::sqrt(dy * dy + dx * dx));
}

bool ShapeTool::filled() const {
  return toolIndex_ == kFilledCircleTool || toolIndex_ == kFilledEllipseTool || toolIndex_ == kFilledRoundRectTool;
}

void ShapeTool::move(ToolContext& ctx, const PointerEvent& e) {
  ctx.canvas.Refresh();
  if (filled()) {
    ctx.canvas.FillColor = ctx.canvas.ForeColor;
    ctx.canvas.FillStyle = kFillSolid;
  }
  draw(ctx, e);
}

void ShapeTool::release(ToolContext& ctx, const PointerEvent& e) {
  // The interior keeps the FillColor of the gesture's last movement; a click
  // without movement fills with whatever FillColor was left before.
  if (filled()) ctx.canvas.FillStyle = kFillSolid;
  draw(ctx, e);
}

void ShapeTool::draw(ToolContext& ctx, const PointerEvent& e) {
  Surface& c = ctx.canvas;
  const float px = ctx.state.startX, py = ctx.state.startY;
  switch (toolIndex_) {
    case kLineTool:
      c.Line(px, py, e.x, e.y);
      break;
    case kRectangleTool:
      c.Line(px, py, e.x, e.y, std::nullopt, LineKind::Box);
      break;
    case kFilledRectangleTool:
      c.Line(px, py, e.x, e.y, std::nullopt, LineKind::FilledBox);
      break;
    case kCircleTool:
    case kFilledCircleTool:
      c.Circle(px, py, circleRadius(px, py, e.x, e.y));
      break;
    case kEllipseTool:
    case kFilledEllipseTool:
      c.Ellipse(roundCoord(px), roundCoord(py), roundCoord(e.x), roundCoord(e.y));
      break;
    case kRoundRectTool:
    case kFilledRoundRectTool:
      c.RoundRect(roundCoord(px), roundCoord(py), roundCoord(e.x), roundCoord(e.y), 12, 12);
      break;
    default:
      break;
  }
}

}  // namespace pictavo
