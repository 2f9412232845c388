// Our BMP reader against the reference renderings of the public BMP Suite,
// decoded by Qt's PNG reader.
#include "base/Errors.h"
#include "formats/BmpReader.h"
#include "formats/PictureDecoder.h"
#include "support/TestPictures.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pictavo {
namespace {

struct Case {
  const char* file;       // below bmpsuite/
  const char* reference;  // below bmpsuite/ref/, "" when there is none
  int tolerance;          // per channel
  bool mustDecode;
};

// Good files must decode like their references; 16-bit ones within rounding.
const Case kGood[] = {
    {"g/pal1.bmp", "pal1.png", 0, true},          {"g/pal1bg.bmp", "pal1bg.png", 0, true},
    {"g/pal1wb.bmp", "pal1.png", 0, true},        {"g/pal4.bmp", "pal4.png", 0, true},
    {"g/pal4gs.bmp", "pal4gs.png", 0, true},      {"g/pal4rle.bmp", "pal4.png", 0, true},
    {"g/pal8-0.bmp", "pal8.png", 0, true},        {"g/pal8.bmp", "pal8.png", 0, true},
    {"g/pal8gs.bmp", "pal8gs.png", 0, true},      {"g/pal8nonsquare.bmp", "pal8nonsquare-e.png", 0, true},
    {"g/pal8os2.bmp", "pal8.png", 0, true},       {"g/pal8rle.bmp", "pal8.png", 0, true},
    {"g/pal8topdown.bmp", "pal8.png", 0, true},   {"g/pal8v4.bmp", "pal8.png", 0, true},
    {"g/pal8v5.bmp", "pal8.png", 0, true},        {"g/pal8w124.bmp", "pal8w124.png", 0, true},
    {"g/pal8w125.bmp", "pal8w125.png", 0, true},  {"g/pal8w126.bmp", "pal8w126.png", 0, true},
    {"g/rgb16-565.bmp", "rgb16-565.png", 1, true}, {"g/rgb16-565pal.bmp", "rgb16-565.png", 1, true},
    {"g/rgb16.bmp", "rgb16.png", 1, true},        {"g/rgb16bfdef.bmp", "rgb16.png", 1, true},
    {"g/rgb24.bmp", "rgb24.png", 0, true},        {"g/rgb24pal.bmp", "rgb24.png", 0, true},
    {"g/rgb32.bmp", "rgb24.png", 0, true},        {"g/rgb32bf.bmp", "rgb24.png", 0, true},
    {"g/rgb32bfdef.bmp", "rgb24.png", 0, true},
};

// Questionable files: when they decode, they must look like their reference.
const Case kQuestionable[] = {
    {"q/pal1p1.bmp", "pal1p1.png", 0, true},           {"q/pal2.bmp", "pal2.png", 0, true},
    {"q/pal2color.bmp", "pal2color.png", 0, true},     {"q/pal4rlecut.bmp", "pal4rlecut.png", 0, true},
    {"q/pal4rletrns.bmp", "pal4rletrns.png", 0, true}, {"q/pal8offs.bmp", "pal8.png", 0, true},
    {"q/pal8os2-hs.bmp", "pal8.png", 0, true},         {"q/pal8os2-sz.bmp", "pal8.png", 0, true},
    {"q/pal8os2sp.bmp", "pal8.png", 0, true},          {"q/pal8os2v2-16.bmp", "pal8.png", 0, true},
    {"q/pal8os2v2-40sz.bmp", "pal8.png", 0, true},     {"q/pal8os2v2-sz.bmp", "pal8.png", 0, true},
    {"q/pal8os2v2.bmp", "pal8.png", 0, true},          {"q/pal8oversizepal.bmp", "pal8.png", 0, true},
    {"q/pal8rlecut.bmp", "pal8rlecut.png", 0, true},   {"q/pal8rletrns.bmp", "pal8rletrns.png", 0, true},
    {"q/rgb16-231.bmp", "rgb16-231.png", 1, true},     {"q/rgb16-3103.bmp", "rgb16-3103.png", 1, true},
    {"q/rgb16faketrns.bmp", "rgb16.png", 1, true},     {"q/rgb24largepal.bmp", "rgb24.png", 0, true},
    {"q/rgb24prof.bmp", "rgb24.png", 0, true},         {"q/rgb24lprof.bmp", "rgb24.png", 0, true},
    {"q/rgb24prof2.bmp", "", 0, true},                 {"q/rgb24rle24.bmp", "", 0, true},
    {"q/rgb32-111110.bmp", "rgb24.png", 4, true},      {"q/rgb32-7187.bmp", "rgb32-7187.png", 1, true},
    {"q/rgb32-xbgr.bmp", "rgb24.png", 0, true},        {"q/rgb32fakealpha.bmp", "rgb24.png", 0, true},
    {"q/rgb32h52.bmp", "rgb24.png", 0, true},          {"q/rgba16-1924.bmp", "rgba16-1924.png", 1, true},
    {"q/rgba16-4444.bmp", "rgba16-4444.png", 1, true}, {"q/rgba16-5551.bmp", "rgba16-5551.png", 1, true},
    {"q/rgba32-1.bmp", "rgba32.png", 0, true},         {"q/rgba32-2.bmp", "rgba32.png", 0, true},
    {"q/rgba32-1010102.bmp", "rgba32-1010102.png", 1, true},
    {"q/rgba32-61754.bmp", "rgba32-61754.png", 1, true},
    {"q/rgba32-81284.bmp", "rgba32-81284.png", 1, true},
    {"q/rgba32abf.bmp", "rgba32.png", 0, true},        {"q/rgba32h56.bmp", "rgba32.png", 0, true},
    // Refused: Huffman and embedded JPEG/PNG coding, 64-bit pixels.
    {"q/pal1huffmsb.bmp", "", 0, false},               {"q/rgb24jpeg.bmp", "", 0, false},
    {"q/rgb24png.bmp", "", 0, false},                  {"q/rgba64.bmp", "", 0, false},
};

// Bad files: refused, or decoded into a sound picture.
const Case kBad[] = {
    {"b/rgb16-880.bmp", "rgb16-880.png", 0, true},
    {"b/badbitssize.bmp", "pal1.png", 0, true},   // the wrong image size field is not needed
    {"b/baddens1.bmp", "pal1.png", 0, true},      {"b/baddens2.bmp", "pal1.png", 0, true},
    {"b/badfilesize.bmp", "pal1.png", 0, true},
    {"b/badbitcount.bmp", "", 0, false},          {"b/badheadersize.bmp", "", 0, false},
    {"b/badpalettesize.bmp", "", 0, false},       {"b/badplanes.bmp", "", 0, false},
    {"b/badwidth.bmp", "", 0, false},             {"b/reallybig.bmp", "", 0, false},
    {"b/rletopdown.bmp", "", 0, false},
    {"b/badrle.bmp", "", 0, true},                {"b/badrle4.bmp", "", 0, true},
    {"b/badrle4bis.bmp", "", 0, true},            {"b/badrle4ter.bmp", "", 0, true},
    {"b/badrlebis.bmp", "", 0, true},             {"b/badrleter.bmp", "", 0, true},
    {"b/pal8badindex.bmp", "", 0, true},          {"b/shortfile.bmp", "", 0, true},
};

// Largest channel difference between the decoded picture and the reference;
// colours of pixels transparent in both are not compared.
int maxDifference(const Picture& pic, const QImage& ref) {
  int worst = 0;
  for (int y = 0; y < pic.height; ++y)
    for (int x = 0; x < pic.width; ++x) {
      const std::uint32_t a = pic.at(x, y), b = ref.pixel(x, y);
      if ((a >> 24) == 0 && (b >> 24) == 0) continue;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
  return worst;
}

void checkCase(const Case& c) {
  SCOPED_TRACE(c.file);
  const std::string path = test::testDataPath(std::string("bmpsuite/") + c.file);
  const std::vector<std::uint8_t> bytes = readWholeFile(path);
  Picture pic;
  try {
    pic = readBmp(bytes.data(), bytes.size());
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrInvalidPicture);
    EXPECT_FALSE(c.mustDecode) << "refused";
    return;
  }
  EXPECT_TRUE(c.mustDecode) << "decoded a file that should be refused";
  ASSERT_EQ(pic.pixels.size(), std::size_t(pic.width) * std::size_t(pic.height));
  if (*c.reference == 0) return;
  QImage ref(QString::fromStdString(test::testDataPath(std::string("bmpsuite/ref/") + c.reference)));
  ASSERT_FALSE(ref.isNull());
  ref = ref.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(pic.width, ref.width());
  ASSERT_EQ(pic.height, ref.height());
  EXPECT_LE(maxDifference(pic, ref), c.tolerance);
}

class BmpSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    if (test::testDataPath("bmpsuite").empty() || !std::filesystem::is_directory(test::testDataPath("bmpsuite")))
      GTEST_SKIP() << "BMP Suite not present";
  }
};

TEST_F(BmpSuite, GoodFilesMatchTheirReferences) {
  for (const Case& c : kGood) checkCase(c);
}

TEST_F(BmpSuite, QuestionableFilesDecodeLikeTheirReferencesOrAreRefused) {
  for (const Case& c : kQuestionable) checkCase(c);
}

TEST_F(BmpSuite, BadFilesAreRefusedOrDecodedSoundly) {
  for (const Case& c : kBad) checkCase(c);
}

TEST_F(BmpSuite, OtherContainerIsRefused) {
  const std::vector<std::uint8_t> bytes = readWholeFile(test::testDataPath("bmpsuite/x/ba-bm.bmp"));
  EXPECT_THROW(decodePicture(bytes), Error);
}

}  // namespace
}  // namespace pictavo
