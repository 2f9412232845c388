#include "effects/PreviewBox.h"

#include <QImage>
#include <QPainter>

namespace pictavo {

PreviewBox::PreviewBox(QSize boxSize, QSize pictureSize, QWidget* parent)
    : QWidget(parent), surface_(pictureSize.width(), pictureSize.height()) {
  setFixedSize(boxSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_.setChangeListener([this](const Rect& r) { update(r.left, r.top, r.width(), r.height()); });
}

PreviewBox::~PreviewBox() { surface_.setChangeListener({}); }

void PreviewBox::drawThumbnail(const Surface& source) {
  surface_.SetStretchBltMode(kStretchHalftone);
  surface_.StretchBlt(0, 0, surface_.Width(), surface_.Height(), source, 0, 0, source.ScaleWidth(), source.ScaleHeight());
}

void PreviewBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  const QImage picture(reinterpret_cast<const uchar*>(surface_.visibleBits()), surface_.Width(), surface_.Height(),
                       surface_.stride() * 4, QImage::Format_RGB32);
  painter.drawImage(0, 0, picture);
}

}  // namespace pictavo
