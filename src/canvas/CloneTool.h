#pragma once
// Clone (tool 19): Alt alone and a press marks the source point and shows
// the dotted marker shpClone centred on it. The first drag movement after
// that fixes the offset from source to destination and draws nothing; every
// later movement copies the n x n block (n the marker's size) whose top-left
// is the pointer minus the offset to the pointer, and moves the marker onto
// that source block. The offset stays until the next source is marked.

#include "canvas/Tool.h"

namespace pictavo {

class CloneTool : public Tool {
 public:
  void press(ToolContext& ctx, const PointerEvent& e) override;
  void move(ToolContext& ctx, const PointerEvent& e) override;
};

}  // namespace pictavo
