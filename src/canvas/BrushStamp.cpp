#include "canvas/BrushStamp.h"

#include "canvas/Surface.h"

#include <cstddef>

namespace pictavo {

// One read per brush pixel and one write per stamp pixel, without an
// intermediate picture, so rebuilding the stamp at every drag movement stays
// cheap even for a large brush picture.
void PrepareBrushStamp(Surface& stamp, const Surface* brush, Color foreColor) {
  const bool autoRedraw = stamp.AutoRedraw();
  stamp.SetAutoRedraw(true);
  if (!brush) {
    stamp.Cls();
  } else {
    stamp.Resize(brush->Width(), brush->Height());
    const std::uint32_t* from = brush->bits(Surface::Layer::Persistent);
    std::uint32_t* to = stamp.writableDrawBits(stamp.bounds());
    const std::uint32_t fore = pixelFromColor(foreColor);
    const std::size_t n = std::size_t(brush->Width()) * std::size_t(brush->Height());
    for (std::size_t i = 0; i < n; ++i) to[i] = (from[i] & 0x00FFFFFFu) == 0 ? fore : from[i];
    stamp.markChanged(stamp.bounds());
  }
  stamp.Refresh();
  stamp.SetAutoRedraw(autoRedraw);
}

}  // namespace pictavo
