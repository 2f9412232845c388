#include "controls/PaletteTable.h"

#include "canvas/Surface.h"

#include <algorithm>

namespace pictavo {

const PaletteColors& defaultPaletteColors() {
  static const PaletteColors table = {
      composeColor(0, 0, 0),       composeColor(255, 255, 255), composeColor(70, 70, 70),
      composeColor(220, 220, 220), composeColor(120, 120, 120), composeColor(180, 180, 180),
      composeColor(153, 0, 48),    composeColor(156, 90, 60),   composeColor(237, 28, 36),
      composeColor(255, 163, 177), composeColor(255, 126, 0),   composeColor(229, 170, 122),
      composeColor(255, 194, 14),  composeColor(245, 228, 156), composeColor(255, 242, 0),
      composeColor(255, 249, 189), composeColor(168, 230, 29),  composeColor(221, 249, 188),
      composeColor(34, 177, 76),   composeColor(157, 187, 97),  composeColor(0, 183, 239),
      composeColor(153, 217, 234), composeColor(77, 109, 243),  composeColor(112, 154, 209),
      composeColor(47, 54, 153),   composeColor(84, 109, 142),  composeColor(111, 49, 152),
      composeColor(181, 165, 213),
  };
  return table;
}

PaletteHit hitTestPalette(double x, double y) {
  // Pointer positions far outside the control cannot come from a press on
  // it; clamp them so the 16-bit fields never wrap into a valid cell.
  auto toCell = [](double v) {
    const long q = long(roundCoord(v)) / kPaletteCellSize;  // truncates toward zero
    return std::int16_t(std::clamp<long>(q, -16000, 16000));
  };
  PaletteHit hit;
  hit.column = std::int16_t(toCell(x) - 2);
  hit.row = toCell(y);
  if (hit.column >= 0 && hit.column < kPaletteColumns && hit.row >= 0 && hit.row <= 1)
    hit.index = std::int16_t(2 * hit.column + hit.row);
  return hit;
}

ColorBytes SplitColor(Color c) {
  ColorBytes bytes;
  bytes.red = std::uint8_t(c & 0xFF);
  bytes.green = std::uint8_t((c >> 8) & 0xFF);
  bytes.blue = std::uint8_t((c >> 16) & 0xFF);
  return bytes;
}

std::array<Color, 16> customColorRamp(Color initial) {
  const ColorBytes b = SplitColor(initial);
  std::array<Color, 16> ramp{};
  for (int k = 0; k < 16; ++k) {
    const int step = 15 * (k + 1);
    ramp[std::size_t(k)] = composeColor(b.red + step, b.green + step, b.blue + step);
  }
  return ramp;
}

}  // namespace pictavo
