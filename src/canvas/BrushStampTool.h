#pragma once
// Magic bag (tool 16): stamps the chosen brush picture centred on the
// pointer at every step (the press and each drag movement). Black brush
// pixels take the drawing colour of the pressed button, magenta ones leave
// the canvas as it is, every other colour is stamped as it is.

#include "canvas/Tool.h"

namespace pictavo {

class BrushStampTool : public Tool {
 public:
  bool pressRunsMoveHandling() const override { return true; }
  void move(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
