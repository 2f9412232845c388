#include "app/ViewportLayout.h"

#include <algorithm>
#include <cmath>

namespace pictavo {

std::int16_t roundToInt16(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);
  return std::int16_t(std::clamp(r, -32768.0, 32767.0));
}

namespace {

// A size assignment that the platform would refuse (a negative size) is
// skipped and the old value stays; the layout goes on with the next step.
void assignSize(int& target, int value) {
  if (value >= 0) target = value;
}

// Displacement in whole pixels, truncated toward zero, without overflowing
// on absurd pointer positions.
int wholePixels(float from, float to) {
  const double d = std::trunc(double(to) - double(from));
  return int(std::clamp(d, -1.0e9, 1.0e9));
}

}  // namespace

ViewportLayout::ViewportLayout() {
  // The designed places of the decorative grips; the three that resize the
  // canvas sit at the edges of the designed 500 x 400 canvas.
  grips_[3] = {238, 0};
  grips_[5] = {0, 0};
  grips_[6] = {0, 398};
  grips_[8] = {0, 196};
  grips_[kItouch3] = {500, 0};
  placeGrips(500, 400);
}

void ViewportLayout::layout(int clientWidth, int clientHeight, int statusBarHeight, int canvasWidth,
                            int canvasHeight) {
  assignSize(holderWidth_, clientWidth - kHolderLeft);
  assignSize(holderHeight_, clientHeight - statusBarHeight - kHolderTop);
  assignSize(toolsHeight_, holderHeight_ + 2);
  vBarLeft_ = holderWidth_ - kBarThickness;
  assignSize(vBarHeight_, holderHeight_ - kBarThickness);
  hBarTop_ = holderHeight_ - kBarThickness;
  assignSize(hBarWidth_, holderWidth_ - kBarThickness);
  spacerLeft_ = holderWidth_ - kBarThickness;
  spacerTop_ = holderHeight_ - kBarThickness;
  updateScrollBars(canvasWidth, canvasHeight);
  syncScrollBarVisibility();
}

namespace {
int scrollMaximum(double value, bool actualSize) {
  if (actualSize) return roundToInt16(value);
  return int(std::clamp(std::nearbyint(value), -2147483648.0, 2147483647.0));
}
}  // namespace

void ViewportLayout::updateScrollBars(int canvasWidth, int canvasHeight) {
  const bool actual = zoom_.isActualSize();
  vBar_.maximum = scrollMaximum(double(displayed(canvasHeight)) - holderHeight_ + kBarThickness, actual);
  hBar_.maximum = scrollMaximum(double(displayed(canvasWidth)) - holderWidth_ + kBarThickness, actual);
  hBar_.enabled = hBar_.maximum > 0;
  vBar_.enabled = vBar_.maximum > 0;
  setHValue(hBar_.value);
  setVValue(vBar_.value);
}

void ViewportLayout::syncScrollBarVisibility() {
  hBar_.visible = hBar_.enabled;
  vBar_.visible = vBar_.enabled;
}

namespace {
// The range of a bar runs from 0 to its maximum, whichever is smaller.
int clampToBar(int value, int maximum) {
  return std::clamp(value, std::min(0, maximum), std::max(0, maximum));
}
}  // namespace

void ViewportLayout::setHValue(int value) {
  value = clampToBar(value, hBar_.maximum);
  if (value == hBar_.value) return;
  hBar_.value = value;
  hChanged();
}

void ViewportLayout::setVValue(int value) {
  value = clampToBar(value, vBar_.maximum);
  if (value == vBar_.value) return;
  vBar_.value = value;
  vChanged();
}

void ViewportLayout::hChanged() {
  canvasLeft_ = -hBar_.value;
  grips_[5].left = grips_[8].left = grips_[6].left = -hBar_.value;
}

void ViewportLayout::vChanged() {
  canvasTop_ = -vBar_.value;
  grips_[kItouch3].top = grips_[3].top = grips_[5].top = -vBar_.value;
}

void ViewportLayout::placeGrips(int pictureWidth, int pictureHeight) {
  const int w = displayed(pictureWidth), h = displayed(pictureHeight);
  grips_[0].left = w;
  grips_[0].top = (h - kGripSize) / 2;
  grips_[1].top = h;
  grips_[1].left = w;
  grips_[2].top = h;
  grips_[2].left = (w - kGripSize) / 2;
  grips_[3].left = grips_[2].left;
  grips_[kItouch3].left = w;
  grips_[6].top = h;
  grips_[8].top = (h - kGripSize) / 2;
}

std::optional<GripPosition> ViewportLayout::grip(int slot) const {
  if (!gripExists(slot)) return std::nullopt;
  return grips_[std::size_t(slot)];
}

void ViewportLayout::gripPress(int slot, int button, float x, float y) {
  if (!gripExists(slot) || button != 1) return;
  gripDownX_ = x;
  gripDownY_ = y;
  dragSlot_ = slot;
}

void ViewportLayout::gripRelease(int slot) {
  if (slot == dragSlot_) dragSlot_ = -1;
}

GripDragResult ViewportLayout::gripMove(int slot, int buttons, float x, float y, int canvasWidth,
                                        int canvasHeight) {
  GripDragResult result{false, canvasWidth, canvasHeight};
  if (buttons == 1 && slot == dragSlot_ && gripExists(slot)) {
    const int dx = wholePixels(gripDownX_, x);
    const int dy = wholePixels(gripDownY_, y);
    GripPosition& g = grips_[std::size_t(slot)];
    if (slot == 0 || slot == 1) g.left = std::max(1, g.left + dx);
    if (slot == 1 || slot == 2) g.top = std::max(1, g.top + dy);
    // The grip stays where the pointer put it; the picture takes the size
    // that grip position shows at this zoom.
    auto pictureSize = [this](int screen) {
      return int(std::max<std::int64_t>(1, (2 * std::int64_t(screen) * zoom_.den + zoom_.num) / (2 * std::int64_t(zoom_.num))));
    };
    if (slot == 0 || slot == 1) result.canvasWidth = pictureSize(g.left);
    if (slot == 1 || slot == 2) result.canvasHeight = pictureSize(g.top);
    result.dragged = true;
  }
  return result;
}

}  // namespace pictavo

namespace pictavo {

ZoomFactor ViewportLayout::fitZoom(int pictureWidth, int pictureHeight) const {
  const auto& levels = ZoomFactor::levels();
  for (int i = ZoomFactor::kLevelCount - 1; i >= 0; --i) {
    const ZoomFactor z = levels[std::size_t(i)];
    if (z.displayed(pictureWidth) <= holderWidth_ - kBarThickness &&
        z.displayed(pictureHeight) <= holderHeight_ - kBarThickness) {
      return z;
    }
  }
  return levels[0];
}

std::pair<int, int> ViewportLayout::valuesKeeping(double x, double y, ZoomFactor next) const {
  // The picture point p = (x - canvas) / z now lies at p * next - value:
  // value = ((x - canvas) den next.num - x num next.den) / (num next.den),
  // halves up, worked out exactly (positions are whole or half pixels).
  const double denom = double(zoom_.num) * next.den;
  auto value = [&](double at, int canvas) {
    const double numer = (at - canvas) * zoom_.den * next.num - at * zoom_.num * next.den;
    const double twice = 2 * numer + denom;
    double q = std::floor(twice / (2 * denom));
    if (q * 2 * denom > twice) q -= 1;
    if ((q + 1) * 2 * denom <= twice) q += 1;
    return int(std::clamp(q, -2147483648.0, 2147483647.0));
  };
  return {value(x, canvasLeft_), value(y, canvasTop_)};
}

}  // namespace pictavo
