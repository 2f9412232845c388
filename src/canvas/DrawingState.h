#pragma once
// The main window's drawing state: what the tool engine and the tools
// remember between the mouse events of the canvas. Coordinates are canvas
// pixels in single precision, as the pointer positions arrive.

#include <cstdint>

namespace pictavo {

struct DrawingState {
  // Press point of the current gesture. The pencil, the freehand curve and
  // the spray gun move it along to the last pointer position.
  float startX = 0.0f;
  float startY = 0.0f;
  // Where the current freehand-curve stroke began; its release closes the
  // stroke with a line back to here.
  float curveStartX = 0.0f;
  float curveStartY = 0.0f;
  // Shared by three tools on purpose: the polygon's last vertex, the corner
  // of the last eraser dab and the clone source point. Coming back to the
  // polygon after the eraser continues from the dab's corner.
  float anchorX = 0.0f;
  float anchorY = 0.0f;
  // Current tool 0..21; -1 (after Open or Paste) means no tool: presses then
  // run only the steps common to every tool.
  std::int32_t curTool = -1;
  // True from a press on the canvas to its release; move steps run only then.
  bool mouseIsDown = false;
  // A polygon is being drawn; only a double-click on the canvas ends it.
  bool polygonOpen = false;
  // A paste waits for the next drag on the canvas; cleared at every release.
  bool pastePending = false;
  // Distance from the clone source to the destination, fixed by the first
  // drag movement after a source was marked.
  float cloneOffsetX = 0.0f;
  float cloneOffsetY = 0.0f;
  // A clone source was just marked and the offset is not fixed yet.
  bool cloneSourcePending = false;
};

// Tool indexes, in tool-bar button order.
enum ToolIndex : std::int32_t {
  kNoTool = -1,
  kSelectTool = 0,
  kPencilTool = 1,
  kLineTool = 2,
  kStarTool = 3,
  kRectangleTool = 4,
  kFilledRectangleTool = 5,
  kCircleTool = 6,
  kFilledCircleTool = 7,
  kEllipseTool = 8,
  kFilledEllipseTool = 9,
  kRoundRectTool = 10,
  kFilledRoundRectTool = 11,
  kFloodFillTool = 12,
  kSprayTool = 13,
  kCurveTool = 14,
  kPolygonTool = 15,
  kBrushStampTool = 16,
  kEraserTool = 17,
  kPickerTool = 18,
  kCloneTool = 19,
  kGradientTool = 20,
  kTextTool = 21,
  kToolCount = 22
};

}  // namespace pictavo
