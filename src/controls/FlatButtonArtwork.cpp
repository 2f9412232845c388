#include "controls/FlatButtonArtwork.h"

namespace pictavo {

namespace {

constexpr int kWidth = 113, kHeight = 25;

int mix(int top, int bottom, int y) { return top + ((bottom - top) * y) / (kHeight - 1); }

QImage verticalGradient(QColor top, QColor bottom) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    const QRgb rgb = qRgb(mix(top.red(), bottom.red(), y), mix(top.green(), bottom.green(), y),
                          mix(top.blue(), bottom.blue(), y));
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) line[x] = rgb;
  }
  return image;
}

}  // namespace

const QImage& normalButtonBackground() {
  static const QImage image = verticalGradient(QColor(255, 255, 255), QColor(214, 214, 214));
  return image;
}

const QImage& selectedButtonBackground() {
  static const QImage image = [] {
    QImage img = verticalGradient(QColor(196, 224, 252), QColor(96, 150, 218));
    // Arrowhead: base at x = 101 from y = 8 to 16, tip at (105, 12).
    for (int dx = 0; dx <= 4; ++dx)
      for (int y = 8 + dx; y <= 16 - dx; ++y) img.setPixel(101 + dx, y, qRgb(255, 255, 255));
    return img;
  }();
  return image;
}

}  // namespace pictavo
