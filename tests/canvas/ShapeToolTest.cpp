// Shape tools through the engine: previews stay on the visible layer, the
// release draws into the persistent image, the circle's radius rule, reversed
// drags, colours by button, the star's rays and the polygon's chain.
#include "canvas/ShapeTool.h"
#include "support/TestPictures.h"
#include "ToolTestHost.h"

#include <gtest/gtest.h>

namespace pictavo {
using namespace test;

namespace {

Color visiblePixel(const Surface& s, int x, int y) {
  return colorFromPixel(s.visibleBits()[std::size_t(y) * std::size_t(s.stride()) + std::size_t(x)]);
}

}  // namespace

TEST(ShapeToolTest, LineClickLeavesDotOfLineWidth) {
  ToolBench b(kLineTool, 3);
  b.click(20, 20);
  EXPECT_EQ(b.pixel(20, 20), kRed);
  EXPECT_EQ(b.pixel(19, 20), kRed);
  EXPECT_EQ(b.pixel(20, 21), kRed);
  EXPECT_EQ(b.pixel(22, 20), kWhite);
  EXPECT_EQ(b.markedPixels(), 9) << "one dot 3 wide, nothing else";
}

TEST(ShapeToolTest, PreviewIsErasedByNextMoveAndOnlyReleaseIsPersistent) {
  ToolBench b(kLineTool);
  b.down(5, 5);
  b.move(40, 5);
  EXPECT_EQ(visiblePixel(b.host.surface, 30, 5), kRed);
  EXPECT_EQ(b.pixel(30, 5), kWhite) << "the preview must not reach the persistent image";
  b.move(5, 40);
  EXPECT_EQ(visiblePixel(b.host.surface, 30, 5), kWhite) << "the previous preview is erased";
  EXPECT_EQ(visiblePixel(b.host.surface, 5, 30), kRed);
  b.up(5, 40);
  EXPECT_EQ(b.pixel(5, 30), kRed);
  EXPECT_EQ(b.pixel(30, 5), kWhite);
}

TEST(ShapeToolTest, CircleIsCentredOnPressWithDragLengthAsRadius) {
  EXPECT_FLOAT_EQ(ShapeTool::circleRadius(10, 10, 13, 14), 5.0f);
  ToolBench b(kCircleTool);
  b.drag(30, 25, 40, 25);
  EXPECT_EQ(b.pixel(40, 25), kRed);
  EXPECT_EQ(b.pixel(20, 25), kRed);
  EXPECT_EQ(b.pixel(30, 15), kRed);
  EXPECT_EQ(b.pixel(30, 35), kRed);
  EXPECT_EQ(b.pixel(41, 25), kWhite);
  EXPECT_EQ(b.pixel(30, 25), kWhite) << "hollow";
}

TEST(ShapeToolTest, ReversedDragsDrawTheSameFigures) {
  for (int tool : {kRectangleTool, kFilledRectangleTool, kEllipseTool, kFilledRoundRectTool}) {
    ToolBench forward(tool), reversed(tool);
    forward.drag(10, 8, 45, 30);
    reversed.drag(45, 30, 10, 8);
    EXPECT_EQ(rowsOf(forward.host.surface), rowsOf(reversed.host.surface)) << "tool " << tool;
    EXPECT_GT(forward.markedPixels(), 0) << "tool " << tool;
  }
}

TEST(ShapeToolTest, RightButtonDrawsAndFillsInColor2) {
  for (int tool : {kFilledRectangleTool, kFilledCircleTool, kFilledEllipseTool, kFilledRoundRectTool}) {
    ToolBench b(tool);
    b.drag(20, 20, 34, 34, kRightButton);
    // The interior: the press point is inside every one of these figures
    // except the circle, whose centre it is.
    const int cx = tool == kFilledCircleTool ? 20 : 27;
    EXPECT_EQ(b.pixel(cx, cx), kBlue) << "tool " << tool;
    EXPECT_EQ(b.pixel(cx + 1, cx), kBlue) << "tool " << tool;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 60; ++x) ASSERT_NE(b.pixel(x, y), kRed) << "tool " << tool;
  }
}

TEST(ShapeToolTest, HollowShapesLeaveTheInteriorAlone) {
  for (int tool : {kRectangleTool, kCircleTool, kEllipseTool, kRoundRectTool}) {
    ToolBench b(tool);
    b.host.surface.FillColor = kGreen;  // must not be used: FillStyle is transparent
    b.drag(20, 20, 40, 40);
    EXPECT_EQ(b.pixel(30, 30), kWhite) << "tool " << tool;
    if (tool == kCircleTool) {
      EXPECT_EQ(b.pixel(20, 20), kWhite);
    }
  }
}

TEST(ShapeToolTest, StarLeavesOneRayPerMovementFromTheFixedPressPoint) {
  ToolBench b(kStarTool);
  b.down(30, 25);
  b.move(50, 25);
  b.move(30, 45);
  b.move(10, 25);
  // Rays are final as they go, before the release.
  EXPECT_EQ(b.pixel(45, 25), kRed);
  EXPECT_EQ(b.pixel(30, 40), kRed);
  EXPECT_EQ(b.pixel(15, 25), kRed);
  b.up(10, 25);
  EXPECT_EQ(b.host.surface.GetPixel(40, 35), kWhite) << "no line between consecutive pointer positions";
  EXPECT_FLOAT_EQ(b.engine.state().startX, 30.0f);
}

// ---- polygon -----------------------------------------------------------------

TEST(ShapeToolTest, PolygonClicksChainEdgesAndDoubleClickEndsIt) {
  ToolBench b(kPolygonTool);
  b.click(10, 10);
  EXPECT_TRUE(b.engine.state().polygonOpen);
  EXPECT_EQ(b.pixel(10, 10), kRed) << "the first vertex is a dot";
  b.click(40, 10);
  EXPECT_EQ(b.pixel(25, 10), kRed);
  b.click(40, 40);
  EXPECT_EQ(b.pixel(40, 25), kRed);
  // The platform's double-click: the second press arrives as a double-click.
  b.engine.doubleClick();
  b.up(40, 40);
  EXPECT_FALSE(b.engine.state().polygonOpen);
  EXPECT_EQ(b.pixel(25, 25), kWhite) << "the polygon is never closed automatically";
  // The next click starts afresh: a dot, no edge from the old vertex.
  b.click(10, 40);
  EXPECT_EQ(b.pixel(10, 40), kRed);
  EXPECT_EQ(b.pixel(25, 40), kWhite);
  EXPECT_TRUE(b.engine.state().polygonOpen);
}

TEST(ShapeToolTest, PolygonDragAddsEdgeAndJoinsItsStartToThePreviousVertex) {
  ToolBench b(kPolygonTool);
  b.click(10, 10);
  b.drag(10, 40, 50, 40);
  EXPECT_EQ(b.pixel(10, 25), kRed) << "joining edge";
  EXPECT_EQ(b.pixel(30, 40), kRed) << "dragged edge";
  EXPECT_FLOAT_EQ(b.engine.state().anchorX, 50.0f);
  b.click(50, 10);
  EXPECT_EQ(b.pixel(50, 25), kRed) << "continues from the dragged edge's end";
}

TEST(ShapeToolTest, PolygonContinuesFromTheEraserDabCorner) {
  ToolBench b(kPolygonTool);
  b.host.texts["cboWidth"] = "10";
  b.host.lists["cboEraseType"] = 0;
  b.click(5, 5);
  b.engine.chooseTool(kEraserTool);
  b.click(50, 40);  // dab corner (45, 35)
  b.engine.chooseTool(kPolygonTool);
  b.host.surface.ForeColor = kRed;
  b.click(45, 10);
  EXPECT_EQ(b.pixel(45, 20), kRed) << "the edge starts at the dab's corner, not at the old vertex";
  EXPECT_EQ(b.pixel(25, 7), kWhite);
  EXPECT_EQ(b.pixel(25, 8), kWhite);
}

}  // namespace pictavo
