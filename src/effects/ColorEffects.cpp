// The per-pixel colour effects: each output pixel depends on that pixel
// alone, so the order of visits does not matter and the image is rewritten
// in memory order.

#include "effects/Bitmap.h"
#include "effects/EffectPass.h"

#include <algorithm>

namespace pictavo::Bitmap {

using effects::kOpaque;

namespace {

// floor(s / 3) for a channel sum s <= 765, as a multiply the vector units
// can do.
constexpr std::uint32_t thirdOf(std::uint32_t s) { return (s * 683u) >> 11; }

constexpr bool thirdIsExact() {
  for (std::uint32_t s = 0; s <= 765; ++s)
    if (thirdOf(s) != s / 3) return false;
  return true;
}
static_assert(thirdIsExact());

// Channel positions in a pixel word 0xAARRGGBB.
constexpr int kRedShift = 16, kGreenShift = 8, kBlueShift = 0;

// An offset beyond +-255 saturates every channel just as +-255 does; limiting
// it keeps the sums small and free of overflow for any int.
int limitOffset(int d) { return std::clamp(d, -255, 255); }

}  // namespace

void InvertColors(Surface& surface) {
  effects::WholePass pass(surface, false);
  effects::mapPixels(pass.source(), pass.target(), [](std::uint32_t p) { return ~p | kOpaque; });
  pass.finish();
}

void RemoveChannel(Surface& surface, int channel) {
  if (channel < 0 || channel > 2) {
    surface.Refresh();
    return;
  }
  effects::WholePass pass(surface, false);
  const int shift = channel == 0 ? kRedShift : channel == 1 ? kGreenShift : kBlueShift;
  const std::uint32_t keep = ~(0xFFu << shift);
  effects::mapPixels(pass.source(), pass.target(), [keep](std::uint32_t p) { return (p & keep) | kOpaque; });
  pass.finish();
}

void GrayPicture(Surface& surface) {
  effects::WholePass pass(surface, false);
  effects::mapPixels(pass.source(), pass.target(), [](std::uint32_t p) {
    const std::uint32_t g = thirdOf(((p >> kRedShift) & 0xFF) + ((p >> kGreenShift) & 0xFF) + (p & 0xFF));
    return kOpaque | (g * 0x010101u);
  });
  pass.finish();
}

void AdjustRGB(Surface& surface, int red, int green, int blue) {
  effects::WholePass pass(surface, false);
  const int dr = limitOffset(red), dg = limitOffset(green), db = limitOffset(blue);
  effects::mapPixels(pass.source(), pass.target(), [dr, dg, db](std::uint32_t p) {
    const int r = std::clamp(int((p >> kRedShift) & 0xFF) + dr, 0, 255);
    const int g = std::clamp(int((p >> kGreenShift) & 0xFF) + dg, 0, 255);
    const int b = std::clamp(int(p & 0xFF) + db, 0, 255);
    return kOpaque | (std::uint32_t(r) << kRedShift) | (std::uint32_t(g) << kGreenShift) | std::uint32_t(b);
  });
  pass.finish();
}

void AdjustBrightness(Surface& surface, int offset) { AdjustRGB(surface, offset, offset, offset); }

}  // namespace pictavo::Bitmap
