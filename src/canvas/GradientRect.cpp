#include "canvas/GradientRect.h"

namespace pictavo {

Color TranslateColor(Color color) { return (color & 0xFF000000u) == 0 ? color : kBlack; }

void StoreChannel(std::uint16_t& field, int value) { field = std::uint16_t(value & 0xFFFF); }

void SetVertexColor(TriVertex& vertex, Color color) {
  StoreChannel(vertex.red, redOf(color) * 256);
  StoreChannel(vertex.green, greenOf(color) * 256);
  StoreChannel(vertex.blue, blueOf(color) * 256);
  vertex.alpha = 0;
}

void GradientRect(Surface& target, const Rect& rect, Color colorA, Color colorB, int direction) {
  TriVertex v0, v1;
  v0.x = rect.left;
  v0.y = rect.top;
  SetVertexColor(v0, TranslateColor(colorA));
  v1.x = rect.right;
  v1.y = rect.bottom;
  SetVertexColor(v1, TranslateColor(colorB));
  // The surface's fill keeps the first vertex's colour at its own edge in
  // either order, which is what a drag to the left or upward needs.
  target.GradientFill(v0, v1, direction);
}

}  // namespace pictavo
