#pragma once
// Two-colour gradient rectangles, as the gradient tool draws them.

#include "canvas/Color.h"
#include "canvas/Surface.h"

#include <cstdint>

namespace pictavo {

// A colour that may name a system colour (0x800000nn) as a plain 0x00BBGGRR
// value. The core knows no system colours: a plain colour comes back as it
// is, anything else as black.
Color TranslateColor(Color color);
// A value 0..65535 into a 16-bit channel field, keeping its bit pattern.
void StoreChannel(std::uint16_t& field, int value);
// The colour's red, green and blue bytes into the vertex, each in the high
// byte of its channel (v * 256).
void SetVertexColor(TriVertex& vertex, Color color);

// Fills rect (left, top, right, bottom as given, not normalised) on target:
// direction 0 blends colour A at the left edge into colour B at the right
// edge, 1 from the top edge to the bottom edge. When the rectangle is given
// right to left or bottom to top, colour A stays at the side of (left, top).
// Any other direction draws nothing.
void GradientRect(Surface& target, const Rect& rect, Color colorA, Color colorB, int direction);

}  // namespace pictavo
