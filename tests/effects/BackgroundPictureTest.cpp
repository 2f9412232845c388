// Laying a picture over the canvas with magenta transparent.

#include "effects/BackgroundPicture.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using test::rowsOf;

constexpr std::uint32_t kMagentaWord = 0xFFFF00FFu;
constexpr std::uint32_t kBlackWord = 0xFF000000u;
constexpr std::uint32_t kRedWord = 0xFFFF0000u;

Picture pictureOf(const std::vector<std::string>& rows) {
  Picture p(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const char c = rows[std::size_t(y)][std::size_t(x)];
      p.at(x, y) = c == 'm' ? kMagentaWord : c == 'r' ? kRedWord : c == 't' ? 0x00123456u : kBlackWord;
    }
  return p;
}

struct Boxes {
  Surface mask = Surface::hiddenBuffer();
  Surface stretched = Surface::hiddenBuffer();
};

TEST(ApplyBackgroundPicture, PictureWithoutMagentaReplacesTheCanvasStretched) {
  Surface canvas = test::surfaceFromRows({"....", "....", "...."});
  Boxes b;
  ApplyBackgroundPicture(canvas, pictureOf({"#r"}), b.mask, b.stretched);
  EXPECT_EQ(rowsOf(canvas), (std::vector<std::string>{"##rr", "##rr", "##rr"}));
  // Both boxes are cleared; the stretch box keeps the canvas's size.
  EXPECT_EQ(b.stretched.Width(), 4);
  EXPECT_EQ(b.stretched.Height(), 3);
  EXPECT_EQ(b.stretched.GetPixel(0, 0), kMagenta);
  EXPECT_EQ(b.mask.GetPixel(0, 0), kMagenta);
}

TEST(ApplyBackgroundPicture, MagentaAndTransparentPixelsLetTheCanvasShow) {
  Surface canvas = test::surfaceFromRows({"rrr", "rrr", "rrr"});
  Boxes b;
  ApplyBackgroundPicture(canvas, pictureOf({"mmm", "mmm", "mmm"}), b.mask, b.stretched);
  EXPECT_EQ(rowsOf(canvas), (std::vector<std::string>{"rrr", "rrr", "rrr"}));
  // A frame: the drawing stays visible in the middle; a transparent pixel
  // shows the box's magenta and so counts as transparent too.
  ApplyBackgroundPicture(canvas, pictureOf({"###", "#mt", "###"}), b.mask, b.stretched);
  EXPECT_EQ(rowsOf(canvas), (std::vector<std::string>{"###", "#rr", "###"}));
}

// Averaging at the border of a magenta area mixes colours that are no longer
// magenta; those pixels cover the canvas.
TEST(ApplyBackgroundPicture, MixedBorderPixelsCoverTheCanvas) {
  Surface canvas = test::surfaceFromRows({".."});
  Boxes b;
  ApplyBackgroundPicture(canvas, pictureOf({"mm#"}), b.mask, b.stretched);
  EXPECT_EQ(canvas.GetPixel(0, 0), kWhite);
  const Color mixed = canvas.GetPixel(1, 0);
  EXPECT_NE(mixed, kWhite);
  EXPECT_NE(mixed, kMagenta);
}

}  // namespace
}  // namespace pictavo
