#include "windows/WindowArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictavo::art {

namespace {

QPixmap blank(int w, int h) {
  QPixmap p(w, h);
  p.fill(Qt::transparent);
  return p;
}

void smooth(QPainter& p) { p.setRenderHint(QPainter::Antialiasing); }

}  // namespace

QIcon noWindowIcon() { return QIcon(blank(16, 16)); }

QPixmap errorIcon() {
  QPixmap pm = blank(33, 33);
  QPainter p(&pm);
  smooth(p);
  QRadialGradient g(QPointF(12, 11), 22);
  g.setColorAt(0, QColor(255, 110, 100));
  g.setColorAt(1, QColor(190, 20, 20));
  p.setPen(QPen(QColor(130, 10, 10), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(1.5, 1.5, 30, 30));
  p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 11), QPointF(22, 22));
  p.drawLine(QPointF(22, 11), QPointF(11, 22));
  return pm;
}

QPixmap feedbackMark() {
  QPixmap pm = blank(16, 16);
  QPainter p(&pm);
  smooth(p);
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(1.5, 1.5, 13, 10), 3, 3);
  bubble.moveTo(4, 11.5);
  bubble.lineTo(4, 15);
  bubble.lineTo(8, 11.5);
  p.setPen(QPen(QColor(40, 90, 170), 1));
  p.setBrush(QColor(150, 200, 250));
  p.drawPath(bubble.simplified());
  p.setPen(QColor(40, 90, 170));
  for (int x : {5, 8, 11}) p.drawPoint(x, 6);
  return pm;
}

QPixmap confirmMark() {
  QPixmap pm = blank(16, 16);
  QPainter p(&pm);
  smooth(p);
  p.setPen(QPen(QColor(30, 150, 50), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
  return pm;
}

QPixmap promptIcon() {
  QPixmap pm = blank(28, 28);
  QPainter p(&pm);
  smooth(p);
  QRadialGradient g(QPointF(10, 9), 20);
  g.setColorAt(0, QColor(120, 180, 255));
  g.setColorAt(1, QColor(20, 80, 190));
  p.setPen(QPen(QColor(15, 55, 140), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(1.5, 1.5, 25, 25));
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(18);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
  return pm;
}

QPixmap shredderIcon() {
  QPixmap pm = blank(42, 43);
  QPainter p(&pm);
  smooth(p);
  // the sheet going in
  p.setPen(QPen(QColor(120, 120, 120), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(11.5, 1.5, 19, 17));
  p.setPen(QColor(170, 170, 170));
  for (int y : {6, 10, 14}) p.drawLine(15, y, 27, y);
  // the machine
  QLinearGradient body(0, 16, 0, 28);
  body.setColorAt(0, QColor(110, 120, 135));
  body.setColorAt(1, QColor(55, 60, 70));
  p.setPen(QPen(QColor(35, 35, 40), 1));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(2.5, 16.5, 37, 11), 2, 2);
  p.setPen(QPen(QColor(20, 20, 20), 2));
  p.drawLine(QPointF(8, 21), QPointF(34, 21));
  p.setBrush(QColor(90, 220, 90));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(33, 23, 3, 3));
  // the strips coming out
  p.setPen(QPen(QColor(150, 150, 150), 1));
  p.setBrush(Qt::white);
  for (int i = 0; i < 6; ++i) {
    const qreal x = 9.5 + i * 4;
    const qreal len = 10 + (i % 3) * 2;
    p.drawRect(QRectF(x, 28.5, 2.5, len));
  }
  return pm;
}

QPixmap highlightFrame() {
  QPixmap pm = blank(79, 29);
  QPainter p(&pm);
  smooth(p);
  p.setPen(QPen(QColor(255, 140, 0), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(1, 1, 77, 27), 4, 4);
  return pm;
}

QPixmap pointerMark() {
  QPixmap pm = blank(18, 14);
  QPainter p(&pm);
  smooth(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 150, 20));
  p.drawPolygon(QPolygonF({QPointF(2, 4), QPointF(9, 4), QPointF(9, 1), QPointF(16, 7), QPointF(9, 13),
                           QPointF(9, 10), QPointF(2, 10)}));
  return pm;
}

QPixmap newCanvasBanner(int width, int height) {
  QPixmap pm(width, height);
  QPainter p(&pm);
  smooth(p);
  QLinearGradient sky(0, 0, width, height);
  sky.setColorAt(0, QColor(24, 92, 170));
  sky.setColorAt(1, QColor(40, 170, 190));
  p.fillRect(pm.rect(), sky);
  // paint blots along the right side
  const QColor blots[] = {QColor(237, 28, 36), QColor(255, 194, 14), QColor(34, 177, 76), QColor(255, 126, 0),
                          QColor(181, 165, 213)};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 5; ++i) {
    QColor c = blots[i];
    c.setAlpha(200);
    p.setBrush(c);
    const qreal r = height * (0.16 + 0.05 * (i % 3));
    p.drawEllipse(QPointF(width - height * 0.35 * (i + 1), height * (0.3 + 0.12 * (i % 4))), r, r);
  }
  QFont title = p.font();
  title.setBold(true);
  title.setPixelSize(height * 2 / 5);
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 70));
  p.drawText(QRect(22, 8, width, height / 2 + 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pictavo2012"));
  p.setPen(Qt::white);
  p.drawText(QRect(20, 6, width, height / 2 + 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pictavo2012"));
  QFont sub = p.font();
  sub.setBold(false);
  sub.setPixelSize(qMax(10, height / 7));
  p.setFont(sub);
  p.drawText(QRect(22, height / 2 + 6, width, height / 3), Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("新建一张画布,开始绘画吧!"));
  return pm;
}

}  // namespace pictavo::art
