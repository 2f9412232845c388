// Dots, lines, boxes, circles, ellipses and rounded rectangles of a Surface.
// Each operation writes through one SpanWriter (clipping at the edge) and
// reports one changed rectangle at the end.
#include "canvas/DashPattern.h"
#include "canvas/RoundedOutline.h"
#include "canvas/SpanWriter.h"
#include "canvas/Surface.h"
#include "canvas/ThickLine.h"
#include "canvas/ThinLine.h"

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

using i64 = std::int64_t;

// Beyond this radius no outline can reach a pixel of the largest surface
// from a centre in the coordinate range, so only the interior matters.
constexpr double kFarRadius = 1e10;

void fillRect(SpanWriter& out, i64 left, i64 top, i64 right, i64 bottom) {
  const i64 y0 = std::max<i64>(top, 0), y1 = std::min<i64>(bottom, out.height() - 1);
  for (i64 y = y0; y <= y1; ++y) out.span(y, left, right);
}

// A box outline `width` pixels wide centred on the edges of l..r x t..b
// (all included); the pen's pixels sit at offsets -width/2 .. (width-1)/2.
void wideBox(SpanWriter& out, i64 l, i64 t, i64 r, i64 b, int width) {
  const i64 before = width / 2, after = (width - 1) / 2;
  const i64 ol = l - before, orr = r + after, ot = t - before, ob = b + after;
  const i64 il = ol + width, ir = orr - width, it = ot + width, ib = ob - width;
  const i64 y0 = std::max<i64>(ot, 0), y1 = std::min<i64>(ob, out.height() - 1);
  for (i64 y = y0; y <= y1; ++y) {
    if (y >= it && y <= ib && il <= ir) {
      out.span(y, ol, il - 1);
      out.span(y, ir + 1, orr);
    } else {
      out.span(y, ol, orr);
    }
  }
}

// A one-pixel box outline, the dash running clockwise from the top-left corner.
void thinBox(SpanWriter& out, i64 l, i64 t, i64 r, i64 b, const DashPattern& dash) {
  if (l == r || t == b) {
    drawThinLine(out, l, t, r, b, dash);
    return;
  }
  i64 index = drawThinLine(out, l, t, r, t, dash);
  index += drawThinLine(out, r, t + 1, r, b, dash, index);
  index += drawThinLine(out, r - 1, b, l, b, dash, index);
  if (b - t > 1) drawThinLine(out, l, b - 1, l, t + 1, dash, index);
}

int penWidth(int drawWidth) { return std::max(drawWidth, 1); }

}  // namespace

void Surface::PSet(double x, double y, std::optional<Color> c) {
  SpanWriter out(*this, c.value_or(ForeColor));
  const i64 px = roundCoord(x), py = roundCoord(y);
  const int w = penWidth(DrawWidth);
  if (w == 1) out.pixel(px, py); else drawThickLine(out, px, py, px, py, w);
  out.finish();
}

void Surface::Line(double x1, double y1, double x2, double y2, std::optional<Color> c, LineKind kind) {
  SpanWriter out(*this, c.value_or(ForeColor));
  const i64 ax = roundCoord(x1), ay = roundCoord(y1), bx = roundCoord(x2), by = roundCoord(y2);
  const int w = penWidth(DrawWidth);
  const DashPattern dash = DashPattern::forStyle(DrawStyle, w);
  if (kind == LineKind::Line) {
    if (w == 1) drawThinLine(out, ax, ay, bx, by, dash); else drawThickLine(out, ax, ay, bx, by, w);
  } else {
    const i64 l = std::min(ax, bx), r = std::max(ax, bx), t = std::min(ay, by), b = std::max(ay, by);
    if (kind == LineKind::FilledBox) {
      fillRect(out, l - w / 2, t - w / 2, r + (w - 1) / 2, b + (w - 1) / 2);
    } else if (w == 1) {
      thinBox(out, l, t, r, b, dash);
    } else {
      wideBox(out, l, t, r, b, w);
    }
  }
  out.finish();
}

namespace {

// Outline (and interior when `inside` is set) of a rounded figure.
void drawRounded(Surface& s, const RoundedOutline::Geometry& g, Color line, std::optional<Color> inside) {
  SpanWriter out(s, line);
  const RoundedOutline figure(g);
  const int w = penWidth(s.DrawWidth);
  if (w == 1) {
    if (inside) {
      out.setColor(*inside);
      figure.fillInsideThin(out);
      out.setColor(line);
    }
    figure.drawThin(out, DashPattern::forStyle(s.DrawStyle, w));
  } else {
    figure.drawWide(out, w, line, inside);
  }
  out.finish();
}

std::optional<Color> interiorOf(const Surface& s) {
  if (s.FillStyle == kFillSolid) return s.FillColor;
  return std::nullopt;
}

}  // namespace

void Surface::Circle(double cx, double cy, float radius, std::optional<Color> c) {
  const i64 x = roundCoord(cx), y = roundCoord(cy);
  double r = radius;
  if (!(r >= 0.5)) r = 0;  // negative and NaN radii too: the centre pixel
  if (r > kFarRadius) {    // only the interior can show
    if (auto inside = interiorOf(*this)) {
      SpanWriter out(*this, *inside);
      fillRect(out, 0, 0, width_ - 1, height_ - 1);
      out.finish();
    }
    return;
  }
  RoundedOutline::Geometry g;
  g.a = g.b = r;
  g.xl0 = g.xr0 = x;
  g.yt0 = g.yb0 = y;
  drawRounded(*this, g, c.value_or(ForeColor), interiorOf(*this));
}

namespace {

// The rounded figure fitted in l..r-1 x t..b-1 with corner ellipses of
// cw x ch pixels (already limited to the rectangle).
RoundedOutline::Geometry fitted(i64 l, i64 t, i64 r, i64 b, i64 cw, i64 ch) {
  RoundedOutline::Geometry g;
  g.a = double(cw - 1) / 2;
  g.b = double(ch - 1) / 2;
  g.ox = cw % 2 == 0 ? 0.5 : 0.0;
  g.oy = ch % 2 == 0 ? 0.5 : 0.0;
  g.xl0 = l + (cw - 1) / 2;
  g.xr0 = (r - cw) + cw / 2;
  g.yt0 = t + (ch - 1) / 2;
  g.yb0 = (b - ch) + ch / 2;
  return g;
}

}  // namespace

void Surface::Ellipse(int left, int top, int right, int bottom) {
  const i64 l = std::min(left, right), r = std::max(left, right);
  const i64 t = std::min(top, bottom), b = std::max(top, bottom);
  if (l == r || t == b) return;
  drawRounded(*this, fitted(l, t, r, b, r - l, b - t), ForeColor, interiorOf(*this));
}

void Surface::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const i64 l = std::min(left, right), r = std::max(left, right);
  const i64 t = std::min(top, bottom), b = std::max(top, bottom);
  if (l == r || t == b) return;
  const i64 cw = std::clamp<i64>(cornerWidth, 1, r - l), ch = std::clamp<i64>(cornerHeight, 1, b - t);
  drawRounded(*this, fitted(l, t, r, b, cw, ch), ForeColor, interiorOf(*this));
}

}  // namespace pictavo
