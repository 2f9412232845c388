// Stretch, flips, border, quarter turns and crop of the Canvas menu.

#include "EffectTestSupport.h"
#include "base/Errors.h"
#include "effects/CanvasTransforms.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using test::pictureDifference;
using test::randomSurface;
using test::rowsOf;
using test::surfaceFromRows;
using test::visibleRowsOf;

Surface copyOf(const Surface& s) {
  Surface c(s.Width(), s.Height());
  c.BitBlt(0, 0, s.Width(), s.Height(), s, 0, 0);
  return c;
}

// ---- flips ------------------------------------------------------------------

// Each flip against the plain definition, on odd, even and one-pixel sizes,
// and on a picture large enough to be flipped in several bands.
TEST(FlipPicture, MatchesDefinitionOnAllShapes) {
  const int sizes[][2] = {{1, 1}, {1, 6}, {7, 1}, {2, 2}, {7, 5}, {64, 33}, {33, 64}, {1025, 4097}};
  for (const auto& size : sizes) {
    const int w = size[0], h = size[1];
    for (int mode = 0; mode <= 2; ++mode) {
      const Surface before = randomSurface(w, h, std::uint32_t(w * 100 + h));
      Surface after = copyOf(before);
      ImageTools::FlipPicture(after, mode);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const int sx = mode == 1 ? x : w - 1 - x;
          const int sy = mode == 0 ? y : h - 1 - y;
          ASSERT_EQ(after.GetPixel(x, y), before.GetPixel(sx, sy)) << w << "x" << h << " mode " << mode << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(FlipPicture, TwiceRestoresAndBothIsLeftRightThenUpsideDown) {
  const Surface original = randomSurface(9, 4, 7);
  for (int mode = 0; mode <= 2; ++mode) {
    Surface s = copyOf(original);
    ImageTools::FlipPicture(s, mode);
    EXPECT_NE(pictureDifference(s, original), "");
    ImageTools::FlipPicture(s, mode);
    EXPECT_EQ(pictureDifference(s, original), "") << "mode " << mode;
  }
  Surface both = copyOf(original), steps = copyOf(original);
  ImageTools::FlipPicture(both, ImageTools::kFlipBoth);
  ImageTools::FlipPicture(steps, ImageTools::kFlipLeftRight);
  ImageTools::FlipPicture(steps, ImageTools::kFlipUpsideDown);
  EXPECT_EQ(pictureDifference(both, steps), "");
}

// ---- stretch ------------------------------------------------------------------

TEST(StretchPicture, DoublingRepeatsEachPixelAndLeavesTheBufferCleared) {
  const Surface original = randomSurface(100, 50, 3);
  Surface canvas = copyOf(original);
  Surface buffer = Surface::hiddenBuffer();
  ImageTools::StretchPicture(canvas, buffer, 200, 100);
  ASSERT_EQ(canvas.Width(), 200);
  ASSERT_EQ(canvas.Height(), 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(canvas.GetPixel(x, y), original.GetPixel(x / 2, y / 2)) << x << "," << y;
  EXPECT_EQ(buffer.Width(), 200);
  EXPECT_EQ(buffer.Height(), 100);
  EXPECT_EQ(buffer.GetPixel(0, 0), kMagenta);
  EXPECT_EQ(buffer.GetPixel(199, 99), kMagenta);
}

TEST(StretchPicture, ShrinkingAveragesAndRefusalKeepsTheCanvas) {
  // Halving a black-and-white checkerboard gives the mean grey everywhere.
  Surface canvas = surfaceFromRows({"#.#.", ".#.#", "#.#.", ".#.#"});
  Surface buffer = Surface::hiddenBuffer();
  ImageTools::StretchPicture(canvas, buffer, 2, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      const Color c = canvas.GetPixel(x, y);
      EXPECT_NEAR(redOf(c), 128, 1);
      EXPECT_EQ(redOf(c), greenOf(c));
      EXPECT_EQ(redOf(c), blueOf(c));
    }
  }
  const Surface before = copyOf(canvas);
  EXPECT_THROW(ImageTools::StretchPicture(canvas, buffer, 0, 5), Error);
  EXPECT_THROW(ImageTools::StretchPicture(canvas, buffer, 20000, 20000), Error);
  EXPECT_EQ(pictureDifference(canvas, before), "");
}

// ---- border -------------------------------------------------------------------

TEST(DrawBorder, WidthThreeColoursTheThreeOuterRings) {
  Surface s = surfaceFromRows(std::vector<std::string>(8, std::string(9, '.')));
  ImageTools::DrawBorder(s, 3, kBlack);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"#########",
                                                 "#########",
                                                 "#########",
                                                 "###...###",
                                                 "###...###",
                                                 "#########",
                                                 "#########",
                                                 "#########"}));
}

TEST(DrawBorder, ZeroAndNegativeWidthsChangeNothing) {
  for (int n : {0, -1, -1000}) {
    Surface s = surfaceFromRows({"....", "....", "...."});
    ImageTools::DrawBorder(s, n, kBlack);
    EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"....", "....", "...."})) << n;
  }
}

// Past the middle the outlines turn outward and redraw the rings; a width far
// beyond the picture fills it and must not take time in proportion to n.
TEST(DrawBorder, WidthBeyondThePictureFillsItQuickly) {
  Surface s = surfaceFromRows({".....", ".....", "....."});
  ImageTools::DrawBorder(s, 2000000000, kBlack);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"#####", "#####", "#####"}));
}

TEST(DrawBorder, UsesTheSurfaceLineStyle) {
  Surface s = surfaceFromRows(std::vector<std::string>(6, std::string(12, '.')));
  s.DrawStyle = kDot;
  ImageTools::DrawBorder(s, 1, kBlack);
  // A dotted outline leaves gaps in the outer ring; nothing inside is drawn.
  const std::vector<std::string> rows = rowsOf(s);
  EXPECT_NE(rows[0], std::string(12, '#'));
  EXPECT_NE(rows[0].find('#'), std::string::npos);
  for (int y = 1; y < 5; ++y) EXPECT_EQ(rows[std::size_t(y)].substr(1, 10), std::string(10, '.'));
}

// ---- quarter turns and crop ---------------------------------------------------

// The surface takes the turned picture with its size, and shows it: the
// visible layer a gesture left behind does not survive the turn.
TEST(TurnPicture, TheSurfaceTakesTheTurnedPictureAndItsSize) {
  Surface s = surfaceFromRows({"#..",
                               "r.g"});
  s.SetAutoRedraw(false);
  s.SetPixel(1, 1, kBlack);  // a preview on the visible layer only
  s.SetAutoRedraw(true);
  std::vector<Rect> heard;
  s.setPersistentChangeListener([&](const Rect& r) { heard.push_back(r); });
  ImageTools::TurnPicture(s, QuarterTurn::Right);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"r#", "..", "g."}));
  EXPECT_EQ(visibleRowsOf(s), rowsOf(s));
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), (Rect{0, 0, 2, 3}));
  ImageTools::TurnPicture(s, QuarterTurn::Left);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"#..", "r.g"}));
  ImageTools::TurnPicture(s, QuarterTurn::Half);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"g.r", "..#"}));
}

TEST(CropPicture, KeepsTheAreaClippedToThePicture) {
  const std::vector<std::string> rows = {"#....", ".r...", "..g..", "...b."};
  Surface s = surfaceFromRows(rows);
  ImageTools::CropPicture(s, Rect{1, 1, 4, 3});
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"r..", ".g."}));
  // Beyond the edge only what lies on the picture stays.
  Surface t = surfaceFromRows(rows);
  ImageTools::CropPicture(t, Rect{3, 2, 40, 40});
  EXPECT_EQ(rowsOf(t), (std::vector<std::string>{"..", "b."}));
  // Nothing of it on the picture: nothing changes.
  Surface u = surfaceFromRows(rows);
  ImageTools::CropPicture(u, Rect{-9, -9, 0, 0});
  EXPECT_EQ(rowsOf(u), rows);
}

}  // namespace
}  // namespace pictavo
