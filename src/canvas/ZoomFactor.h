#pragma once
// ZoomFactor: how many screen pixels the view gives one picture pixel, as a
// fraction num/den, and the fixed list of levels the view steps through.
//
// The mappings between picture and view pixels live here so that the view,
// its layout and the tests agree on every rounding:
//   - a picture of S pixels is shown as ceil(S * z) screen pixels;
//   - zoomed in (z > 1) screen pixel v shows picture pixel floor(v / z);
//   - zoomed out (z < 1) screen pixel v shows the mean of the picture pixels
//     whose centres lie in [v / z, (v + 1) / z).

#include <array>
#include <cstdint>
#include <string>

namespace pictavo {

struct ZoomFactor {
  int num = 1;
  int den = 1;

  static constexpr int kLevelCount = 21;
  // 1/16 .. 64, in ascending order; index kActualSize is 1.
  static const std::array<ZoomFactor, kLevelCount>& levels();
  static constexpr int kActualSize = 8;
  // The level's index in levels(), or -1.
  int levelIndex() const;

  bool operator==(const ZoomFactor& o) const { return num == o.num && den == o.den; }
  bool isActualSize() const { return num == den; }
  bool magnifies() const { return num > den; }
  bool reduces() const { return num < den; }
  double value() const { return double(num) / double(den); }

  // ceil(size * z): the displayed length of `size` picture pixels.
  std::int64_t displayed(std::int64_t size) const;
  // The first screen pixel that shows picture pixel p, and one past the
  // last for an edge at p (a range [a, b) of picture pixels shows on
  // [viewEdge(a), viewEdge(b)) when b > a). At z = 1 both are p.
  std::int64_t viewStart(std::int64_t p) const;
  std::int64_t viewEnd(std::int64_t p) const;
  // The picture point under screen position v (canvas-widget pixels): v / z
  // zoomed out or at 1 (the tools round it as they round any point), and
  // zoomed in the picture pixel whose block holds v, floor(v / z).
  double pictureAt(double v) const;

  // "1/3", "1", "3/2", "8".
  std::string ratioText() const;
  // The percentage rounded to the nearest integer, halves up: "6%", "67%", "6400%".
  std::string percentText() const;
};

}  // namespace pictavo
