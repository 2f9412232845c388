// Circle, Ellipse and RoundRect: the radius rule, the fitting convention,
// symmetry, closed outlines, interiors, wide outlines and clipping.
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace pictavo {
using namespace test;
using Rows = std::vector<std::string>;

namespace {

constexpr Color kRed = 0x000000FF;

Surface blank(int w, int h) { return Surface(w, h, kWhite); }

bool is(const Surface& s, int x, int y, Color c) { return s.GetPixel(x, y) == c; }

// Bounding box of the pixels that are not white.
Rect drawnBounds(const Surface& s) {
  Rect r;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.GetPixel(x, y) != kWhite) r = r.united(Rect{x, y, x + 1, y + 1});
  return r;
}

// The pixels of colour c form one piece (8-connected): no gaps.
bool connected(const Surface& s, Color c) {
  const int w = s.Width(), h = s.Height();
  std::vector<char> seen(std::size_t(w) * h, 0);
  int pieces = 0;
  for (int y0 = 0; y0 < h; ++y0)
    for (int x0 = 0; x0 < w; ++x0) {
      if (!is(s, x0, y0, c) || seen[y0 * w + x0]) continue;
      ++pieces;
      std::vector<std::pair<int, int>> todo{{x0, y0}};
      seen[y0 * w + x0] = 1;
      while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (is(s, nx, ny, c) && !seen[ny * w + nx]) {
              seen[ny * w + nx] = 1;
              todo.push_back({nx, ny});
            }
          }
      }
    }
  return pieces == 1;
}

// Drawn pixels mirror about the centre of the rectangle l..r-1 x t..b-1.
bool mirrored(const Surface& s, int l, int t, int r, int b) {
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) {
      const Color c = s.GetPixel(x, y);
      if (c != s.GetPixel(l + r - 1 - x, y) || c != s.GetPixel(x, t + b - 1 - y)) return false;
    }
  return true;
}

// Every row of non-white pixels is one unbroken run (no gap between the
// outline and the interior).
bool rowsSolid(const Surface& s) {
  for (int y = 0; y < s.Height(); ++y) {
    int runs = 0;
    for (int x = 0; x < s.Width(); ++x)
      if (!is(s, x, y, kWhite) && (x == 0 || is(s, x - 1, y, kWhite))) ++runs;
    if (runs > 1) return false;
  }
  return true;
}

}  // namespace

TEST(SurfaceCircle, RadiusTenPassesThroughTheAxisPixelsAndIsSymmetric) {
  Surface s = blank(25, 25);
  s.Circle(12, 12, 10.0f);
  for (auto [x, y] : {std::pair{2, 12}, {22, 12}, {12, 2}, {12, 22}}) EXPECT_TRUE(is(s, x, y, kBlack)) << x << "," << y;
  EXPECT_EQ(drawnBounds(s), (Rect{2, 2, 23, 23}));
  EXPECT_TRUE(is(s, 12, 12, kWhite));
  // The same under a quarter turn: transposing changes nothing.
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x) ASSERT_EQ(s.GetPixel(x, y), s.GetPixel(y, x)) << x << "," << y;
}

TEST(SurfaceCircle, OutlinesAreConnectedSymmetricAndReachTheRoundedRadius) {
  for (float r = 0.5f; r <= 24.0f; r += 0.37f) {
    Surface s = blank(51, 51);
    s.Circle(25, 25, r);
    const int reach = int(std::floor(r + 0.5f));
    EXPECT_EQ(drawnBounds(s), (Rect{25 - reach, 25 - reach, 26 + reach, 26 + reach})) << r;
    EXPECT_TRUE(mirrored(s, 0, 0, 51, 51)) << r;
    if (reach >= 1) {
      EXPECT_TRUE(connected(s, kBlack)) << r;
    }
    for (int y = 0; y < 51; ++y)
      for (int x = 0; x < 51; ++x) ASSERT_EQ(s.GetPixel(x, y), s.GetPixel(y, x)) << r;
  }
}

TEST(SurfaceCircle, TinyAndInvalidRadiiGiveTheCentrePixel) {
  for (float r : {0.0f, 0.3f, 0.49f, -5.0f, NAN}) {
    Surface s = blank(5, 5);
    s.FillStyle = kFillSolid;
    s.FillColor = kRed;
    s.Circle(2, 2, r);
    EXPECT_EQ(rowsOf(s), (Rows{".....", ".....", "..#..", ".....", "....."})) << r;
  }
}

TEST(SurfaceCircle, InteriorFollowsFillStyle) {
  Surface solid = blank(23, 23);
  solid.FillStyle = kFillSolid;
  solid.FillColor = kRed;
  solid.Circle(11, 11, 8.0f);
  EXPECT_TRUE(is(solid, 11, 11, kRed));
  EXPECT_TRUE(is(solid, 4, 11, kRed));     // just inside the outline
  EXPECT_TRUE(is(solid, 3, 11, kBlack));   // the outline itself
  EXPECT_TRUE(rowsSolid(solid));

  Surface hollow = blank(23, 23);
  hollow.FillColor = kRed;  // FillStyle stays transparent
  hollow.Circle(11, 11, 8.0f);
  EXPECT_TRUE(is(hollow, 11, 11, kWhite));
  Surface plain = blank(23, 23);
  plain.Circle(11, 11, 8.0f);
  EXPECT_EQ(rowsOf(hollow), rowsOf(plain));
}

TEST(SurfaceCircle, WideOutlineIsCentredOnTheCircle) {
  Surface s = blank(31, 31);
  s.DrawWidth = 3;
  s.FillStyle = kFillSolid;
  s.FillColor = kRed;
  s.Circle(15, 15, 10.0f);
  for (int d : {9, 10, 11}) EXPECT_TRUE(is(s, 15 + d, 15, kBlack) && is(s, 15, 15 - d, kBlack)) << d;
  EXPECT_TRUE(is(s, 15 + 8, 15, kRed));
  EXPECT_TRUE(is(s, 15 + 12, 15, kWhite));
  EXPECT_TRUE(rowsSolid(s));
  EXPECT_TRUE(mirrored(s, 0, 0, 31, 31));
}

TEST(SurfaceCircle, DashedOutlineIsPartOfTheSolidOneAndSolidWhenWide) {
  Surface solid = blank(61, 61), dotted = blank(61, 61);
  solid.Circle(30, 30, 25.0f);
  dotted.DrawStyle = kDot;
  dotted.Circle(30, 30, 25.0f);
  int solidCount = 0, dottedCount = 0;
  for (int y = 0; y < 61; ++y)
    for (int x = 0; x < 61; ++x) {
      solidCount += is(solid, x, y, kBlack);
      dottedCount += is(dotted, x, y, kBlack);
      if (is(dotted, x, y, kBlack)) {
        ASSERT_TRUE(is(solid, x, y, kBlack));
      }
    }
  EXPECT_GT(dottedCount, solidCount * 4 / 10);
  EXPECT_LT(dottedCount, solidCount * 6 / 10);

  Surface wideSolid = blank(61, 61), wideDashed = blank(61, 61);
  wideSolid.DrawWidth = wideDashed.DrawWidth = 2;
  wideDashed.DrawStyle = kDashDot;
  wideSolid.Circle(30, 30, 20.0f);
  wideDashed.Circle(30, 30, 20.0f);
  EXPECT_EQ(rowsOf(wideSolid), rowsOf(wideDashed));
}

TEST(SurfaceCircle, HugeAndFarCirclesClip) {
  Surface s = blank(20, 10);
  s.FillStyle = kFillSolid;
  s.FillColor = kRed;
  s.Circle(1e9, 1e9, 5.0f);       // far away
  s.Circle(5, 5, 1e30f);          // the surface lies deep inside
  EXPECT_EQ(rowsOf(s), Rows(10, std::string(20, 'r')));

  Surface edge = blank(20, 10);
  edge.Circle(10, 2000000000.0, 2000000000.0f - 5);  // its top arc crosses near row 5
  const Rect drawn = drawnBounds(edge);
  EXPECT_FALSE(drawn.isEmpty());
  EXPECT_LE(drawn.height(), 3);
}

TEST(SurfaceEllipse, FitsTheRectangleWithoutItsRightColumnAndBottomRow) {
  Surface s = blank(12, 8);
  s.Ellipse(0, 0, 10, 6);
  EXPECT_EQ(rowsOf(s), (Rows{"..######....",
                             ".#......#...",
                             "#........#..",
                             "#........#..",
                             ".#......#...",
                             "..######....",
                             "............",
                             "............"}));
  Surface reversed = blank(12, 8);
  reversed.Ellipse(10, 6, 0, 0);
  EXPECT_EQ(rowsOf(reversed), rowsOf(s));
}

TEST(SurfaceEllipse, EverySizeFitsIsMirroredAndConnected) {
  for (int w = 1; w <= 24; ++w)
    for (int h = 1; h <= 24; h += (h < 6 ? 1 : 5)) {
      Surface s = blank(30, 30);
      s.FillStyle = kFillSolid;
      s.FillColor = kRed;
      s.Ellipse(3, 2, 3 + w, 2 + h);
      ASSERT_EQ(drawnBounds(s), (Rect{3, 2, 3 + w, 2 + h})) << w << "x" << h;
      ASSERT_TRUE(mirrored(s, 3, 2, 3 + w, 2 + h)) << w << "x" << h;
      ASSERT_TRUE(rowsSolid(s)) << w << "x" << h;
      if (w >= 3 && h >= 3) {
        Surface outline = blank(30, 30);
        outline.Ellipse(3, 2, 3 + w, 2 + h);
        ASSERT_TRUE(connected(outline, kBlack)) << w << "x" << h;
      }
    }
}

TEST(SurfaceEllipse, DegenerateRectanglesDrawNothingOrALine) {
  Surface s = blank(8, 8);
  s.Ellipse(2, 2, 2, 6);
  s.Ellipse(2, 2, 6, 2);
  s.RoundRect(3, 3, 3, 3);
  EXPECT_TRUE(drawnBounds(s).isEmpty());
  s.Ellipse(1, 1, 2, 7);
  EXPECT_EQ(drawnBounds(s), (Rect{1, 1, 2, 7}));
}

TEST(SurfaceEllipse, WideOutlineStaysCentredAndMirrored) {
  Surface s = blank(40, 30);
  s.DrawWidth = 4;
  s.Ellipse(5, 5, 35, 25);
  EXPECT_EQ(drawnBounds(s), (Rect{3, 3, 37, 27}));
  EXPECT_TRUE(mirrored(s, 3, 3, 37, 27));
  EXPECT_TRUE(is(s, 20, 15, kWhite));
}

TEST(SurfaceRoundRect, CornersAreQuarterEllipsesOfTheCornerSize) {
  Surface rr = blank(40, 30), corner = blank(40, 30);
  rr.RoundRect(2, 3, 32, 25);
  corner.Ellipse(2, 3, 14, 15);
  // Top-left 6 x 6: the quarter of the 12 x 12 ellipse.
  for (int y = 3; y < 9; ++y)
    for (int x = 2; x < 8; ++x) ASSERT_EQ(rr.GetPixel(x, y), corner.GetPixel(x, y)) << x << "," << y;
  EXPECT_TRUE(mirrored(rr, 2, 3, 32, 25));
  EXPECT_EQ(drawnBounds(rr), (Rect{2, 3, 32, 25}));
  // Straight edges between the corners.
  for (int x = 8; x < 26; ++x) EXPECT_TRUE(is(rr, x, 3, kBlack) && is(rr, x, 24, kBlack)) << x;
  for (int y = 9; y < 19; ++y) EXPECT_TRUE(is(rr, 2, y, kBlack) && is(rr, 31, y, kBlack)) << y;
  EXPECT_TRUE(connected(rr, kBlack));
}

TEST(SurfaceRoundRect, CornerLargerThanTheRectangleIsAnEllipse) {
  Surface rr = blank(12, 10), ellipse = blank(12, 10);
  rr.RoundRect(1, 1, 9, 7);
  ellipse.Ellipse(1, 1, 9, 7);
  EXPECT_EQ(rowsOf(rr), rowsOf(ellipse));
}

TEST(SurfaceRoundRect, FilledWithFillColorInsideTheOutline) {
  Surface s = blank(30, 20);
  s.FillStyle = kFillSolid;
  s.FillColor = kRed;
  s.RoundRect(1, 1, 25, 15);
  EXPECT_TRUE(rowsSolid(s));
  EXPECT_TRUE(is(s, 13, 8, kRed));
  EXPECT_TRUE(is(s, 2, 8, kRed));
  EXPECT_TRUE(is(s, 1, 8, kBlack));
  EXPECT_TRUE(is(s, 13, 1, kBlack));
}

// Partly visible figures equal the window of the same figure drawn whole.
TEST(SurfaceClip, ClippedFiguresMatchTheUnclippedWindow) {
  const int kSmall = 24, kOffset = 40;
  unsigned seed = 11;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % unsigned(range)) - range / 4;
  };
  for (int n = 0; n < 240; ++n) {
    const int x1 = next(40), y1 = next(40), x2 = next(40), y2 = next(40);
    Surface small = blank(kSmall, kSmall), big = blank(kSmall + 2 * kOffset, kSmall + 2 * kOffset);
    for (Surface* s : {&small, &big}) {
      s->DrawWidth = 1 + (n % 7 == 0 ? 2 : 0) + (n % 5 == 0 ? 1 : 0);
      s->DrawStyle = n % 4;
      s->FillStyle = n % 2 ? kFillSolid : kFillTransparent;
      s->FillColor = kRed;
    }
    auto draw = [&](Surface& s, int d) {
      switch (n % 3) {
        case 0: s.Ellipse(x1 + d, y1 + d, x2 + d, y2 + d); break;
        case 1: s.RoundRect(x1 + d, y1 + d, x2 + d, y2 + d); break;
        default: s.Circle(x1 + d, y1 + d, float(std::abs(x2 - x1)) * 0.7f); break;
      }
    };
    draw(small, 0);
    draw(big, kOffset);
    for (int y = 0; y < kSmall; ++y)
      for (int x = 0; x < kSmall; ++x)
        ASSERT_EQ(small.GetPixel(x, y), big.GetPixel(x + kOffset, y + kOffset))
            << "figure " << n % 3 << " " << x1 << "," << y1 << " " << x2 << "," << y2 << " at " << x << "," << y;
  }
}

TEST(SurfaceClip, HugeEllipsesAndRoundRectsStayCheap) {
  Surface s = blank(20, 10);
  s.FillStyle = kFillSolid;
  s.FillColor = kRed;
  s.DrawStyle = kDash;
  s.Ellipse(-2147483647, -2147483647, 2147483647, 2147483647);  // surface deep inside
  EXPECT_EQ(rowsOf(s), Rows(10, std::string(20, 'r')));

  Surface edge = blank(20, 10);
  edge.DrawStyle = kDot;
  edge.RoundRect(-2000000000, 5, 2000000000, 2000000000);  // its top edge crosses row 5
  Rows expected(10, std::string(20, '.'));
  for (int x = 0; x < 20; ++x) expected[5][x] = edge.GetPixel(x, 5) == kBlack ? '#' : '.';
  EXPECT_EQ(rowsOf(edge), expected);
  EXPECT_NE(expected[5].find('#'), std::string::npos);
  EXPECT_NE(expected[5].find('.'), std::string::npos);
}

TEST(SurfaceChanges, FiguresReportOneBoundingRectangle) {
  Surface s = blank(50, 50);
  std::vector<Rect> heard;
  s.setChangeListener([&](const Rect& r) { heard.push_back(r); });
  s.FillStyle = kFillSolid;
  s.FillColor = kRed;
  s.Circle(20, 20, 10.0f);
  s.Ellipse(40, 40, 60, 60);
  s.DrawWidth = 3;
  s.RoundRect(5, 5, 15, 12);
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0], (Rect{10, 10, 31, 31}));
  EXPECT_EQ(heard[1], (Rect{40, 40, 50, 50}));
  EXPECT_EQ(heard[2], (Rect{4, 4, 16, 13}));
}

}  // namespace pictavo
