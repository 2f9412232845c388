#pragma once
// The on/off pattern of a width-1 outline, counted in pixels along the
// figure from where the drawing call started (each call starts afresh).
// Runs, as the classic cosmetic pens draw them:
//   dash          18 on, 6 off
//   dot            3 on, 3 off
//   dash-dot       9 on, 6 off, 3 on, 6 off
//   dash-dot-dot   9 on, 3 off, 3 on, 3 off, 3 on, 3 off
// Any other style, and every style above width 1, is solid.

#include <cstdint>

namespace pictavo {

class DashPattern {
 public:
  DashPattern() = default;  // solid
  static DashPattern forStyle(int drawStyle, int drawWidth);

  bool solid() const { return period_ == 0; }
  // Whether the pixel with this position along the figure is drawn.
  bool on(std::int64_t index) const {
    if (period_ == 0) return true;
    std::int64_t k = index % period_;
    if (k < 0) k += period_;
    return (mask_ >> k) & 1u;
  }

 private:
  std::uint32_t mask_ = 0;  // bit k: pixel k of a period is drawn
  int period_ = 0;
};

}  // namespace pictavo
