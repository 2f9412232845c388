#pragma once
// ViewportLayout: the arithmetic of the main window's fixed layout, the
// scroll bars and the canvas grips, without widgets. The main window keeps
// one, feeds it the window size, the canvas size and the pointer, and copies
// the results onto its widgets.
//
// All values are pixels. Positions of the canvas, the grips and the bars are
// relative to the inner top-left corner of the viewport pHolder, which has
// no border (its inner size is its outer size).
//
// It also owns the view's zoom: sizes passed in are the picture's, and the
// layout, the bars and the grips work with the displayed canvas, ceil(W z) x
// ceil(H z) screen pixels. Every mapping between the canvas widget's pixels
// and picture pixels goes through here.

#include "canvas/ZoomFactor.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace pictavo {

struct ScrollBarState {
  int value = 0;
  int maximum = 0;  // may be negative: the canvas fits
  bool enabled = false;
  bool visible = false;
};

struct GripPosition {
  int left = 0;
  int top = 0;
};

// What a grip drag changed.
struct GripDragResult {
  bool dragged = false;        // a drag of this grip was in progress (left button alone)
  int canvasWidth = 0;         // the canvas size to apply
  int canvasHeight = 0;
};

class ViewportLayout {
 public:
  // Fixed places of the window's panels.
  static constexpr int kHolderLeft = 113;
  static constexpr int kHolderTop = 42;
  static constexpr int kToolsWidth = 112;
  static constexpr int kTopHeight = 43;
  static constexpr int kBarThickness = 18;
  static constexpr int kGripSize = 6;
  // The canvas's place before the first scroll.
  static constexpr int kCanvasDesignLeft = 3;
  static constexpr int kCanvasDesignTop = 2;
  // Grip slots: pGrip(0..8) (4 and 7 do not exist) and itouch(3).
  static constexpr int kGripCount = 9;
  static constexpr int kItouch3 = 9;

  ViewportLayout();

  // ---- zoom -----------------------------------------------------------------
  // The caller re-runs the layout after a change (layout or updateScrollBars,
  // with placeGrips).
  void setZoom(ZoomFactor zoom) { zoom_ = zoom; }
  ZoomFactor zoom() const { return zoom_; }
  // The displayed length of `pictureSize` pixels.
  int displayed(int pictureSize) const { return int(zoom_.displayed(pictureSize)); }
  // The picture point under canvas-widget position (x, y).
  double pictureX(double x) const { return zoom_.pictureAt(x); }
  double pictureY(double y) const { return zoom_.pictureAt(y); }
  // The largest level at which a W x H picture needs no scroll bar in the
  // current viewport; the smallest level when none does.
  ZoomFactor fitZoom(int pictureWidth, int pictureHeight) const;
  // The bar values that put the picture point shown at viewport position
  // (x, y) there again at zoom `next` (both before clamping to the bars of
  // the new layout): used to keep the centre, or the point under the
  // pointer, where it is while zooming.
  std::pair<int, int> valuesKeeping(double x, double y, ZoomFactor next) const;

  // ---- the layout routine ---------------------------------------------
  // Runs the layout for a client area (below the menu bar) of the given
  // size with a status bar of the given height, for a canvas of the given
  // size. A step whose result is a negative size is skipped; the others
  // still run.
  void layout(int clientWidth, int clientHeight, int statusBarHeight, int canvasWidth, int canvasHeight);

  int holderWidth() const { return holderWidth_; }
  int holderHeight() const { return holderHeight_; }
  int toolsHeight() const { return toolsHeight_; }
  int vBarLeft() const { return vBarLeft_; }
  int vBarHeight() const { return vBarHeight_; }
  int hBarTop() const { return hBarTop_; }
  int hBarWidth() const { return hBarWidth_; }
  int spacerLeft() const { return spacerLeft_; }
  int spacerTop() const { return spacerTop_; }

  // ---- scroll bars ------------------------------------------------------
  // Maxima from the displayed canvas and viewport sizes (16-bit, saturated,
  // at actual size; zoomed, the displayed canvas may be far wider and the
  // bars use their whole range), enabled when above 0; a value outside 0..maximum moves to the nearer end,
  // which runs the change step. Visibility is left alone.
  void updateScrollBars(int canvasWidth, int canvasHeight);
  // Each bar visible exactly when enabled.
  void syncScrollBarVisibility();
  // A new value of a bar (user or program). Runs the change step when the
  // value differs. Values outside the bar's range are clamped.
  void setHValue(int value);
  void setVValue(int value);
  const ScrollBarState& hBar() const { return hBar_; }
  const ScrollBarState& vBar() const { return vBar_; }

  int canvasLeft() const { return canvasLeft_; }
  int canvasTop() const { return canvasTop_; }

  // ---- grips ------------------------------------------------------------
  // Re-places the grips for a canvas of W x H; coordinates not named keep
  // their values.
  void placeGrips(int canvasWidth, int canvasHeight);
  // The grip in slot i (0..8, kItouch3); empty for slots 4 and 7.
  std::optional<GripPosition> grip(int slot) const;
  static bool gripExists(int slot) { return slot >= 0 && slot <= kItouch3 && slot != 4 && slot != 7; }

  // A press on grip `slot` with `button` (1 left) at (x, y) in the grip's
  // own coordinates. Only the left button begins a drag.
  void gripPress(int slot, int button, float x, float y);
  // The release ends the drag.
  void gripRelease(int slot);
  // A move over grip `slot` with `buttons` held at (x, y) in the grip's own
  // coordinates, for a canvas currently W x H. When a drag of this grip
  // is in progress the grip moves and the result gives the new canvas size
  // (the caller resizes the canvas, then calls placeGrips and
  // updateScrollBars). After every grip move, dragged or not, the caller
  // then makes each bar visible exactly when it is enabled
  // (syncScrollBarVisibility), so a drag that needs a bar shows it.
  GripDragResult gripMove(int slot, int buttons, float x, float y, int canvasWidth, int canvasHeight);

 private:
  void hChanged();
  void vChanged();

  ZoomFactor zoom_;
  int holderWidth_ = 0, holderHeight_ = 0;
  int toolsHeight_ = 0;
  int vBarLeft_ = 0, vBarHeight_ = 0;
  int hBarTop_ = 0, hBarWidth_ = 0;
  int spacerLeft_ = 0, spacerTop_ = 0;
  ScrollBarState hBar_, vBar_;
  int canvasLeft_ = kCanvasDesignLeft, canvasTop_ = kCanvasDesignTop;
  std::array<GripPosition, kItouch3 + 1> grips_{};
  int dragSlot_ = -1;
  float gripDownX_ = 0.0f, gripDownY_ = 0.0f;
};

// A value rounded to the nearest integer (halves to even) and saturated to
// the 16-bit signed range, as a scroll bar's maximum holds it.
std::int16_t roundToInt16(double value);

}  // namespace pictavo
