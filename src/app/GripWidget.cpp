#include "app/GripWidget.h"

#include "app/CanvasView.h"

#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

GripWidget::GripWidget(int slot, Qt::CursorShape cursor, QWidget* parent) : QWidget(parent), slot_(slot) {
  setObjectName(slot == 9 ? QStringLiteral("itouch3") : QStringLiteral("pGrip%1").arg(slot));
  resize(6, 6);
  setCursor(cursor);
  setMouseTracking(true);  // moves without a button still sync the scroll bars
}

void GripWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(255, 255, 255));
  p.setPen(QColor(64, 64, 64));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GripWidget::mousePressEvent(QMouseEvent* e) {
  if (listener_.press) {
    listener_.press(slot_, CanvasView::buttonCode(e->button()), float(e->position().x()), float(e->position().y()));
  }
}

void GripWidget::mouseMoveEvent(QMouseEvent* e) {
  if (listener_.move) {
    listener_.move(slot_, CanvasView::buttonsCode(e->buttons()), float(e->position().x()), float(e->position().y()));
  }
}

void GripWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->buttons() == Qt::NoButton && listener_.release) listener_.release(slot_);
}

}  // namespace pictavo
