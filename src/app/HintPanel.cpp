#include "app/HintPanel.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace pictavo {

namespace {
// A small yellow "i" bubble.
QPixmap hintIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(255, 200, 40));
  p.setPen(QColor(150, 110, 0));
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  p.setPen(QPen(Qt::white, 2));
  p.drawLine(QPointF(8, 7), QPointF(8, 12));
  p.drawPoint(QPointF(8, 4));
  return pm;
}
}  // namespace

HintPanel::HintPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("Picture1");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(255, 255, 225));
  pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
  setPalette(pal);
  icon_ = new QLabel(this);
  icon_->setObjectName("Image1");
  icon_->setPixmap(hintIcon());
  icon_->setGeometry(4, 4, 16, 16);
  label_ = new QLabel(this);
  label_->setObjectName("Label7");
  setText(QStringLiteral("选择一个区域,按Del可删除或可在菜单栏里选择功能"));
  hide();
}

void HintPanel::setText(const QString& text) {
  label_->setText(text);
  label_->adjustSize();
  label_->move(24, (24 - label_->height()) / 2);
  resize(label_->width() + 30, 24);
  // A longer text must not reach past the window's edge either.
  if (parentWidget()) move(std::max(0, std::min(x(), parentWidget()->width() - width())), y());
}

QPoint hintCorner(int left, int top, QSize panel, QSize area) {
  // The pointer is 10 pixels before the corner on each axis.
  auto axis = [](int start, int extent, int room) {
    if (start + extent > room) start = start - 20 - extent;
    return std::max(0, std::min(start, room - extent));
  };
  return {axis(left, panel.width(), area.width()), axis(top, panel.height(), area.height())};
}

void HintPanel::place(int left, int top) {
  move(parentWidget() ? hintCorner(left, top, size(), parentWidget()->size()) : QPoint(left, top));
}

QString HintPanel::text() const { return label_->text(); }

}  // namespace pictavo
