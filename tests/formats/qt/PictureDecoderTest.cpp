// Decoding by content through Qt's readers: JPEG, GIF, ICO and CUR made in
// the test, names that lie about the content, damaged and oversized files.
#include "formats/PictureDecoder.h"

#include "base/Errors.h"
#include "canvas/PixelPool.h"
#include "canvas/Surface.h"
#include "formats/BmpWriter.h"
#include "support/QtFiles.h"
#include "support/TestPictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace pictavo {
namespace {

namespace fs = std::filesystem;

using test::encodeWithQt;

using test::errorOf;

// A 3 x 2 GIF with a four-colour table (red, green, blue, white) whose
// index 3 is transparent: rows "0 1 2" and "3 3 0". Each code follows a
// clear code, so every code keeps the width of three bits.
std::vector<std::uint8_t> smallGif() {
  std::vector<std::uint8_t> g = {'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0x81, 0, 0,
                                 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255,
                                 0x21, 0xF9, 4, 0x01, 0, 0, 3, 0,  // transparent index 3
                                 0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0,  // the image: whole screen
                                 2};                               // LZW minimum code size
  std::vector<int> codes;
  for (int index : {0, 1, 2, 3, 3, 0}) {
    codes.push_back(4);  // clear
    codes.push_back(index);
  }
  codes.push_back(5);  // end of information
  std::vector<std::uint8_t> data;
  unsigned bitBuffer = 0;
  int bits = 0;
  for (int code : codes) {
    bitBuffer |= unsigned(code) << bits;
    bits += 3;
    while (bits >= 8) {
      data.push_back(std::uint8_t(bitBuffer));
      bitBuffer >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) data.push_back(std::uint8_t(bitBuffer));
  g.push_back(std::uint8_t(data.size()));
  g.insert(g.end(), data.begin(), data.end());
  g.push_back(0);     // block terminator
  g.push_back(0x3B);  // trailer
  return g;
}

QImage iconImage() {
  QImage image(4, 4, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 255, 255));
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  image.setPixel(3, 3, qRgba(255, 0, 0, 255));
  return image;
}

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/pictavo-decoder-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const fs::path p = path_ / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p.string();
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(PictureDecoder, JpegDecodesOpaque) {
  QImage image(16, 8, QImage::Format_RGB32);
  image.fill(qRgb(200, 40, 90));
  const Picture p = decodePicture(encodeWithQt(image, "jpeg", 100));
  ASSERT_EQ(p.width, 16);
  ASSERT_EQ(p.height, 8);
  const std::uint32_t c = p.at(5, 5);
  EXPECT_EQ(c >> 24, 255u);
  EXPECT_NEAR(int((c >> 16) & 0xFF), 200, 3);
  EXPECT_NEAR(int((c >> 8) & 0xFF), 40, 3);
  EXPECT_NEAR(int(c & 0xFF), 90, 3);
}

// Open as the canvas does it: decode, then the canvas takes the picture over.
void open(Surface& canvas, const std::string& path) { canvas.SetPicture(decodePictureFile(path)); }

TEST(PictureDecoder, ALaterOpenOfTheSameSizeDecodesIntoTheMemoryOfThePictureItReplaces) {
  TempFolder dir;
  QImage image(1024, 768, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x / 4, y / 3, (x + y) / 7));
  const std::vector<std::uint8_t> jpegBytes = encodeWithQt(image, "jpeg", 90);
  ASSERT_LT(jpegBytes.size(), PixelPool::kMinPooledBytes);  // its bytes are not pooled
  const std::string jpeg = dir.file("photo.jpg", jpegBytes);
  std::vector<std::uint32_t> bmpPixels(std::size_t(1024) * 768, 0xFF336699u);
  const std::string bmp = dir.file("flat.bmp", encodeBmp(bmpPixels.data(), 1024, 768, 1024));
  PixelPool::shared().trim(0);
  Surface canvas(1024, 768);
  const std::uint32_t* spare = std::as_const(canvas).bits(Surface::Layer::Persistent);
  open(canvas, jpeg);
  const std::uint32_t* shown = std::as_const(canvas).bits(Surface::Layer::Persistent);
  const std::vector<std::uint32_t> first(shown, shown + std::size_t(1024) * 768);
  for (const std::string* path : {&jpeg, &bmp, &jpeg}) {
    const std::uint32_t* replaced = std::as_const(canvas).bits(Surface::Layer::Persistent);
    open(canvas, *path);
    // The decoder wrote into the picture replaced the time before, not
    // into fresh memory; the one replaced now waits in the pool.
    EXPECT_EQ(std::as_const(canvas).bits(Surface::Layer::Persistent), spare) << *path;
    EXPECT_EQ(PixelPool::shared().pooledCount(), 1u);
    spare = replaced;
  }
  shown = std::as_const(canvas).bits(Surface::Layer::Persistent);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), shown));
  open(canvas, bmp);
  EXPECT_EQ(canvas.GetPixel(1023, 767), colorFromPixel(0xFF336699u));
}

TEST(PictureDecoder, AFailedOpenLeavesThePictureAndItsMemory) {
  TempFolder dir;
  QImage image(600, 500, QImage::Format_RGB32);
  image.fill(qRgb(10, 200, 30));
  const std::vector<std::uint8_t> jpeg = encodeWithQt(image, "jpeg", 90);
  Surface canvas(10, 10);
  open(canvas, dir.file("good.jpg", jpeg));
  const Picture before = canvas.Image();
  const std::uint32_t* memory = std::as_const(canvas).bits(Surface::Layer::Persistent);
  const std::string cut = dir.file("cut.jpg", std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));
  EXPECT_EQ(errorOf([&] { open(canvas, cut); }), kErrInvalidPicture);
  EXPECT_EQ(std::as_const(canvas).bits(Surface::Layer::Persistent), memory);
  EXPECT_EQ(canvas.Width(), 600);
  EXPECT_TRUE(canvas.Image().pixels == std::vector<std::uint32_t>(before.pixels.begin(), before.pixels.end()));
}

TEST(PictureDecoder, ABitmapCutShortShowsTheBackgroundWhereItsRowsAreMissing) {
  TempFolder dir;
  std::vector<std::uint32_t> pixels(std::size_t(700) * 600, 0xFF204060u);
  std::vector<std::uint8_t> bmp = encodeBmp(pixels.data(), 700, 600, 700);
  bmp.resize(bmp.size() / 2 + 5);  // bottom-up: the upper rows are missing
  Surface canvas(10, 10);
  open(canvas, dir.file("short.bmp", bmp));
  ASSERT_EQ(canvas.Width(), 700);
  EXPECT_EQ(canvas.GetPixel(3, 599), colorFromPixel(0xFF204060u));
  EXPECT_EQ(canvas.GetPixel(3, 0), kWhite);
  EXPECT_EQ(canvas.GetPixel(699, 299), kWhite);  // the row cut inside
}

TEST(PictureDecoder, GifFirstFrameKeepsItsTransparency) {
  Picture p = decodePicture(smallGif());
  ASSERT_EQ(p.width, 3);
  ASSERT_EQ(p.height, 2);
  // Only the alpha of a transparent pixel counts: its colour never shows.
  for (std::uint32_t& pixel : p.pixels)
    if ((pixel >> 24) == 0) pixel = 0;
  EXPECT_EQ(p.pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0, 0, 0xFFFF0000u}));
}

TEST(PictureDecoder, IconAndCursorKeepTheirTransparency) {
  std::vector<std::uint8_t> ico = encodeWithQt(iconImage(), "ico");
  ASSERT_GE(ico.size(), 6u);
  ASSERT_EQ(ico[2], 1);
  std::vector<std::uint8_t> cur = ico;
  cur[2] = 2;  // a cursor; the hotspot sits where an icon keeps planes and bit count
  cur[10] = 1;
  cur[11] = 0;
  cur[12] = 2;
  cur[13] = 0;
  for (const std::vector<std::uint8_t>* bytes : {&ico, &cur}) {
    const Picture p = decodePicture(*bytes);
    ASSERT_EQ(p.width, 4);
    ASSERT_EQ(p.height, 4);
    EXPECT_EQ(p.at(0, 0) >> 24, 0u);
    EXPECT_EQ(p.at(1, 0), 0xFF0000FFu);
    EXPECT_EQ(p.at(3, 3), 0xFFFF0000u);
  }
}

TEST(PictureDecoder, ContentDecidesNotTheName) {
  TempFolder dir;
  const std::uint32_t pixels[] = {0xFF102030u, 0xFF405060u};
  const std::string bmpAsJpg = dir.file("picture.jpg", encodeBmp(pixels, 2, 1, 2));
  EXPECT_EQ(decodePictureFile(bmpAsJpg).pixels, (std::vector<std::uint32_t>{0xFF102030u, 0xFF405060u}));

  const std::string text = "这不是图片 / not a picture\n";
  const std::string textAsBmp = dir.file("text.bmp", std::vector<std::uint8_t>(text.begin(), text.end()));
  EXPECT_EQ(errorOf([&] { decodePictureFile(textAsBmp); }), kErrInvalidPicture);
  EXPECT_EQ(errorOf([&] { decodePictureFile(dir.file("empty.gif", {})); }), kErrInvalidPicture);
  // "BM" alone and a cursor header without entries are not pictures either.
  EXPECT_EQ(errorOf([&] { decodePicture(std::vector<std::uint8_t>{'B', 'M', 0, 0, 0, 0}); }), kErrInvalidPicture);
  EXPECT_EQ(errorOf([&] { decodePicture(std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0}); }), kErrInvalidPicture);
}

TEST(PictureDecoder, TruncatedJpegAndGifAreRefused) {
  QImage image(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
  const std::vector<std::uint8_t> jpeg = encodeWithQt(image, "jpeg", 90);
  ASSERT_NO_THROW(decodePicture(jpeg));
  EXPECT_EQ(errorOf([&] { decodePicture(std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() * 2 / 3)); }),
            kErrInvalidPicture);

  const std::vector<std::uint8_t> gif = smallGif();
  for (std::size_t cut : {gif.size() - 3, std::size_t(40), std::size_t(20)})
    EXPECT_EQ(errorOf([&] { decodePicture(std::vector<std::uint8_t>(gif.begin(), gif.begin() + cut)); }),
              kErrInvalidPicture)
        << cut;
}

TEST(PictureDecoder, HugeDeclaredSizesAreRefusedBeforeDecoding) {
  // JPEG: the frame header says 60000 x 60000.
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::gray);
  std::vector<std::uint8_t> jpeg = encodeWithQt(image, "jpeg", 90);
  bool patched = false;
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = 0xEA;  // height 0xEA60 = 60000
      jpeg[i + 6] = 0x60;
      jpeg[i + 7] = 0xEA;  // width
      jpeg[i + 8] = 0x60;
      patched = true;
      break;
    }
  ASSERT_TRUE(patched);
  EXPECT_EQ(errorOf([&] { decodePicture(jpeg); }), kErrInvalidPicture);

  // GIF: screen and frame 65535 x 65535.
  std::vector<std::uint8_t> gif = smallGif();
  for (std::size_t at : {std::size_t(6), std::size_t(8), std::size_t(38), std::size_t(40)}) gif[at] = gif[at + 1] = 0xFF;
  EXPECT_EQ(errorOf([&] { decodePicture(gif); }), kErrInvalidPicture);

  // BMP: 30000 x 30000 at 32 bits in a 60-byte file.
  std::vector<std::uint8_t> bmp = encodeBmp(std::vector<std::uint32_t>{0}.data(), 1, 1, 1);
  bmp[18] = bmp[22] = 0x30;
  bmp[19] = bmp[23] = 0x75;
  EXPECT_EQ(errorOf([&] { decodePicture(bmp); }), kErrInvalidPicture);
}

TEST(PictureDecoder, MetafileThatCannotBeDrawnIsInvalid) {
  // A placeable WMF key followed by nothing usable.
  std::vector<std::uint8_t> wmf(30, 0);
  wmf[0] = 0xD7, wmf[1] = 0xCD, wmf[2] = 0xC6, wmf[3] = 0x9A;
  EXPECT_EQ(errorOf([&] { decodePicture(wmf); }), kErrInvalidPicture);
}

TEST(PictureDecoder, FileErrorsHaveTheirOwnNumbers) {
  TempFolder dir;
  EXPECT_EQ(errorOf([&] { decodePictureFile((dir.path() / "missing.bmp").string()); }), kErrFileNotFound);
  EXPECT_EQ(errorOf([&] { decodePictureFile((dir.path() / "no folder" / "a.bmp").string()); }), kErrPathNotFound);
  fs::create_directory(dir.path() / "folder.bmp");
  EXPECT_EQ(errorOf([&] { decodePictureFile((dir.path() / "folder.bmp").string()); }), kErrPathFileAccess);
}

}  // namespace
}  // namespace pictavo
