// Flood fill, gradient and colour picker through the engine: the fill stays
// inside a closed outline, patterns tile from the canvas origin and fall back
// to the solid colour without a picture; the gradient's end columns, its
// reversed drags and its black rubber band; the picker by button.
#include "canvas/GradientRect.h"
#include "support/TestPictures.h"
#include "ToolTestHost.h"

#include <gtest/gtest.h>

namespace pictavo {
using namespace test;

namespace {

// A white canvas with a black 1-pixel square outline from (10, 10) to (30, 30).
void drawOutline(Surface& s) { s.Line(10, 10, 30, 30, kBlack, LineKind::Box); }

Color visiblePixel(const Surface& s, int x, int y) {
  return colorFromPixel(s.visibleBits()[std::size_t(y) * std::size_t(s.stride()) + std::size_t(x)]);
}

}  // namespace

TEST(FillToolTest, SolidFillStaysInsideTheOutline) {
  ToolBench b(kFloodFillTool);
  drawOutline(b.host.surface);
  b.host.lists["cboFillType"] = 0;
  b.click(20, 20);
  EXPECT_EQ(b.pixel(11, 11), kRed);
  EXPECT_EQ(b.pixel(29, 29), kRed);
  EXPECT_EQ(b.pixel(10, 20), kBlack);
  EXPECT_EQ(b.pixel(9, 20), kWhite);
  EXPECT_EQ(b.pixel(31, 31), kWhite);
  b.click(5, 5, kRightButton);
  EXPECT_EQ(b.pixel(0, 0), kBlue);
  EXPECT_EQ(b.pixel(20, 20), kRed);
}

TEST(FillToolTest, PatternTilesFromTheCanvasOriginNotFromThePressPoint) {
  ToolBench b(kFloodFillTool);
  drawOutline(b.host.surface);
  b.host.lists["cboFillType"] = 1;
  Picture tile(2, 2, pixelFromColor(kGreen));
  tile.at(0, 0) = pixelFromColor(kBlue);
  b.host.pattern = tile;
  b.click(21, 17);
  // Blue where x and y are both even, whatever the press point.
  EXPECT_EQ(b.pixel(12, 12), kBlue);
  EXPECT_EQ(b.pixel(13, 12), kGreen);
  EXPECT_EQ(b.pixel(21, 17), kGreen);
  EXPECT_EQ(b.pixel(10, 12), kBlack);
  EXPECT_EQ(b.pixel(8, 8), kWhite);
  // The pattern lasts for one fill only.
  EXPECT_EQ(b.host.surface.selectedPattern(), nullptr);
}

TEST(FillToolTest, PatternWithoutPictureFillsWithDrawingColour) {
  ToolBench b(kFloodFillTool);
  drawOutline(b.host.surface);
  b.host.lists["cboFillType"] = 1;
  b.click(20, 20);
  EXPECT_EQ(b.pixel(12, 12), kRed);
  b.host.pattern = Picture();  // a null picture counts as none
  b.click(5, 5, kRightButton);
  EXPECT_EQ(b.pixel(5, 5), kBlue);
}

TEST(FillToolTest, DraggingAfterTheFillPressChangesNothing) {
  ToolBench b(kFloodFillTool);
  drawOutline(b.host.surface);
  b.down(20, 20);
  b.move(5, 5);
  b.up(5, 5);
  EXPECT_EQ(b.pixel(20, 20), kRed);
  EXPECT_EQ(b.pixel(5, 5), kWhite);
}

TEST(GradientToolTest, LeftToRightEndColumns) {
  ToolBench b(kGradientTool);
  b.host.surface.Resize(130, 80);
  b.host.c1 = 0x00000000;
  b.host.c2 = 0x00FFFFFF;
  b.host.lists["cboGrade"] = 0;
  b.drag(10, 10, 110, 60, kRightButton);  // the button's colour plays no part
  for (int y = 10; y < 60; ++y) {
    ASSERT_EQ(b.pixel(10, y), 0x00000000u);
    ASSERT_EQ(b.pixel(60, y), b.pixel(60, 10)) << "every column uniform";
  }
  const Color last = b.pixel(109, 30);
  EXPECT_GE(redOf(last), 250);
  EXPECT_EQ(b.pixel(110, 30), kWhite) << "right column excluded";
  EXPECT_EQ(b.pixel(30, 60), kWhite) << "bottom row excluded";
  EXPECT_LT(redOf(b.pixel(40, 30)), redOf(b.pixel(80, 30)));
}

TEST(GradientToolTest, TopToBottomAndReversedDragsKeepColor1AtThePressSide) {
  ToolBench b(kGradientTool);
  b.host.c1 = kRed;
  b.host.c2 = kBlue;
  b.host.lists["cboGrade"] = 1;
  b.drag(10, 40, 40, 10);  // upward
  EXPECT_EQ(b.pixel(20, 39), kRed) << "Color1 at the press side";
  EXPECT_EQ(b.pixel(20, 10), b.pixel(35, 10)) << "every row uniform";
  EXPECT_GT(blueOf(b.pixel(20, 10)), 240);
  b.host.lists["cboGrade"] = 0;
  b.drag(55, 45, 45, 41);  // to the left
  EXPECT_EQ(b.pixel(54, 43), kRed);
  EXPECT_GT(blueOf(b.pixel(45, 43)), 200);
}

TEST(GradientToolTest, RubberBandIsBlackWhateverThePaletteAndOnlyOnTheVisibleLayer) {
  ToolBench b(kGradientTool);
  b.host.lists["cboGrade"] = 0;
  b.down(10, 10);
  b.move(30, 20);
  EXPECT_EQ(visiblePixel(b.host.surface, 20, 10), kBlack);
  EXPECT_EQ(visiblePixel(b.host.surface, 30, 15), kBlack);
  EXPECT_EQ(visiblePixel(b.host.surface, 20, 15), kWhite);
  EXPECT_EQ(b.pixel(20, 10), kWhite);
  b.up(30, 20);
  EXPECT_EQ(b.pixel(10, 15), kRed);
}

TEST(GradientToolTest, VertexChannelsCarryTheByteInTheirHighHalf) {
  TriVertex v;
  SetVertexColor(v, 0x00336699u);
  EXPECT_EQ(v.red, 0x9900);
  EXPECT_EQ(v.green, 0x6600);
  EXPECT_EQ(v.blue, 0x3300);
  EXPECT_EQ(v.alpha, 0);
  SetVertexColor(v, 0x00FFFFFFu);
  EXPECT_EQ(v.red, 0xFF00);
  EXPECT_EQ(TranslateColor(0x80000005u), kBlack);
  EXPECT_EQ(TranslateColor(0x00123456u), 0x00123456u);
}

TEST(PickerToolTest, ButtonChoosesWhichPaletteColourTakesThePixel) {
  ToolBench b(kPickerTool);
  b.host.surface.SetPixel(5, 5, kGreen);
  b.host.surface.SetPixel(6, 5, 0x00123456u);
  b.click(5, 5, kRightButton);
  EXPECT_EQ(b.host.c2, kGreen);
  EXPECT_EQ(b.host.c1, kRed);
  // Dragging keeps picking; the last position before the release wins.
  b.down(5, 5);
  b.move(6, 5);
  b.up(6, 5);
  EXPECT_EQ(b.host.c1, 0x00123456u);
  b.click(5, 5, kMiddleButton);
  b.down(5, 5);
  b.move(6, 5, kLeftButton | kRightButton);
  b.up(6, 5);
  EXPECT_EQ(b.host.c1, kGreen) << "the press picks, the two-button movement does not";
  EXPECT_EQ(b.host.c2, kGreen);
  EXPECT_EQ(b.markedPixels(), 2) << "the canvas is not touched";
}

TEST(PickerToolTest, DragBeyondTheEdgeKeepsTheLastRealColour) {
  ToolBench b(kPickerTool);
  b.host.surface.SetPixel(59, 5, kGreen);
  b.down(59, 5);
  b.move(70, 5);
  b.up(70, 5);
  EXPECT_EQ(b.host.c1, kGreen);
}

}  // namespace pictavo
