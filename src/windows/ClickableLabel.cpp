#include "windows/ClickableLabel.h"

#include <QMouseEvent>

namespace pictavo {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

}  // namespace pictavo
