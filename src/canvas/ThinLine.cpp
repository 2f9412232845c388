#include "canvas/ThinLine.h"

#include <algorithm>
#include <cstdlib>

namespace pictavo {

namespace {

using i64 = std::int64_t;
using i128 = __int128;

// floor(a / b) for b > 0.
i128 floorDiv(i128 a, i128 b) {
  i128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

}  // namespace

i64 drawThinLine(SpanWriter& out, i64 x0, i64 y0, i64 x1, i64 y1, const DashPattern& dash, i64 firstIndex) {
  const i64 dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  // Work along the major axis m with the minor axis k.
  const i64 m0 = xMajor ? x0 : y0, k0 = xMajor ? y0 : x0;
  const i64 dm = xMajor ? dx : dy, dk = xMajor ? dy : dx;
  const i64 sm = dm < 0 ? -1 : 1, sk = dk < 0 ? -1 : 1;
  const i64 n = std::llabs(dm), ak = std::llabs(dk);
  const i64 limM = xMajor ? out.width() : out.height();
  const i64 limK = xMajor ? out.height() : out.width();

  // The minor offset at step i is i * ak / n rounded half up.
  auto minorSteps = [&](i64 i) -> i128 { return n == 0 ? 0 : floorDiv(i128(2) * i * ak + n, i128(2) * n); };

  // Steps whose major coordinate is inside.
  i64 lo = 0, hi = n;
  if (sm > 0) {
    lo = std::max(lo, -m0);
    hi = std::min(hi, limM - 1 - m0);
  } else {
    lo = std::max(lo, m0 - (limM - 1));
    hi = std::min(hi, m0);
  }
  if (lo > hi) return n + 1;

  // Minor offsets that are inside, then the steps that have them (the
  // offset never decreases along the line).
  const i128 qLo = sk > 0 ? i128(-k0) : i128(k0) - (limK - 1);
  const i128 qHi = sk > 0 ? i128(limK - 1) - k0 : i128(k0);
  {
    i64 a = lo, b = hi + 1;  // first step with offset >= qLo
    while (a < b) {
      const i64 mid = a + (b - a) / 2;
      if (minorSteps(mid) >= qLo) b = mid; else a = mid + 1;
    }
    lo = a;
  }
  {
    i64 a = lo, b = hi + 1;  // first step with offset > qHi
    while (a < b) {
      const i64 mid = a + (b - a) / 2;
      if (minorSteps(mid) > qHi) b = mid; else a = mid + 1;
    }
    hi = a - 1;
  }
  if (lo > hi) return n + 1;

  if (ak == 0 && dash.solid()) {  // straight along an axis: one run
    const i64 a = m0 + sm * lo, b = m0 + sm * hi;
    if (xMajor) {
      out.span(k0, std::min(a, b), std::max(a, b));
    } else {
      for (i64 m = std::min(a, b); m <= std::max(a, b); ++m) out.pixel(k0, m);
    }
    return n + 1;
  }

  // Walk the visible steps with an exact running remainder.
  const i64 twoN = 2 * n;
  i64 q = 0, rem = 0;
  if (n > 0) {
    const i128 num = i128(2) * lo * ak + n;
    q = i64(num / twoN);
    rem = i64(num % twoN);
  }
  for (i64 i = lo; i <= hi; ++i) {
    if (dash.on(firstIndex + i)) {
      const i64 m = m0 + sm * i, k = k0 + sk * q;
      if (xMajor) out.pixel(m, k); else out.pixel(k, m);
    }
    if (n > 0) {
      rem += 2 * ak;
      if (rem >= twoN) {
        rem -= twoN;
        ++q;
      }
    }
  }
  return n + 1;
}

}  // namespace pictavo
