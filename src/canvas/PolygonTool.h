#pragma once
// Polygon (tool 15): a chain of edges, one per gesture. The first press
// puts a dot and opens the polygon; every later press joins the last vertex
// (anchorX, anchorY) to the press point, and the release draws the dragged
// edge and makes its end the last vertex. Only a double-click on the canvas
// closes the chain (the engine clears polygonOpen); choosing another tool
// does not, and the eraser and the clone tool move the same anchor.

#include "canvas/Tool.h"

namespace pictavo {

class PolygonTool : public Tool {
 public:
  void press(ToolContext& ctx, const PointerEvent& e) override;
  void move(ToolContext& ctx, const PointerEvent& e) override;
  void release(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
