// The window layout, scroll bars and canvas grips, without widgets.
#include "app/ViewportLayout.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

// A client area whose viewport is exactly 700 x 500 inside.
constexpr int kStatus = 20;
constexpr int kClientW = 700 + ViewportLayout::kHolderLeft;
constexpr int kClientH = 500 + ViewportLayout::kHolderTop + kStatus;

TEST(ViewportLayout, PlacesBarsAndSpacerAtTheViewportEdges) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 500, 400);
  EXPECT_EQ(l.holderWidth(), 700);
  EXPECT_EQ(l.holderHeight(), 500);
  EXPECT_EQ(l.toolsHeight(), 502);
  EXPECT_EQ(l.vBarLeft(), 682);
  EXPECT_EQ(l.vBarHeight(), 482);
  EXPECT_EQ(l.hBarTop(), 482);
  EXPECT_EQ(l.hBarWidth(), 682);
  EXPECT_EQ(l.spacerLeft(), 682);
  EXPECT_EQ(l.spacerTop(), 482);
}

TEST(ViewportLayout, CanvasThatFitsNeedsNoBars) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 500, 400);
  EXPECT_EQ(l.hBar().maximum, -182);
  EXPECT_EQ(l.vBar().maximum, -82);
  EXPECT_FALSE(l.hBar().enabled);
  EXPECT_FALSE(l.hBar().visible);
  EXPECT_FALSE(l.vBar().visible);
  // The canvas stays at its designed place until a bar moves.
  EXPECT_EQ(l.canvasLeft(), 3);
  EXPECT_EQ(l.canvasTop(), 2);
}

TEST(ViewportLayout, ScrollingMovesCanvasAndLeftGripsButNotTheResizeGrips) {
  ViewportLayout l;
  l.placeGrips(1000, 400);
  l.layout(kClientW, kClientH, kStatus, 1000, 400);
  EXPECT_EQ(l.hBar().maximum, 318);
  EXPECT_TRUE(l.hBar().visible);
  EXPECT_FALSE(l.vBar().visible);
  l.setHValue(318);
  EXPECT_EQ(l.canvasLeft(), -318);
  EXPECT_EQ(l.canvasTop(), 2);  // the other bar never changed
  for (int slot : {5, 8, 6}) EXPECT_EQ(l.grip(slot)->left, -318) << slot;
  EXPECT_EQ(l.grip(0)->left, 1000);
  EXPECT_EQ(l.grip(1)->left, 1000);
  l.setHValue(5000);  // beyond the range: the nearer end
  EXPECT_EQ(l.hBar().value, 318);
}

TEST(ViewportLayout, VerticalScrollMovesTheTopRowGrips) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 500, 900);
  l.setVValue(100);
  EXPECT_EQ(l.canvasTop(), -100);
  for (int slot : {3, 5, ViewportLayout::kItouch3}) EXPECT_EQ(l.grip(slot)->top, -100) << slot;
  EXPECT_EQ(l.canvasLeft(), 3);
}

TEST(ViewportLayout, EnlargingTheWindowClampsTheValueAndMovesTheCanvasBack) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 1000, 400);
  l.setHValue(200);
  l.layout(kClientW + 400, kClientH, kStatus, 1000, 400);
  EXPECT_EQ(l.hBar().maximum, -82);
  EXPECT_EQ(l.hBar().value, 0);
  EXPECT_EQ(l.canvasLeft(), 0);  // the change step ran: -value, no longer the design place
  EXPECT_FALSE(l.hBar().visible);
}

TEST(ViewportLayout, NegativeSizesInATinyWindowAreSkippedStepByStep) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 500, 400);
  l.layout(50, 30, kStatus, 500, 400);  // viewport width and height would be negative
  EXPECT_EQ(l.holderWidth(), 700);
  EXPECT_EQ(l.holderHeight(), 500);
  l.layout(120, 70, kStatus, 500, 400);  // viewport 7 x 8: bar lengths negative
  EXPECT_EQ(l.holderWidth(), 7);
  EXPECT_EQ(l.holderHeight(), 8);
  EXPECT_EQ(l.vBarHeight(), 482);  // kept
  EXPECT_EQ(l.hBarWidth(), 682);   // kept
  EXPECT_EQ(l.vBarLeft(), -11);    // positions may go negative
  EXPECT_EQ(l.hBar().maximum, 500 - 7 + 18);  // the later steps still ran
}

TEST(ViewportLayout, ScrollMaximumIsRoundedAndSaturatedTo16Bits) {
  EXPECT_EQ(roundToInt16(2.5), 2);
  EXPECT_EQ(roundToInt16(3.5), 4);
  EXPECT_EQ(roundToInt16(-2.5), -2);
  EXPECT_EQ(roundToInt16(40000), 32767);
  EXPECT_EQ(roundToInt16(-40000), -32768);
  ViewportLayout l;
  l.layout(ViewportLayout::kHolderLeft + 10, ViewportLayout::kHolderTop + 10 + kStatus, kStatus, 32767, 32767);
  EXPECT_EQ(l.hBar().maximum, 32767);
  EXPECT_TRUE(l.hBar().enabled);
}

TEST(ViewportLayout, PlaceGripsUsesTruncatingDivisionAndKeepsOtherCoordinates) {
  ViewportLayout l;
  l.setVValue(0);
  l.placeGrips(1, 1);  // (1 - 6) \ 2 truncates toward zero: -2
  EXPECT_EQ(l.grip(0)->top, -2);
  EXPECT_EQ(l.grip(2)->left, -2);
  EXPECT_EQ(l.grip(3)->left, -2);
  EXPECT_EQ(l.grip(3)->top, 0);
  EXPECT_EQ(l.grip(6)->left, 0);
  EXPECT_EQ(l.grip(6)->top, 1);
  EXPECT_FALSE(l.grip(4).has_value());
  EXPECT_FALSE(l.grip(7).has_value());
}

TEST(ViewportLayout, DraggingTheRightGripWidensTheCanvas) {
  ViewportLayout l;
  l.placeGrips(500, 400);
  l.gripPress(0, 1, 3.0f, 3.0f);
  auto r = l.gripMove(0, 1, 43.7f, 90.0f, 500, 400);  // 40.7 right truncates to 40; dy ignored
  ASSERT_TRUE(r.dragged);
  EXPECT_EQ(r.canvasWidth, 540);
  EXPECT_EQ(r.canvasHeight, 400);
  l.placeGrips(r.canvasWidth, r.canvasHeight);
  EXPECT_EQ(l.grip(2)->left, 267);
  EXPECT_EQ(l.grip(3)->left, 267);
}

TEST(ViewportLayout, CornerGripDraggedPastTheOriginLeavesOnePixel) {
  ViewportLayout l;
  l.placeGrips(500, 400);
  l.gripPress(1, 1, 0.0f, 0.0f);
  auto r = l.gripMove(1, 1, -900.0f, -900.0f, 500, 400);
  EXPECT_EQ(r.canvasWidth, 1);
  EXPECT_EQ(r.canvasHeight, 1);
}

TEST(ViewportLayout, OnlyALeftDragOfThePressedGripResizes) {
  ViewportLayout l;
  l.placeGrips(500, 400);
  l.gripPress(2, 2, 0.0f, 0.0f);  // right button: no drag
  EXPECT_FALSE(l.gripMove(2, 2, 0.0f, 30.0f, 500, 400).dragged);
  l.gripPress(2, 1, 0.0f, 0.0f);
  EXPECT_FALSE(l.gripMove(0, 1, 30.0f, 0.0f, 500, 400).dragged);  // another grip
  EXPECT_FALSE(l.gripMove(2, 1 | 2, 0.0f, 30.0f, 500, 400).dragged);  // not the left button alone
  EXPECT_EQ(l.gripMove(2, 1, 0.0f, 30.0f, 500, 400).canvasHeight, 430);
  l.gripRelease(2);
  EXPECT_FALSE(l.gripMove(2, 1, 0.0f, 60.0f, 500, 430).dragged);
  // A decorative grip drags without changing any size.
  l.gripPress(5, 1, 0.0f, 0.0f);
  auto r = l.gripMove(5, 1, 50.0f, 50.0f, 500, 430);
  EXPECT_TRUE(r.dragged);
  EXPECT_EQ(r.canvasWidth, 500);
  EXPECT_EQ(r.canvasHeight, 430);
}

// ---- zoom ------------------------------------------------------------------

TEST(ViewportLayout, ZoomedCanvasUsesItsDisplayedSizeForBarsAndGrips) {
  ViewportLayout l;
  l.setZoom({8, 1});
  l.placeGrips(101, 50);  // shown 808 x 400
  l.layout(kClientW, kClientH, kStatus, 101, 50);
  EXPECT_EQ(l.hBar().maximum, 808 - 700 + 18);
  EXPECT_FALSE(l.vBar().enabled);
  EXPECT_EQ(l.grip(0)->left, 808);
  EXPECT_EQ(l.grip(0)->top, 197);
  EXPECT_EQ(l.grip(2)->left, 401);
  l.setZoom({1, 3});
  l.placeGrips(101, 50);  // ceil(101 / 3) x ceil(50 / 3)
  EXPECT_EQ(l.grip(1)->left, 34);
  EXPECT_EQ(l.grip(1)->top, 17);
  // Zoomed in far, the displayed canvas outgrows the 16-bit range of the
  // bars at actual size, and all of it can still be reached.
  l.setZoom({64, 1});
  l.updateScrollBars(1000, 10);
  EXPECT_EQ(l.hBar().maximum, 64000 - 700 + 18);
}

TEST(ViewportLayout, GripDragAtZoomGivesThePictureSizeTheGripShows) {
  ViewportLayout l;
  l.setZoom({8, 1});
  l.placeGrips(100, 50);
  l.gripPress(0, 1, 3.0f, 3.0f);
  // The grip at 800 + 20 = 820 screen pixels: 102.5 picture pixels, halves up.
  EXPECT_EQ(l.gripMove(0, 1, 23.0f, 3.0f, 100, 50).canvasWidth, 103);
  l.gripRelease(0);
  l.setZoom({1, 4});
  l.placeGrips(100, 50);  // grip 0 at 25
  l.gripPress(0, 1, 0.0f, 0.0f);
  EXPECT_EQ(l.gripMove(0, 1, 5.0f, 0.0f, 100, 50).canvasWidth, 120);
  l.gripPress(1, 1, 0.0f, 0.0f);
  // The grip stops at screen pixel 1, which shows four picture pixels.
  const auto r = l.gripMove(1, 1, -500.0f, -500.0f, 100, 50);
  EXPECT_EQ(r.canvasWidth, 4);
  EXPECT_EQ(r.canvasHeight, 4);
}

TEST(ViewportLayout, FitTakesTheLargestLevelThatNeedsNoBar) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 500, 400);  // 682 x 482 beside the bars
  EXPECT_EQ(l.fitZoom(2000, 1500), (ZoomFactor{1, 4}));  // 500 x 375; 1/3 would be 667 x 500
  EXPECT_EQ(l.fitZoom(10, 10), (ZoomFactor{48, 1}));     // 480; 64 would be 640 x 640
  EXPECT_EQ(l.fitZoom(682, 482), ZoomFactor{});
  EXPECT_EQ(l.fitZoom(683, 482), (ZoomFactor{2, 3}));
  EXPECT_EQ(l.fitZoom(32767, 16384), (ZoomFactor{1, 16}));  // none fits
}

TEST(ViewportLayout, ZoomKeepsThePointAtTheAnchor) {
  ViewportLayout l;
  l.layout(kClientW, kClientH, kStatus, 2000, 2000);
  l.setHValue(100);
  l.setVValue(50);
  // Picture point (100 + 341, 50 + 241) at the centre (341, 241): at 2x the
  // canvas must lie 2 * 441 - 341 = 541 and 2 * 291 - 241 = 341 up.
  EXPECT_EQ(l.valuesKeeping(341, 241, {2, 1}), (std::pair{541, 341}));
  // Halves round up: 441 / 2 - 341 = -120.5 -> -120.
  EXPECT_EQ(l.valuesKeeping(341, 241, {1, 2}).first, -120);
  l.setZoom({8, 1});
  // Under the pointer at (20, 30) lies (120 / 8, 80 / 8); at 12x it is 180 - 20 away.
  EXPECT_EQ(l.valuesKeeping(20, 30, {12, 1}), (std::pair{160, 90}));
}

}  // namespace
}  // namespace pictavo
