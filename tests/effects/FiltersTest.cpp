// Blur, sharpen and diffuse on the examples that pin them down: the values
// around a lone bright pixel, the untouched margins, rounding, and a refused
// sharpen leaving the picture alone.

#include "EffectTestSupport.h"
#include "ReferenceEffects.h"

#include "base/Errors.h"
#include "base/Random.h"
#include "effects/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pictavo {
namespace {

TEST(Blur, LoneBrightPixelSpreadsTo28OverItsNeighbourhood) {
  Surface s(7, 6, kBlack);
  s.SetPixel(3, 2, composeColor(0, 255, 0));
  Bitmap::BlurPicture(s);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) {
      const bool near = std::abs(x - 3) <= 1 && std::abs(y - 2) <= 1;
      EXPECT_EQ(s.GetPixel(x, y), composeColor(0, near ? 28 : 0, 0)) << x << "," << y;
    }
}

TEST(Blur, ThreeByThreeChangesOnlyTheCentre) {
  Surface s = test::randomSurface(3, 3, 4), original = test::randomSurface(3, 3, 4);
  Bitmap::BlurPicture(s);
  int sum[3] = {0, 0, 0};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const Color c = original.GetPixel(x, y);
      sum[0] += redOf(c), sum[1] += greenOf(c), sum[2] += blueOf(c);
      if (x != 1 || y != 1) {
        EXPECT_EQ(s.GetPixel(x, y), c);
      }
    }
  auto mean = [](int v) { return int(std::lround(v / 9.0)); };
  EXPECT_EQ(s.GetPixel(1, 1), composeColor(mean(sum[0]), mean(sum[1]), mean(sum[2])));
}

TEST(Blur, OneColourPicturesAndThinPicturesStayAsTheyWere) {
  Surface plain(9, 8, composeColor(17, 200, 255));
  Bitmap::BlurPicture(plain);
  EXPECT_EQ(test::pictureDifference(plain, Surface(9, 8, composeColor(17, 200, 255))), "");
  for (auto [w, h] : {std::pair{2, 40}, std::pair{40, 2}}) {
    Surface s = test::randomSurface(w, h, 6), original = test::randomSurface(w, h, 6);
    Bitmap::BlurPicture(s);
    EXPECT_EQ(test::pictureDifference(s, original), "");
  }
}

TEST(Sharpen, FactorOnePointTwoExamples) {
  // Upper-left (0, 0) holds 50 / 100; the pixel (1, 1) 100 / 50.
  Surface s(3, 3, composeColor(0, 0, 0));
  s.SetPixel(0, 0, composeColor(50, 100, 7));
  s.SetPixel(1, 1, composeColor(100, 50, 7));
  Bitmap::SharpenPicture(s, 1.2f);
  EXPECT_EQ(s.GetPixel(1, 1), composeColor(160, 0, 7));
  EXPECT_EQ(s.GetPixel(0, 0), composeColor(50, 100, 7)) << "the margin is not written";
}

TEST(Sharpen, RoundsHalvesToEven) {
  // 1.5 * (v - u) with v - u = 1 gives v + 1.5: 11.5 -> 12, 12.5 -> 12.
  Surface s(4, 3, composeColor(10, 11, 0));
  s.SetPixel(1, 1, composeColor(10, 11, 0));
  s.SetPixel(2, 1, composeColor(10, 11, 0));
  s.SetPixel(1, 0, composeColor(9, 10, 0));
  Bitmap::SharpenPicture(s, 1.5f);
  EXPECT_EQ(s.GetPixel(2, 1), composeColor(12, 12, 0));
}

TEST(Sharpen, OverflowIsRefusedAndLeavesThePictureUnchanged) {
  // 255 + k * 255 passes 32767 from k = 128 up; -k * 255 passes -32768 too.
  const float factors[] = {200.0f, -200.0f, 1e30f, std::numeric_limits<float>::infinity(),
                           std::numeric_limits<float>::quiet_NaN()};
  for (float k : factors) {
    // The only steep step sits at the very end of the last band, after
    // everything else was found to fit.
    Surface s(1203, 1745, composeColor(128, 128, 128));
    s.SetPixel(1200, 1742, composeColor(0, 128, 128));
    s.SetPixel(1201, 1743, composeColor(255, 128, 128));
    Surface before(1203, 1745, kWhite);
    before.BitBlt(0, 0, 1203, 1745, s, 0, 0);
    EXPECT_THROW(
        {
          try {
            Bitmap::SharpenPicture(s, k);
          } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrOverflow);
            throw;
          }
        },
        Error)
        << k;
    EXPECT_EQ(test::pictureDifference(s, before), "") << k;
  }
}

TEST(Diffuse, KeepsItsTwoPixelFrame) {
  Random::shared().reset();
  Surface s = test::randomSurface(21, 17, 9), original = test::randomSurface(21, 17, 9);
  Bitmap::DiffusePicture(s);
  int moved = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 21; ++x) {
      const bool frame = x < 2 || y < 2 || x >= 19 || y >= 15;
      if (frame) {
        EXPECT_EQ(s.GetPixel(x, y), original.GetPixel(x, y)) << x << "," << y;
      }
      moved += s.GetPixel(x, y) != original.GetPixel(x, y);
    }
  EXPECT_GT(moved, 0);
}

TEST(Diffuse, PicturesUnderFivePixelsDrawNothing) {
  for (auto [w, h] : {std::pair{4, 50}, std::pair{50, 4}}) {
    Random::shared().reset();
    Surface s = test::randomSurface(w, h, 1), original = test::randomSurface(w, h, 1);
    Bitmap::DiffusePicture(s);
    EXPECT_EQ(test::pictureDifference(s, original), "");
    Random fresh;
    EXPECT_EQ(Random::shared().next(), fresh.next());
  }
}

TEST(Diffuse, HalfwayOffsetsRoundColumnAndRowApart) {
  // d = -0.5 (r = 0.75) and d = -1.5 (r = 0.25) put x + d and y + d exactly
  // halfway; each rounds to its own even neighbour. In a 6 x 6 picture the
  // draws go to (2, 2), (2, 3), (3, 2), (3, 3).
  for (double r : {0.75, 0.25}) {
    for (std::uint32_t k = 1; k <= 4; ++k) {
      Random::shared().reset();
      test::aimNextDraw(k, r);
      Surface fast = test::randomSurface(6, 6, 2), slow = test::randomSurface(6, 6, 2);
      reference::DiffusePicture(slow);
      Random::shared().reset();
      test::aimNextDraw(k, r);
      Bitmap::DiffusePicture(fast);
      EXPECT_EQ(test::pictureDifference(fast, slow), "") << "draw " << k << " of " << r;
    }
  }
}

}  // namespace
}  // namespace pictavo
