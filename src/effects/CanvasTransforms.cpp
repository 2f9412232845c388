#include "effects/CanvasTransforms.h"

#include "canvas/PixelPool.h"

#include <algorithm>
#include <cstdint>

namespace pictavo::ImageTools {

namespace {

// A w x h picture whose every word its maker writes, from the canvas's own
// opaque words (so the surface need not lay it over the background).
Picture freshPicture(int w, int h) {
  Picture picture;
  picture.width = w;
  picture.height = h;
  picture.pixels = PixelPool::shared().acquire(std::size_t(w) * std::size_t(h));
  picture.opaque = true;
  return picture;
}

// The persistent image, read without announcing a write: the surface hears
// of the change once, when it takes the new picture.
const std::uint32_t* persistentBits(const Surface& surface) { return surface.bits(Surface::Layer::Persistent); }

}  // namespace

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

void TurnPicture(Surface& surface, QuarterTurn turn) {
  const int w = surface.Width(), h = surface.Height();
  Picture turned = freshPicture(turnedWidth(turn, w, h), turnedHeight(turn, w, h));
  turnPixels(persistentBits(surface), w, h, turn, turned.pixels.data());
  surface.SetPicture(std::move(turned));
  surface.Refresh();
}

void CropPicture(Surface& surface, const Rect& area) {
  const Rect inside = area.intersected(surface.bounds());
  if (inside.isEmpty()) return;
  Picture cropped = freshPicture(inside.width(), inside.height());
  copyArea(persistentBits(surface), surface.stride(), inside, cropped.pixels.data());
  surface.SetPicture(std::move(cropped));
  surface.Refresh();
}

}  // namespace pictavo::ImageTools
