#include "formats/metafile/PolygonFill.h"

#include "canvas/SpanWriter.h"

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

struct Edge {
  double x0, y0, x1, y1;
  int direction;  // +1 downward, -1 upward
};

struct Crossing {
  double x;
  int direction;
  bool operator<(const Crossing& o) const { return x < o.x; }
};

}  // namespace

long long scanPolygon(const std::vector<Contour>& contours, FillRule rule, int width, int height,
                      const std::function<void(int row, int first, int last)>& span) {
  std::vector<Edge> edges;
  double minY = HUGE_VAL, maxY = -HUGE_VAL;
  for (const Contour& c : contours) {
    const std::size_t n = c.size();
    if (n < 2) continue;
    for (std::size_t i = 0; i < n; ++i) {
      const PointF& a = c[i];
      const PointF& b = c[(i + 1) % n];
      if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) continue;
      if (a.y == b.y) continue;
      if (a.y < b.y) edges.push_back({a.x, a.y, b.x, b.y, 1});
      else edges.push_back({b.x, b.y, a.x, a.y, -1});
      minY = std::min({minY, a.y, b.y});
      maxY = std::max({maxY, a.y, b.y});
    }
  }
  if (edges.empty()) return 0;

  // Rows whose centre y + 0.5 lies within [minY, maxY), clipped to the surface.
  const double rows = height;
  const int rowFirst = std::max(0, int(std::ceil(std::clamp(minY, -1.0, rows + 1) - 0.5)));
  const int rowLast = int(std::min(rows - 1, std::ceil(std::clamp(maxY, -1.0, rows + 1) - 0.5) - 1));
  if (rowFirst > rowLast || rowLast < 0) return 0;

  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  std::vector<Crossing> crossings;
  std::vector<const Edge*> active;
  std::size_t nextEdge = 0;
  long long work = 0;

  for (int row = rowFirst; row <= rowLast; ++row) {
    const double yc = row + 0.5;
    while (nextEdge < edges.size() && edges[nextEdge].y0 <= yc) active.push_back(&edges[nextEdge++]);
    active.erase(std::remove_if(active.begin(), active.end(), [yc](const Edge* e) { return e->y1 <= yc; }),
                 active.end());
    crossings.clear();
    for (const Edge* e : active) {
      if (e->y0 > yc) continue;
      const double t = (yc - e->y0) / (e->y1 - e->y0);
      crossings.push_back({e->x0 + t * (e->x1 - e->x0), e->direction});
    }
    work += long(active.size()) + 1;
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].direction;
      const bool inside = rule == FillRule::Alternate ? (i % 2 == 0) : winding != 0;
      if (!inside) continue;
      // Pixels whose centres lie in [xa, xb).
      const double xa = std::clamp(crossings[i].x, -1.0, width + 1.0);
      const double xb = std::clamp(crossings[i + 1].x, -1.0, width + 1.0);
      const int first = std::max(0, int(std::ceil(xa - 0.5)));
      const int last = std::min(width - 1, int(std::ceil(xb - 0.5)) - 1);
      if (first > last) continue;
      span(row, first, last);
      work += (last - first + 1) / 64;
    }
  }
  return work;
}

long long fillPolygon(Surface& surface, const std::vector<Contour>& contours, FillRule rule, Color color) {
  SpanWriter out(surface, color);
  const long long work = scanPolygon(contours, rule, surface.Width(), surface.Height(),
                                     [&out](int row, int first, int last) { out.span(row, first, last); });
  out.finish();
  return work;
}

}  // namespace pictavo
