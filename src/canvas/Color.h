#pragma once
// Colours as the program speaks them: 0x00BBGGRR, red in the low byte.
// Pixels in memory are stored the other way round (0xAARRGGBB words, that is
// bytes B, G, R, A), which is what Qt displays without a copy and what a BMP
// row holds. The helpers here convert between the two at the API boundary.

#include <algorithm>
#include <cstdint>

namespace pictavo {

using Color = std::uint32_t;  // 0x00BBGGRR

// "No colour": what a read outside a surface gives (the classic CLR_INVALID).
inline constexpr Color kNoColor = 0xFFFFFFFFu;
// The key colour of hidden buffers, brush stamps and background pictures.
inline constexpr Color kMagenta = 0x00FF00FFu;
inline constexpr Color kWhite = 0x00FFFFFFu;
inline constexpr Color kBlack = 0x00000000u;

constexpr int redOf(Color c) { return int(c & 0xFF); }
constexpr int greenOf(Color c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return int((c >> 16) & 0xFF); }

// red + 256 * green + 65536 * blue; a component above 255 counts as 255,
// one below 0 as 0.
constexpr Color composeColor(int red, int green, int blue) {
  auto clamp = [](int v) { return Color(std::clamp(v, 0, 255)); };
  return clamp(red) | (clamp(green) << 8) | (clamp(blue) << 16);
}

// A stored pixel word (0xFFRRGGBB, opaque) from a colour, and back.
constexpr std::uint32_t pixelFromColor(Color c) {
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr Color colorFromPixel(std::uint32_t p) {
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// A pixel word laid over an opaque background word: its alpha mixes the
// two, rounded to nearest; the result is opaque.
constexpr std::uint32_t pixelOverBackground(std::uint32_t p, std::uint32_t back) {
  const std::uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return back | 0xFF000000u;
  auto mix = [a](std::uint32_t fg, std::uint32_t bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
  return 0xFF000000u | (mix((p >> 16) & 0xFF, (back >> 16) & 0xFF) << 16) |
         (mix((p >> 8) & 0xFF, (back >> 8) & 0xFF) << 8) | mix(p & 0xFF, back & 0xFF);
}

}  // namespace pictavo
