#include "effects/CanvasTransforms.h"

#include <algorithm>
#include <cstdint>

namespace pictavo::ImageTools {

void StretchPicture(Surface& canvas, Surface& buffer, int w, int h) {
  buffer.Cls();
  // A refused size throws here, before the canvas is touched.
  buffer.Resize(w, h);
  buffer.SetStretchBltMode(kStretchHalftone);
  buffer.StretchBlt(0, 0, w, h, canvas, 0, 0, canvas.ScaleWidth(), canvas.ScaleHeight());
  // Only what is copied back remains: the buffer covers every new pixel.
  canvas.Resize(w, h);
  canvas.BitBlt(0, 0, w, h, buffer, 0, 0);
  buffer.Cls();
  canvas.Refresh();
}

void FlipPicture(Surface& surface, int mode) {
  const int w = surface.ScaleWidth(), h = surface.ScaleHeight();
  switch (mode) {
    case kFlipLeftRight: surface.StretchBlt(w - 1, 0, -w, h, surface, 0, 0, w, h); break;
    case kFlipUpsideDown: surface.StretchBlt(0, h - 1, w, -h, surface, 0, 0, w, h); break;
    case kFlipBoth: surface.StretchBlt(0, 0, w, h, surface, w, h, -w, -h); break;
    default: break;
  }
  surface.Refresh();
}

void DrawBorder(Surface& surface, int n, Color color) {
  const std::int64_t w = surface.ScaleWidth(), h = surface.ScaleHeight();
  // Past the middle the outlines turn round and grow outward again; once
  // every side lies outside the picture by more than the pen, the remaining
  // outlines cannot touch a pixel, so a huge n costs no more than this.
  const std::int64_t reach = std::max(w, h) + std::max(surface.DrawWidth, 1) + 2;
  const std::int64_t last = std::min<std::int64_t>(n, reach);
  for (std::int64_t i = 0; i <= last; ++i) {
    surface.Line(double(i - 1), double(i - 1), double(w - i), double(h - i), color, LineKind::Box);
  }
  surface.Refresh();
}

}  // namespace pictavo::ImageTools
