#pragma once
// SelectTool: tool 0. A press hides the old selection; every drag movement
// spans the outline shpSelect between the press point and the pointer,
// normalised so that a drag in any direction gives a non-negative width and
// height. A pointer level with the press point gives an extent of 0, which
// still selects one row or column of pixels (the copy takes Width + 1).
// The release needs nothing of its own: the engine enables Cut and Copy
// from the outline's visibility.

#include "canvas/Tool.h"

namespace pictavo {

class SelectTool : public Tool {
 public:
  void press(ToolContext& ctx, const PointerEvent& e) override;
  void move(ToolContext& ctx, const PointerEvent& e) override;

  // The outline between the press point and the pointer, shown.
  static OutlineShape spanned(float startX, float startY, float x, float y);
};

}  // namespace pictavo
