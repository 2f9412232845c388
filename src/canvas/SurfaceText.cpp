#include "canvas/SurfaceText.h"

#include "canvas/FontFamilies.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

// Chinese text in a font without Han glyphs falls back to this family.
const char* const kChineseFallback = "WenQuanYi Micro Hei";

}  // namespace

QFont surfaceQFont(const SurfaceFont& f) {
  QFont font = QGuiApplication::font();
  QStringList families;
  if (!f.name.empty()) families << screenFontFamily(QString::fromStdString(f.name));
  else families << font.family();
  families << QString::fromLatin1(kChineseFallback);
  font.setFamilies(families);
  // A screen of 96 dots per inch: points * 96 / 72 pixels of character height.
  const double pixels = std::isfinite(f.size) ? std::clamp(f.size, 0.0, 3000.0) * 96.0 / 72.0 : 12.0;
  font.setPixelSize(std::max(1, int(std::lround(pixels))));
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

void TextOut(Surface& surface, int x, int y, const QString& text) {
  if (text.isEmpty()) return;
  const QFont font = surfaceQFont(surface.Font);
  const QFontMetrics metrics(font);

  // Where glyphs may land: the advance box, the ink box and a margin for
  // italic overhang and the underline, cut to the surface.
  const QRect ink = metrics.boundingRect(text);
  const qint64 margin = metrics.height() / 2 + 2;
  const qint64 baseline = qint64(y) + metrics.ascent();
  const qint64 left = std::max<qint64>(0, std::min<qint64>(x, x + ink.left()) - margin);
  const qint64 top = std::max<qint64>(0, std::min<qint64>(y, baseline + ink.top()) - margin);
  const qint64 right = std::min<qint64>(surface.Width(),
                                        std::max<qint64>(qint64(x) + metrics.horizontalAdvance(text),
                                                         qint64(x) + ink.right() + 1) + margin);
  const qint64 bottom = std::min<qint64>(surface.Height(),
                                         std::max<qint64>(qint64(y) + metrics.height(), baseline + ink.bottom() + 1) +
                                             margin);
  if (right <= left || bottom <= top) return;

  // Draw into a transparent scratch picture, then copy the glyph pixels
  // only, so the background between glyphs stays as it was.
  QImage glyphs(int(right - left), int(bottom - top), QImage::Format_ARGB32_Premultiplied);
  if (glyphs.isNull()) return;
  glyphs.fill(Qt::transparent);
  {
    QPainter painter(&glyphs);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(double(qint64(x) - left), double(baseline - top)), text);
  }

  const std::uint32_t word = pixelFromColor(surface.ForeColor);
  std::uint32_t* bits = surface.writableDrawBits(Rect{int(left), int(top), int(right), int(bottom)});
  const qint64 stride = surface.stride();
  int minX = glyphs.width(), minY = glyphs.height(), maxX = -1, maxY = -1;
  for (int gy = 0; gy < glyphs.height(); ++gy) {
    const auto* row = reinterpret_cast<const QRgb*>(glyphs.constScanLine(gy));
    std::uint32_t* dst = bits + (top + gy) * stride + left;
    for (int gx = 0; gx < glyphs.width(); ++gx) {
      if (qAlpha(row[gx]) == 0) continue;
      dst[gx] = word;
      minX = std::min(minX, gx);
      maxX = std::max(maxX, gx);
      minY = std::min(minY, gy);
      maxY = std::max(maxY, gy);
    }
  }
  if (maxX < 0) return;
  surface.markChanged(Rect{int(left) + minX, int(top) + minY, int(left) + maxX + 1, int(top) + maxY + 1});
}

}  // namespace pictavo
