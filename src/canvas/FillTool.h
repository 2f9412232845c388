#pragma once
// Flood fill (tool 12): the press fills the 4-connected area of exactly the
// pressed pixel's colour, with the drawing colour ("纯色") or with the pattern
// picture tiled from the canvas origin ("纹理"). Without a pattern picture
// (empty folder, or a file that did not decode) "纹理" fills with the
// drawing colour. Dragging changes nothing.

#include "canvas/Tool.h"

namespace pictavo {

class FillTool : public Tool {
 public:
  void press(ToolContext& ctx, const PointerEvent& e) override;

  static constexpr int kPatternFill = 1;  // index of "纹理" in cboFillType
};

}  // namespace pictavo
