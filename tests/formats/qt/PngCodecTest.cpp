// PNG and JPEG as Save As writes them and PNG as Open reads it, checked
// against Qt's own decoding: exact pixels for PNG, close ones for JPEG, and
// every kind of PNG file decoding to the pixels Qt gives.
#include "formats/JpegReader.h"
#include "formats/JpegWriter.h"
#include "formats/PictureDecoder.h"
#include "formats/PngReader.h"
#include "formats/PngWriter.h"
#include "formats/SaveFormat.h"

#include "base/Errors.h"
#include "support/TestPictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>

namespace pictavo {
namespace {

using test::errorOf;

// A picture whose rows want different filters: noise, flat runs, a ramp.
std::vector<std::uint32_t> mixedPixels(int w, int h, int stride) {
  std::vector<std::uint32_t> px(std::size_t(stride) * std::size_t(h), 0xDEADBEEFu);
  std::mt19937 random(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint32_t v;
      if (y % 3 == 0) v = random() & 0xFFFFFFu;
      else if (y % 3 == 1) v = x < w / 2 ? 0x102030u : 0xFFFFFFu;
      else v = std::uint32_t((x * 5 + y) & 0xFF) * 0x010101u;
      px[std::size_t(y) * std::size_t(stride) + std::size_t(x)] = 0xFF000000u | v;
    }
  return px;
}

QImage qtDecoded(const std::vector<std::uint8_t>& bytes) {
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer);
  reader.setAllocationLimit(0);
  QImage image = reader.read();
  return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

TEST(PngWriter, FilesDecodeToExactlyThePixelsInOurReaderAndInQt) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{257, 67}}) {
    const int stride = w + 5;
    const std::vector<std::uint32_t> px = mixedPixels(w, h, stride);
    const std::vector<std::uint8_t> file = encodePng(px.data(), w, h, stride);
    const Picture ours = readPng(file.data(), file.size());
    const QImage qt = qtDecoded(file);
    ASSERT_EQ(ours.width, w);
    ASSERT_EQ(ours.height, h);
    ASSERT_EQ(qt.width(), w);
    ASSERT_EQ(qt.format(), QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t want = px[std::size_t(y) * std::size_t(stride) + std::size_t(x)];
        ASSERT_EQ(ours.at(x, y), want) << w << "x" << h << " at " << x << "," << y;
        ASSERT_EQ(reinterpret_cast<const std::uint32_t*>(qt.constScanLine(y))[x], want);
      }
  }
}

// A PNG written by libpng in any colour type, depth and interlacing, with
// optional tRNS, from samples chosen at random.
std::vector<std::uint8_t> libpngFile(int w, int h, int colourType, int depth, bool interlaced, bool trns) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep d, png_size_t n) {
        auto* o = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
        o->insert(o->end(), d, d + n);
      },
      nullptr);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), depth, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::mt19937 random(unsigned(colourType * 100 + depth));
  const int maxSample = (1 << depth) - 1;
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette(std::size_t(1) << depth);
    for (auto& c : palette) c = {png_byte(random()), png_byte(random()), png_byte(random())};
    png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (trns) {
      png_byte alpha[3] = {0, 128, 255};
      png_set_tRNS(png, info, alpha, 3, nullptr);
    }
  } else if (trns) {
    png_color_16 key{};
    key.gray = key.red = png_uint_16(1 % (maxSample + 1));
    key.green = key.blue = 0;
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  const int channels = png_get_channels(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  std::vector<std::vector<png_byte>> rows(std::size_t(h), std::vector<png_byte>(rowBytes, 0));
  for (int y = 0; y < h; ++y) {
    // Samples packed big-endian at `depth` bits; small values often, so
    // that the tRNS key colour and palette entries 0..2 turn up.
    std::size_t bit = 0;
    for (int i = 0; i < w * channels; ++i) {
      const int v = (random() % 4 == 0) ? int(random() % 3) : int(random() % unsigned(maxSample + 1));
      for (int b = depth - 1; b >= 0; --b, ++bit)
        if ((v >> b) & 1) rows[std::size_t(y)][bit / 8] |= png_byte(0x80 >> (bit % 8));
    }
  }
  std::vector<png_bytep> pointers;
  for (auto& r : rows) pointers.push_back(r.data());
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

TEST(PngReader, EveryKindOfFileGivesThePixelsQtGives) {
  struct Kind {
    int colourType;
    std::vector<int> depths;
  };
  const Kind kinds[] = {{PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}}, {PNG_COLOR_TYPE_RGB, {8, 16}},
                        {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},  {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
                        {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}}};
  int checked = 0;
  for (const Kind& kind : kinds)
    for (int depth : kind.depths)
      for (bool interlaced : {false, true})
        for (bool trns : {false, true}) {
          if (trns && (kind.colourType & PNG_COLOR_MASK_ALPHA)) continue;
          const std::vector<std::uint8_t> file = libpngFile(37, 21, kind.colourType, depth, interlaced, trns);
          const Picture ours = readPng(file.data(), file.size());
          // Qt misreads 16-bit RGB with a transparent colour (its rows come
          // back shifted); there the colours are compared with the same
          // samples without tRNS, and alpha must be all or nothing.
          const bool qtMisreads = kind.colourType == PNG_COLOR_TYPE_RGB && depth == 16 && trns;
          const QImage qt =
              qtDecoded(qtMisreads ? libpngFile(37, 21, kind.colourType, depth, interlaced, false) : file);
          SCOPED_TRACE(testing::Message() << "type " << kind.colourType << " depth " << depth << " interlaced "
                                          << interlaced << " tRNS " << trns);
          ASSERT_FALSE(qt.isNull());
          ASSERT_EQ(ours.width, qt.width());
          ASSERT_EQ(ours.height, qt.height());
          for (int y = 0; y < qt.height(); ++y)
            for (int x = 0; x < qt.width(); ++x) {
              const std::uint32_t want = reinterpret_cast<const std::uint32_t*>(qt.constScanLine(y))[x];
              const std::uint32_t got = ours.at(x, y);
              // Where a pixel is wholly transparent its colour never shows.
              if (qtMisreads) {
                ASSERT_EQ(got & 0xFFFFFFu, want & 0xFFFFFFu) << x << "," << y;
                ASSERT_TRUE((got >> 24) == 0 || (got >> 24) == 255) << x << "," << y;
              } else if ((want >> 24) == 0) {
                ASSERT_EQ(got >> 24, 0u) << x << "," << y;
              } else {
                ASSERT_EQ(got, want) << x << "," << y;
              }
            }
          ++checked;
        }
  EXPECT_EQ(checked, 52);
}

TEST(PngReader, DamagedAndOversizedFilesAreNotPictures) {
  const std::vector<std::uint32_t> px = mixedPixels(40, 30, 40);
  const std::vector<std::uint8_t> good = encodePng(px.data(), 40, 30, 40);
  // Cut inside the image data, and cut before IEND only.
  EXPECT_EQ(errorOf([&] { readPng(good.data(), good.size() / 2); }), kErrInvalidPicture);
  EXPECT_EQ(errorOf([&] { readPng(good.data(), good.size() - 12); }), kErrInvalidPicture);
  // A broken byte in the compressed data fails its CRC.
  std::vector<std::uint8_t> flipped = good;
  flipped[60] ^= 0x40;
  EXPECT_EQ(errorOf([&] { readPng(flipped.data(), flipped.size()); }), kErrInvalidPicture);
  // A header claiming 20000 x 20000 (over the canvas limit) or 40000 wide
  // is refused from its header, before any memory is spent on it.
  for (const std::uint32_t side : {20000u, 40000u}) {
    std::vector<std::uint8_t> huge = good;
    for (int i = 0; i < 2; ++i) {
      huge[16 + 4 * i] = std::uint8_t(side >> 24);
      huge[17 + 4 * i] = std::uint8_t(side >> 16);
      huge[18 + 4 * i] = std::uint8_t(side >> 8);
      huge[19 + 4 * i] = std::uint8_t(side);
    }
    const std::uint32_t crc = std::uint32_t(crc32(0, &huge[12], 17));
    for (int i = 0; i < 4; ++i) huge[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    EXPECT_EQ(errorOf([&] { readPng(huge.data(), huge.size()); }), kErrInvalidPicture) << side;
  }
}

TEST(PngReader, FileIsReadAsItsBytesAre) {
  const std::vector<std::uint32_t> px = mixedPixels(300, 200, 300);
  const std::vector<std::uint8_t> bytes = encodePng(px.data(), 300, 200, 300);
  const std::string path = (std::filesystem::temp_directory_path() / "pictavo-png-reader.png").string();
  { std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())); }
  const Picture fromFile = decodePictureFile(path);
  EXPECT_EQ(fromFile.pixels, readPng(bytes.data(), bytes.size()).pixels);
  EXPECT_EQ(fromFile.pixels, px);
  // Cut short on disk: refused as in memory.
  std::filesystem::resize_file(path, bytes.size() - 20);
  EXPECT_EQ(errorOf([&] { decodePictureFile(path); }), kErrInvalidPicture);
  std::filesystem::remove(path);
}

TEST(JpegWriter, FilesDecodeCloseToThePictureAndQualityCounts) {
  const int w = 96, h = 64;
  std::vector<std::uint32_t> px(std::size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[std::size_t(y) * w + std::size_t(x)] =
          0xFF000000u | (std::uint32_t(x * 2) << 16) | (std::uint32_t(y * 3) << 8) | std::uint32_t(128 + (x ^ y) % 8);
  auto meanError = [&](const Picture& p) {
    double sum = 0;
    for (std::size_t i = 0; i < px.size(); ++i)
      for (int shift : {0, 8, 16}) sum += std::abs(int((p.pixels[i] >> shift) & 0xFF) - int((px[i] >> shift) & 0xFF));
    return sum / double(px.size() * 3);
  };
  const std::vector<std::uint8_t> q90 = encodeJpeg(px.data(), w, h, w, 90);
  const Picture ours = readJpeg(q90.data(), q90.size());
  ASSERT_EQ(ours.width, w);
  ASSERT_EQ(ours.height, h);
  EXPECT_LT(meanError(ours), 2.0);
  // Red and blue are not swapped on the way: a red-only picture stays red.
  const std::vector<std::uint32_t> red(64 * 16, 0xFFFF0000u);
  const std::vector<std::uint8_t> redFile = encodeJpeg(red.data(), 64, 16, 64, 90);
  const QImage qtRed = qtDecoded(redFile);
  ASSERT_FALSE(qtRed.isNull());
  EXPECT_GT(qRed(qtRed.pixel(5, 5)), 240);
  EXPECT_LT(qBlue(qtRed.pixel(5, 5)), 15);
  // Quality 1 is smaller and worse; out-of-range qualities are clamped.
  const std::vector<std::uint8_t> q1 = encodeJpeg(px.data(), w, h, w, 1);
  EXPECT_LT(q1.size(), q90.size());
  EXPECT_GT(meanError(readJpeg(q1.data(), q1.size())), meanError(ours));
  EXPECT_EQ(encodeJpeg(px.data(), w, h, w, -5), q1);
  EXPECT_EQ(encodeJpeg(px.data(), w, h, w, 1000), encodeJpeg(px.data(), w, h, w, 100));
}

// A picture with detail everywhere, so every MCU's data differs.
std::vector<std::uint32_t> texturedPixels(int w, int h) {
  std::vector<std::uint32_t> px(std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
          0xFF000000u | (std::uint32_t((x * 3 + y) & 0xFF) << 16) | (std::uint32_t((x ^ y) & 0xFF) << 8) |
          std::uint32_t((y * 5 / 3) & 0xFF);
  return px;
}

TEST(JpegWriter, BandsJoinedByRestartMarkersDecodeAsOneStream) {
  // 16000 wide: an interval holds at most 65 MCU rows, so with two bands
  // the second holds two intervals and a marker of its own; 2200 rows
  // leave a last band that ends inside an MCU row.
  for (const auto& [w, h, bandCount] : {std::tuple{203, 301, 3}, std::tuple{16000, 2200, 2}}) {
    const std::vector<std::uint32_t> px = texturedPixels(w, h);
    const std::vector<std::uint8_t> single = encodeJpeg(px.data(), w, h, w, 90, 1);
    const std::vector<std::uint8_t> banded = encodeJpeg(px.data(), w, h, w, 90, bandCount);
    EXPECT_NE(single, banded);
    const Picture one = readJpeg(single.data(), single.size());
    const Picture joined = readJpeg(banded.data(), banded.size());
    ASSERT_EQ(joined.width, w);
    ASSERT_EQ(joined.height, h);
    EXPECT_TRUE(joined.pixels == one.pixels) << w << "x" << h;
    // Qt's reader (libjpeg's own restart handling) agrees.
    const QImage qt = qtDecoded(banded);
    ASSERT_EQ(qt.height(), h);
    const std::uint32_t* last = reinterpret_cast<const std::uint32_t*>(qt.constScanLine(h - 1));
    EXPECT_TRUE(std::equal(last, last + w, one.pixels.end() - w)) << w << "x" << h;
  }
}

TEST(SaveFormat, ExtensionChoosesTheFormatWithoutCase) {
  EXPECT_EQ(saveFormatOf("/p/a.png"), SaveFormat::Png);
  EXPECT_EQ(saveFormatOf("/p/a.PnG"), SaveFormat::Png);
  for (const char* name : {"/p/a.jpg", "/p/a.JPEG", "/p/a.jpe", "b.Jpg"})
    EXPECT_EQ(saveFormatOf(name), SaveFormat::Jpeg) << name;
  for (const char* name : {"/p/a.bmp", "/p/a.tpf", "/p/a.otsp", "/p/a", "/p/a.png.bak", "/p/a.gif", "/p/x.png/a",
                           "/p/a.jpgx", "/p/a."})
    EXPECT_EQ(saveFormatOf(name), SaveFormat::Bmp) << name;
}

}  // namespace
}  // namespace pictavo
