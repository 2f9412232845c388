#pragma once
// Gradient (tool 20): a black rubber-band box while dragging, and at the
// release a gradient from Color1 at the press side to Color2, left to right
// or top to bottom by cboGrade. The pressed button's colour plays no part.

#include "canvas/Tool.h"

namespace pictavo {

class GradientTool : public Tool {
 public:
  void move(ToolContext& ctx, const PointerEvent& e) override;
  void release(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
