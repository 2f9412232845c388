#pragma once
// The colour palette's fixed table and geometry, and the arithmetic the
// palette control runs on a press and before its colour dialog. Plain C++,
// so it is tested without a display.
//
// Geometry (pixels of the control, origin top left): 28 cells of 16 x 16
// in 14 columns and 2 rows; the cell of column i, row j starts at
// (32 + 16 i, 16 j) and shows table index 2 i + j. Left of the cells, the
// background and foreground swatches (15 x 15) at (3, 4) and (10, 11).

#include "canvas/Color.h"

#include <array>
#include <cstdint>

namespace pictavo {

inline constexpr int kPaletteCellCount = 28;
inline constexpr int kPaletteColumns = 14;
inline constexpr int kPaletteCellSize = 16;
inline constexpr int kPaletteGridLeft = 32;
inline constexpr int kPaletteWidth = 256;  // 240 pixels plus 240 twips
inline constexpr int kPaletteHeight = 32;
inline constexpr int kSwatchSize = 15;
inline constexpr int kBackSwatchX = 3, kBackSwatchY = 4;
inline constexpr int kForeSwatchX = 10, kForeSwatchY = 11;

using PaletteColors = std::array<Color, kPaletteCellCount>;

// The table every new palette starts with: black, white, greys, then a
// colour (top row) and its lighter partner (bottom row) per column.
const PaletteColors& defaultPaletteColors();

// Where a press at (x, y) lands. column = round(x) / 16 - 2 and
// row = round(y) / 16, divisions truncating toward zero; index is
// 2 * column + row for a press on a cell, -1 otherwise (the swatch area,
// below or right of the grid).
struct PaletteHit {
  std::int16_t column = 0;
  std::int16_t row = 0;
  std::int16_t index = -1;
};
PaletteHit hitTestPalette(double x, double y);

// A colour split into its bytes, in the order blue, green, red.
struct ColorBytes {
  std::uint8_t blue = 0, green = 0, red = 0;
};
// red = lowest byte, green = second, blue = third.
ColorBytes SplitColor(Color c);

// The 16 custom colours offered with the colour dialog: tints of the
// initial colour, entry k lightened by 15 (k + 1) in each channel, a
// channel above 255 taken as 255.
std::array<Color, 16> customColorRamp(Color initial);

}  // namespace pictavo
