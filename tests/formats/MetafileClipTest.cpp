// Clip regions of the metafile player against a pixel-by-pixel model: every
// combination of random regions must cover exactly the pixels the operation
// says, stay in the banded form the span writer relies on, and stop when a
// hostile file asks for too much.
#include "canvas/SpanWriter.h"
#include "formats/metafile/MetafileClip.h"

#include <gtest/gtest.h>

#include <random>

namespace pictavo::metafile {
namespace {

constexpr int kGrid = 24;
using Mask = std::vector<bool>;

Mask maskOf(const SpanClip& region) {
  Mask m(kGrid * kGrid, false);
  for (int y = 0; y < kGrid; ++y)
    forEachClipPart(region, y, 0, kGrid - 1, [&](std::int64_t a, std::int64_t b) {
      for (std::int64_t x = a; x <= b; ++x) m[std::size_t(y * kGrid + x)] = true;
    });
  return m;
}

Mask maskOfRects(const std::vector<Rect>& rects) {
  Mask m(kGrid * kGrid, false);
  for (const Rect& r : rects)
    for (int y = std::max(0, r.top); y < std::min(kGrid, r.bottom); ++y)
      for (int x = std::max(0, r.left); x < std::min(kGrid, r.right); ++x) m[std::size_t(y * kGrid + x)] = true;
  return m;
}

std::vector<Rect> randomRects(std::mt19937& random, int count) {
  std::uniform_int_distribution<int> coord(-2, kGrid + 2);
  std::vector<Rect> rects;
  for (int k = 0; k < count; ++k) {
    int l = coord(random), r = coord(random), t = coord(random), b = coord(random);
    // Some inverted and degenerate ones on purpose: they must cover nothing.
    rects.push_back(Rect{l, t, r, b});
  }
  return rects;
}

TEST(MetafileClipRegion, EveryCombinationMatchesThePixelModelAndStaysBanded) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const std::vector<Rect> rectsA = randomRects(random, 1 + round % 6), rectsB = randomRects(random, 1 + round % 4);
    long long allowance = 1 << 20;
    const std::optional<SpanClip> a = clip::fromRects(rectsA, allowance), b = clip::fromRects(rectsB, allowance);
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(clip::isBanded(*a));
    const Mask ma = maskOfRects(rectsA), mb = maskOfRects(rectsB);
    ASSERT_EQ(maskOf(*a), ma) << round;
    for (ClipCombine op : {ClipCombine::And, ClipCombine::Or, ClipCombine::Xor, ClipCombine::Diff, ClipCombine::Copy}) {
      const std::optional<SpanClip> c = clip::combine(*a, *b, op, allowance);
      ASSERT_TRUE(c);
      EXPECT_TRUE(clip::isBanded(*c)) << round << " op " << int(op);
      Mask expected(ma.size());
      for (std::size_t i = 0; i < ma.size(); ++i) {
        switch (op) {
          case ClipCombine::And: expected[i] = ma[i] && mb[i]; break;
          case ClipCombine::Or: expected[i] = ma[i] || mb[i]; break;
          case ClipCombine::Xor: expected[i] = ma[i] != mb[i]; break;
          case ClipCombine::Diff: expected[i] = ma[i] && !mb[i]; break;
          case ClipCombine::Copy: expected[i] = mb[i]; break;
        }
      }
      EXPECT_EQ(maskOf(*c), expected) << round << " op " << int(op);
    }
  }
}

TEST(MetafileClipRegion, TouchingPiecesJoinIntoFewRectangles) {
  long long allowance = 1000;
  // Two halves of one square, side by side, then one above the other.
  const auto sideBySide = clip::combine({Rect{0, 0, 5, 10}}, {Rect{5, 0, 10, 10}}, ClipCombine::Or, allowance);
  ASSERT_TRUE(sideBySide);
  EXPECT_EQ(*sideBySide, (SpanClip{Rect{0, 0, 10, 10}}));
  // Rows 3 and 4 share a band; row 5 has a gap; the touching runs of row 6 are one.
  const auto stacked = clip::fromRows(3, {{{0, 4}}, {{0, 4}}, {{3, 4}, {0, 1}}, {{0, 2}, {3, 4}}}, allowance);
  ASSERT_TRUE(stacked);
  EXPECT_EQ(*stacked, (SpanClip{Rect{0, 3, 5, 5}, Rect{0, 5, 2, 6}, Rect{3, 5, 5, 6}, Rect{0, 6, 5, 7}}));
}

TEST(MetafileClipRegion, OffsetsAtTheFarEdgeDoNotOverflow) {
  const SpanClip moved = clip::offset(clip::whole(), 1LL << 40, -(1LL << 40));
  // Everything slid past the edge: nothing is left, and nothing wrapped round.
  EXPECT_TRUE(moved.empty());
  EXPECT_EQ(clip::offset({Rect{0, 0, 4, 4}}, 3, -2), (SpanClip{Rect{3, -2, 7, 2}}));
}

TEST(MetafileClipRegion, HostileRegionsRunOutOfAllowanceInsteadOfGrowing) {
  // A comb of thin columns crossed with a comb of thin rows: n x n pieces.
  SpanClip columns, rows;
  for (int k = 0; k < 400; ++k) columns.push_back(Rect{2 * k, 0, 2 * k + 1, 800});
  std::vector<Rect> rowRects;
  for (int k = 0; k < 400; ++k) rowRects.push_back(Rect{0, 2 * k, 800, 2 * k + 1});
  long long allowance = 1 << 20;
  const std::optional<SpanClip> rowRegion = clip::fromRects(rowRects, allowance);
  ASSERT_TRUE(rowRegion);
  long long small = 50'000;
  EXPECT_FALSE(clip::combine(columns, *rowRegion, ClipCombine::Xor, small));  // 160000 pieces: refused
  std::vector<Rect> tooMany(clip::kMaxRects + 1, Rect{0, 0, 1, 1});
  long long plenty = 1LL << 40;
  EXPECT_FALSE(clip::fromRects(tooMany, plenty));
  EXPECT_EQ(clip::widestBand(columns), 400u);
}

TEST(MetafileClipRegion, SpanWriterCutsFiguresToTheSurfacesClip) {
  Surface s(20, 10, kWhite);
  s.setSpanClip(std::make_shared<const SpanClip>(SpanClip{Rect{2, 0, 5, 10}, Rect{8, 0, 12, 10}}));
  s.Line(0, 4, 19, 4, kBlack);
  s.setSpanClip(nullptr);
  s.Line(0, 6, 19, 6, kBlack);
  for (int x = 0; x < 20; ++x) {
    const bool inside = (x >= 2 && x < 5) || (x >= 8 && x < 12);
    EXPECT_EQ(s.GetPixel(x, 4), inside ? kBlack : kWhite) << x;
    EXPECT_EQ(s.GetPixel(x, 6), kBlack) << x;
  }
}

}  // namespace
}  // namespace pictavo::metafile
