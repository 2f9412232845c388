// Palette geometry and the colour dialog's custom colours.
#include "controls/PaletteTable.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(PaletteHitTest, CellBordersAndOutside) {
  struct Case {
    double x, y;
    int index;
  };
  const Case cases[] = {
      {32, 0, 0},    {47, 15, 0},   {48, 0, 2},     {32, 16, 1},  {47, 31, 1},  {255, 0, 26},
      {255, 31, 27}, {31, 0, -1},   {0, 0, -1},     {20, 20, -1}, {40, 32, -1}, {256, 10, -1},
      {31.5, 0, 0},  {47.5, 0, 2},  {32, 15.5, 1},  {46.5, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(hitTestPalette(c.x, c.y).index, c.index) << "at " << c.x << "," << c.y;
}

TEST(PaletteHitTest, KeepsColumnAndRowOutsideTheGrid) {
  const PaletteHit left = hitTestPalette(31, 5);
  EXPECT_EQ(left.column, -1);
  EXPECT_EQ(left.row, 0);
  const PaletteHit below = hitTestPalette(100, 40);
  EXPECT_EQ(below.column, 4);
  EXPECT_EQ(below.row, 2);
  EXPECT_EQ(below.index, -1);
  // Far-away positions must not wrap the 16-bit fields into a cell.
  EXPECT_EQ(hitTestPalette(16.0 * 65536 + 40, 0).index, -1);
  EXPECT_EQ(hitTestPalette(40, 16.0 * 65536).index, -1);
}

TEST(PaletteTable, ColumnsPairAColourWithItsPartner) {
  const PaletteColors& t = defaultPaletteColors();
  EXPECT_EQ(t[0], kBlack);
  EXPECT_EQ(t[1], kWhite);
  EXPECT_EQ(t[hitTestPalette(32 + 16 * 4, 0).index], composeColor(237, 28, 36));
  EXPECT_EQ(t[hitTestPalette(32 + 16 * 4, 16).index], composeColor(255, 163, 177));
  EXPECT_EQ(t[27], composeColor(181, 165, 213));
}

TEST(CustomColorRamp, TintsClampPerChannel) {
  for (Color c : customColorRamp(kWhite)) EXPECT_EQ(c, kWhite);
  const auto black = customColorRamp(kBlack);
  EXPECT_EQ(black[0], composeColor(15, 15, 15));
  EXPECT_EQ(black[7], composeColor(120, 120, 120));
  EXPECT_EQ(black[15], composeColor(240, 240, 240));
  const auto mixed = customColorRamp(composeColor(250, 10, 128));
  EXPECT_EQ(mixed[0], composeColor(255, 25, 143));
  EXPECT_EQ(mixed[15], composeColor(255, 250, 255));
}

}  // namespace
}  // namespace pictavo
