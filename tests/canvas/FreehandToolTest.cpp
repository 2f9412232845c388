// Freehand tools through the engine: the curve's closing chord, the spray
// gun's offsets and its order of draws from the shared generator, the
// eraser's boxes and discs in the background colour, and the magic bag's
// stamp (placement, colouring, missing brush).
#include "base/Random.h"
#include "canvas/BrushStamp.h"
#include "canvas/SprayTool.h"
#include "support/TestPictures.h"
#include "ToolTestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

namespace pictavo {
using namespace test;

namespace {

constexpr Color kBack = 0x00C0E0FFu;  // canvas background in the eraser tests

}  // namespace

TEST(FreehandToolTest, CurveIsClosedByAChordBackToItsStart) {
  ToolBench b(kCurveTool);
  b.down(10, 10);
  b.move(40, 10);
  b.move(40, 40);
  EXPECT_EQ(b.pixel(25, 25), kWhite) << "no chord before the release";
  b.up(40, 40);
  EXPECT_EQ(b.pixel(25, 10), kRed);
  EXPECT_EQ(b.pixel(40, 25), kRed);
  EXPECT_EQ(b.pixel(25, 25), kRed) << "chord from the end back to the start";
  // A second stroke closes on its own start, not on the first one's.
  b.down(10, 45);
  b.move(30, 45);
  b.up(30, 45);
  EXPECT_EQ(b.pixel(20, 45), kRed);
  EXPECT_EQ(b.pixel(20, 27), kWhite);
}

TEST(FreehandToolTest, CurveClickLeavesOneDot) {
  ToolBench b(kCurveTool, 1);
  b.click(20, 20);
  EXPECT_EQ(b.pixel(20, 20), kRed);
  EXPECT_EQ(b.markedPixels(), 1);
}

TEST(FreehandToolTest, SprayOffsetRange) {
  // floor(r * width * 10) - 5 for r in [0, 1).
  EXPECT_EQ(SprayTool::offset(0.0, 1), -5);
  EXPECT_EQ(SprayTool::offset(0.99999, 1), 4);
  EXPECT_EQ(SprayTool::offset(0.99999, 3), 24);
  EXPECT_EQ(SprayTool::offset(0.5, 3), 10);
}

// The dots land exactly where the shared generator's draws put them: dx then
// dy for each dot, the first dot around the previous position and the other
// ten around the current one.
TEST(FreehandToolTest, SprayDrawsElevenDotsPerStepInGeneratorOrder) {
  for (int width : {1, 3}) {
    ToolBench b(kSprayTool, width);
    Random::shared().reset();
    b.down(20, 20);
    b.move(30, 25);
    b.up(30, 25);

    Random::shared().reset();
    Surface expected(60, 50, kWhite);
    expected.DrawWidth = width;
    expected.ForeColor = kRed;
    float cx = 20, cy = 20;
    const std::pair<float, float> steps[] = {{20, 20}, {30, 25}};
    std::set<std::pair<int, int>> centres;
    for (auto [x, y] : steps) {
      for (int i = 0; i < SprayTool::kDotsPerStep; ++i) {
        const int dx = SprayTool::offset(Random::shared().next(), width);
        const int dy = SprayTool::offset(Random::shared().next(), width);
        ASSERT_GE(dx, -5);
        ASSERT_LE(dx, 10 * width - 6);
        ASSERT_GE(dy, -5);
        ASSERT_LE(dy, 10 * width - 6);
        expected.PSet(cx + dx, cy + dy);
        cx = x;
        cy = y;
      }
    }
    EXPECT_EQ(rowsOf(b.host.surface, {{'.', kWhite}, {'r', kRed}}), rowsOf(expected, {{'.', kWhite}, {'r', kRed}}))
        << "width " << width;
    EXPECT_FLOAT_EQ(b.engine.state().startX, 30.0f);
  }
}

TEST(FreehandToolTest, SquareEraserPaintsBoxInBackgroundColourWhateverTheButton) {
  ToolBench b(kEraserTool, 1);
  b.host.surface.SetBackColor(kBack);
  b.host.surface.Line(0, 0, 59, 49, kBlack, LineKind::FilledBox);
  b.host.texts["cboWidth"] = "10";
  b.host.lists["cboEraseType"] = 0;
  b.click(30, 25, kRightButton);
  EXPECT_FLOAT_EQ(b.engine.state().anchorX, 25.0f);
  EXPECT_FLOAT_EQ(b.engine.state().anchorY, 20.0f);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool inside = x >= 25 && x <= 35 && y >= 20 && y <= 30;
      ASSERT_EQ(b.pixel(x, y), inside ? kBack : kBlack) << x << "," << y;
    }
}

TEST(FreehandToolTest, WiderLineEnlargesTheSquareDab) {
  ToolBench b(kEraserTool, 3);
  b.host.surface.Line(0, 0, 59, 49, kBlack, LineKind::FilledBox);
  b.host.texts["cboWidth"] = "10";
  b.click(30, 25);
  EXPECT_EQ(b.pixel(24, 25), kWhite) << "one pixel beyond the box";
  EXPECT_EQ(b.pixel(36, 25), kWhite);
  EXPECT_EQ(b.pixel(23, 25), kBlack);
}

TEST(FreehandToolTest, RoundEraserPaintsDiscOfRadiusSize) {
  ToolBench b(kEraserTool, 1);
  b.host.surface.SetBackColor(kBack);
  b.host.surface.Line(0, 0, 59, 49, kBlack, LineKind::FilledBox);
  b.host.texts["cboWidth"] = "10";
  b.host.lists["cboEraseType"] = 1;
  b.click(30, 25, kRightButton);
  EXPECT_EQ(b.pixel(30, 25), kBack);
  EXPECT_EQ(b.pixel(40, 25), kBack) << "radius s, not s / 2";
  EXPECT_EQ(b.pixel(30, 15), kBack);
  EXPECT_EQ(b.pixel(41, 25), kBlack);
  EXPECT_EQ(b.pixel(38, 33), kBlack) << "a disc, not a box";
  EXPECT_EQ(b.host.c2, kBlue) << "Color2 is not used";
}

TEST(FreehandToolTest, OddSizedBrushIsCentredOnThePointer) {
  ToolBench b(kBrushStampTool);
  b.host.surface.Resize(200, 150);
  b.host.brush.emplace(Surface::hiddenBuffer(21, 15));
  b.host.brush->Line(0, 0, 20, 14, kBlack, LineKind::FilledBox);
  b.click(100, 100);
  EXPECT_EQ(b.pixel(90, 93), kRed);
  EXPECT_EQ(b.pixel(110, 107), kRed);
  EXPECT_EQ(b.pixel(89, 93), kWhite);
  EXPECT_EQ(b.pixel(90, 92), kWhite);
  EXPECT_EQ(b.pixel(111, 107), kWhite);
  EXPECT_EQ(b.pixel(110, 108), kWhite);
}

TEST(FreehandToolTest, StampKeysMagentaColoursBlackByButtonAndKeepsOtherColours) {
  ToolBench b(kBrushStampTool);
  b.host.brush.emplace(surfaceFromRows({"m#m",
                                        "#g#",
                                        "m#m"}, {{'m', kMagenta}, {'#', kBlack}, {'g', kGreen}}));
  b.host.surface.Line(0, 0, 59, 49, kWhite, LineKind::FilledBox);
  b.click(10, 10);
  b.click(20, 10, kRightButton);
  const Legend legend{{'.', kWhite}, {'r', kRed}, {'b', kBlue}, {'g', kGreen}};
  const auto rows = rowsOf(b.host.surface, legend);
  EXPECT_EQ(rows[9].substr(9, 13), ".r.........b.");
  EXPECT_EQ(rows[10].substr(9, 13), "rgr.......bgb");
  EXPECT_EQ(rows[11].substr(9, 13), ".r.........b.");
  // The brush picture itself stays black.
  EXPECT_EQ(b.host.brush->GetPixel(1, 0), kBlack);
}

TEST(FreehandToolTest, NoBrushPictureLeavesNoMark) {
  ToolBench b(kBrushStampTool);
  b.host.stamp.Resize(5, 5);
  b.host.stamp.SetPixel(2, 2, kBlack);  // left over from an earlier brush
  b.drag(10, 10, 40, 30);
  EXPECT_EQ(b.markedPixels(), 0);
  EXPECT_EQ(b.host.stamp.Width(), 5) << "the stamp buffer keeps its size";
  EXPECT_EQ(b.host.stamp.GetPixel(2, 2), kMagenta);
}

TEST(FreehandToolTest, StampBufferTakesTheBrushSizeEachTime) {
  Surface stamp = Surface::hiddenBuffer(40, 40);
  Surface small = Surface::hiddenBuffer(3, 2);
  small.SetPixel(0, 0, kBlack);
  PrepareBrushStamp(stamp, &small, kGreen);
  EXPECT_EQ(stamp.Width(), 3);
  EXPECT_EQ(stamp.Height(), 2);
  EXPECT_EQ(stamp.GetPixel(0, 0), kGreen);
  EXPECT_EQ(stamp.GetPixel(2, 1), kMagenta);
}

}  // namespace pictavo
