// Flood fill (solid and pattern) and gradient fill.
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace pictavo {
using namespace test;
using Rows = std::vector<std::string>;

namespace {


Picture pictureFromColors(int w, int h, const std::vector<Color>& colors) {
  Picture p(w, h);
  for (int i = 0; i < w * h; ++i) p.pixels[std::size_t(i)] = pixelFromColor(colors[std::size_t(i)]);
  return p;
}

constexpr Color kRed = 0x000000FFu, kGreen = 0x0000FF00u, kBlue = 0x00FF0000u;

}  // namespace

TEST(FloodFill, FillsTheEnclosedAreaOnlyAndReportsItsBoundingBox) {
  Surface s = surfaceFromRows({".......",
                               ".####..",
                               ".#..#..",
                               ".#.##..",
                               ".###...",
                               "......."});
  std::vector<Rect> changes;
  s.setChangeListener([&](const Rect& r) { changes.push_back(r); });
  s.FillColor = kRed;
  s.ExtFloodFill(2, 2, kWhite, 1);
  EXPECT_EQ(rowsOf(s), (Rows{".......",
                             ".####..",
                             ".#rr#..",
                             ".#r##..",
                             ".###...",
                             "......."}));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (Rect{2, 2, 4, 4}));
}

TEST(FloodFill, IsFourConnectedAndStopsAtAnyOtherColour) {
  // The two white areas touch only at corners; the near-white pixel differs
  // from white by one unit of blue and must stop the fill too.
  const Legend legend{{'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'w', 0x00FEFFFFu}};
  Surface s = surfaceFromRows({"..#..",
                               "..#..",
                               "##...",
                               "..#w.",
                               "..#.."},
                              legend);
  s.FillColor = kRed;
  s.ExtFloodFill(0, 0, kWhite, 1);
  EXPECT_EQ(rowsOf(s, legend), (Rows{"rr#..",
                                     "rr#..",
                                     "##...",
                                     "..#w.",
                                     "..#.."}));
  s.ExtFloodFill(4, 4, kWhite, 1);
  EXPECT_EQ(rowsOf(s, legend), (Rows{"rr#rr",
                                     "rr#rr",
                                     "##rrr",
                                     "..#wr",
                                     "..#rr"}));
}

TEST(FloodFill, DoesNothingOutsideOnAnotherColourOrWhenTheFillEqualsTheSeed) {
  const Rows picture{"..#", ".##", "..."};
  Surface s = surfaceFromRows(picture);
  int changes = 0;
  s.setChangeListener([&](const Rect&) { ++changes; });
  s.FillColor = kRed;
  s.ExtFloodFill(-1, 0, kWhite, 1);
  s.ExtFloodFill(3, 0, kWhite, 1);
  s.ExtFloodFill(0, 3, kWhite, 1);
  s.ExtFloodFill(2, 0, kWhite, 1);   // the pixel there is black
  s.ExtFloodFill(0, 0, kNoColor, 1);  // what a read outside gives
  s.FillColor = kWhite;
  s.ExtFloodFill(0, 0, kWhite, 1);
  EXPECT_EQ(rowsOf(s), picture);
  EXPECT_EQ(changes, 0);
}

TEST(FloodFill, PatternTilesFromTheSurfaceOriginWhereverThePressIs) {
  Surface s(5, 3, kWhite);
  s.SetPixel(4, 0, kBlack);
  const PatternBrush brush = s.CreatePatternBrush(pictureFromColors(2, 2, {kRed, kGreen, kBlue, kBlack}));
  s.SelectObject(brush);
  s.ExtFloodFill(3, 2, kWhite, 1);
  const Legend legend{{'r', kRed}, {'g', kGreen}, {'b', kBlue}, {'#', kBlack}};
  EXPECT_EQ(rowsOf(s, legend), (Rows{"rgrg#",
                                     "b#b#b",
                                     "rgrgr"}));
  // Once the pattern is released the fill is solid again.
  s.DeleteObject(brush);
  s.FillColor = kWhite;
  s.ExtFloodFill(0, 0, kRed, 1);
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  EXPECT_EQ(s.GetPixel(2, 0), kRed);  // not connected through red
}

TEST(FloodFill, PatternContainingTheSeedColourTerminatesAndFillsOnce) {
  Surface s = surfaceFromRows({"....", "....", "...#"});
  s.SelectObject(s.CreatePatternBrush(pictureFromColors(3, 1, {kWhite, kRed, kWhite})));
  s.ExtFloodFill(1, 1, kWhite, 1);
  EXPECT_EQ(rowsOf(s), (Rows{".r..", ".r..", ".r.#"}));
}

TEST(FloodFill, LargeWindingAreaNeedsNoRecursion) {
  // A serpentine: walls in every other column, open alternately at the top
  // and the bottom, so the area is one path of about two million pixels.
  const int n = 2001;
  Surface s(n, n, kWhite);
  std::uint32_t* p = s.drawBits();
  for (int x = 1; x < n; x += 2) {
    const int gap = (x / 2) % 2 == 0 ? n - 1 : 0;
    for (int y = 0; y < n; ++y)
      if (y != gap) p[std::size_t(y) * n + std::size_t(x)] = pixelFromColor(kBlack);
  }
  s.FillColor = kRed;
  s.ExtFloodFill(0, 0, kWhite, 1);
  std::size_t white = 0;
  for (std::size_t i = 0; i < std::size_t(n) * n; ++i) white += p[i] == pixelFromColor(kWhite);
  EXPECT_EQ(white, 0u);
  EXPECT_EQ(s.GetPixel(n - 1, n - 1), kRed);
  EXPECT_EQ(s.GetPixel(1, n - 1), kRed);  // gaps in the walls
  EXPECT_EQ(s.GetPixel(3, 0), kRed);
  EXPECT_EQ(s.GetPixel(3, n - 1), kBlack);
}

TEST(FloodFill, PlainLargeAreaIsFilledWhole) {
  const int w = 3000, h = 2500;
  Surface s(w, h, kWhite);
  s.FillColor = kBlue;
  s.ExtFloodFill(w / 2, h / 2, kWhite, 1);
  const std::uint32_t* p = s.drawBits();
  std::size_t blue = 0;
  for (std::size_t i = 0; i < std::size_t(w) * h; ++i) blue += p[i] == pixelFromColor(kBlue);
  EXPECT_EQ(blue, std::size_t(w) * h);
}

TEST(FloodFill, AutoRedrawOffFillsTheVisibleLayerOnly) {
  Surface s(3, 1, kWhite);
  s.SetAutoRedraw(false);
  s.FillColor = kBlack;
  s.ExtFloodFill(0, 0, kWhite, 1);
  EXPECT_EQ(visibleRowsOf(s), (Rows{"###"}));
  s.Refresh();
  EXPECT_EQ(visibleRowsOf(s), (Rows{"..."}));
}

namespace {

TriVertex vertex(int x, int y, int r, int g, int b) {
  TriVertex v;
  v.x = x;
  v.y = y;
  v.red = std::uint16_t(r * 256);
  v.green = std::uint16_t(g * 256);
  v.blue = std::uint16_t(b * 256);
  return v;
}

// The colours along a row (horizontal) or down a column (vertical).
std::vector<Color> line(const Surface& s, bool alongX, int at) {
  std::vector<Color> out;
  const int n = alongX ? s.Width() : s.Height();
  for (int i = 0; i < n; ++i) out.push_back(alongX ? s.GetPixel(i, at) : s.GetPixel(at, i));
  return out;
}

}  // namespace

TEST(GradientFill, HorizontalStartsExactlyAtTheFirstVertexAndStepsLinearly) {
  Surface s(7, 4, kWhite);
  s.GradientFill(vertex(1, 1, 0, 200, 10), vertex(5, 3, 200, 0, 10), kGradientHorizontal);
  // Four columns: 16-bit channels 0, 12800, 25600, 38400 -> 0, 50, 100, 150.
  const std::vector<Color> expected{kWhite,
                                    composeColor(0, 200, 10),
                                    composeColor(50, 150, 10),
                                    composeColor(100, 100, 10),
                                    composeColor(150, 50, 10),
                                    kWhite,
                                    kWhite};
  EXPECT_EQ(line(s, true, 1), expected);
  EXPECT_EQ(line(s, true, 2), expected);
  EXPECT_EQ(line(s, true, 0), std::vector<Color>(7, kWhite));  // above the box
  EXPECT_EQ(line(s, true, 3), std::vector<Color>(7, kWhite));  // bottom row excluded
}

TEST(GradientFill, ReversedVerticesKeepTheFirstColourOnThePressSide) {
  Surface s(120, 70, kWhite);
  const Color a = composeColor(255, 0, 30), b = composeColor(0, 255, 200);
  // Dragged from (110, 60) to (10, 10): left and up.
  s.GradientFill(vertex(110, 60, 255, 0, 30), vertex(10, 10, 0, 255, 200), kGradientHorizontal);
  EXPECT_EQ(s.GetPixel(109, 10), a);
  EXPECT_EQ(s.GetPixel(109, 59), a);
  const Color far = s.GetPixel(10, 30);
  EXPECT_LE(std::abs(redOf(far) - redOf(b)), 3);  // one step is 255 / 100
  EXPECT_LE(std::abs(greenOf(far) - greenOf(b)), 3);
  EXPECT_LE(std::abs(blueOf(far) - blueOf(b)), 2);
  EXPECT_EQ(s.GetPixel(110, 30), kWhite);
  EXPECT_EQ(s.GetPixel(9, 30), kWhite);
  EXPECT_EQ(s.GetPixel(50, 60), kWhite);
  for (int x = 10; x < 110; ++x) EXPECT_EQ(s.GetPixel(x, 10), s.GetPixel(x, 59)) << x;
  for (int x = 11; x < 110; ++x) EXPECT_LE(redOf(s.GetPixel(x - 1, 20)), redOf(s.GetPixel(x, 20))) << x;
}

TEST(GradientFill, VerticalBlendsDownRowsInBothDragDirections) {
  for (bool reversed : {false, true}) {
    Surface s(3, 6, kWhite);
    const TriVertex top = vertex(0, 1, 0, 0, 0), bottom = vertex(3, 5, 255, 255, 255);
    if (!reversed) {
      s.GradientFill(top, bottom, kGradientVertical);
      EXPECT_EQ(line(s, false, 1), (std::vector<Color>{kWhite, composeColor(0, 0, 0), composeColor(63, 63, 63),
                                                       composeColor(127, 127, 127), composeColor(191, 191, 191),
                                                       kWhite}));
    } else {
      // The first vertex below: its colour is on the last row of the box.
      s.GradientFill(bottom, top, kGradientVertical);
      EXPECT_EQ(line(s, false, 2), (std::vector<Color>{kWhite, composeColor(63, 63, 63), composeColor(127, 127, 127),
                                                       composeColor(191, 191, 191), composeColor(255, 255, 255),
                                                       kWhite}));
    }
    EXPECT_EQ(line(s, true, 3), std::vector<Color>(3, s.GetPixel(0, 3)));
  }
}

TEST(GradientFill, ClipsToTheSurfaceWithoutMovingTheBlend) {
  Surface s(4, 1, kWhite);
  std::vector<Rect> changes;
  s.setChangeListener([&](const Rect& r) { changes.push_back(r); });
  // Ten columns from -6 to 3: the visible ones are steps 6 to 9.
  s.GradientFill(vertex(-6, -5, 0, 0, 0), vertex(4, 9, 100, 0, 0), kGradientHorizontal);
  EXPECT_EQ(line(s, true, 0), (std::vector<Color>{composeColor(60, 0, 0), composeColor(70, 0, 0),
                                                   composeColor(80, 0, 0), composeColor(90, 0, 0)}));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (Rect{0, 0, 4, 1}));
  // A box of no width, or wholly outside, draws nothing.
  s.GradientFill(vertex(2, 0, 0, 0, 0), vertex(2, 1, 0, 0, 0), kGradientHorizontal);
  s.GradientFill(vertex(5, 0, 0, 0, 0), vertex(9, 1, 0, 0, 0), kGradientVertical);
  EXPECT_EQ(changes.size(), 1u);
}

}  // namespace pictavo
