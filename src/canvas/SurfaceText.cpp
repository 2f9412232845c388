#include "canvas/SurfaceText.h"

namespace pictavo {

void TextOut(Surface&, int, int, const QString&) {}

}  // namespace pictavo
