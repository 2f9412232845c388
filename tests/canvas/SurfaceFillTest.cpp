// Flood fill (solid and pattern) and gradient fill.
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace pictavo {
using namespace test;
using Rows = std::vector<std::string>;

namespace {

constexpr Color kRed = 0x000000FFu, kGreen = 0x0000FF00u, kBlue = 0x00FF0000u;

Picture pictureFromColors(int w, int h, const std::vector<Color>& colors) {
  Picture p(w, h);
  for (int i = 0; i < w * h; ++i) p.pixels[std::size_t(i)] = pixelFromColor(colors[std::size_t(i)]);
  return p;
}

}  // namespace

TEST(FloodFill, FillsTheEnclosedAreaOnlyAndReportsItsBoundingBox) {
  Surface s = surfaceFromRows({".......", ".####..", ".#..#..", ".#.##..", ".###...", "......."});
  std::vector<Rect> changes;
  s.setChangeListener([&](const Rect& r) { changes.push_back(r); });
  s.FillColor = kRed;
  s.ExtFloodFill(2, 2, kWhite, 1);
  EXPECT_EQ(rowsOf(s), (Rows{".......", ".####..", ".#rr#..", ".#r##..", ".###...", "......."}));
  EXPECT_EQ(changes, (std::vector<Rect>{Rect{2, 2, 4, 4}}));
}

TEST(FloodFill, IsFourConnectedAndStopsAtAnyOtherColour) {
  // The white areas touch only at corners; 'w' differs from white by one
  // unit of blue. The long first row runs past a wall at x = 19.
  const Legend legend{{'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'w', 0x00FEFFFFu}};
  Surface s = surfaceFromRows({"..#.....", "..#.....", "##......", "..#w....", "..#....."}, legend);
  s.FillColor = kRed;
  s.ExtFloodFill(0, 0, kWhite, 1);
  EXPECT_EQ(rowsOf(s, legend), (Rows{"rr#.....", "rr#.....", "##......", "..#w....", "..#....."}));
  s.ExtFloodFill(7, 4, kWhite, 1);
  EXPECT_EQ(rowsOf(s, legend), (Rows{"rr#rrrrr", "rr#rrrrr", "##rrrrrr", "..#wrrrr", "..#rrrrr"}));

  Surface wide(40, 2, kWhite);
  wide.SetPixel(19, 0, kBlack);
  wide.SetPixel(19, 1, kBlack);
  wide.FillColor = kRed;
  wide.ExtFloodFill(0, 1, kWhite, 1);
  EXPECT_EQ(wide.GetPixel(18, 0), kRed);
  EXPECT_EQ(wide.GetPixel(20, 0), kWhite);
}

TEST(FloodFill, DoesNothingOutsideOnAnotherColourOrWhenTheFillEqualsTheSeed) {
  const Rows picture{"..#", ".##", "..."};
  Surface s = surfaceFromRows(picture);
  int changes = 0;
  s.setChangeListener([&](const Rect&) { ++changes; });
  s.FillColor = kRed;
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 3}, {2, 0}}) s.ExtFloodFill(x, y, kWhite, 1);
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
  EXPECT_EQ(rowsOf(s, legend), (Rows{"rgrg#", "b#b#b", "rgrgr"}));
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
  // Walls in every other column, open alternately at the bottom and the
  // top: one path of about two million pixels.
  const int n = 2001;
  Surface s(n, n, kWhite);
  std::uint32_t* p = s.writableDrawBits(s.bounds());
  for (int x = 1; x < n; x += 2)
    for (int y = 0; y < n; ++y)
      if (y != ((x / 2) % 2 == 0 ? n - 1 : 0)) p[std::size_t(y) * n + std::size_t(x)] = pixelFromColor(kBlack);
  s.FillColor = kRed;
  s.ExtFloodFill(0, 0, kWhite, 1);
  EXPECT_EQ(std::count(p, p + std::size_t(n) * n, pixelFromColor(kWhite)), 0);
  EXPECT_EQ(s.GetPixel(n - 1, n - 1), kRed);
  EXPECT_EQ(s.GetPixel(3, 0), kRed);  // a gap in a wall
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

Color grey(int v) { return composeColor(v, v, v); }

std::vector<Color> rowAt(const Surface& s, int y) {
  std::vector<Color> out;
  for (int x = 0; x < s.Width(); ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

std::vector<Color> columnAt(const Surface& s, int x) {
  std::vector<Color> out;
  for (int y = 0; y < s.Height(); ++y) out.push_back(s.GetPixel(x, y));
  return out;
}

}  // namespace

TEST(GradientFill, HorizontalStartsExactlyAtTheFirstVertexAndStepsLinearly) {
  Surface s(7, 4, kWhite);
  s.GradientFill(vertex(1, 1, 0, 200, 10), vertex(5, 3, 200, 0, 10), kGradientHorizontal);
  // Four columns: 16-bit channels 0, 12800, 25600, 38400 -> 0, 50, 100, 150.
  const std::vector<Color> expected{kWhite, composeColor(0, 200, 10), composeColor(50, 150, 10),
                                    composeColor(100, 100, 10), composeColor(150, 50, 10), kWhite, kWhite};
  EXPECT_EQ(rowAt(s, 1), expected);
  EXPECT_EQ(rowAt(s, 2), expected);
  EXPECT_EQ(rowAt(s, 0), std::vector<Color>(7, kWhite));
  EXPECT_EQ(rowAt(s, 3), std::vector<Color>(7, kWhite));  // bottom row excluded

  // Dragged left and up from (110, 60) to (10, 10): v0's colour stays on the press side.
  Surface big(120, 70, kWhite);
  big.GradientFill(vertex(110, 60, 255, 0, 30), vertex(10, 10, 0, 255, 200), kGradientHorizontal);
  EXPECT_EQ(big.GetPixel(109, 10), composeColor(255, 0, 30));
  EXPECT_EQ(big.GetPixel(10, 59), composeColor(2, 252, 198));  // one step (2.55) short of v1's colour
  EXPECT_EQ(big.GetPixel(110, 30), kWhite);
  EXPECT_EQ(big.GetPixel(9, 30), kWhite);
  EXPECT_EQ(big.GetPixel(50, 60), kWhite);
}

TEST(GradientFill, VerticalBlendsDownRowsInBothDragDirections) {
  const TriVertex top = vertex(0, 1, 0, 0, 0), bottom = vertex(3, 5, 255, 255, 255);
  Surface down(3, 6, kWhite), up(3, 6, kWhite);
  down.GradientFill(top, bottom, kGradientVertical);
  up.GradientFill(bottom, top, kGradientVertical);  // the first vertex's colour on the last row
  EXPECT_EQ(columnAt(down, 1), (std::vector<Color>{kWhite, grey(0), grey(63), grey(127), grey(191), kWhite}));
  EXPECT_EQ(columnAt(up, 2), (std::vector<Color>{kWhite, grey(63), grey(127), grey(191), grey(255), kWhite}));
  EXPECT_EQ(rowAt(up, 3), std::vector<Color>(3, grey(191)));
}

TEST(GradientFill, ClipsToTheSurfaceWithoutMovingTheBlend) {
  Surface s(4, 1, kWhite);
  std::vector<Rect> changes;
  s.setChangeListener([&](const Rect& r) { changes.push_back(r); });
  // Ten columns from -6 to 3: the visible ones are steps 6 to 9.
  s.GradientFill(vertex(-6, -5, 0, 0, 0), vertex(4, 9, 100, 0, 0), kGradientHorizontal);
  EXPECT_EQ(rowAt(s, 0), (std::vector<Color>{composeColor(60, 0, 0), composeColor(70, 0, 0), composeColor(80, 0, 0),
                                              composeColor(90, 0, 0)}));
  // A box of no width, or wholly outside, draws nothing.
  s.GradientFill(vertex(2, 0, 0, 0, 0), vertex(2, 1, 0, 0, 0), kGradientHorizontal);
  s.GradientFill(vertex(5, 0, 0, 0, 0), vertex(9, 1, 0, 0, 0), kGradientVertical);
  EXPECT_EQ(changes, (std::vector<Rect>{Rect{0, 0, 4, 1}}));
}

}  // namespace pictavo
