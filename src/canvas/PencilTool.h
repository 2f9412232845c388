#pragma once
// Pencil (tool 1): free lines of the current width and style, drawn straight
// into the persistent image as the pointer moves.

#include "canvas/Tool.h"

namespace pictavo {

class PencilTool : public Tool {
 public:
  // The press draws the zero-length segment at the press point: a dot.
  bool pressRunsMoveHandling() const override { return true; }
  // Line from the last point to the pointer, then the pointer is the last point.
  void move(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
