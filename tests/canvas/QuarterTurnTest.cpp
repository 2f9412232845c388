// The quarter-turn and crop mappings against their definitions, on the odd
// sizes where tiles and blocks have remainders, and the canvas limit they rely on.

#include "canvas/QuarterTurn.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace pictavo {
namespace {

// Where (x, y) of a w x h picture goes.
void mapped(QuarterTurn turn, int w, int h, int x, int y, int& tx, int& ty) {
  switch (turn) {
    case QuarterTurn::Right: tx = h - 1 - y, ty = x; break;
    case QuarterTurn::Left: tx = y, ty = w - 1 - x; break;
    case QuarterTurn::Half: tx = w - 1 - x, ty = h - 1 - y; break;
  }
}

const char* nameOf(QuarterTurn turn) {
  return turn == QuarterTurn::Right ? "right" : turn == QuarterTurn::Left ? "left" : "half";
}

// Every pixel its own number, so a pixel in the wrong place is caught. The
// large sizes run in two bands with streaming stores, partial tiles and
// rows that start at every offset within a cache line.
TEST(QuarterTurn, EveryPixelGoesWhereTheDefinitionSays) {
  const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {3, 5}, {5, 3}, {17, 70}, {1100, 77}, {2053, 2049}};
  for (const auto& size : sizes) {
    const int w = size[0], h = size[1];
    std::vector<std::uint32_t> src(std::size_t(w) * std::size_t(h));
    std::iota(src.begin(), src.end(), 1u);
    for (QuarterTurn turn : {QuarterTurn::Right, QuarterTurn::Left, QuarterTurn::Half}) {
      const int tw = turnedWidth(turn, w, h), th = turnedHeight(turn, w, h);
      ASSERT_EQ(std::int64_t(tw) * th, std::int64_t(w) * h);
      std::vector<std::uint32_t> dst(src.size(), 0);
      turnPixels(src.data(), w, h, turn, dst.data());
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          int tx = 0, ty = 0;
          mapped(turn, w, h, x, y, tx, ty);
          ASSERT_EQ(dst[std::size_t(ty) * std::size_t(tw) + std::size_t(tx)], src[std::size_t(y) * std::size_t(w) + std::size_t(x)])
              << nameOf(turn) << " " << w << "x" << h << " at " << x << "," << y;
        }
    }
  }
}

TEST(QuarterTurn, SmallPicturesSpelledOut) {
  // 3 x 2:  1 2 3
  //         4 5 6
  const std::vector<std::uint32_t> src = {1, 2, 3, 4, 5, 6};
  std::vector<std::uint32_t> out(6);
  turnPixels(src.data(), 3, 2, QuarterTurn::Right, out.data());
  EXPECT_EQ(out, (std::vector<std::uint32_t>{4, 1, 5, 2, 6, 3}));  // 2 x 3
  turnPixels(src.data(), 3, 2, QuarterTurn::Left, out.data());
  EXPECT_EQ(out, (std::vector<std::uint32_t>{3, 6, 2, 5, 1, 4}));
  turnPixels(src.data(), 3, 2, QuarterTurn::Half, out.data());
  EXPECT_EQ(out, (std::vector<std::uint32_t>{6, 5, 4, 3, 2, 1}));
  // A 1 x 1 picture stays; a row turned becomes a column in the same or the opposite order.
  const std::uint32_t one = 7;
  std::uint32_t turned = 0;
  turnPixels(&one, 1, 1, QuarterTurn::Right, &turned);
  EXPECT_EQ(turned, 7u);
  const std::vector<std::uint32_t> row = {1, 2, 3, 4};
  std::vector<std::uint32_t> column(4);
  turnPixels(row.data(), 4, 1, QuarterTurn::Right, column.data());
  EXPECT_EQ(column, row);
  turnPixels(row.data(), 4, 1, QuarterTurn::Left, column.data());
  EXPECT_EQ(column, (std::vector<std::uint32_t>{4, 3, 2, 1}));
}

TEST(QuarterTurn, CopyAreaTakesTheRectangleRowByRow) {
  // 3 x 5, numbered 1..15; the middle column's rows 1..3.
  std::vector<std::uint32_t> src(15);
  std::iota(src.begin(), src.end(), 1u);
  std::vector<std::uint32_t> out(3);
  copyArea(src.data(), 3, Rect{1, 1, 2, 4}, out.data());
  EXPECT_EQ(out, (std::vector<std::uint32_t>{5, 8, 11}));
  std::vector<std::uint32_t> all(15);
  copyArea(src.data(), 3, Rect{0, 0, 3, 5}, all.data());
  EXPECT_EQ(all, src);
  std::vector<std::uint32_t> corner(1);
  copyArea(src.data(), 3, Rect{2, 4, 3, 5}, corner.data());
  EXPECT_EQ(corner[0], 15u);
}

// A turned picture takes the old sides the other way round; the canvas
// limit treats both sides alike, so a turn can never be refused for its size.
TEST(QuarterTurn, TheCanvasLimitIsTheSameForATurnedSize) {
  const std::int64_t sides[] = {0, 1, 2, 100, 8192, 16383, 16384, 16385, 32767, 32768, 65536};
  for (std::int64_t w : sides)
    for (std::int64_t h : sides) EXPECT_EQ(Surface::sizeAllowed(w, h), Surface::sizeAllowed(h, w)) << w << "x" << h;
  EXPECT_TRUE(Surface::sizeAllowed(32767, 8192));
  EXPECT_TRUE(Surface::sizeAllowed(8192, 32767));
}

}  // namespace
}  // namespace pictavo
