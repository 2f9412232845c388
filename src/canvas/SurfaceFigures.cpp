// Lines, dots, circles, ellipses and rounded rectangles of a Surface.
#include "canvas/Surface.h"

namespace pictavo {

void Surface::PSet(double, double, std::optional<Color>) {}
void Surface::Line(double, double, double, double, std::optional<Color>, LineKind) {}
void Surface::Circle(double, double, float, std::optional<Color>) {}
void Surface::Ellipse(int, int, int, int) {}
void Surface::RoundRect(int, int, int, int, int, int) {}

}  // namespace pictavo
