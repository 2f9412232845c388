// StretchBlt: the three canvas flips, nearest and halftone scaling, mirrors.
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace pictavo {
using namespace test;
using Rows = std::vector<std::string>;

namespace {

Surface numbered(int w, int h) {
  Surface s(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, composeColor(x * 7, y * 5, x + y));
  return s;
}

std::vector<Color> pixelsOf(const Surface& s) {
  std::vector<Color> out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

// The canvas flips exactly as the Canvas menu calls them: one stretch of the
// surface onto itself at equal size.
void flip(Surface& s, int mode) {
  const int w = s.Width(), h = s.Height();
  if (mode == 0) s.StretchBlt(w - 1, 0, -w, h, s, 0, 0, w, h);
  if (mode == 1) s.StretchBlt(0, h - 1, w, -h, s, 0, 0, w, h);
  if (mode == 2) s.StretchBlt(0, 0, w, h, s, w, h, -w, -h);
}

Surface singleRow(const std::vector<Color>& colors) {
  Surface s(int(colors.size()), 1, kWhite);
  for (std::size_t i = 0; i < colors.size(); ++i) s.SetPixel(int(i), 0, colors[i]);
  return s;
}

Color grey(int v) { return composeColor(v, v, v); }

}  // namespace

TEST(Flips, MirrorExactlyForOddEvenAndSinglePixelSizes) {
  const int sizes[][2] = {{1, 1}, {1, 4}, {5, 1}, {4, 4}, {5, 3}, {6, 7}, {64, 33}};
  for (int mode = 0; mode < 3; ++mode) {
    for (const auto& size : sizes) {
      const int w = size[0], h = size[1];
      for (bool halftone : {false, true}) {
        Surface s = numbered(w, h);
        if (halftone) s.SetStretchBltMode(kStretchHalftone);
        const std::vector<Color> before = pixelsOf(s);
        std::vector<Rect> changes;
        s.setChangeListener([&](const Rect& r) { changes.push_back(r); });
        flip(s, mode);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const int ox = mode == 1 ? x : w - 1 - x, oy = mode == 0 ? y : h - 1 - y;
            ASSERT_EQ(s.GetPixel(x, y), before[std::size_t(oy * w + ox)])
                << "mode " << mode << " size " << w << "x" << h << " at " << x << "," << y;
          }
        EXPECT_EQ(changes, (std::vector<Rect>{Rect{0, 0, w, h}}));
        flip(s, mode);
        EXPECT_EQ(pixelsOf(s), before) << "twice, mode " << mode << " size " << w << "x" << h;
      }
    }
  }
}

TEST(StretchNearest, TakesThePixelUnderEachCentre) {
  const Color r = 0x000000FFu, g = 0x0000FF00u, b = 0x00FF0000u;
  const Surface src = singleRow({r, g, b, kBlack});
  Surface wide(8, 1, kWhite);
  wide.StretchBlt(0, 0, 8, 1, src, 0, 0, 4, 1);
  EXPECT_EQ(pixelsOf(wide), (std::vector<Color>{r, r, g, g, b, b, kBlack, kBlack}));
  Surface narrow(2, 1, kWhite);
  narrow.StretchBlt(0, 0, 2, 1, src, 0, 0, 4, 1);
  EXPECT_EQ(pixelsOf(narrow), (std::vector<Color>{g, kBlack}));
  // Mirrored while scaling: a negative destination extent counts back from its origin.
  Surface mirrored(5, 1, kWhite);
  mirrored.StretchBlt(3, 0, -4, 1, src, 0, 0, 2, 1);
  EXPECT_EQ(pixelsOf(mirrored), (std::vector<Color>{g, g, r, r, kWhite}));
}

TEST(StretchNearest, LeavesPixelsWhoseSourceIsOutsideAndClipsTheDestination) {
  const Surface src = singleRow({grey(1), grey(2)});
  Surface dst = singleRow({kWhite, kWhite, kWhite, kWhite});
  std::vector<Rect> changes;
  dst.setChangeListener([&](const Rect& r) { changes.push_back(r); });
  dst.StretchBlt(-2, 0, 8, 1, src, -1, 0, 4, 1);  // source pixels -1 and 2 do not exist
  EXPECT_EQ(pixelsOf(dst), (std::vector<Color>{grey(1), grey(1), grey(2), grey(2)}));
  dst.StretchBlt(0, 0, 0, 1, src, 0, 0, 2, 1);  // no extent: nothing
  dst.StretchBlt(0, 0, 2, 1, src, 0, 0, 2, 0);
  EXPECT_EQ(changes, (std::vector<Rect>{Rect{0, 0, 4, 1}}));
}

TEST(StretchHalftone, AveragesTheCoveredAreaWithCoverageWeights) {
  auto halftone = [](const Surface& src, int dw, int dh) {
    Surface dst(dw, dh, kWhite);
    dst.SetStretchBltMode(kStretchHalftone);
    dst.StretchBlt(0, 0, dw, dh, src, 0, 0, src.Width(), src.Height());
    return pixelsOf(dst);
  };
  Surface square(2, 2, kWhite);  // 2 x 2 -> 1 x 1: the plain mean, rounded
  square.SetPixel(0, 0, composeColor(0, 10, 255));
  square.SetPixel(1, 0, composeColor(100, 20, 255));
  square.SetPixel(0, 1, composeColor(200, 30, 0));
  square.SetPixel(1, 1, composeColor(100, 40, 1));
  EXPECT_EQ(halftone(square, 1, 1), (std::vector<Color>{composeColor(100, 25, 128)}));  // 511 / 4 = 127.75
  // 3 -> 2: (2 * 0 + 90) / 3 and (90 + 2 * 255) / 3.
  EXPECT_EQ(halftone(singleRow({grey(0), grey(90), grey(255)}), 2, 1), (std::vector<Color>{grey(30), grey(200)}));
  // 2 -> 3: the middle pixel straddles both sources; 55.5 rounds up.
  EXPECT_EQ(halftone(singleRow({grey(10), grey(101)}), 3, 1), (std::vector<Color>{grey(10), grey(56), grey(101)}));
  // 1 -> 2 x 2: every pixel is the one source pixel.
  EXPECT_EQ(halftone(singleRow({composeColor(1, 2, 3)}), 2, 2), std::vector<Color>(4, composeColor(1, 2, 3)));
}

TEST(StretchHalftone, MatchesTheExactAreaMeanOnRandomSizes) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const int sw = 1 + int(random() % 9), sh = 1 + int(random() % 9);
    const int dw = 1 + int(random() % 13), dh = 1 + int(random() % 9);
    const bool mirrorX = random() % 2 == 0;
    Surface src(sw, sh, kWhite);
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < sw; ++x) src.SetPixel(x, y, Color(random() & 0xFFFFFF));
    Surface dst(dw, dh, kWhite);
    dst.SetStretchBltMode(kStretchHalftone);
    dst.StretchBlt(mirrorX ? dw - 1 : 0, 0, mirrorX ? -dw : dw, dh, src, 0, 0, sw, sh);
    // Destination pixel (k, y) covers [k * sw / dw, (k + 1) * sw / dw) and likewise in y.
    auto overlap = [](int i, int k, int s, int d) {
      return std::max(0.0, std::min(i + 1.0, (k + 1.0) * s / d) - std::max(double(i), double(k) * s / d));
    };
    for (int y = 0; y < dh; ++y)
      for (int x = 0; x < dw; ++x) {
        const int k = mirrorX ? dw - 1 - x : x;
        double sum[3] = {0, 0, 0};
        for (int j = 0; j < sh; ++j)
          for (int i = 0; i < sw; ++i) {
            const double weight = overlap(i, k, sw, dw) * overlap(j, y, sh, dh) * dw * dh / (double(sw) * sh);
            const Color c = src.GetPixel(i, j);
            sum[0] += weight * redOf(c);
            sum[1] += weight * greenOf(c);
            sum[2] += weight * blueOf(c);
          }
        const Color got = dst.GetPixel(x, y);
        ASSERT_NEAR(redOf(got), sum[0], 0.52) << sw << "x" << sh << " -> " << dw << "x" << dh << " at " << x << "," << y;
        ASSERT_NEAR(greenOf(got), sum[1], 0.52);
        ASSERT_NEAR(blueOf(got), sum[2], 0.52);
      }
  }
}

TEST(StretchHalftone, LargePicturesMadeInBandsMatchTheRowsMadeAlone) {
  // The enlargement is large enough to be made in bands on several cores;
  // each half of it, made on its own surface, is small enough for one.
  constexpr int sw = 701, sh = 897, dw = 1403, dh = 1600;
  std::mt19937 random(11);
  Surface src(sw, sh, kWhite);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) src.SetPixel(x, y, Color(random() & 0xFFFFFF));
  Surface whole(dw, dh, kWhite), top(dw, dh / 2, kWhite), bottom(dw, dh / 2, kWhite);
  for (Surface* s : {&whole, &top, &bottom}) s->SetStretchBltMode(kStretchHalftone);
  whole.StretchBlt(0, 0, dw, dh, src, 0, 0, sw, sh);
  top.StretchBlt(0, 0, dw, dh, src, 0, 0, sw, sh);
  bottom.StretchBlt(0, -dh / 2, dw, dh, src, 0, 0, sw, sh);
  for (int y = 0; y < dh; ++y) {
    const Surface& half = y < dh / 2 ? top : bottom;
    for (int x = 0; x < dw; ++x)
      ASSERT_EQ(whole.GetPixel(x, y), half.GetPixel(x, y % (dh / 2))) << x << "," << y;
  }
}

TEST(StretchHalftone, MixedEdgesOfAMagentaAreaAreNoLongerTheKey) {
  // A picture whose middle is magenta, laid over a canvas after a halftone
  // stretch: only the pure magenta pixels let the canvas show through.
  const Color m = kMagenta, k = kBlack;
  const Surface picture = singleRow({k, m, m, m, m, k});
  Surface stretched = Surface::hiddenBuffer(4, 1);
  stretched.SetStretchBltMode(kStretchHalftone);
  stretched.StretchBlt(0, 0, 4, 1, picture, 0, 0, 6, 1);
  EXPECT_EQ(pixelsOf(stretched), (std::vector<Color>{composeColor(85, 0, 85), m, m, composeColor(85, 0, 85)}));
  Surface canvas = singleRow({kWhite, kWhite, kWhite, kWhite});
  canvas.TransparentBlt(0, 0, 4, 1, stretched, 0, 0, 4, 1, kMagenta);
  EXPECT_EQ(pixelsOf(canvas), (std::vector<Color>{composeColor(85, 0, 85), kWhite, kWhite, composeColor(85, 0, 85)}));
}

TEST(StretchHalftone, AveragesOnlyTheSourcePixelsThatExist) {
  const Surface src = singleRow({grey(0), grey(200)});
  Surface dst = singleRow({kWhite, kWhite, kWhite});
  dst.SetStretchBltMode(kStretchHalftone);
  // Six source columns from -2: the outer thirds lie wholly outside.
  dst.StretchBlt(0, 0, 3, 1, src, -2, 0, 6, 1);
  EXPECT_EQ(pixelsOf(dst), (std::vector<Color>{kWhite, grey(100), kWhite}));
  // Half of each destination pixel's area is missing: the rest counts whole.
  Surface two = singleRow({kWhite, kWhite});
  two.SetStretchBltMode(kStretchHalftone);
  two.StretchBlt(0, 0, 2, 1, src, -1, 0, 4, 1);
  EXPECT_EQ(pixelsOf(two), (std::vector<Color>{grey(0), grey(200)}));
}

TEST(StretchBlt, OntoItselfReadsTheOldPixelsInBothModes) {
  Surface s = singleRow({grey(0), grey(100), grey(200), grey(50)});
  s.StretchBlt(0, 0, 4, 1, s, 0, 0, 2, 1);
  EXPECT_EQ(pixelsOf(s), (std::vector<Color>{grey(0), grey(0), grey(100), grey(100)}));
  Surface t = singleRow({grey(0), grey(100), grey(200), grey(50)});
  EXPECT_EQ(t.SetStretchBltMode(kStretchHalftone), kStretchNearest);
  t.StretchBlt(1, 0, 2, 1, t, 0, 0, 4, 1);
  EXPECT_EQ(pixelsOf(t), (std::vector<Color>{grey(0), grey(50), grey(125), grey(50)}));
}

}  // namespace pictavo
