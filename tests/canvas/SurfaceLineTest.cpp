// PSet, Line, Box and FilledBox: exact pixels, dashes, clipping, rounding
// and the changed rectangles the surface reports.
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace pictavo {
using namespace test;
using Rows = std::vector<std::string>;

namespace {

Surface blank(int w, int h) { return Surface(w, h, kWhite); }


}  // namespace

TEST(SurfaceLine, EndPointsIncludedInBothDirections) {
  for (bool reversed : {false, true}) {
    Surface s = blank(7, 3);
    if (reversed) s.Line(5, 2, 0, 0); else s.Line(0, 0, 5, 2);
    EXPECT_EQ(rowsOf(s), (Rows{"##.....", "..##...", "....##."})) << reversed;
  }
  Surface steep = blank(3, 6);
  steep.Line(0, 0, 2, 5);
  EXPECT_EQ(rowsOf(steep), (Rows{"#..", "#..", ".#.", ".#.", "..#", "..#"}));
}

TEST(SurfaceLine, ZeroLengthLineIsOnePixelOrRoundDot) {
  Surface thin = blank(3, 3);
  thin.Line(1, 1, 1, 1);
  EXPECT_EQ(rowsOf(thin), (Rows{"...", ".#.", "..."}));

  Surface wide = blank(7, 7);
  wide.DrawWidth = 5;
  wide.Line(3, 3, 3, 3);
  const Rows dot{".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."};
  EXPECT_EQ(rowsOf(wide), dot);

  Surface pset = blank(7, 7);
  pset.DrawWidth = 5;
  pset.PSet(3, 3);
  EXPECT_EQ(rowsOf(pset), dot);
}

TEST(SurfaceLine, WideLineHasRoundEndsAndIsCentred) {
  Surface s = blank(12, 7);
  s.DrawWidth = 5;
  s.Line(3, 3, 8, 3);
  EXPECT_EQ(rowsOf(s), (Rows{"............",
                             "..########..",
                             ".##########.",
                             ".##########.",
                             ".##########.",
                             "..########..",
                             "............"}));
}

TEST(SurfaceLine, DashPatternsAtWidthOneRestartAtEachCall) {
  struct Case {
    int style;
    std::string period;
  };
  const std::vector<Case> cases{
      {kDash, std::string(18, '#') + std::string(6, '.')},
      {kDot, "###..."},
      {kDashDot, std::string(9, '#') + std::string(6, '.') + "###" + std::string(6, '.')},
      {kDashDotDot, std::string(9, '#') + "...###...###..."},
  };
  for (const Case& c : cases) {
    Surface s = blank(48, 2);
    s.DrawStyle = c.style;
    s.Line(0, 0, 47, 0);
    s.Line(0, 1, 20, 1);  // a second call starts the pattern again
    std::string expected;
    while (expected.size() < 48) expected += c.period;
    expected.resize(48);
    EXPECT_EQ(rowsOf(s)[0], expected) << "style " << c.style;
    EXPECT_EQ(rowsOf(s)[1], expected.substr(0, 21) + std::string(27, '.')) << "style " << c.style;
  }
}

TEST(SurfaceLine, DashesCountStepsAlongDiagonals) {
  Surface s = blank(8, 8);
  s.DrawStyle = kDot;
  s.Line(0, 0, 7, 7);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.GetPixel(i, i), (i % 6) < 3 ? kBlack : kWhite) << i;
}

TEST(SurfaceLine, EveryStyleIsSolidAboveWidthOne) {
  for (int style : {kDash, kDot, kDashDot, kDashDotDot}) {
    Surface s = blank(60, 5);
    s.DrawWidth = 3;
    s.DrawStyle = style;
    s.Line(2, 2, 57, 2);
    EXPECT_EQ(rowsOf(s)[2], "." + std::string(58, '#') + ".") << style;
  }
}

TEST(SurfaceLine, FractionalCoordinatesRoundHalfToEven) {
  Surface s = blank(6, 4);
  s.Line(0.5, 0.5, 3.5, 0.5);  // (0, 0) to (4, 0)
  s.PSet(2.5, 2.5);            // (2, 2)
  s.PSet(-0.5, 3.5);           // (0, 4): outside
  EXPECT_EQ(rowsOf(s), (Rows{"#####.", "......", "..#...", "......"}));
}

TEST(SurfaceBox, CornersIncludedAndReversedCornersGiveTheSameBox) {
  const Rows outline{"......", ".####.", ".#..#.", ".####.", "......"};
  const Rows filled{"......", ".####.", ".####.", ".####.", "......"};
  for (auto [x1, y1, x2, y2] : {std::array{1, 1, 4, 3}, std::array{4, 3, 1, 1}, std::array{4, 1, 1, 3}}) {
    Surface box = blank(6, 5);
    box.Line(x1, y1, x2, y2, {}, LineKind::Box);
    EXPECT_EQ(rowsOf(box), outline);
    Surface full = blank(6, 5);
    full.Line(x1, y1, x2, y2, {}, LineKind::FilledBox);
    EXPECT_EQ(rowsOf(full), filled);
  }
}

TEST(SurfaceBox, FilledBoxUsesTheLineColourNotFillColor) {
  Surface s = blank(3, 3);
  s.FillColor = 0x00FF0000;
  s.FillStyle = kFillSolid;
  s.Line(0, 0, 2, 2, 0x000000FF, LineKind::FilledBox);
  EXPECT_EQ(rowsOf(s), (Rows{"rrr", "rrr", "rrr"}));
}

TEST(SurfaceBox, WideOutlineIsCentredOnTheEdges) {
  Surface s = blank(12, 11);
  s.DrawWidth = 3;
  s.Line(2, 2, 9, 8, {}, LineKind::Box);
  EXPECT_EQ(rowsOf(s), (Rows{"............",
                             ".##########.",
                             ".##########.",
                             ".##########.",
                             ".###....###.",
                             ".###....###.",
                             ".###....###.",
                             ".##########.",
                             ".##########.",
                             ".##########.",
                             "............"}));
  // A wide filled box covers the box and the pen around it.
  Surface f = blank(12, 11);
  f.DrawWidth = 3;
  f.Line(2, 2, 9, 8, {}, LineKind::FilledBox);
  EXPECT_EQ(rowsOf(f)[4], ".##########.");
}

TEST(SurfaceBox, DashRunsClockwiseWithoutDoubledCorners) {
  Surface s = blank(8, 8);
  s.DrawStyle = kDot;
  s.Line(0, 0, 7, 7, {}, LineKind::Box);
  EXPECT_EQ(rowsOf(s), (Rows{"###...##",
                             ".......#",
                             "#.......",
                             "#.......",
                             "#.......",
                             ".......#",
                             ".......#",
                             ".###...#"}));
}

TEST(SurfaceBox, DegenerateBoxesAreLinesOrDots) {
  Surface s = blank(5, 3);
  s.Line(1, 1, 3, 1, {}, LineKind::Box);
  s.Line(0, 0, 0, 0, {}, LineKind::Box);
  EXPECT_EQ(rowsOf(s), (Rows{"#....", ".###.", "....."}));
}

TEST(SurfaceClip, HugeCoordinatesClipWithoutOverflow) {
  Surface s = blank(20, 10);
  s.Line(-1e9, 5, 1e9, 5);
  s.Line(-3e9, -3e9, 3e9, 3e9);  // clamped to the int range: still the diagonal
  Rows expected(10, std::string(20, '.'));
  expected[5] = std::string(20, '#');
  for (int i = 0; i < 10; ++i) expected[i][i] = '#';
  EXPECT_EQ(rowsOf(s), expected);

  Surface wide = blank(20, 10);
  wide.DrawWidth = 3;
  wide.Line(-2e9, 4, 2e9, 4);
  wide.Line(-1e9, -50, 1e9, -50);  // wholly outside
  wide.Line(1e9, 1e9, 1e9, 1e9, {}, LineKind::Box);
  wide.Line(-1e9, -1e9, 1e9, 1e9, {}, LineKind::Box);  // surface inside the hole
  Rows band(10, std::string(20, '.'));
  band[3] = band[4] = band[5] = std::string(20, '#');
  EXPECT_EQ(rowsOf(wide), band);

  Surface full = blank(4, 3);
  full.Line(-2147483648.0, -2147483648.0, 2147483647.0, 2147483647.0, {}, LineKind::FilledBox);
  EXPECT_EQ(rowsOf(full), (Rows{"####", "####", "####"}));
}

// A figure drawn on a small surface must equal the same window of that
// figure drawn, shifted, on a surface large enough to hold it whole.
TEST(SurfaceClip, ClippedLinesMatchTheUnclippedWindow) {
  const int kSmall = 24, kOffset = 40;
  unsigned seed = 7;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % unsigned(range)) - range / 4;
  };
  for (int n = 0; n < 300; ++n) {
    const int x1 = next(48), y1 = next(48), x2 = next(48), y2 = next(48);
    const int width = 1 + n % 4, style = n % 5;
    const LineKind kind = n % 3 == 0 ? LineKind::Box : LineKind::Line;
    Surface small = blank(kSmall, kSmall), big = blank(kSmall + 2 * kOffset, kSmall + 2 * kOffset);
    for (Surface* s : {&small, &big}) {
      s->DrawWidth = width;
      s->DrawStyle = style;
    }
    small.Line(x1, y1, x2, y2, {}, kind);
    big.Line(x1 + kOffset, y1 + kOffset, x2 + kOffset, y2 + kOffset, {}, kind);
    for (int y = 0; y < kSmall; ++y)
      for (int x = 0; x < kSmall; ++x)
        ASSERT_EQ(small.GetPixel(x, y), big.GetPixel(x + kOffset, y + kOffset))
            << "line " << x1 << "," << y1 << " " << x2 << "," << y2 << " width " << width << " at " << x << "," << y;
  }
}

TEST(SurfaceChanges, OneRectangleBoundingWhatWasWritten) {
  Surface s = blank(50, 40);
  std::vector<Rect> heard;
  s.setChangeListener([&](const Rect& r) { heard.push_back(r); });

  s.Line(2, 3, 8, 5);
  s.DrawWidth = 3;
  s.Line(10, 10, 20, 10, {}, LineKind::Box);
  s.Line(45, 30, 70, 30);  // partly outside
  s.Line(-10, -10, -5, -5);  // wholly outside: nothing to report
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0], (Rect{2, 3, 9, 6}));
  EXPECT_EQ(heard[1], (Rect{9, 9, 22, 12}));
  EXPECT_EQ(heard[2], (Rect{44, 29, 50, 32}));
}

TEST(SurfaceChanges, PreviewDrawingGoesToTheVisibleLayerOnly) {
  Surface s = blank(6, 3);
  s.SetAutoRedraw(false);
  s.Line(0, 1, 5, 1);
  EXPECT_EQ(visibleRowsOf(s)[1], "######");
  s.SetAutoRedraw(true);
  EXPECT_EQ(rowsOf(s)[1], "......");
  s.Refresh();
  EXPECT_EQ(visibleRowsOf(s)[1], "......");
}

}  // namespace pictavo
