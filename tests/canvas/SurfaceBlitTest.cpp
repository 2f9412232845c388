// BitBlt and TransparentBlt: clipping, copies onto the same surface, keys.
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace pictavo {
using namespace test;
using Rows = std::vector<std::string>;

namespace {

// A surface where every pixel has its own colour.
Surface numbered(int w, int h, int salt = 0) {
  Surface s(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, composeColor(x, y, salt));
  return s;
}

std::vector<Color> pixelsOf(const Surface& s) {
  std::vector<Color> out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

// What a plain copy must give, pixel by pixel: a destination pixel changes
// when it lies in the copied block and its source pixel exists.
std::vector<Color> expectedCopy(const std::vector<Color>& before, int w, int h, const std::vector<Color>& source,
                                int sw, int sh, int dx, int dy, int bw, int bh, int sx, int sy) {
  std::vector<Color> out = before;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (x < dx || y < dy || x >= dx + bw || y >= dy + bh) continue;
      const int fx = x - dx + sx, fy = y - dy + sy;
      if (fx < 0 || fy < 0 || fx >= sw || fy >= sh) continue;
      out[std::size_t(y * w + x)] = source[std::size_t(fy * sw + fx)];
    }
  return out;
}

}  // namespace

TEST(BitBlt, OverlappingCopyOntoItselfReadsTheSourceFirstInEveryDirection) {
  struct Move {
    int dx, dy, sx, sy;
  };
  const Move moves[] = {{1, 0, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 1},
                        {2, 1, 0, 0}, {0, 0, 2, 1}, {1, 0, 0, 2}, {0, 2, 1, 0}};
  for (const Move& m : moves) {
    Surface s = numbered(7, 6);
    const std::vector<Color> before = pixelsOf(s);
    s.BitBlt(m.dx, m.dy, 5, 4, s, m.sx, m.sy);
    EXPECT_EQ(pixelsOf(s), expectedCopy(before, 7, 6, before, 7, 6, m.dx, m.dy, 5, 4, m.sx, m.sy))
        << m.dx << "," << m.dy << " from " << m.sx << "," << m.sy;
  }
}

TEST(BitBlt, ClipsAtTheEdgesOfBothSurfaces) {
  struct Case {
    int dx, dy, w, h, sx, sy;
  };
  const Case cases[] = {
      {-2, -1, 4, 3, 0, 0},   // destination starts left of and above the surface
      {0, 0, 4, 3, -2, -1},   // source starts outside
      {3, 2, 100, 100, 0, 0}, // block larger than both
      {0, 0, 6, 5, 3, 1},     // source runs past its right and bottom edges
      {-1, 0, 3, 2, 4, 3},    // both at once
      {5, 0, 2, 2, 0, 0},     // wholly outside the destination
      {0, 0, 2, 2, 4, 4},     // wholly outside the source
      {1, 1, 0, 3, 0, 0},     // no width
      {2147483000, 0, 2000, 1, 0, 0},  // positions near the int limit
  };
  for (const Case& c : cases) {
    Surface dst = numbered(5, 4, 200);
    const Surface src = numbered(6, 5, 100);
    const std::vector<Color> before = pixelsOf(dst), source = pixelsOf(src);
    int changes = 0;
    dst.setChangeListener([&](const Rect&) { ++changes; });
    dst.BitBlt(c.dx, c.dy, c.w, c.h, src, c.sx, c.sy);
    const std::vector<Color> expected = expectedCopy(before, 5, 4, source, 6, 5, c.dx, c.dy, c.w, c.h, c.sx, c.sy);
    EXPECT_EQ(pixelsOf(dst), expected) << c.dx << "," << c.dy << " " << c.w << "x" << c.h << " from " << c.sx << ","
                                       << c.sy;
    EXPECT_EQ(changes, expected == before ? 0 : 1);
  }
}

TEST(BitBlt, LargeCopyAtAnOddOffsetIsExact) {
  // Large enough for the copy to bypass the cache, shifted so rows start unaligned.
  const int w = 3001, h = 3000;
  Surface src(w, h), dst(w, h, kBlack);
  std::uint32_t* p = src.writableDrawBits(src.bounds());
  for (std::size_t i = 0; i < std::size_t(w) * h; ++i) p[i] = 0xFF000000u | std::uint32_t(i * 2654435761u >> 8);
  dst.BitBlt(1, 0, w, h, src, 0, 0);
  const std::uint32_t* q = dst.drawBits();
  std::size_t wrong = 0;
  for (int y = 0; y < h; ++y) {
    wrong += q[std::size_t(y) * w] != pixelFromColor(kBlack);
    for (int x = 1; x < w; ++x) wrong += q[std::size_t(y) * w + x] != p[std::size_t(y) * w + x - 1];
  }
  EXPECT_EQ(wrong, 0u);
}

TEST(BitBlt, ReadsTheSourceDrawingLayerAndWritesTheDestinationDrawingLayer) {
  Surface src = surfaceFromRows({"##"});
  src.SetAutoRedraw(false);
  src.SetPixel(0, 0, kMagenta);  // visible layer only: this is what is copied
  Surface dst(2, 1, kWhite);
  dst.SetAutoRedraw(false);
  dst.BitBlt(0, 0, 2, 1, src, 0, 0);
  EXPECT_EQ(visibleRowsOf(dst), (Rows{"m#"}));
  dst.Refresh();
  EXPECT_EQ(visibleRowsOf(dst), (Rows{".."}));
}

TEST(TransparentBlt, SkipsExactlyTheKeyColourAtEqualSize) {
  const Legend legend{{'.', kWhite}, {'#', kBlack}, {'m', kMagenta}, {'n', 0x00FE00FFu}, {'r', 0x000000FFu}};
  const Surface stamp = surfaceFromRows({"m#m", "nmm"}, legend);
  Surface canvas = surfaceFromRows({"rrrr", "rrrr", "rrrr"}, legend);
  canvas.TransparentBlt(1, 1, 3, 2, stamp, 0, 0, 3, 2, kMagenta);
  EXPECT_EQ(rowsOf(canvas, legend), (Rows{"rrrr", "rr#r", "rnrr"}));

  // The canvas background as the key (the transparent paste): white is skipped.
  const Surface buffer = surfaceFromRows({".#", "#."}, legend);
  Surface other = surfaceFromRows({"rrr", "rrr"}, legend);
  other.TransparentBlt(1, 0, 2, 2, buffer, 0, 0, 2, 2, kWhite);
  EXPECT_EQ(rowsOf(other, legend), (Rows{"rr#", "r#r"}));
}

TEST(TransparentBlt, ScalesNearestAndStillSkipsTheKey) {
  const Legend legend{{'m', kMagenta}, {'#', kBlack}, {'r', 0x000000FFu}, {'g', 0x0000FF00u}};
  const Surface stamp = surfaceFromRows({"#m", "mg"}, legend);
  Surface canvas = surfaceFromRows({"rrrrr", "rrrrr", "rrrrr", "rrrrr"}, legend);
  canvas.TransparentBlt(0, 0, 4, 4, stamp, 0, 0, 2, 2, kMagenta);
  EXPECT_EQ(rowsOf(canvas, legend), (Rows{"##rrr", "##rrr", "rrggr", "rrggr"}));
  // Shrinking takes the pixel under each destination pixel's centre.
  const Surface wide = surfaceFromRows({"#mgm"}, legend);
  Surface row = surfaceFromRows({"rr"}, legend);
  row.TransparentBlt(0, 0, 2, 1, wide, 0, 0, 4, 1, kMagenta);
  EXPECT_EQ(rowsOf(row, legend), (Rows{"rr"}));
  row.TransparentBlt(0, 0, 2, 1, wide, 1, 0, 2, 1, kMagenta);
  EXPECT_EQ(rowsOf(row, legend), (Rows{"rg"}));
}

TEST(TransparentBlt, CopyOntoItselfAndMirroredExtents) {
  const Legend legend{{'m', kMagenta}, {'#', kBlack}, {'g', 0x0000FF00u}, {'.', kWhite}};
  Surface s = surfaceFromRows({"#gm.", "...."}, legend);
  s.TransparentBlt(1, 0, 3, 1, s, 0, 0, 3, 1, kMagenta);
  EXPECT_EQ(s.GetPixel(1, 0), kBlack);
  EXPECT_EQ(s.GetPixel(2, 0), 0x0000FF00u);
  EXPECT_EQ(s.GetPixel(3, 0), kWhite);  // magenta skipped: the old pixel stays
  int changes = 0;
  s.setChangeListener([&](const Rect&) { ++changes; });
  s.TransparentBlt(3, 0, -3, 1, s, 0, 0, 3, 1, kMagenta);
  EXPECT_EQ(changes, 0);
}

}  // namespace pictavo
