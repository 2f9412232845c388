#pragma once
// Freehand curve (tool 14): the pencil's segments while the button is held,
// and at the release a straight chord from the pointer back to where the
// stroke began, so every stroke is closed.

#include "canvas/Tool.h"

namespace pictavo {

class CurveTool : public Tool {
 public:
  void press(ToolContext& ctx, const PointerEvent& e) override;
  void move(ToolContext& ctx, const PointerEvent& e) override;
  void release(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
