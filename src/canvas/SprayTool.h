#pragma once
// Spray gun (tool 13): every step (the press and each drag movement) puts
// 11 dots DrawWidth wide at random offsets, drawn from the program's shared
// generator: dx then dy for each dot, each floor(r * DrawWidth * 10) - 5.
// The first dot of a step scatters around the previous pointer position,
// the other ten around the current one, because the centre moves on after
// the first dot. The offsets are not centred: above width 1 the cloud lies
// mostly below and right of the pointer.

#include "canvas/Tool.h"

namespace pictavo {

class SprayTool : public Tool {
 public:
  bool pressRunsMoveHandling() const override { return true; }
  void move(ToolContext& ctx, const PointerEvent& e) override;

  static constexpr int kDotsPerStep = 11;
  // The offset for one draw r in [0, 1).
  static int offset(double r, int drawWidth);
};

}  // namespace pictavo
