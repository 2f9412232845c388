// PNG, WebP and TIFF by content: the PNG variants cameras, screenshots and
// editors write, transparency, files cut short and sizes no canvas takes.
#include "base/Errors.h"
#include "formats/PictureDecoder.h"
#include "support/QtFiles.h"
#include "support/TestPictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// WebP at quality 100 is lossless.
Bytes encode(const QImage& image, const char* format) {
  return test::encodeWithQt(image, format, std::string(format) == "webp" ? 100 : -1);
}

using test::errorOf;

void appendBig32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

std::uint32_t crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

void appendChunk(Bytes& png, const char* type, const Bytes& data) {
  appendBig32(png, std::uint32_t(data.size()));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  appendBig32(png, crc32(png.data() + start, png.size() - start));
}

// An 8-bit RGB PNG of pixel(x, y), Adam7-interlaced when asked: each pass
// is its own little picture of rows, each row led by filter type 0.
Bytes rgbPng(int width, int height, bool interlaced, const std::function<QRgb(int, int)>& pixel) {
  struct Pass { int x0, y0, dx, dy; };
  const Pass passes[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  const Pass whole[] = {{0, 0, 1, 1}};
  QByteArray raw;
  for (const Pass& pass : interlaced ? std::vector<Pass>(std::begin(passes), std::end(passes))
                                     : std::vector<Pass>(std::begin(whole), std::end(whole))) {
    if (pass.x0 >= width) continue;
    for (int y = pass.y0; y < height; y += pass.dy) {
      raw.append('\0');
      for (int x = pass.x0; x < width; x += pass.dx) {
        const QRgb c = pixel(x, y);
        raw.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
      }
    }
  }
  const QByteArray zlib = qCompress(raw).mid(4);  // qCompress leads with the length
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  appendBig32(header, std::uint32_t(width));
  appendBig32(header, std::uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, std::uint8_t(interlaced ? 1 : 0)});
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", Bytes(zlib.begin(), zlib.end()));
  appendChunk(png, "IEND", {});
  return png;
}

QRgb pattern(int x, int y) { return qRgb(x * 40, y * 30, (x ^ y) * 20); }

void expectPattern(const Picture& p, int width, int height) {
  ASSERT_EQ(p.width, width);
  ASSERT_EQ(p.height, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) EXPECT_EQ(p.at(x, y), 0xFF000000u | pattern(x, y)) << x << "," << y;
}

TEST(OtherFormats, PngPlainAndInterlacedDecodeExactly) {
  // 6 x 5 crosses every Adam7 pass, partly filled ones included.
  expectPattern(decodePicture(rgbPng(6, 5, false, pattern)), 6, 5);
  expectPattern(decodePicture(rgbPng(6, 5, true, pattern)), 6, 5);
  expectPattern(decodePicture(rgbPng(1, 1, true, pattern)), 1, 1);
}

TEST(OtherFormats, PngPaletteGreyAndSixteenBitDecodeToTheirColours) {
  QImage indexed(3, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgba(0, 0, 0, 0), qRgb(255, 0, 0), qRgb(10, 20, 30)});
  for (int x = 0; x < 3; ++x) indexed.setPixel(x, 0, uint(x));
  const Picture palette = decodePicture(encode(indexed, "png"));
  ASSERT_EQ(palette.width, 3);
  EXPECT_EQ(palette.at(0, 0) >> 24, 0u);  // the transparent entry
  EXPECT_EQ(palette.at(1, 0), 0xFFFF0000u);
  EXPECT_EQ(palette.at(2, 0), 0xFF0A141Eu);

  QImage grey(2, 1, QImage::Format_Grayscale8);
  grey.setPixel(0, 0, qRgb(7, 7, 7));
  grey.setPixel(1, 0, qRgb(200, 200, 200));
  EXPECT_EQ(decodePicture(encode(grey, "png")).pixels, (std::vector<std::uint32_t>{0xFF070707u, 0xFFC8C8C8u}));

  // 16 bits a channel: multiples of 257 come back as their exact 8-bit values.
  QImage deep(2, 1, QImage::Format_RGBA64);
  deep.setPixelColor(0, 0, QColor::fromRgba64(QRgba64::fromRgba64(257 * 1, 257 * 2, 257 * 3, 65535)));
  deep.setPixelColor(1, 0, QColor::fromRgba64(QRgba64::fromRgba64(65535, 0, 257 * 128, 0)));
  const Picture p16 = decodePicture(encode(deep, "png"));
  EXPECT_EQ(p16.at(0, 0), 0xFF010203u);
  EXPECT_EQ(p16.at(1, 0) >> 24, 0u);

  QImage grey16(1, 1, QImage::Format_Grayscale16);
  grey16.setPixelColor(0, 0, QColor::fromRgba64(QRgba64::fromRgba64(257 * 99, 257 * 99, 257 * 99, 65535)));
  EXPECT_EQ(decodePicture(encode(grey16, "png")).pixels, std::vector<std::uint32_t>{0xFF636363u});
}

TEST(OtherFormats, PartialAlphaIsKeptForTheCanvasToBlend) {
  QImage image(1, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 0, 0, 128));
  EXPECT_EQ(decodePicture(encode(image, "png")).pixels, std::vector<std::uint32_t>{0x80FF0000u});
}

TEST(OtherFormats, WebpAndTiffDecodeExactly) {
  QImage image(6, 5, QImage::Format_RGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) image.setPixel(x, y, pattern(x, y));
  for (const char* format : {"webp", "tiff"}) {
    SCOPED_TRACE(format);
    expectPattern(decodePicture(encode(image, format)), 6, 5);
  }
}

TEST(OtherFormats, FilesCutShortAreRefused) {
  QImage image(40, 30, QImage::Format_ARGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) image.setPixel(x, y, qRgba(x * 6, y * 8, 77, 255 - x));
  for (const char* format : {"png", "webp", "tiff"}) {
    const Bytes whole = encode(image, format);
    ASSERT_NO_THROW(decodePicture(whole)) << format;
    for (std::size_t cut : {std::size_t(8), std::size_t(30), whole.size() / 2, whole.size() - 13, whole.size() - 1})
      EXPECT_EQ(errorOf([&] { decodePicture(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(cut))); }),
                kErrInvalidPicture)
          << format << " cut at " << cut << " of " << whole.size();
  }
}

TEST(OtherFormats, SizesBeyondTheCanvasAreRefused) {
  // PNG: IHDR says 60000 x 60000 (the CRC fixed, so the reader trusts it).
  Bytes png = rgbPng(2, 2, false, pattern);
  for (int at : {16, 20}) qToBigEndian<quint32>(60000, png.data() + at);
  qToBigEndian<quint32>(crc32(png.data() + 12, 17), png.data() + 29);
  EXPECT_EQ(errorOf([&] { decodePicture(png); }), kErrInvalidPicture);

  // TIFF: the width tag rewritten to 70000.
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(Qt::blue);
  Bytes tiff = encode(image, "tiff");
  const std::uint32_t ifd = qFromLittleEndian<quint32>(tiff.data() + 4);
  const int entries = qFromLittleEndian<quint16>(tiff.data() + ifd);
  bool patched = false;
  for (int i = 0; i < entries; ++i) {
    std::uint8_t* entry = tiff.data() + ifd + 2 + 12 * i;
    if (qFromLittleEndian<quint16>(entry) != 256) continue;  // ImageWidth
    qToLittleEndian<quint16>(4, entry + 2);                  // LONG
    qToLittleEndian<quint32>(70000, entry + 8);
    patched = true;
  }
  ASSERT_TRUE(patched);
  EXPECT_EQ(errorOf([&] { decodePicture(tiff); }), kErrInvalidPicture);
}

}  // namespace
}  // namespace pictavo
