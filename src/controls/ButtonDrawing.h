#pragma once
// Our own equivalents of the classic edge, focus-rectangle, keyed-icon and
// state-text drawing, on a QImage (RGB32 or ARGB32). Rectangles are
// left, top, right, bottom with right and bottom excluded.

#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>

namespace pictavo {

// The 3-D edge on all four sides of r. edge combines the outer line
// (raised 1: light top-left, dark shadow bottom-right; sunken 2: shadow
// top-left, highlight bottom-right), drawn on the rectangle's border, and
// the inner line one pixel inside (raised 4: highlight / shadow; sunken 8:
// dark shadow / light). Colours: Light = highlight, Midlight = light,
// Dark = shadow, Shadow = dark shadow.
void drawEdge(QImage& image, int left, int top, int right, int bottom, int edge, const QPalette& palette);

// A dotted rectangle that inverts every other pixel of its outline, so
// drawing it twice restores the picture.
void drawFocusRect(QImage& image, int left, int top, int right, int bottom);

// The top-left 16 x 16 pixels of icon at (x, y), skipping magenta pixels
// (RGB 255, 0, 255) and fully transparent ones; clipped at the edges.
void drawKeyedIcon(QImage& image, const QImage& icon, int x, int y);

// Text with its top-left corner at (x, y); an ampersand underlines the
// next character ("&&" is one ampersand). Disabled: embossed, in the
// highlight colour one pixel down-right under the shadow colour.
void drawStateText(QImage& image, int x, int y, const QString& text, const QFont& font, QColor color,
                   bool enabled, const QPalette& palette);

}  // namespace pictavo
