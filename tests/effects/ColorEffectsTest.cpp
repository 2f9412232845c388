// The per-pixel effects on the examples that pin their arithmetic down, and
// what every effect shares: the result is shown, nothing else is touched.

#include "EffectTestSupport.h"

#include "base/Errors.h"
#include "base/Random.h"
#include "effects/Bitmap.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

Color after(Color c, void (*effect)(Surface&)) {
  Surface s(1, 1, c);
  effect(s);
  return s.GetPixel(0, 0);
}

TEST(ColorEffects, InvertingTwiceGivesThePictureBack) {
  Surface s = test::randomSurface(13, 7, 5), original = test::randomSurface(13, 7, 5);
  Bitmap::InvertColors(s);
  EXPECT_EQ(s.GetPixel(0, 0), composeColor(255 - redOf(original.GetPixel(0, 0)), 255 - greenOf(original.GetPixel(0, 0)),
                                           255 - blueOf(original.GetPixel(0, 0))));
  Bitmap::InvertColors(s);
  EXPECT_EQ(test::pictureDifference(s, original), "");
}

TEST(ColorEffects, GreyIsTheTruncatedMean) {
  EXPECT_EQ(after(composeColor(10, 20, 31), Bitmap::GrayPicture), composeColor(20, 20, 20));
  EXPECT_EQ(after(composeColor(255, 255, 254), Bitmap::GrayPicture), composeColor(254, 254, 254));
  EXPECT_EQ(after(composeColor(1, 1, 0), Bitmap::GrayPicture), composeColor(0, 0, 0));
  EXPECT_EQ(after(composeColor(255, 255, 255), Bitmap::GrayPicture), composeColor(255, 255, 255));
}

TEST(ColorEffects, RemovingAChannelClearsOnlyThatOne) {
  const Color c = composeColor(200, 100, 50);
  for (int channel : {0, 1, 2}) {
    Surface s(2, 1, c);
    Bitmap::RemoveChannel(s, channel);
    const Color expected = composeColor(channel == 0 ? 0 : 200, channel == 1 ? 0 : 100, channel == 2 ? 0 : 50);
    EXPECT_EQ(s.GetPixel(1, 0), expected) << "channel " << channel;
  }
  for (int channel : {-1, 3, 65535}) {
    Surface s(2, 1, c);
    Bitmap::RemoveChannel(s, channel);
    EXPECT_EQ(s.GetPixel(0, 0), c) << "channel " << channel;
  }
}

TEST(ColorEffects, BrightnessAndRgbClampAtBothEnds) {
  Surface s(1, 1, composeColor(200, 0, 50));
  Bitmap::AdjustBrightness(s, 100);
  EXPECT_EQ(s.GetPixel(0, 0), composeColor(255, 100, 150));
  s.SetPixel(0, 0, composeColor(200, 0, 50));
  Bitmap::AdjustBrightness(s, -100);
  EXPECT_EQ(s.GetPixel(0, 0), composeColor(100, 0, 0));
  s.SetPixel(0, 0, composeColor(50, 50, 200));
  Bitmap::AdjustRGB(s, -100, 0, 100);
  EXPECT_EQ(s.GetPixel(0, 0), composeColor(0, 50, 255));
  // Offsets far beyond the dialogs' range saturate instead of wrapping.
  s.SetPixel(0, 0, composeColor(1, 128, 254));
  Bitmap::AdjustRGB(s, 2147483647, -2147483647 - 1, 300);
  EXPECT_EQ(s.GetPixel(0, 0), composeColor(255, 0, 255));
}

TEST(ColorEffects, NoiseOfAmountZeroRaisesByAtMostOne) {
  Random::shared().reset();
  Surface s = test::randomSurface(40, 30, 8), original = test::randomSurface(40, 30, 8);
  Bitmap::AddNoise(s, 0);
  int raised = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const Color a = s.GetPixel(x, y), b = original.GetPixel(x, y);
      for (auto [now, before] : {std::pair{redOf(a), redOf(b)}, {greenOf(a), greenOf(b)}, {blueOf(a), blueOf(b)}}) {
        EXPECT_TRUE(now == before || (now == before + 1 && before < 255)) << x << "," << y;
        raised += now != before;
      }
    }
  EXPECT_GT(raised, 0);
}

TEST(ColorEffects, NoiseRoundsHalvesToEven) {
  // With amount 0 a draw of exactly 0.5 lands halfway: 2.5 -> 2, 3.5 -> 4.
  for (auto [before, expected] : {std::pair{2, 2}, std::pair{3, 4}}) {
    Random::shared().reset();
    test::aimNextDraw(1, 0.5);  // red is the first draw
    Surface s(1, 1, composeColor(before, 0, 0));
    Bitmap::AddNoise(s, 0);
    EXPECT_EQ(redOf(s.GetPixel(0, 0)), expected) << before;
  }
}

TEST(ColorEffects, NoiseAmountOutside16BitsIsRefusedBeforeAnythingChanges) {
  for (int amount : {16384, -16385, 2147483647}) {
    Random::shared().reset();
    Surface s = test::randomSurface(5, 4, 2), original = test::randomSurface(5, 4, 2);
    try {
      Bitmap::AddNoise(s, amount);
      ADD_FAILURE() << amount << " was accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrOverflow);
      EXPECT_NE(e.description().find("16383"), std::string::npos) << e.description();
    }
    EXPECT_EQ(test::pictureDifference(s, original), "");
    Random fresh;
    EXPECT_EQ(Random::shared().next(), fresh.next()) << "the generator moved";
  }
}

TEST(ColorEffects, MirrorCopiesTheLeftHalfOntoTheRight) {
  const test::Legend legend{{'a', 0x000001u}, {'b', 0x000002u}, {'c', 0x000003u}, {'d', 0x000004u},
                            {'e', 0x000005u}};
  Surface even = test::surfaceFromRows({"abcd", "bcda"}, legend);
  Bitmap::MirrorPicture(even);
  EXPECT_EQ(test::rowsOf(even, legend), (std::vector<std::string>{"abba", "bccb"}));
  Surface odd = test::surfaceFromRows({"abcde", "edcba"}, legend);
  Bitmap::MirrorPicture(odd);
  EXPECT_EQ(test::rowsOf(odd, legend), (std::vector<std::string>{"abcba", "edcde"}));
  Surface narrow = test::surfaceFromRows({"a", "b", "c"}, legend);
  Bitmap::MirrorPicture(narrow);
  EXPECT_EQ(test::rowsOf(narrow, legend), (std::vector<std::string>{"a", "b", "c"}));
}

// Every pixel a colour of its own, so where each went can be traced.
Surface numbered(int w, int h) {
  Surface s(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, Color(y * w + x + 1));
  return s;
}

TEST(ColorEffects, WaveMovesTheCornerRightAndDropsPixelsPushedOut) {
  const int w = 8, h = 8;
  Surface s = numbered(w, h);
  Bitmap::PixelatePicture(s);
  EXPECT_EQ(s.GetPixel(1, 0), Color(1)) << "(0, 0) goes to (1, 0): cos 0 = 1, sin 0 = 0";
  // Rows 3 and 4 have cos below -0.5: their column-0 pixels fall off the
  // left edge and are written nowhere (though their own place may keep them).
  for (int y : {3, 4}) {
    const Color lost = Color(y * w + 1);
    for (int ty = 0; ty < h; ++ty)
      for (int tx = 0; tx < w; ++tx)
        if (tx != 0 || ty != y) {
          EXPECT_NE(s.GetPixel(tx, ty), lost) << "row " << y << " at " << tx << "," << ty;
        }
  }
}

TEST(ColorEffects, ResultIsShownEvenWhileDrawingGoesToTheVisibleLayer) {
  Surface s = test::surfaceFromRows({"..#", "#.."});
  Rect heard;
  s.setChangeListener([&](const Rect& r) { heard = heard.united(r); });
  s.SetAutoRedraw(false);
  s.SetPixel(1, 1, kBlack);  // a rubber band on the visible layer: lost at the refresh
  Bitmap::InvertColors(s);
  EXPECT_EQ(test::visibleRowsOf(s), (std::vector<std::string>{"##.", ".##"}));
  EXPECT_EQ(heard, s.bounds());
  s.SetAutoRedraw(true);
  EXPECT_EQ(test::rowsOf(s), (std::vector<std::string>{"##.", ".##"}));
}

}  // namespace
}  // namespace pictavo
