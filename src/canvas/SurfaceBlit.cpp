// Block copies between surfaces: plain, scaled and keyed.
#include "canvas/Surface.h"

namespace pictavo {

void Surface::BitBlt(int, int, int, int, const Surface&, int, int) {}
void Surface::StretchBlt(int, int, int, int, const Surface&, int, int, int, int) {}
void Surface::TransparentBlt(int, int, int, int, const Surface&, int, int, int, int, Color) {}

}  // namespace pictavo
