#include "windows/TextPreview.h"

#include "canvas/SurfaceText.h"

#include <QFontMetrics>
#include <QPainter>

namespace pictavo {

TextPreview::TextPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pPreview"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextPreview::showSample(const SurfaceFont& font) {
  font_ = font;
  update();
}

QPoint TextPreview::samplePosition() const {
  const QFontMetrics metrics(surfaceQFont(font_));
  const QString sample = QString::fromLatin1(kSample);
  // Integer division truncates toward zero, also for a negative free space.
  const int x = (width() - metrics.horizontalAdvance(sample)) / 2;
  const int y = (height() - metrics.height()) / 2;
  return QPoint(x, y);
}

void TextPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Base));
  const QFont font = surfaceQFont(font_);
  p.setFont(font);
  p.setPen(palette().color(QPalette::Text));
  const QPoint at = samplePosition();
  p.drawText(QPointF(at.x(), at.y() + QFontMetrics(font).ascent()), QString::fromLatin1(kSample));
  // The sunken frame of a picture box.
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace pictavo
