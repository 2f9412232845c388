#pragma once
// Colour picker (tool 18): at the press and at every drag movement, the
// colour under the pointer becomes Color1 (left button) or Color2 (right
// button); any other button or combination takes nothing. The canvas is not
// touched.

#include "canvas/Tool.h"

namespace pictavo {

class PickerTool : public Tool {
 public:
  void press(ToolContext& ctx, const PointerEvent& e) override { pick(ctx, e); }
  void move(ToolContext& ctx, const PointerEvent& e) override { pick(ctx, e); }

 private:
  static void pick(ToolContext& ctx, const PointerEvent& e);
};

}  // namespace pictavo
