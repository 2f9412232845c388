#include "effects/BackgroundPicture.h"

namespace pictavo {

void ApplyBackgroundPicture(Surface& canvas, const Picture& picture, Surface& mask, Surface& stretched) {
  mask.SetPicture(picture);
  const int w = canvas.ScaleWidth(), h = canvas.ScaleHeight();
  stretched.Resize(w, h);
  stretched.SetStretchBltMode(kStretchHalftone);
  stretched.StretchBlt(0, 0, w, h, mask, 0, 0, mask.ScaleWidth(), mask.ScaleHeight());
  canvas.TransparentBlt(0, 0, w, h, stretched, 0, 0, w, h, kMagenta);
  canvas.Refresh();
  // The picture is dropped; the big box gives its memory back.
  mask = Surface::hiddenBuffer();
  stretched.Cls();
}

}  // namespace pictavo
