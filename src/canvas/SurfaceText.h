#pragma once
// Text output on a Surface, drawn by Qt's font engine into the surface's own
// pixels (the classic TextOut). Needs Qt Gui, so it lives outside the core.

#include "canvas/Surface.h"

#include <QFont>
#include <QString>

namespace pictavo {

// Draws text with its top-left corner at (x, y) in the surface's Font and
// ForeColor, onto the layer drawing goes to. Only glyph pixels change, each
// to exactly ForeColor (no smoothing). The text is one line: a line break
// is drawn as the font draws that character.
void TextOut(Surface& surface, int x, int y, const QString& text);

// The Qt font TextOut draws with: the family (with a Chinese-capable
// fallback), the size in points turned into pixels as a 96-dpi screen
// does (9 points are 12 pixels), bold, italic and underline, unsmoothed.
QFont surfaceQFont(const SurfaceFont& font);

}  // namespace pictavo
