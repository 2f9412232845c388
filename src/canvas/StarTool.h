#pragma once
// Star (tool 3): a burst of rays. Every drag movement adds one ray from the
// fixed press point to the pointer, straight into the persistent image, so
// the density follows the rate of pointer events. No preview, no release.

#include "canvas/Tool.h"

namespace pictavo {

class StarTool : public Tool {
 public:
  void move(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
