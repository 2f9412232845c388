#include "controls/ButtonDrawing.h"

#include "controls/FlatButtonLayout.h"

#include <QPainter>

namespace pictavo {

namespace {

void setPixelClipped(QImage& image, int x, int y, QRgb rgb) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = rgb;
}

// One rectangle outline: top and left in topLeft, bottom and right (with
// both of their far corners) in bottomRight.
void outline(QImage& image, int l, int t, int r, int b, QRgb topLeft, QRgb bottomRight) {
  if (r - l < 1 || b - t < 1) return;
  for (int x = l; x < r - 1; ++x) setPixelClipped(image, x, t, topLeft);
  for (int y = t; y < b - 1; ++y) setPixelClipped(image, l, y, topLeft);
  for (int x = l; x < r; ++x) setPixelClipped(image, x, b - 1, bottomRight);
  for (int y = t; y < b; ++y) setPixelClipped(image, r - 1, y, bottomRight);
}

}  // namespace

void drawEdge(QImage& image, int left, int top, int right, int bottom, int edge, const QPalette& palette) {
  const QRgb highlight = palette.color(QPalette::Light).rgb();
  const QRgb light = palette.color(QPalette::Midlight).rgb();
  const QRgb shadow = palette.color(QPalette::Dark).rgb();
  const QRgb darkShadow = palette.color(QPalette::Shadow).rgb();
  if (edge & kRaisedOuter)
    outline(image, left, top, right, bottom, light, darkShadow);
  else if (edge & kSunkenOuter)
    outline(image, left, top, right, bottom, shadow, highlight);
  if (edge & kRaisedInner)
    outline(image, left + 1, top + 1, right - 1, bottom - 1, highlight, shadow);
  else if (edge & kSunkenInner)
    outline(image, left + 1, top + 1, right - 1, bottom - 1, darkShadow, light);
}

void drawFocusRect(QImage& image, int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  auto invert = [&image](int x, int y) {
    if (((x + y) & 1) != 0) return;
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
    QRgb& p = reinterpret_cast<QRgb*>(image.scanLine(y))[x];
    p = (p & 0xFF000000u) | (~p & 0x00FFFFFFu);
  };
  for (int x = left; x < right; ++x) {
    invert(x, top);
    if (bottom - 1 != top) invert(x, bottom - 1);
  }
  for (int y = top + 1; y < bottom - 1; ++y) {
    invert(left, y);
    if (right - 1 != left) invert(right - 1, y);
  }
}

void drawKeyedIcon(QImage& image, const QImage& icon, int x, int y) {
  if (icon.isNull()) return;
  const QImage src = icon.convertToFormat(QImage::Format_ARGB32);
  const int w = std::min(kIconSize, src.width()), h = std::min(kIconSize, src.height());
  for (int sy = 0; sy < h; ++sy) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    for (int sx = 0; sx < w; ++sx) {
      const QRgb p = line[sx];
      if (qAlpha(p) == 0 || (p & 0x00FFFFFFu) == 0x00FF00FFu) continue;
      setPixelClipped(image, x + sx, y + sy, 0xFF000000u | p);
    }
  }
}

void drawStateText(QImage& image, int x, int y, const QString& text, const QFont& font, QColor color,
                   bool enabled, const QPalette& palette) {
  QPainter painter(&image);
  painter.setFont(font);
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine | Qt::TextDontClip;
  const QRect room(x, y, std::max(1, image.width() * 4), std::max(1, image.height() * 4));
  if (enabled) {
    painter.setPen(color);
    painter.drawText(room, flags, text);
    return;
  }
  painter.setPen(palette.color(QPalette::Light));
  painter.drawText(room.translated(1, 1), flags, text);
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawText(room, flags, text);
}

}  // namespace pictavo
