// The zoom levels' mappings and the zoomed view's pixels, checked against a
// reference written straight from the definitions (block of a picture pixel,
// centres in a screen pixel's square, mean rounded half up, the grid rows).
#include "canvas/ZoomRenderer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pictavo {
namespace {

const auto& kLevels = ZoomFactor::levels();

TEST(ZoomFactor, LevelsTextsAndDisplayedSizes) {
  std::vector<std::string> ratios, percents;
  for (const ZoomFactor& z : kLevels) {
    ratios.push_back(z.ratioText());
    percents.push_back(z.percentText());
  }
  EXPECT_EQ(ratios, (std::vector<std::string>{"1/16", "1/12", "1/8", "1/6", "1/4", "1/3", "1/2", "2/3", "1", "3/2", "2",
                                              "3", "4", "6", "8", "12", "16", "24", "32", "48", "64"}));
  EXPECT_EQ(percents, (std::vector<std::string>{"6%", "8%", "13%", "17%", "25%", "33%", "50%", "67%", "100%", "150%",
                                                "200%", "300%", "400%", "600%", "800%", "1200%", "1600%", "2400%",
                                                "3200%", "4800%", "6400%"}));
  EXPECT_EQ(kLevels[ZoomFactor::kActualSize], ZoomFactor{});
  EXPECT_EQ((ZoomFactor{2, 3}.displayed(5)), 4);  // ceil(10 / 3)
  EXPECT_EQ((ZoomFactor{1, 16}.displayed(1)), 1);
  EXPECT_EQ((ZoomFactor{64, 1}.displayed(32767)), 32767 * 64);
  EXPECT_EQ((ZoomFactor{5, 7}.levelIndex()), -1);
}

// The picture pixel a screen pixel shows, or the first of those it averages.
double pictureOf(ZoomFactor z, int v) { return z.pictureAt(v); }

TEST(ZoomFactor, PointerLandsOnThePixelWhoseBlockHoldsIt) {
  // At 8x the right half of a block is still that pixel, not the next.
  EXPECT_EQ(pictureOf({8, 1}, 87), 10);
  EXPECT_EQ(pictureOf({8, 1}, 80), 10);
  EXPECT_EQ((ZoomFactor{3, 2}.pictureAt(2.9)), 1);
  // Zoomed out the point is divided and left to the tools' rounding.
  EXPECT_EQ((ZoomFactor{1, 3}.pictureAt(5)), 15);
  EXPECT_EQ((ZoomFactor{2, 3}.pictureAt(5)), 7.5);
  EXPECT_EQ(ZoomFactor{}.pictureAt(12.5), 12.5);
}

// For every level, the screen pixels that show picture pixel p (by the
// definitions) are exactly [viewStart(p), viewEnd(p + 1)).
TEST(ZoomFactor, ViewEdgesAreTheScreenPixelsThatShowEachPixel) {
  for (const ZoomFactor& z : kLevels) {
    const int size = 50;
    const int shown = int(z.displayed(size));
    for (int p = 0; p < size; ++p) {
      int first = -1, last = -1;
      for (int v = 0; v < shown; ++v) {
        bool shows;
        if (!z.reduces()) {
          shows = std::int64_t(v) * z.den / z.num == p;
        } else {
          const double centre = p + 0.5;  // in [v / z, (v + 1) / z)
          shows = centre * z.num >= double(v) * z.den && centre * z.num < double(v + 1) * z.den;
        }
        if (shows && first < 0) first = v;
        if (shows) last = v;
      }
      if (first < 0) {  // zoomed out some pixels share a screen pixel with the next
        EXPECT_TRUE(z.reduces());
        continue;
      }
      EXPECT_EQ(z.viewStart(p), first) << z.ratioText() << " p " << p;
      EXPECT_EQ(z.viewEnd(p + 1), last + 1) << z.ratioText() << " p " << p;
    }
  }
}

// ---- the rendered view --------------------------------------------------------

std::uint32_t word(Color c) { return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

Surface randomPicture(int w, int h, unsigned seed) {
  Surface s(w, h, kWhite);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, Color(random() & 0xFFFFFF));
  return s;
}

std::uint32_t referenceGrid(std::uint32_t p) {
  const unsigned b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
  const bool light = r * 299 + g * 587 + b * 114 >= 128000;
  auto shade = [light](unsigned c) { return light ? c - c / 4 : c + (255 - c) / 4; };
  return 0xFF000000u | (shade(r) << 16) | (shade(g) << 8) | shade(b);
}

// What screen pixel (v, w) of the view shows, from the definitions alone.
std::uint32_t reference(const Surface& s, ZoomFactor z, bool grid, int v, int w) {
  if (!z.reduces()) {
    const int px = int(std::int64_t(v) * z.den / z.num), py = int(std::int64_t(w) * z.den / z.num);
    const std::uint32_t p = word(s.GetPixel(px, py));
    const bool onGrid = grid && z.den == 1 && z.num >= 8 && (v % z.num == 0 || w % z.num == 0);
    return onGrid ? referenceGrid(p) : p;
  }
  unsigned sum[3] = {0, 0, 0}, count = 0;
  for (int py = 0; py < s.Height(); ++py) {
    const double cy = (py + 0.5) * z.num;
    if (cy < double(w) * z.den || cy >= double(w + 1) * z.den) continue;
    for (int px = 0; px < s.Width(); ++px) {
      const double cx = (px + 0.5) * z.num;
      if (cx < double(v) * z.den || cx >= double(v + 1) * z.den) continue;
      const Color c = s.GetPixel(px, py);
      sum[0] += redOf(c);
      sum[1] += greenOf(c);
      sum[2] += blueOf(c);
      ++count;
    }
  }
  if (count == 0) return 0;
  auto mean = [count](unsigned total) { return (total + count / 2) / count; };
  return 0xFF000000u | (mean(sum[0]) << 16) | (mean(sum[1]) << 8) | mean(sum[2]);
}

std::vector<std::uint32_t> render(ZoomRenderer& r, const Surface& s, ZoomFactor z, bool grid, const Rect& area) {
  std::vector<std::uint32_t> out(std::size_t(area.width()) * std::size_t(area.height()), 0u);
  r.render(s, z, grid, area, out.data(), std::size_t(area.width()));
  return out;
}

void expectMatchesReference(const Surface& s, ZoomFactor z, bool grid) {
  ZoomRenderer r;
  const Rect all{0, 0, int(z.displayed(s.Width())), int(z.displayed(s.Height()))};
  const auto shown = render(r, s, z, grid, all);
  int wrong = 0;
  for (int w = 0; w < all.bottom && wrong < 5; ++w)
    for (int v = 0; v < all.right && wrong < 5; ++v) {
      const std::uint32_t want = reference(s, z, grid, v, w);
      const std::uint32_t got = shown[std::size_t(w) * std::size_t(all.right) + std::size_t(v)];
      if (got != want) {
        ADD_FAILURE() << z.ratioText() << " " << s.Width() << "x" << s.Height() << " at " << v << "," << w << ": "
                      << std::hex << got << " want " << want;
        ++wrong;
      }
    }
}

TEST(ZoomRenderer, EveryLevelShowsTheDefinedPixelsOnOddSizes) {
  // Sizes that leave partial blocks at the right and bottom edges of every
  // level, and a picture smaller than one block.
  const Surface pictures[] = {randomPicture(101, 77, 1), randomPicture(1, 1, 2), randomPicture(5, 50, 3),
                              randomPicture(97, 3, 4)};
  for (const Surface& s : pictures)
    for (const ZoomFactor& z : kLevels)
      if (z.num <= 8) expectMatchesReference(s, z, false);
}

TEST(ZoomRenderer, GridMarksTheTopRowAndLeftColumnOfEveryBlockFromEightOn) {
  const Surface s = randomPicture(9, 7, 5);
  for (const ZoomFactor& z : kLevels)
    if (!z.reduces()) expectMatchesReference(s, z, true);
  // On white and on black the grid differs from the pixel.
  EXPECT_NE(ZoomRenderer::gridColor(0xFFFFFFFFu), 0xFFFFFFFFu);
  EXPECT_NE(ZoomRenderer::gridColor(0xFF000000u), 0xFF000000u);
  EXPECT_NE(ZoomRenderer::gridColor(0xFF808080u), 0xFF808080u);
}

TEST(ZoomRenderer, PartOfTheViewIsThatPartOfTheWholeView) {
  const Surface s = randomPicture(203, 150, 6);
  for (const ZoomFactor& z : kLevels) {
    if (z.num > 12) continue;
    const Rect all{0, 0, int(z.displayed(203)), int(z.displayed(150))};
    ZoomRenderer whole, part;
    const auto full = render(whole, s, z, true, all);
    const Rect area{all.right / 3, all.bottom / 4, all.right * 3 / 4 + 1, all.bottom - 1};
    const auto piece = render(part, s, z, true, area);
    for (int w = area.top; w < area.bottom; ++w)
      for (int v = area.left; v < area.right; ++v)
        ASSERT_EQ(piece[std::size_t(w - area.top) * std::size_t(area.width()) + std::size_t(v - area.left)],
                  full[std::size_t(w) * std::size_t(all.right) + std::size_t(v)])
            << z.ratioText() << " at " << v << "," << w;
  }
}

TEST(ZoomRenderer, OnePixelLineAtAQuarterIsGreyNotGone) {
  Surface s(40, 40, kWhite);
  s.Line(13, 0, 13, 39, kBlack);
  ZoomRenderer r;
  const auto shown = render(r, s, {1, 4}, false, Rect{0, 0, 10, 10});
  EXPECT_EQ(shown[3], 0xFFBFBFBFu);  // three white columns and a black one: 191.25
  EXPECT_EQ(shown[2], 0xFFFFFFFFu);
  EXPECT_EQ(shown[4], 0xFFFFFFFFu);
}

// The reduced levels follow changes only where they were reported, and
// shown previews (drawing on the visible layer) count as the picture shown.
// The 3 x 3 sums (1/6) and the 4 x 4 family (1/8) are kept apart: a change
// must reach both.
TEST(ZoomRenderer, ChangedCellsAreReducedAgainAndPreviewsAreShown) {
  Surface s = randomPicture(300, 200, 7);
  ZoomRenderer r;
  const ZoomFactor levels[] = {{1, 6}, {1, 8}};
  auto all = [](ZoomFactor z) { return Rect{0, 0, int(z.displayed(300)), int(z.displayed(200))}; };
  for (const ZoomFactor& z : levels) render(r, s, z, false, all(z));
  s.setChangeListener([&r](const Rect& changed) { r.invalidate(changed); });
  s.Line(10, 10, 250, 150, kBlack);  // persistent
  s.SetAutoRedraw(false);
  s.Line(0, 190, 299, 5, composeColor(255, 0, 0));  // a preview on the visible layer
  for (const ZoomFactor& z : levels) {
    const auto shown = render(r, s, z, false, all(z));
    ZoomRenderer fresh;
    EXPECT_EQ(shown, render(fresh, s, z, false, all(z))) << z.ratioText();
    expectMatchesReference(s, z, false);
  }
  EXPECT_GT(r.levelBytes(), 0u);
  r.releaseLevels();
  EXPECT_EQ(r.levelBytes(), 0u);
}

TEST(ZoomRenderer, ReducedLevelsStayWithinAThirdOfThePicture) {
  const Surface s(960, 960, kWhite);
  ZoomRenderer r;
  render(r, s, {1, 16}, false, Rect{0, 0, 60, 60});
  const std::size_t coarseOnly = r.levelBytes();
  render(r, s, {1, 3}, false, Rect{0, 0, 320, 320});
  EXPECT_LT(coarseOnly, r.levelBytes());  // 1/16 needs no 3 x 3 sums
  EXPECT_LE(r.levelBytes() * 3, std::size_t(960) * 960 * 4);
  // Actual size and above need none.
  ZoomRenderer near;
  render(near, s, {2, 1}, true, Rect{0, 0, 100, 100});
  render(near, s, {1, 2}, false, Rect{0, 0, 100, 100});
  EXPECT_EQ(near.levelBytes(), 0u);
}

}  // namespace
}  // namespace pictavo
