// Where the flat button puts its icon and caption, and which edge a style draws.
#include "controls/FlatButtonLayout.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(FlatButtonLayout, CaptionLeftByAlignmentAndIcon) {
  // A 40-pixel caption on a 113 x 25 button.
  EXPECT_EQ(captionPosition(kAlignCenter, 113, 25, 40, true).left, 39);
  EXPECT_EQ(captionPosition(kAlignCenter, 113, 25, 40, false).left, 36);
  EXPECT_EQ(captionPosition(kAlignRight, 113, 25, 40, true).left, 67);
  EXPECT_EQ(captionPosition(kAlignRight, 113, 25, 40, false).left, 67);
  EXPECT_EQ(captionPosition(kAlignLeft, 113, 25, 40, true).left, 22);
  EXPECT_EQ(captionPosition(kAlignLeft, 113, 25, 40, false).left, 6);
  EXPECT_EQ(captionPosition(7, 113, 25, 40, true).left, 0);
  EXPECT_EQ(captionPosition(-1, 113, 25, 40, true).left, 0);
}

TEST(FlatButtonLayout, DivisionTruncatesTowardZero) {
  EXPECT_EQ(captionPosition(kAlignCenter, 24, 24, 37, false).left, -6);   // -13 / 2
  EXPECT_EQ(iconTop(25), 4);
  EXPECT_EQ(iconTop(26), 5);
  EXPECT_EQ(iconTop(24), 4);
  EXPECT_EQ(iconTop(13), -1);  // (13 - 16) / 2, not -2
}

TEST(FlatButtonLayout, CaptionTopFollowsTheIcon) {
  EXPECT_EQ(captionPosition(kAlignCenter, 113, 25, 40, true).top, 6);
  EXPECT_EQ(captionPosition(kAlignCenter, 113, 26, 40, false).top, 7);
}

TEST(FlatButtonLayout, EdgeByStyleAndPress) {
  EXPECT_EQ(buttonEdge(0, false), 5);
  EXPECT_EQ(buttonEdge(0, true), 10);
  EXPECT_EQ(buttonEdge(1, false), 4);
  EXPECT_EQ(buttonEdge(1, true), 2);
  for (int style : {2, 3, -1}) {
    EXPECT_EQ(buttonEdge(style, false), 0);
    EXPECT_EQ(buttonEdge(style, true), 0);
  }
}

}  // namespace
}  // namespace pictavo
