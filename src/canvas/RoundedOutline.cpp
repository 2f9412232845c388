#include "canvas/RoundedOutline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pictavo {

namespace {

using i64 = std::int64_t;
constexpr double kEps = 1e-9;

// Extent along one axis of the ellipse with semi-axes (along, across) at
// distance d across: along * sqrt(1 - (d / across)^2), 0 beyond the ellipse.
double extentAt(double along, double across, double d) {
  if (across <= 0) return d <= 0 ? along : 0.0;
  const double t = d / across;
  return t >= 1 ? 0.0 : along * std::sqrt(1 - t * t);
}

i64 roundHalfUp(double v) { return i64(std::floor(v + 0.5)); }

// First k in [lo, hi] with pred(k), or hi + 1; pred must be monotone.
template <class Pred>
i64 firstWhere(i64 lo, i64 hi, Pred pred) {
  i64 a = lo, b = hi + 1;
  while (a < b) {
    const i64 mid = a + (b - a) / 2;
    if (pred(mid)) b = mid; else a = mid + 1;
  }
  return a;
}

}  // namespace

RoundedOutline::RoundedOutline(const Geometry& g) : g_(g) {
  iMax_ = std::max<i64>(0, roundHalfUp(g.a - g.ox));
  jMax_ = std::max<i64>(0, roundHalfUp(g.b - g.oy));
  // The curve is flatter than 45 degrees while u <= a^2 / sqrt(a^2 + b^2).
  const double s = std::hypot(g.a, g.b);
  const double split = s > 0 ? g.a * g.a / s : 0.0;
  m1_ = split - g.ox >= -kEps ? i64(std::floor(split - g.ox + kEps)) + 1 : 0;
  m1_ = std::min(m1_, iMax_ + 1);
  jSplit_ = m1_ > 0 ? rowOfColumn(m1_ - 1) : jMax_;
  jTop_ = m1_ > 0 ? rowOfColumn(0) : jSplit_;
  iExt_ = std::max(columnOfRow(0), m1_ - 1);

  const bool steepRow0 = jSplit_ > 0 || columnOfRow(0) >= m1_;
  const i64 lastIndex = steepRow0 ? steepIndex(columnOfRow(0), 0) : m1_ - 1;
  quarterLength_ = lastIndex + 1;
  const i64 flatOnRow0 = m1_ - firstColumnAtOrBelow(0);
  row0Count_ = flatOnRow0 + (steepRow0 ? columnOfRow(0) - steepStart(0) + 1 : 0);
  if (m1_ > 0) {
    column0Count_ = 1;
  } else {  // every steep row whose run starts at column 0
    const i64 jz = firstWhere(0, jSplit_ - 1, [&](i64 j) { return columnOfRow(j) == 0; });
    column0Count_ = jSplit_ - jz + 1;
  }
  shareRow_ = g.yt0 == g.yb0;
  shareColumn_ = g.xl0 == g.xr0;
  straightH_ = std::max<i64>(0, g.xr0 - g.xl0 - 1);
  straightV_ = std::max<i64>(0, g.yb0 - g.yt0 - 1);
}

i64 RoundedOutline::rowOfColumn(i64 i) const {
  // A centre between two rows: the middle column still reaches the top row.
  if (i == 0 && g_.ox > 0) return jMax_;
  const double v = extentAt(g_.b, g_.a, double(i) + g_.ox);
  return std::clamp<i64>(roundHalfUp(v - g_.oy), 0, jMax_);
}

i64 RoundedOutline::columnOfRow(i64 j) const {
  if (j == 0 && g_.oy > 0) return iMax_;
  const double u = extentAt(g_.a, g_.b, double(j) + g_.oy);
  return std::clamp<i64>(roundHalfUp(u - g_.ox), 0, iMax_);
}

i64 RoundedOutline::steepStart(i64 j) const {
  if (j >= jSplit_) return m1_;
  // The run continues from where the row above ended; above the steep
  // part's first row that may be the flat part's last column.
  const i64 aboveEnd = j + 1 == jSplit_ ? std::max(columnOfRow(j + 1), m1_ - 1) : columnOfRow(j + 1);
  return std::min(columnOfRow(j), aboveEnd + 1);
}

i64 RoundedOutline::firstColumnAtOrBelow(i64 j) const {
  return firstWhere(0, m1_ - 1, [&](i64 i) { return rowOfColumn(i) <= j; });
}

void RoundedOutline::emit(SpanWriter& out, const DashPattern& dash, int quarter, i64 j, i64 iLo, i64 iHi,
                          i64 indexAtLo) const {
  // Pixels shared by two quarters belong to the first one clockwise.
  if ((quarter == 1 || quarter == 3) && shareRow_ && j == 0) return;
  if ((quarter == 2 || quarter == 3) && shareColumn_) iLo = std::max<i64>(iLo, 1);
  if (iLo > iHi) return;
  const bool right = quarter <= 1;
  const i64 y = (quarter == 0 || quarter == 3) ? g_.yt0 - j : g_.yb0 + j;
  if (y < 0 || y >= out.height()) return;
  // Visible local columns only.
  const i64 visLo = right ? -g_.xr0 : g_.xl0 - (out.width() - 1);
  const i64 visHi = right ? out.width() - 1 - g_.xr0 : g_.xl0;
  const i64 lo = std::max(iLo, visLo), hi = std::min(iHi, visHi);
  if (lo > hi) return;
  auto xOf = [&](i64 i) { return right ? g_.xr0 + i : g_.xl0 - i; };
  if (dash.solid()) {
    out.span(y, std::min(xOf(lo), xOf(hi)), std::max(xOf(lo), xOf(hi)));
    return;
  }
  const i64 s1 = shareRow_ ? row0Count_ : 0, c0 = shareColumn_ ? column0Count_ : 0;
  const i64 q = quarterLength_;
  const i64 base1 = q + straightV_, base2 = base1 + q - s1 + straightH_, base3 = base2 + q - c0 + straightV_;
  for (i64 i = lo; i <= hi; ++i) {
    const i64 idx = indexAtLo + (i - iLo);
    i64 pos = 0;
    switch (quarter) {
      case 0: pos = idx; break;
      case 1: pos = base1 + (q - 1 - idx) - s1; break;
      case 2: pos = base2 + idx - c0; break;
      default: pos = base3 + (q - 1 - idx) - s1; break;
    }
    if (dash.on(pos)) out.pixel(xOf(i), y);
  }
}

void RoundedOutline::drawThinRow(SpanWriter& out, const DashPattern& dash, i64 y) const {
  const i64 q = quarterLength_;
  const i64 s1 = shareRow_ ? row0Count_ : 0, c0 = shareColumn_ ? column0Count_ : 0;
  const i64 baseRight = q;
  const i64 baseBottom = q + straightV_ + q - s1;
  const i64 baseLeft = baseBottom + straightH_ + q - c0;
  const i64 baseTop = baseLeft + straightV_ + q - s1 - c0;

  auto quarterRow = [&](i64 j, int qa, int qb) {
    if (j < 0 || j > jTop_) return;
    // Flat part: the columns whose row is j.
    if (m1_ > 0) {
      const i64 lo = firstColumnAtOrBelow(j);
      const i64 hi = firstWhere(0, m1_ - 1, [&](i64 i) { return rowOfColumn(i) < j; }) - 1;
      if (lo <= hi) {
        emit(out, dash, qa, j, lo, hi, lo);
        emit(out, dash, qb, j, lo, hi, lo);
      }
    }
    // Steep part: a run ending at the outer column.
    if (j <= jSplit_) {
      const i64 lo = steepStart(j), hi = columnOfRow(j);
      if (lo <= hi) {
        emit(out, dash, qa, j, lo, hi, steepIndex(lo, j));
        emit(out, dash, qb, j, lo, hi, steepIndex(lo, j));
      }
    }
  };

  if (y <= g_.yt0) quarterRow(g_.yt0 - y, 0, 3);
  if (y >= g_.yb0) quarterRow(y - g_.yb0, 1, 2);

  auto straightRow = [&](i64 base, bool leftToRight) {
    const i64 lo = std::max<i64>(g_.xl0 + 1, 0), hi = std::min<i64>(g_.xr0 - 1, out.width() - 1);
    if (lo > hi) return;
    if (dash.solid()) {
      out.span(y, lo, hi);
      return;
    }
    for (i64 x = lo; x <= hi; ++x)
      if (dash.on(base + (leftToRight ? x - (g_.xl0 + 1) : (g_.xr0 - 1) - x))) out.pixel(x, y);
  };
  if (y == g_.yt0 - jTop_) straightRow(baseTop, true);
  if (y == g_.yb0 + jTop_) straightRow(baseBottom, false);

  if (y > g_.yt0 && y < g_.yb0) {
    if (dash.on(baseRight + (y - (g_.yt0 + 1)))) out.pixel(g_.xr0 + iExt_, y);
    if (dash.on(baseLeft + ((g_.yb0 - 1) - y))) out.pixel(g_.xl0 - iExt_, y);
  }
}

void RoundedOutline::drawThin(SpanWriter& out, const DashPattern& dash) const {
  const i64 top = std::max<i64>(g_.yt0 - jTop_, 0);
  const i64 bottom = std::min<i64>(g_.yb0 + jTop_, out.height() - 1);
  for (i64 y = top; y <= bottom; ++y) drawThinRow(out, dash, y);
}

void RoundedOutline::fillInsideThin(SpanWriter& out) const {
  const i64 top = std::max<i64>(g_.yt0 - jTop_, 0);
  const i64 bottom = std::min<i64>(g_.yb0 + jTop_, out.height() - 1);
  for (i64 y = top; y <= bottom; ++y) {
    i64 reach;  // local columns 0..reach-1 are inside
    if (y > g_.yt0 && y < g_.yb0) {
      reach = iExt_;
    } else {
      const i64 j = y <= g_.yt0 ? g_.yt0 - y : y - g_.yb0;
      reach = j < jSplit_ ? steepStart(j) : std::min(firstColumnAtOrBelow(j), steepStart(j));
      if (reach == 0 && j >= jTop_) continue;  // the top (bottom) row is all outline
    }
    out.span(y, g_.xl0 - reach + 1, g_.xr0 + reach - 1);
  }
}

void RoundedOutline::drawWide(SpanWriter& out, int width, Color line, std::optional<Color> inside) const {
  // The outer and inner corner ellipses around the corner centres. The band is inner < distance <= outer, so an even width is
  // as wide as it says on both sides of a whole-pixel circle.
  // A corner ellipse centred between pixels is measured from the pixels on
  // either side of its centre, as the one-pixel outline is, so the band
  // reaches the same extreme rows and columns on both sides.
  const double xl = double(g_.xl0), xr = double(g_.xr0);
  const double yt = double(g_.yt0), yb = double(g_.yb0);
  const double a = g_.a - g_.ox, b = g_.b - g_.oy;
  const double half = width / 2.0;
  const double A = a + half, B = b + half;
  const double Ai = a - half, Bi = b - half;
  const bool innerRound = Ai > 0 && Bi > 0;
  out.setColor(line);

  const double top = std::max(std::floor(yt - B), 0.0);
  const double bottom = std::min(std::ceil(yb + B), double(out.height() - 1));
  for (double y = top; y <= bottom; y += 1.0) {
    const double dy = std::max({0.0, yt - y, y - yb});
    if (dy > B + kEps) continue;
    const double ex = extentAt(A, B, dy);
    const double left = std::max(std::ceil(xl - ex - kEps), -1.0);
    const double right = std::min(std::floor(xr + ex + kEps), double(out.width()));
    if (left > right) continue;
    // Inner region (closed), which the band leaves out.
    double inLo = 1, inHi = 0;
    if (innerRound) {
      if (dy <= Bi + kEps) {
        const double exi = extentAt(Ai, Bi, dy);
        inLo = std::ceil(xl - exi - kEps);
        inHi = std::floor(xr + exi + kEps);
      }
    } else if (y >= yt - Bi - kEps && y <= yb + Bi + kEps) {
      inLo = std::ceil(xl - Ai - kEps);
      inHi = std::floor(xr + Ai + kEps);
    }
    inLo = std::max(inLo, left);
    inHi = std::min(inHi, right);
    const i64 yi = i64(y);
    if (inLo > inHi) {
      out.span(yi, i64(left), i64(right));
      continue;
    }
    if (inside) {
      out.setColor(*inside);
      out.span(yi, i64(inLo), i64(inHi));
      out.setColor(line);
    }
    out.span(yi, i64(left), i64(inLo) - 1);
    out.span(yi, i64(inHi) + 1, i64(right));
  }
}

}  // namespace pictavo
