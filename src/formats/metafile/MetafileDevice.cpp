#include "formats/metafile/MetafileDevice.h"

#include "canvas/SpanWriter.h"
#include "formats/metafile/Metafile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pictavo {

namespace {

// Arcs and ellipses are drawn as polygons of this many segments per full turn.
constexpr int kEllipseSegments = 96;
// A hostile file may ask for any number of saved states.
constexpr std::size_t kMaxSavedStates = 1024;
// Work one clip record may do before it is given up (left without effect).
constexpr long long kClipAllowance = 1 << 24;

// Runs one clip operation, op(allowance), and charges the work it used.
template <class Op>
auto chargedClipWork(long long& work, Op op) {
  long long allowance = kClipAllowance;
  auto result = op(allowance);
  work += kClipAllowance - std::max(0LL, allowance);
  return result;
}

bool finite(PointF p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

AffineMap AffineMap::then(const AffineMap& b) const {
  AffineMap r;
  r.m11 = m11 * b.m11 + m12 * b.m21;
  r.m12 = m11 * b.m12 + m12 * b.m22;
  r.m21 = m21 * b.m11 + m22 * b.m21;
  r.m22 = m21 * b.m12 + m22 * b.m22;
  r.dx = dx * b.m11 + dy * b.m21 + b.dx;
  r.dy = dx * b.m12 + dy * b.m22 + b.dy;
  return r;
}

double AffineMap::scale() const { return std::sqrt(std::fabs(m11 * m22 - m12 * m21)); }

MetafileDevice::MetafileDevice(Surface& target, MetafileTextPainter textPainter)
    : target_(target), textPainter_(std::move(textPainter)) {}

// The surface outlives playback (it becomes the picture): leave no clip on it.
MetafileDevice::~MetafileDevice() { target_.setSpanClip(nullptr); }

AffineMap MetafileDevice::logicalToTarget() const {
  const State& s = state;
  // Page to recorded device, by mapping mode.
  double sx = 1, sy = 1;
  switch (s.mapMode) {
    case 2: sx = 0.1 * pixelsPerMillimetre; sy = -sx; break;      // 0.1 mm
    case 3: sx = 0.01 * pixelsPerMillimetre; sy = -sx; break;     // 0.01 mm
    case 4: sx = 0.254 * pixelsPerMillimetre; sy = -sx; break;    // 0.01 inch
    case 5: sx = 0.0254 * pixelsPerMillimetre; sy = -sx; break;   // 0.001 inch
    case 6: sx = 25.4 / 1440.0 * pixelsPerMillimetre; sy = -sx; break;  // twips
    case 7:
    case 8: {
      sx = s.windowExt.x != 0 ? s.viewportExt.x / s.windowExt.x : 1;
      sy = s.windowExt.y != 0 ? s.viewportExt.y / s.windowExt.y : 1;
      if (s.mapMode == 7) {  // isotropic: one scale, signs kept
        const double m = std::min(std::fabs(sx), std::fabs(sy));
        sx = std::copysign(m, sx);
        sy = std::copysign(m, sy);
      }
      break;
    }
    default: break;  // text mode: one unit is one pixel
  }
  AffineMap page;
  page.m11 = sx;
  page.m22 = sy;
  page.dx = s.viewportOrg.x - s.windowOrg.x * sx;
  page.dy = s.viewportOrg.y - s.windowOrg.y * sy;
  return s.world.then(page).then(deviceToTarget);
}

PointF MetafileDevice::toTarget(PointF logical) const { return logicalToTarget().map(logical); }

std::vector<PointF> MetafileDevice::mapAll(const std::vector<PointF>& logical) const {
  const AffineMap m = logicalToTarget();
  std::vector<PointF> out;
  out.reserve(logical.size());
  for (const PointF& p : logical) out.push_back(m.map(p));
  return out;
}

void MetafileDevice::saveState() {
  if (saved_.size() < kMaxSavedStates) saved_.push_back(state);
}

void MetafileDevice::restoreState(int which) {
  if (saved_.empty()) return;
  std::size_t index;
  if (which < 0) {
    const std::size_t back = std::size_t(-(long long)which);
    if (back > saved_.size()) return;
    index = saved_.size() - back;
  } else {
    if (which == 0 || std::size_t(which) > saved_.size()) return;
    index = std::size_t(which) - 1;
  }
  state = saved_[index];
  saved_.resize(index);
  target_.setSpanClip(state.clip);
}

// ---- strokes and fills in target pixels ------------------------------------

void MetafileDevice::strokeTarget(const std::vector<PointF>& points, bool closed) {
  const MetafilePen& pen = state.pen;
  if (pen.style == 5 || points.empty() || clippedAway()) return;
  double width = std::max(1.0, pen.width * logicalToTarget().scale());
  if (!std::isfinite(width)) width = 1.0;
  const int drawWidth = int(std::min(4096.0, std::nearbyint(width)));
  const int savedWidth = target_.DrawWidth, savedStyle = target_.DrawStyle;
  target_.DrawWidth = std::max(1, drawWidth);
  target_.DrawStyle = (drawWidth <= 1 && pen.style >= 1 && pen.style <= 4) ? pen.style : kSolid;
  const double diagonal = std::hypot(double(target_.Width()), double(target_.Height()));
  auto segment = [&](PointF a, PointF b) {
    if (!finite(a) || !finite(b)) return;
    target_.Line(a.x, a.y, b.x, b.y, pen.color);
    work_ += (long long)(std::min(std::hypot(b.x - a.x, b.y - a.y), diagonal) * target_.DrawWidth) / 8 + 1;
    if (state.clip) work_ += clipWork(std::min(std::fabs(b.y - a.y), diagonal) + target_.DrawWidth);
  };
  if (points.size() == 1) segment(points[0], points[0]);
  for (std::size_t i = 1; i < points.size(); ++i) segment(points[i - 1], points[i]);
  if (closed && points.size() > 2) segment(points.back(), points.front());
  target_.DrawWidth = savedWidth;
  target_.DrawStyle = savedStyle;
}

void MetafileDevice::fillTarget(const std::vector<Contour>& contours) {
  if (state.brush.null || clippedAway()) return;
  work_ += fillPolygon(target_, contours, state.polyFill, state.brush.color);
  if (state.clip) {
    double top = HUGE_VAL, bottom = -HUGE_VAL;
    for (const Contour& c : contours)
      for (const PointF& p : c) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
      }
    if (top <= bottom) work_ += clipWork(std::min(bottom - top, double(target_.Height())));
  }
}

void MetafileDevice::addToPath(const std::vector<PointF>& targetPoints, bool closed) {
  if (targetPoints.empty()) return;
  path_.push_back({targetPoints, closed});
}

// ---- verbs -------------------------------------------------------------------

void MetafileDevice::moveTo(PointF p) {
  state.current = p;
  if (inPath_) path_.push_back({{toTarget(p)}, false});
}

void MetafileDevice::lineTo(PointF p) {
  const PointF from = toTarget(state.current), to = toTarget(p);
  state.current = p;
  if (inPath_) {
    if (path_.empty() || path_.back().closed) path_.push_back({{from}, false});
    path_.back().points.push_back(to);
    return;
  }
  strokeTarget({from, to}, false);
}

void MetafileDevice::polyline(const std::vector<PointF>& points) {
  if (points.empty()) return;
  if (inPath_) {
    addToPath(mapAll(points), false);
    return;
  }
  strokeTarget(mapAll(points), false);
}

void MetafileDevice::polyPolyline(const std::vector<std::vector<PointF>>& lines) {
  for (const auto& line : lines) polyline(line);
}

void MetafileDevice::polygon(const std::vector<std::vector<PointF>>& contours) {
  std::vector<Contour> mapped;
  for (const auto& c : contours)
    if (!c.empty()) mapped.push_back(mapAll(c));
  if (inPath_) {
    for (auto& c : mapped) addToPath(c, true);
    return;
  }
  fillTarget(mapped);
  for (const auto& c : mapped) strokeTarget(c, true);
}

void MetafileDevice::bezier(const std::vector<PointF>& points, bool fromCurrent) {
  std::vector<PointF> control;
  if (fromCurrent) control.push_back(state.current);
  control.insert(control.end(), points.begin(), points.end());
  if (control.size() < 4) {
    if (!control.empty() && fromCurrent) state.current = control.back();
    return;
  }
  std::vector<PointF> flat{control[0]};
  for (std::size_t i = 0; i + 3 < control.size(); i += 3) {
    const PointF p0 = control[i], p1 = control[i + 1], p2 = control[i + 2], p3 = control[i + 3];
    constexpr int kSteps = 16;
    for (int k = 1; k <= kSteps; ++k) {
      const double t = double(k) / kSteps, u = 1 - t;
      flat.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                      u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
    }
  }
  if (fromCurrent) {
    state.current = flat.back();
    if (inPath_) {
      const std::vector<PointF> mapped = mapAll(flat);
      if (path_.empty() || path_.back().closed) path_.push_back({{mapped[0]}, false});
      path_.back().points.insert(path_.back().points.end(), mapped.begin() + 1, mapped.end());
      return;
    }
  }
  polyline(flat);
}

void MetafileDevice::rectangle(double l, double t, double r, double b) {
  polygon({{{l, t}, {r, t}, {r, b}, {l, b}}});
}

std::vector<PointF> MetafileDevice::ellipsePoints(double l, double t, double r, double b, double t0, double t1) {
  const double cx = (l + r) / 2, cy = (t + b) / 2, rx = std::fabs(r - l) / 2, ry = std::fabs(b - t) / 2;
  const int steps = std::max(2, int(std::ceil(kEllipseSegments * (t1 - t0) / (2 * std::numbers::pi))));
  std::vector<PointF> points;
  points.reserve(std::size_t(steps) + 1);
  for (int k = 0; k <= steps; ++k) {
    const double a = t0 + (t1 - t0) * k / steps;
    // Counter-clockwise as seen on a y-down page.
    points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return points;
}

void MetafileDevice::ellipse(double l, double t, double r, double b) {
  std::vector<PointF> points = ellipsePoints(l, t, r, b, 0, 2 * std::numbers::pi);
  points.pop_back();
  polygon({points});
}

void MetafileDevice::roundRect(double l, double t, double r, double b, double cornerW, double cornerH) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const double rx = std::min(std::fabs(cornerW) / 2, (r - l) / 2), ry = std::min(std::fabs(cornerH) / 2, (b - t) / 2);
  const double pi = std::numbers::pi;
  std::vector<PointF> points;
  auto corner = [&](double cx, double cy, double a0) {
    for (int k = 0; k <= 8; ++k) {
      const double a = a0 + (pi / 2) * k / 8;
      points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
  };
  corner(r - rx, t + ry, 0);           // top right
  corner(l + rx, t + ry, pi / 2);      // top left
  corner(l + rx, b - ry, pi);          // bottom left
  corner(r - rx, b - ry, 3 * pi / 2);  // bottom right
  polygon({points});
}

void MetafileDevice::arc(ArcKind kind, double l, double t, double r, double b, PointF start, PointF end) {
  const double cx = (l + r) / 2, cy = (t + b) / 2;
  const double rx = std::max(std::fabs(r - l) / 2, 1e-9), ry = std::max(std::fabs(b - t) / 2, 1e-9);
  double a0 = std::atan2(-(start.y - cy) / ry, (start.x - cx) / rx);
  double a1 = std::atan2(-(end.y - cy) / ry, (end.x - cx) / rx);
  if (!std::isfinite(a0) || !std::isfinite(a1)) return;
  if (a1 <= a0) a1 += 2 * std::numbers::pi;
  std::vector<PointF> points = ellipsePoints(l, t, r, b, a0, a1);
  if (kind == ArcKind::Arc) {
    polyline(points);
    return;
  }
  if (kind == ArcKind::Pie) points.push_back({cx, cy});
  polygon({points});
}

void MetafileDevice::patBlt(double l, double t, double r, double b, std::uint32_t rop) {
  const MetafileBrush saved = state.brush;
  const MetafilePen savedPen = state.pen;
  if (rop == 0x00FF0062u) state.brush = MetafileBrush{false, kWhite};       // WHITENESS
  else if (rop == 0x00000042u) state.brush = MetafileBrush{false, kBlack};  // BLACKNESS
  else if (rop != 0x00F00021u) return;                                      // only PATCOPY paints
  state.pen.style = 5;
  const bool wasInPath = inPath_;
  inPath_ = false;
  rectangle(l, t, r, b);
  inPath_ = wasInPath;
  state.brush = saved;
  state.pen = savedPen;
}

void MetafileDevice::setPixel(PointF p, Color c) {
  const PointF q = toTarget(p);
  if (!finite(q)) return;
  const int x = roundCoord(q.x), y = roundCoord(q.y);
  bool inside = !state.clip;
  if (state.clip) forEachClipPart(*state.clip, y, x, x, [&](std::int64_t, std::int64_t) { inside = true; });
  if (inside) target_.SetPixel(x, y, c);
}

void MetafileDevice::text(PointF p, const std::u16string& text, bool useCurrentPosition) {
  if (!textPainter_ || text.empty() || clippedAway()) return;
  const AffineMap m = logicalToTarget();
  const PointF at = m.map(useCurrentPosition ? state.current : p);
  if (!finite(at)) return;
  MetafileTextRun run;
  run.text = text;
  run.x = at.x;
  run.y = at.y;
  run.height = state.font.height * std::fabs(m.m22 != 0 ? m.m22 : m.scale());
  run.angle = state.font.escapement / 10.0;
  run.font = state.font;
  run.color = state.textColor;
  run.align = state.textAlign;
  run.opaque = state.opaqueBackground;
  run.background = state.backColor;
  run.clip = state.clip;
  if (std::fabs(run.height) > 4096) return;  // no legible text is that large; a hostile file is
  textPainter_(target_, run);
  work_ += (long long)(text.size()) * (long long)(std::fabs(run.height) + 1) * (long long)(std::fabs(run.height) + 1) / 64 + 1;
}

bool MetafileDevice::chargeWork(long long units) {
  if (units > metafile::kWorkBudget - work_) return false;
  work_ += units;
  return true;
}

void MetafileDevice::bitmap(double x, double y, double w, double h, const Picture& picture, double sx, double sy,
                            double sw, double sh) {
  if (picture.isNull() || sw == 0 || sh == 0 || clippedAway()) return;
  const AffineMap m = logicalToTarget();
  const PointF a = m.map({x, y}), b = m.map({x + w, y + h});
  if (!finite(a) || !finite(b)) return;
  const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const bool mirrorX = (b.x < a.x) != (sw < 0), mirrorY = (b.y < a.y) != (sh < 0);
  const double tw = target_.Width(), th = target_.Height();
  const int x0 = int(std::ceil(std::clamp(left, 0.0, tw) - 0.5));
  const int x1 = int(std::ceil(std::clamp(right, 0.0, tw) - 0.5));
  const int y0 = int(std::ceil(std::clamp(top, 0.0, th) - 0.5));
  const int y1 = int(std::ceil(std::clamp(bottom, 0.0, th) - 0.5));
  if (x0 >= x1 || y0 >= y1) return;
  // Scaled pixels count before they are drawn: a bitmap past the budget is left out.
  if (!chargeWork((long long)(x1 - x0) * (y1 - y0) / 16 + 1 + (state.clip ? clipWork(y1 - y0) : 0))) return;
  const double srcLeft = std::min(sx, sx + sw), srcTop = std::min(sy, sy + sh);
  const double scaleX = std::fabs(sw) / (right - left), scaleY = std::fabs(sh) / (bottom - top);
  std::uint32_t* bits = target_.writableDrawBits(Rect{x0, y0, x1, y1});
  const std::size_t stride = std::size_t(target_.stride());
  // Pixels from..to (both included) of target row ty.
  auto copyRow = [&](int ty, std::int64_t from, std::int64_t to) {
    double fy = (ty + 0.5 - top) * scaleY;
    if (mirrorY) fy = std::fabs(sh) - fy;
    const double row = std::floor(srcTop + fy);
    if (!(row >= 0 && row < picture.height)) return;
    const int py = int(row);
    for (int tx = int(from); tx <= int(to); ++tx) {
      double fx = (tx + 0.5 - left) * scaleX;
      if (mirrorX) fx = std::fabs(sw) - fx;
      const double column = std::floor(srcLeft + fx);
      if (!(column >= 0 && column < picture.width)) continue;
      const int px = int(column);
      const std::uint32_t p = picture.at(px, py);
      if ((p >> 24) != 0) bits[std::size_t(ty) * stride + std::size_t(tx)] = p | 0xFF000000u;
    }
  };
  for (int ty = y0; ty < y1; ++ty) {
    if (state.clip)
      forEachClipPart(*state.clip, ty, x0, x1 - 1, [&](std::int64_t a, std::int64_t b) { copyRow(ty, a, b); });
    else
      copyRow(ty, x0, x1 - 1);
  }
  target_.markChanged(Rect{x0, y0, x1, y1});
}

// ---- clipping ------------------------------------------------------------------

long long MetafileDevice::clipWork(double rows) const {
  return (long long)(std::max(0.0, rows) * double(state.clipWidestBand) / 4);
}

Rect MetafileDevice::targetBox(const ClipBox& box, const AffineMap& map) const {
  // The bounding box of the mapped corners: under a turned world transform
  // the clip stays a rectangle on the picture.
  const PointF corners[4] = {map.map({box.left, box.top}), map.map({box.right, box.top}),
                             map.map({box.left, box.bottom}), map.map({box.right, box.bottom})};
  double l = HUGE_VAL, t = HUGE_VAL, r = -HUGE_VAL, b = -HUGE_VAL;
  for (const PointF& c : corners) {
    if (!finite(c)) return Rect{};
    l = std::min(l, c.x);
    t = std::min(t, c.y);
    r = std::max(r, c.x);
    b = std::max(b, c.y);
  }
  return metafile::clip::pixelBounds(l, t, r, b);
}

void MetafileDevice::setClip(std::shared_ptr<const SpanClip> clip) {
  state.clipWidestBand = clip ? metafile::clip::widestBand(*clip) : 0;
  state.clip = std::move(clip);
  target_.setSpanClip(state.clip);
}

void MetafileDevice::combineClip(const SpanClip& region, metafile::ClipCombine mode) {
  static const SpanClip everything = metafile::clip::whole();
  std::optional<SpanClip> result = chargedClipWork(work_, [&](long long& allowance) {
    return metafile::clip::combine(state.clip ? *state.clip : everything, region, mode, allowance);
  });
  if (result) setClip(std::make_shared<const SpanClip>(std::move(*result)));
}

void MetafileDevice::intersectClip(double l, double t, double r, double b) {
  const Rect box = targetBox({l, t, r, b}, logicalToTarget());
  combineClip(box.isEmpty() ? SpanClip{} : SpanClip{box}, metafile::ClipCombine::And);
}

void MetafileDevice::excludeClip(double l, double t, double r, double b) {
  const Rect box = targetBox({l, t, r, b}, logicalToTarget());
  if (!box.isEmpty()) combineClip(SpanClip{box}, metafile::ClipCombine::Diff);
}

void MetafileDevice::offsetClip(double dx, double dy) {
  if (!state.clip) return;
  const AffineMap m = logicalToTarget();
  const double far = metafile::clip::kFar;
  const double vx = std::clamp(m.m11 * dx + m.m21 * dy, -far, far), vy = std::clamp(m.m12 * dx + m.m22 * dy, -far, far);
  if (std::isnan(vx) || std::isnan(vy)) return;
  work_ += (long long)state.clip->size() + 1;
  setClip(std::make_shared<const SpanClip>(
      metafile::clip::offset(*state.clip, (long long)std::nearbyint(vx), (long long)std::nearbyint(vy))));
}

void MetafileDevice::selectClip(const std::vector<ClipBox>* region, ClipUnits units, metafile::ClipCombine mode) {
  if (mode == metafile::ClipCombine::Copy && (!region || region->empty())) {
    setClip(nullptr);
    return;
  }
  if (!region) return;
  const AffineMap map = units == ClipUnits::Logical ? logicalToTarget() : deviceToTarget;
  std::vector<Rect> rects;
  rects.reserve(region->size());
  for (const ClipBox& box : *region) rects.push_back(targetBox(box, map));
  const std::optional<SpanClip> shape =
      chargedClipWork(work_, [&](long long& allowance) { return metafile::clip::fromRects(std::move(rects), allowance); });
  if (shape) combineClip(*shape, mode);
}

void MetafileDevice::selectClipPath(metafile::ClipCombine mode) {
  inPath_ = false;
  if (path_.empty()) return;
  std::vector<Contour> contours;
  for (const Figure& f : path_) contours.push_back(f.points);
  path_.clear();
  int firstRow = -1;
  std::vector<std::vector<std::pair<int, int>>> rows;
  work_ += scanPolygon(contours, state.polyFill, target_.Width(), target_.Height(), [&](int row, int first, int last) {
    if (firstRow < 0) firstRow = row;
    rows.resize(std::size_t(row - firstRow) + 1);
    rows.back().push_back({first, last});
  });
  const std::optional<SpanClip> shape = chargedClipWork(
      work_, [&](long long& allowance) { return metafile::clip::fromRows(std::max(0, firstRow), rows, allowance); });
  if (shape) combineClip(*shape, mode);
}

// ---- paths -------------------------------------------------------------------

void MetafileDevice::beginPath() {
  inPath_ = true;
  path_.clear();
}

void MetafileDevice::closeFigure() {
  if (inPath_ && !path_.empty()) path_.back().closed = true;
}

void MetafileDevice::fillPath(bool stroke, bool fill) {
  inPath_ = false;
  if (fill) {
    std::vector<Contour> contours;
    for (const Figure& f : path_) contours.push_back(f.points);
    fillTarget(contours);
  }
  if (stroke)
    for (const Figure& f : path_) strokeTarget(f.points, f.closed);
  path_.clear();
}

}  // namespace pictavo
