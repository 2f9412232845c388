#pragma once
// GripWidget: one of the small 6 x 6 squares at the canvas edges (pGrip(i),
// itouch(3)). It reports presses, moves and releases in its own
// coordinates; a press captures the pointer, so the moves of a drag keep
// coming to the grip that was pressed even when the pointer leaves it.

#include <QWidget>

#include <functional>

namespace pictavo {

class GripWidget : public QWidget {
  Q_OBJECT
 public:
  struct Listener {
    std::function<void(int slot, int button, float x, float y)> press;
    std::function<void(int slot, int buttons, float x, float y)> move;
    std::function<void(int slot)> release;
  };

  GripWidget(int slot, Qt::CursorShape cursor, QWidget* parent);
  int slot() const { return slot_; }
  void setListener(Listener listener) { listener_ = std::move(listener); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int slot_;
  Listener listener_;
};

}  // namespace pictavo
