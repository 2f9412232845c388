#include "effects/EffectPass.h"

namespace pictavo::effects {

PixelRows persistentRows(Surface& surface) {
  return PixelRows{surface.writableBits(Surface::Layer::Persistent), surface.ScaleWidth(), surface.ScaleHeight()};
}

void finishPass(Surface& surface, const Rect& written) {
  surface.markChanged(written, Surface::Layer::Persistent);
  surface.Refresh();
}

}  // namespace pictavo::effects
