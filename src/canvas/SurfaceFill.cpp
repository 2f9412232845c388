// Flood fill and gradient fill of a Surface.
#include "canvas/Surface.h"

namespace pictavo {

void Surface::ExtFloodFill(int, int, Color, int) {}
void Surface::GradientFill(const TriVertex&, const TriVertex&, int) {}

}  // namespace pictavo
