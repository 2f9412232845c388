#include "canvas/ThickLine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace pictavo {

namespace {

constexpr double kEps = 1e-9;

// Narrows [lo, hi] to the t with c0 <= a * t + c <= c1.
void keepWhere(double a, double c, double c0, double c1, double& lo, double& hi) {
  if (std::fabs(a) < 1e-12) {
    if (c < c0 - kEps || c > c1 + kEps) hi = -std::numeric_limits<double>::infinity();
    return;
  }
  double t0 = (c0 - c) / a, t1 = (c1 - c) / a;
  if (t0 > t1) std::swap(t0, t1);
  lo = std::max(lo, t0);
  hi = std::min(hi, t1);
}

}  // namespace

void drawThickLine(SpanWriter& out, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width) {
  const double shift = (width % 2 == 0) ? -0.5 : 0.0;
  const double ax = double(x0) + shift, ay = double(y0) + shift;
  const double bx = double(x1) + shift, by = double(y1) + shift;
  const double r = width / 2.0, r2 = r * r;
  const double ex = bx - ax, ey = by - ay;
  const double len = std::hypot(ex, ey);
  const double ux = len > 0 ? ex / len : 0.0, uy = len > 0 ? ey / len : 0.0;

  const double top = std::max(std::floor(std::min(ay, by) - r), 0.0);
  const double bottom = std::min(std::ceil(std::max(ay, by) + r), double(out.height() - 1));
  for (double yd = top; yd <= bottom; yd += 1.0) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
      const double d = yd - cy, h2 = r2 - d * d;
      if (h2 < 0) continue;
      const double h = std::sqrt(h2);
      lo = std::min(lo, cx - h);
      hi = std::max(hi, cx + h);
    }
    if (len > 0) {  // the band between the two end discs
      double t0 = -std::numeric_limits<double>::infinity(), t1 = -t0;
      const double dy = yd - ay;
      keepWhere(ux, dy * uy, 0.0, len, t0, t1);   // along the segment
      keepWhere(uy, -dy * ux, -r, r, t0, t1);     // across it
      if (t0 <= t1) {
        lo = std::min(lo, ax + t0);
        hi = std::max(hi, ax + t1);
      }
    }
    if (lo > hi) continue;
    const double left = std::max(std::ceil(lo - kEps), -1.0);
    const double right = std::min(std::floor(hi + kEps), double(out.width()));
    if (left <= right) out.span(std::int64_t(yd), std::int64_t(left), std::int64_t(right));
  }
}

}  // namespace pictavo
