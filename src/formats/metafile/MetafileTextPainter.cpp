#include "formats/metafile/MetafileTextPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <vector>

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

QColor qColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QFont fontFor(const MetafileTextRun& run) {
  QFont font;
  if (!run.font.face.empty())
    font.setFamily(QString::fromUtf16(run.font.face.data(), qsizetype(run.font.face.size())));
  font.setStyleStrategy(QFont::NoAntialias);
  font.setWeight(QFont::Weight(std::clamp(run.font.weight == 0 ? 400 : run.font.weight, 100, 900)));
  font.setItalic(run.font.italic);
  font.setUnderline(run.font.underline);
  font.setStrikeOut(run.font.strikeout);
  // A negative height is the em height; a positive one the whole cell
  // (ascent plus descent); zero means the default size.
  double pixels = run.height == 0 ? 16 : std::fabs(run.height);
  font.setPixelSize(std::max(1, int(std::lround(pixels))));
  if (run.height > 0) {
    const double cell = QFontMetricsF(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, int(std::lround(pixels * pixels / cell))));
  }
  return font;
}

}  // namespace

MetafileTextPainter qtMetafileTextPainter() {
  return [](Surface& surface, const MetafileTextRun& run) {
    const QString text = QString::fromUtf16(run.text.data(), qsizetype(run.text.size()));
    const QFont font = fontFor(run);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    double dx = 0, baseline = metrics.ascent();  // top alignment by default
    if ((run.align & 6) == 6) dx = -width / 2;
    else if (run.align & 2) dx = -width;
    if ((run.align & 24) == 24) baseline = 0;
    else if (run.align & 8) baseline = -metrics.descent();

    // What the text may touch: its box, turned with it, with room for italic
    // overhang, cut to the picture while still in floating point (the
    // reference point may lie anywhere in the 32-bit plane).
    QTransform place;
    place.translate(run.x, run.y);
    place.rotate(-run.angle);
    const double margin = std::ceil(metrics.height() / 4) + 1;
    const QRectF box(dx, baseline - metrics.ascent(), width, metrics.height());
    const QRectF touched = place.mapRect(box).adjusted(-margin, -margin, margin, margin) &
                           QRectF(0, 0, surface.Width(), surface.Height());
    if (touched.isEmpty()) return;

    const QRect area = touched.toAlignedRect();
    const Rect about{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
    QImage image(reinterpret_cast<uchar*>(surface.writableDrawBits(about)), surface.Width(), surface.Height(),
                 qsizetype(surface.stride()) * 4, QImage::Format_RGB32);
    QPainter painter(&image);
    if (run.clip) {
      // The clip's rectangles cut to the picture keep their banded order, as QRegion wants.
      std::vector<QRect> rects;
      for (const Rect& r : *run.clip) {
        const Rect inside = r.intersected(surface.bounds());
        if (!inside.isEmpty()) rects.emplace_back(inside.left, inside.top, inside.width(), inside.height());
      }
      QRegion region;
      region.setRects(rects.data(), int(rects.size()));
      painter.setClipRegion(region);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setTransform(place);
    if (run.opaque) painter.fillRect(box, qColor(run.background));
    painter.setFont(font);
    painter.setPen(qColor(run.color));
    painter.drawText(QPointF(dx, baseline), text);
    painter.end();
    const QRect marked = touched.toAlignedRect();
    surface.markChanged(Rect{marked.left(), marked.top(), marked.left() + marked.width(), marked.top() + marked.height()});
  };
}

}  // namespace pictavo
