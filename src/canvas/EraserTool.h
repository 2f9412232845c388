#pragma once
// Eraser (tool 17): dabs in the canvas background colour, whatever button is
// pressed. Size s comes from cboWidth; "正方形" paints a filled box of side s
// from the pointer minus half the size, "圆形" a disc of radius s (not s / 2)
// around the pointer. The dab's outline takes the current DrawWidth and
// DrawStyle, so a wider line enlarges every dab. The dab's corner is left in
// anchorX/anchorY, which the polygon shares.

#include "canvas/Tool.h"

namespace pictavo {

class EraserTool : public Tool {
 public:
  bool pressRunsMoveHandling() const override { return true; }
  void move(ToolContext& ctx, const PointerEvent& e) override;

  static constexpr int kCircleShape = 1;  // index of "圆形" in cboEraseType
};

}  // namespace pictavo
