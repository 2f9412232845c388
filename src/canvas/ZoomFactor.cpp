#include "canvas/ZoomFactor.h"

#include <cmath>

namespace pictavo {

namespace {

// Floor of a / b for b > 0, also for negative a.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

}  // namespace

const std::array<ZoomFactor, ZoomFactor::kLevelCount>& ZoomFactor::levels() {
  static constexpr std::array<ZoomFactor, kLevelCount> kLevels{{
      {1, 16}, {1, 12}, {1, 8}, {1, 6}, {1, 4}, {1, 3}, {1, 2}, {2, 3}, {1, 1}, {3, 2}, {2, 1},
      {3, 1}, {4, 1}, {6, 1}, {8, 1}, {12, 1}, {16, 1}, {24, 1}, {32, 1}, {48, 1}, {64, 1},
  }};
  return kLevels;
}

int ZoomFactor::levelIndex() const {
  const auto& all = levels();
  for (int i = 0; i < kLevelCount; ++i) {
    if (all[std::size_t(i)] == *this) return i;
  }
  return -1;
}

std::int64_t ZoomFactor::displayed(std::int64_t size) const { return -floorDiv(-size * num, den); }

std::int64_t ZoomFactor::viewStart(std::int64_t p) const {
  // Zoomed in: the first v with floor(v / z) = p is ceil(p * z). Zoomed
  // out: the screen pixel whose square holds the centre p + 1/2.
  if (num >= den) return -floorDiv(-p * num, den);
  return floorDiv((2 * p + 1) * num, 2 * std::int64_t(den));
}

std::int64_t ZoomFactor::viewEnd(std::int64_t p) const {
  if (num >= den) return -floorDiv(-p * num, den);
  // One past the screen pixel that holds the centre of pixel p - 1.
  return floorDiv((2 * p - 1) * num, 2 * std::int64_t(den)) + 1;
}

double ZoomFactor::pictureAt(double v) const {
  const double p = v * den / num;
  return num > den ? std::floor(p) : p;
}

std::string ZoomFactor::ratioText() const {
  if (den == 1) return std::to_string(num);
  return std::to_string(num) + "/" + std::to_string(den);
}

std::string ZoomFactor::percentText() const {
  // Halves up: 100 * num / den + 1/2, in whole numbers.
  const std::int64_t percent = (200 * std::int64_t(num) + den) / (2 * std::int64_t(den));
  return std::to_string(percent) + "%";
}

}  // namespace pictavo
