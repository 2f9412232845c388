// TextOut: glyph pixels only, exactly ForeColor, top-left at the point,
// styles, Chinese glyphs, one line, and the changed rectangle.
#include "canvas/SurfaceText.h"
#include "support/TestPictures.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <vector>

namespace pictavo {
namespace {

constexpr Color kRed = 0x000000FF;

// A background that is not one colour, so a filled text box would show.
Surface stripes(int w, int h) {
  Surface s(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, (x + y) % 3 == 0 ? 0x00336699u : kWhite);
  return s;
}

struct Ink {
  Rect bounds;
  int count = 0;
};

// The pixels that differ between two surfaces of one size.
Ink changedPixels(const Surface& before, const Surface& after) {
  Ink ink;
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x)
      if (before.GetPixel(x, y) != after.GetPixel(x, y)) {
        ++ink.count;
        ink.bounds = ink.bounds.united(Rect{x, y, x + 1, y + 1});
      }
  return ink;
}

Ink inkOf(const std::string& family, double size, bool bold, const QString& text) {
  Surface s(400, 80, kWhite), blank(400, 80, kWhite);
  s.Font.name = family;
  s.Font.size = size;
  s.Font.bold = bold;
  TextOut(s, 10, 10, text);
  return changedPixels(blank, s);
}

}  // namespace

TEST(TextOut, OnlyGlyphPixelsChangeAndThoseAreExactlyForeColor) {
  Surface s = stripes(300, 60), before = stripes(300, 60);
  s.Font.name = "DejaVu Sans";
  s.Font.size = 14;
  s.ForeColor = kRed;
  std::vector<Rect> heard;
  s.setChangeListener([&](const Rect& r) { heard.push_back(r); });
  TextOut(s, 20, 15, "Hello, Wg!");

  const Ink ink = changedPixels(before, s);
  ASSERT_GT(ink.count, 40);
  int background = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 300; ++x) {
      const Color c = s.GetPixel(x, y);
      if (c != before.GetPixel(x, y)) {
        ASSERT_EQ(c, kRed) << x << "," << y;
      }
      if (c == before.GetPixel(x, y) && c == 0x00336699u) ++background;
    }
  EXPECT_GT(background, 300 * 60 / 3 - ink.count);  // the stripes survive between the glyphs

  // Top-left at the point: ink starts at the point's row band, not above or left of it.
  const QFontMetrics metrics(surfaceQFont(s.Font));
  EXPECT_GE(ink.bounds.top, 15);
  EXPECT_LE(ink.bounds.top, 15 + metrics.ascent() - metrics.capHeight() + 1);
  EXPECT_GE(ink.bounds.left, 20);
  EXPECT_LE(ink.bounds.left, 23);
  EXPECT_LE(ink.bounds.bottom, 15 + metrics.height());

  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], ink.bounds);
}

TEST(TextOut, SizeInPointsMapsToPixelsAtNinetySixDpi) {
  SurfaceFont f;
  f.size = 9;
  EXPECT_EQ(surfaceQFont(f).pixelSize(), 12);
  f.size = 7.5;
  EXPECT_EQ(surfaceQFont(f).pixelSize(), 10);
  // Larger type, larger ink.
  EXPECT_GT(inkOf("DejaVu Sans", 24, false, "Text").bounds.height(), inkOf("DejaVu Sans", 12, false, "Text").bounds.height());
}

TEST(TextOut, BoldIsWiderAndUnderlineRunsUnderTheText) {
  const Ink normal = inkOf("DejaVu Sans", 16, false, "Wide words");
  const Ink bold = inkOf("DejaVu Sans", 16, true, "Wide words");
  EXPECT_GT(bold.bounds.width(), normal.bounds.width());
  EXPECT_GT(bold.count, normal.count);

  Surface s(300, 60, kWhite), plain(300, 60, kWhite);
  s.Font.name = plain.Font.name = "DejaVu Sans";
  s.Font.size = plain.Font.size = 16;
  s.Font.underline = true;
  TextOut(s, 10, 10, "under");
  TextOut(plain, 10, 10, "under");
  const Ink line = changedPixels(plain, s);
  ASSERT_GT(line.count, 0);
  EXPECT_GE(line.bounds.width(), changedPixels(Surface(300, 60, kWhite), plain).bounds.width() - 2);
}

TEST(TextOut, ChineseTextDrawsRealGlyphs) {
  const QString text = QString::fromUtf8("中文字体");
  for (const char* family : {"WenQuanYi Micro Hei", "SimSun", ""}) {
    SurfaceFont f;
    f.name = family;
    f.size = 16;
    QTextLayout layout(text, surfaceQFont(f));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns())
      for (quint32 index : run.glyphIndexes()) {
        EXPECT_NE(index, 0u) << family;
        ++glyphs;
      }
    EXPECT_EQ(glyphs, 4) << family;
  }
  // Different characters, different ink (missing-glyph boxes would all match).
  Surface a(60, 40, kWhite), b(60, 40, kWhite);
  a.Font.name = b.Font.name = "SimSun";
  a.Font.size = b.Font.size = 16;
  TextOut(a, 5, 5, QString::fromUtf8("中"));
  TextOut(b, 5, 5, QString::fromUtf8("字"));
  EXPECT_NE(test::rowsOf(a), test::rowsOf(b));
}

TEST(TextOut, ALineBreakNeverStartsASecondLine) {
  Surface s(300, 120, kWhite), blank(300, 120, kWhite);
  s.Font.name = "DejaVu Sans";
  s.Font.size = 14;
  TextOut(s, 10, 10, "Top\nBottom\r\nMore");
  const Ink ink = changedPixels(blank, s);
  const QFontMetrics metrics(surfaceQFont(s.Font));
  ASSERT_GT(ink.count, 0);
  EXPECT_LE(ink.bounds.bottom, 10 + metrics.height());
}

TEST(TextOut, ClipsAtTheEdgesAndDrawsOnTheLayerDrawingGoesTo) {
  Surface s(40, 20, kWhite);
  s.Font.size = 20;
  TextOut(s, -15, -8, "Clipped text runs off");
  TextOut(s, 2147483000, 5, "far");
  TextOut(s, -2147483000, 5, "far");
  TextOut(s, 5, 5, "");
  EXPECT_GT(changedPixels(Surface(40, 20, kWhite), s).count, 0);

  Surface preview(60, 30, kWhite);
  preview.SetAutoRedraw(false);
  TextOut(preview, 5, 5, "Ab");
  EXPECT_GT(changedPixels(Surface(60, 30, kWhite), preview).count, 0);
  preview.SetAutoRedraw(true);
  EXPECT_EQ(changedPixels(Surface(60, 30, kWhite), preview).count, 0);  // persistent image untouched
}

}  // namespace pictavo
