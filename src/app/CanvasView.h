#pragma once
// CanvasView: the widget SrcDc that shows the canvas Surface's visible layer
// without copying it, repaints only the rectangles the surface reports as
// changed, draws the outline shapes lying over the picture (the selection
// shpSelect and the clone marker shpClone), and hands its mouse and key
// events to a listener (the main window, which feeds the tool engine).

#include "canvas/Tool.h"
#include "canvas/ToolHost.h"

#include <QWidget>

#include <functional>

namespace pictavo {

class Surface;

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
  // resize of the surface) and its change reports.
  void setSurface(Surface* surface);
  void syncSize();
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

  Surface* surface_ = nullptr;
  Listener listener_;
  OutlineShape selection_;
  OutlineShape cloneMarker_;
};

}  // namespace pictavo
