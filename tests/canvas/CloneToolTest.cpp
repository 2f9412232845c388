// Clone tool through the engine: marking a source with Alt, the offset fixed
// by the first movement, block copies at the pointer, overlapping copies and
// clipping at the edge.
#include "support/TestPictures.h"
#include "ToolTestHost.h"

#include <gtest/gtest.h>

namespace pictavo {
using namespace test;

namespace {

// A canvas whose every pixel differs: a copy from anywhere is visible.
void paintRamp(Surface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) s.SetPixel(x, y, composeColor(x * 4, y * 5, 77));
}

Color rampAt(int x, int y) { return composeColor(x * 4, y * 5, 77); }

struct CloneBench : ToolBench {
  explicit CloneBench(int size) : ToolBench(kCloneTool) {
    host.clone.width = host.clone.height = float(size);
    paintRamp(host.surface);
  }
};

}  // namespace

TEST(CloneToolTest, AltClickMarksSourceAndCentresTheMarker) {
  CloneBench b(5);
  b.click(20, 20, kRightButton, kAltKey);
  EXPECT_TRUE(b.engine.state().cloneSourcePending);
  EXPECT_FLOAT_EQ(b.engine.state().anchorX, 20.0f);
  EXPECT_EQ(b.host.clone, (OutlineShape{18, 18, 5, 5, true}));
  // Alt with another key is not "Alt alone".
  b.click(30, 30, kLeftButton, kAltKey | kShiftKey);
  EXPECT_FLOAT_EQ(b.engine.state().anchorX, 20.0f);
  // Choosing a tool clears the mark and hides the marker.
  b.engine.chooseTool(kCloneTool);
  EXPECT_FALSE(b.engine.state().cloneSourcePending);
  EXPECT_FALSE(b.host.clone.visible);
}

TEST(CloneToolTest, FirstMovementFixesTheOffsetThenBlocksCopyToThePointer) {
  CloneBench b(4);
  b.click(10, 10, kLeftButton, kAltKey);
  b.down(30, 20);
  b.move(31, 21);  // fixes the offset (21, 11), draws nothing
  EXPECT_FALSE(b.engine.state().cloneSourcePending);
  EXPECT_FLOAT_EQ(b.engine.state().cloneOffsetX, 21.0f);
  EXPECT_EQ(b.pixel(31, 21), rampAt(31, 21));
  b.move(40, 30);
  b.up(40, 30);
  // The block's top-left is the pointer; its source is pointer - offset.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(b.pixel(40 + x, 30 + y), rampAt(19 + x, 19 + y));
  EXPECT_EQ(b.pixel(44, 30), rampAt(44, 30));
  EXPECT_EQ(b.pixel(39, 30), rampAt(39, 30));
  EXPECT_EQ(b.host.clone, (OutlineShape{19, 19, 4, 4, true}));
  // A later stroke reuses the offset.
  b.drag(50, 40, 51, 40, kLeftButton, 1);
  EXPECT_EQ(b.pixel(51, 40), rampAt(30, 29));
}

TEST(CloneToolTest, WithoutASourceBlocksCopyOntoThemselves) {
  CloneBench b(10);
  b.drag(5, 5, 40, 30);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(b.pixel(x, y), rampAt(x, y));
  EXPECT_FALSE(b.host.clone.visible);
}

// Offset (2, 0) with 4-wide blocks: each copy reads its source as it was
// before that copy, so one step copies the old pixels, and repeated steps
// smear the picture along the drag.
TEST(CloneToolTest, OverlappingBlockCopiesTheOldPixels) {
  CloneBench b(4);
  b.click(10, 10, kLeftButton, kAltKey);
  b.down(12, 10);
  b.move(12, 10);  // offset (2, 0)
  b.move(20, 10);
  b.up(20, 10);
  for (int x = 0; x < 4; ++x) ASSERT_EQ(b.pixel(20 + x, 10), rampAt(18 + x, 10)) << x;
  b.down(22, 20);
  b.move(22, 20);
  b.move(24, 20);  // source 20..23 overlaps 22..23 written by the step before
  b.up(24, 20);
  EXPECT_EQ(b.pixel(24, 20), rampAt(20, 20));
  // Within one block, columns 24 and 25 are both read and written: the copy
  // takes what they held before it, not what it has just put there.
  EXPECT_EQ(b.pixel(26, 20), rampAt(22, 20));
}

TEST(CloneToolTest, BlocksBeyondTheEdgeAreClipped) {
  CloneBench b(10);
  b.click(20, 20, kLeftButton, kAltKey);
  b.down(50, 40);
  b.move(50, 40);  // offset (30, 20)
  b.move(55, 45);  // block 55..64 x 45..54 from 25..34 x 25..34
  b.move(-3, -4);  // block -3..6 x -4..5 from -33.. : source entirely outside
  b.up(-3, -4);
  EXPECT_EQ(b.pixel(59, 49), rampAt(29, 29));
  EXPECT_EQ(b.pixel(54, 45), rampAt(54, 45));
  EXPECT_EQ(b.pixel(0, 0), rampAt(0, 0));
  EXPECT_EQ(b.host.clone.left, -33.0f);
}

}  // namespace pictavo
