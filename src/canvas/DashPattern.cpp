#include "canvas/DashPattern.h"

#include "canvas/Surface.h"


namespace pictavo {

DashPattern DashPattern::forStyle(int drawStyle, int drawWidth) {
  DashPattern p;
  if (drawWidth > 1) return p;
  static constexpr int kDashRuns[] = {18, 6, 0};
  static constexpr int kDotRuns[] = {3, 3, 0};
  static constexpr int kDashDotRuns[] = {9, 6, 3, 6, 0};
  static constexpr int kDashDotDotRuns[] = {9, 3, 3, 3, 3, 3, 0};
  const int* runs = nullptr;
  switch (drawStyle) {
    case kDash: runs = kDashRuns; break;
    case kDot: runs = kDotRuns; break;
    case kDashDot: runs = kDashDotRuns; break;
    case kDashDotDot: runs = kDashDotDotRuns; break;
    default: return p;
  }
  bool drawn = true;
  for (; *runs != 0; ++runs) {
    const int run = *runs;
    for (int k = 0; k < run; ++k, ++p.period_)
      if (drawn) p.mask_ |= 1u << p.period_;
    drawn = !drawn;
  }
  return p;
}

}  // namespace pictavo
