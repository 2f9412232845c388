#pragma once
// CanvasView: the widget SrcDc that shows the canvas Surface's visible layer
// at the view's zoom (at actual size without copying it), repaints only the
// rectangles the surface reports as changed, draws the outline shapes lying
// over the picture (the selection shpSelect and the clone marker shpClone)
// where they lie in the picture, and hands its mouse and key events to a
// listener (the main window, which feeds the tool engine). Its own size is
// the displayed canvas; the ViewportLayout it is given owns the zoom and
// every mapping between its pixels and the picture's.

#include "canvas/Tool.h"
#include "canvas/ToolHost.h"
#include "canvas/ZoomRenderer.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace pictavo {

class Surface;
class ViewportLayout;

class CanvasView : public QWidget {
  Q_OBJECT
 public:
  struct Listener {
    std::function<void(const PointerEvent&)> mouseDown;
    std::function<void(const PointerEvent&)> mouseMove;
    std::function<void(const PointerEvent&)> mouseUp;
    std::function<void()> doubleClick;
    std::function<void(int keyCode)> keyUp;  // Windows key codes (46 Delete)
  };

  explicit CanvasView(QWidget* parent);
  ~CanvasView() override;

  // The surface shown; the view follows its size (call syncSize after a
  // resize of the surface or a change of zoom) and its change reports.
  void setSurface(Surface* surface);
  void setViewport(const ViewportLayout* viewport);
  void syncSize();
  // Gives back the memory of the zoomed-out levels (a new picture).
  void releaseReducedLevels();
  // The pixel grid at high zoom (the View menu's check item).
  void setGridShown(bool shown);
  bool gridShown() const { return grid_; }
  // Memory the zoomed-out view holds (its reduced levels).
  std::size_t reducedLevelBytes() const { return renderer_.levelBytes(); }
  void setListener(Listener listener) { listener_ = std::move(listener); }

  void setSelection(const OutlineShape& shape);
  void setCloneMarker(const OutlineShape& shape);
  const OutlineShape& selection() const { return selection_; }
  const OutlineShape& cloneMarker() const { return cloneMarker_; }

  // Button and shift codes of the canvas events.
  static int buttonCode(Qt::MouseButton button);
  static int buttonsCode(Qt::MouseButtons buttons);
  static int shiftCode(Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void updateShape(const OutlineShape& before, const OutlineShape& after);
  QRect shapeRect(const OutlineShape& shape) const;
  // The widget pixels that show picture pixels r.
  QRect viewRect(int left, int top, int right, int bottom) const;
  ZoomFactor zoom() const;
  void paintZoomed(QPainter& painter, const QRect& painted);
  static void paintDottedOutline(QPainter& painter, const QRect& outline, const QRect& painted);

  Surface* surface_ = nullptr;
  const ViewportLayout* viewport_ = nullptr;
  ZoomRenderer renderer_;
  QImage scratch_;  // the zoomed pixels of the part being painted
  bool grid_ = true;
  Listener listener_;
  OutlineShape selection_;
  OutlineShape cloneMarker_;
};

}  // namespace pictavo
