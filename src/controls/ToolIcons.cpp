#include "controls/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace pictavo {

namespace {

const QColor kInk(40, 40, 40);
const QColor kBlue(60, 120, 220);
const QColor kDarkBlue(20, 60, 140);

void pixels(QPainter& p, QColor c, std::initializer_list<QPoint> points) {
  p.setPen(c);
  for (const QPoint& pt : points) p.drawPoint(pt);
}

void polygon(QPainter& p, QColor fill, QColor line, std::initializer_list<QPoint> points) {
  p.setPen(line);
  p.setBrush(fill);
  p.drawPolygon(QPolygon(QList<QPoint>(points)));
  p.setBrush(Qt::NoBrush);
}

void select(QPainter& p) {
  // A marching-ants rectangle: two pixels on, two off.
  for (int i = 0; i <= 11; ++i) {
    if ((i / 2) % 2 != 0) continue;
    pixels(p, kInk, {QPoint(2 + i, 3), QPoint(13 - i, 12)});
  }
  for (int i = 0; i <= 9; ++i) {
    if ((i / 2) % 2 != 0) continue;
    pixels(p, kInk, {QPoint(2, 12 - i), QPoint(13, 3 + i)});
  }
}

void pencil(QPainter& p) {
  polygon(p, QColor(255, 200, 0), kInk, {{4, 9}, {10, 3}, {12, 5}, {6, 11}});
  polygon(p, QColor(240, 150, 160), kInk, {{10, 3}, {11, 2}, {13, 4}, {12, 5}});
  polygon(p, QColor(230, 190, 140), kInk, {{4, 9}, {6, 11}, {2, 13}});
  pixels(p, kInk, {{2, 13}, {3, 12}, {2, 12}, {3, 13}});
}

void line(QPainter& p) {
  p.setPen(kInk);
  p.drawLine(2, 13, 13, 2);
  p.drawLine(3, 13, 13, 3);
}

void burst(QPainter& p) {
  p.setPen(QColor(220, 110, 0));
  for (QPoint end : {QPoint(8, 1), QPoint(8, 14), QPoint(1, 8), QPoint(14, 8), QPoint(2, 2), QPoint(14, 2),
                     QPoint(2, 14), QPoint(14, 14)})
    p.drawLine(QPoint(8, 8), end);
}

void shape(QPainter& p, int kind, bool filled) {
  p.setPen(kDarkBlue);
  p.setBrush(filled ? QBrush(kBlue) : QBrush(Qt::NoBrush));
  switch (kind) {
    case 0: p.drawRect(QRect(2, 3, 11, 9)); break;
    case 1: p.drawEllipse(QRect(2, 2, 11, 11)); break;
    case 2: p.drawEllipse(QRect(1, 4, 13, 7)); break;
    default: p.drawRoundedRect(QRect(1, 3, 13, 9), 3, 3); break;
  }
  p.setBrush(Qt::NoBrush);
}

void bucket(QPainter& p) {
  polygon(p, QColor(200, 200, 205), kInk, {{4, 7}, {9, 2}, {14, 7}, {9, 12}});
  p.setPen(kInk);
  p.drawLine(6, 5, 11, 10);  // the rim
  pixels(p, kBlue, {{3, 8}, {2, 9}, {3, 9}, {1, 10}, {2, 10}, {3, 10}, {1, 11}, {2, 11}, {3, 11}, {2, 12}, {2, 13}});
}

void spray(QPainter& p) {
  polygon(p, QColor(170, 170, 180), kInk, {{3, 7}, {8, 7}, {8, 14}, {3, 14}});
  polygon(p, QColor(90, 90, 100), kInk, {{4, 5}, {6, 5}, {6, 6}, {4, 6}});
  pixels(p, QColor(220, 30, 40), {{10, 2}, {12, 3}, {11, 5}, {13, 6}, {9, 4}, {14, 4}, {13, 1}, {10, 7}, {12, 8}});
}

void curve(QPainter& p) {
  QPainterPath path(QPointF(1, 12));
  path.cubicTo(QPointF(4, -1), QPointF(9, 17), QPointF(14, 3));
  p.setPen(QPen(QColor(20, 130, 60), 1));
  p.drawPath(path);
}

void polygonTool(QPainter& p) {
  p.setPen(QColor(120, 40, 150));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(QPolygon(QList<QPoint>{{2, 12}, {4, 3}, {10, 2}, {14, 8}, {9, 13}}));
  pixels(p, kInk, {{2, 12}, {4, 3}, {10, 2}, {14, 8}, {9, 13}});
}

void brush(QPainter& p) {
  p.setPen(QPen(QColor(150, 90, 40), 2));
  p.drawLine(13, 2, 10, 5);
  polygon(p, QColor(180, 180, 190), kInk, {{8, 6}, {10, 8}, {8, 10}, {6, 8}});
  polygon(p, QColor(130, 60, 180), kInk, {{6, 9}, {7, 10}, {5, 13}, {1, 14}, {3, 11}});
}

void eraser(QPainter& p) {
  polygon(p, QColor(250, 160, 170), kInk, {{1, 10}, {7, 4}, {13, 10}, {7, 16}});
  polygon(p, QColor(205, 215, 240), kInk, {{1, 10}, {4, 7}, {10, 13}, {7, 16}});
}

void picker(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kInk);
  p.drawEllipse(QRect(11, 1, 3, 3));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(110, 150, 200), 2));
  p.drawLine(10, 5, 4, 11);
  pixels(p, kInk, {{9, 4}, {11, 6}, {3, 12}, {2, 13}, {1, 14}});
}

void stamp(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(QColor(150, 95, 50));
  p.drawEllipse(QRect(5, 1, 5, 4));
  p.setBrush(Qt::NoBrush);
  polygon(p, QColor(150, 95, 50), kInk, {{7, 6}, {8, 6}, {8, 8}, {7, 8}});
  polygon(p, QColor(110, 70, 40), kInk, {{3, 9}, {12, 9}, {12, 11}, {3, 11}});
  polygon(p, QColor(210, 40, 40), QColor(210, 40, 40), {{2, 12}, {13, 12}, {13, 13}, {2, 13}});
}

void gradient(QPainter& p) {
  for (int x = 2; x <= 13; ++x) {
    const int v = 20 + (x - 2) * 21;
    p.setPen(QColor(v, v, 255 - (x - 2) * 8));
    p.drawLine(x, 4, x, 11);
  }
  p.setPen(kInk);
  p.drawRect(QRect(1, 3, 13, 9));
}

void text(QPainter& p) {
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawLine(3, 14, 8, 2);
  p.drawLine(8, 2, 13, 14);
  p.drawLine(5, 10, 11, 10);
}

}  // namespace

QImage toolIcon(int tool) {
  if (tool < 0 || tool >= kToolCount) return {};
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  switch (tool) {
    case 0: select(p); break;
    case 1: pencil(p); break;
    case 2: line(p); break;
    case 3: burst(p); break;
    case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11:
      shape(p, (tool - 4) / 2, (tool - 4) % 2 == 1);
      break;
    case 12: bucket(p); break;
    case 13: spray(p); break;
    case 14: curve(p); break;
    case 15: polygonTool(p); break;
    case 16: brush(p); break;
    case 17: eraser(p); break;
    case 18: picker(p); break;
    case 19: stamp(p); break;
    case 20: gradient(p); break;
    default: text(p); break;
  }
  return image;
}

}  // namespace pictavo
