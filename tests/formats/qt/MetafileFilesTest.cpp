// Metafiles written by a real producer (an office suite's WMF and EMF export
// of tests/data/metafiles/drawing.svg) decode by content through the same
// entry point Open uses: shapes, line, text and the embedded bitmap land
// where the drawing has them, and the background stays transparent.
#include "base/Errors.h"
#include "canvas/Color.h"
#include "formats/PictureDecoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace pictavo {
namespace {

std::string metafilePath(const char* name) {
  return (std::filesystem::path(__FILE__).parent_path() / "../../data/metafiles" / name).lexically_normal().string();
}

// The colour at a place of the 200 x 120 drawing, mapped onto the picture.
Color colourAt(const Picture& p, double svgX, double svgY) {
  const int x = int(svgX * p.width / 200.0), y = int(svgY * p.height / 120.0);
  const std::uint32_t px = p.at(x, y);
  return (px >> 24) == 0 ? kNoColor : colorFromPixel(px);
}

class ProducedMetafile : public ::testing::TestWithParam<const char*> {};

TEST_P(ProducedMetafile, DrawsEveryKindOfContentInPlace) {
  const Picture p = decodePictureFile(metafilePath(GetParam()));
  // Two inches by 1.2 at the producer's scale: close to 200 x 120 pixels.
  EXPECT_NEAR(p.width, 190, 12);
  EXPECT_NEAR(p.height, 110, 12);
  EXPECT_EQ(colourAt(p, 40, 30), 0x0000A000u);   // green rectangle
  EXPECT_EQ(colourAt(p, 130, 30), 0x00FF0000u);  // blue ellipse
  EXPECT_EQ(colourAt(p, 40, 70), 0x0000CCFFu);   // yellow triangle
  EXPECT_EQ(colourAt(p, 158, 100), 0x000000FFu); // bitmap: red half
  EXPECT_EQ(colourAt(p, 176, 100), 0x00FF0000u); // bitmap: blue half
  EXPECT_EQ(colourAt(p, 195, 4), kNoColor);      // nothing drawn there
  // The 3-pixel red line crosses x = 100 near y = 90.
  int red = 0;
  for (double y = 84; y <= 96; y += 0.5) red += colourAt(p, 100, y) == 0x000000FFu;
  EXPECT_GT(red, 0);
  // The text: purple glyph pixels within its box.
  int purple = 0;
  for (int y = int(62 * p.height / 120.0); y < int(84 * p.height / 120.0); ++y)
    for (int x = int(88 * p.width / 200.0); x < int(150 * p.width / 200.0); ++x)
      if ((p.at(x, y) >> 24) && colorFromPixel(p.at(x, y)) == 0x00800080u) ++purple;
  EXPECT_GT(purple, 40);
}

INSTANTIATE_TEST_SUITE_P(Formats, ProducedMetafile, ::testing::Values("drawing.wmf", "drawing.emf"));

TEST(ProducedMetafile, TruncatedCopiesGiveTheInvalidPictureError) {
  for (const char* name : {"drawing.wmf", "drawing.emf"}) {
    std::vector<std::uint8_t> bytes;
    {
      FILE* f = std::fopen(metafilePath(name).c_str(), "rb");
      ASSERT_NE(f, nullptr);
      int c;
      while ((c = std::fgetc(f)) != EOF) bytes.push_back(std::uint8_t(c));
      std::fclose(f);
    }
    for (std::size_t n = 0; n < bytes.size(); n += 7) {
      try {
        decodePicture(bytes.data(), n);
      } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrInvalidPicture) << name << " cut at " << n;
      }
    }
  }
}

}  // namespace
}  // namespace pictavo
