// The JPEG reader against Qt's own decoding of the same streams (the same
// library underneath), CMYK as Adobe writes it, streams cut short, and
// progressive streams that ask for far more work than their size.
#include "formats/JpegReader.h"

#include "base/Errors.h"
#include "formats/JpegStructure.h"
#include "support/JpegStreams.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <jpeglib.h>

namespace pictavo {
namespace {

std::vector<std::uint8_t> encode(const QImage& image, int quality, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  writer.setProgressiveScanWrite(progressive);
  EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
  return {bytes.begin(), bytes.end()};
}

QImage pattern(int width, int height, QImage::Format format = QImage::Format_RGB32) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255));
  return image.convertToFormat(format);
}

// Qt's decoding of the stream as pixel words, the way Open showed it before.
std::vector<std::uint32_t> decodedByQt(const std::vector<std::uint8_t>& bytes) {
  QImage image = QImage::fromData(bytes.data(), int(bytes.size()), "jpeg").convertToFormat(QImage::Format_ARGB32);
  std::vector<std::uint32_t> out;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    out.insert(out.end(), row, row + image.width());
  }
  return out;
}

int errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

TEST(JpegReader, DecodesAsQtDidForColourGreyAndProgressive) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  // 2100 x 1100 is decoded in bands on a machine with two cores or more:
  // the lower band's decoder skips the rows above, which must not show.
  const Case cases[] = {
      {"colour", encode(pattern(37, 21), 90)},
      {"grey", encode(pattern(37, 21, QImage::Format_Grayscale8), 90)},
      {"progressive", encode(pattern(37, 21), 75, true)},
      {"large colour in bands", encode(pattern(2100, 1100), 80)},
  };
  for (const Case& c : cases) {
    const Picture p = readJpeg(c.bytes.data(), c.bytes.size());
    const std::vector<std::uint32_t> qt = decodedByQt(c.bytes);
    ASSERT_EQ(std::size_t(p.width) * std::size_t(p.height), qt.size()) << c.name;
    EXPECT_TRUE(p.pixels == qt) << c.name;
  }
}

// A stream libjpeg encodes from `pixels` (width x height, `components`
// bytes a pixel in `space`); `configure` adjusts the settings after the
// defaults and the quality.
template <class Configure>
std::vector<std::uint8_t> libjpegStream(const std::vector<std::uint8_t>& pixels, int width, int height, int components,
                                        J_COLOR_SPACE space, int quality, Configure configure) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  configure(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + std::size_t(cinfo.next_scanline) * std::size_t(width) * std::size_t(components));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(out, out + outSize);
  std::free(out);
  return bytes;
}

// A colour stream from libjpeg with the given luma sampling (chroma at 1 x 1),
// restart interval (MCUs, 0: none) and entropy coding.
std::vector<std::uint8_t> colourJpeg(int width, int height, int hSamp, int vSamp, int restart, bool arithmetic) {
  std::vector<std::uint8_t> rgb(std::size_t(width) * std::size_t(height) * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
      p[0] = std::uint8_t(x * 7 + y);
      p[1] = std::uint8_t((x ^ y) * 3);
      p[2] = std::uint8_t(y * 5 - x);
    }
  return libjpegStream(rgb, width, height, 3, JCS_RGB, 85, [&](jpeg_compress_struct& cinfo) {
    cinfo.comp_info[0].h_samp_factor = hSamp;
    cinfo.comp_info[0].v_samp_factor = vSamp;
    cinfo.restart_interval = unsigned(restart);
    cinfo.arith_code = arithmetic ? TRUE : FALSE;
  });
}


TEST(JpegReader, EverySplitIntoBandsGivesThePixelsOfOneBand) {
  struct Case {
    const char* name;
    int width, height, hSamp, vSamp, restart;
    bool arithmetic;
  };
  const Case cases[] = {
      {"4:2:0", 301, 333, 2, 2, 0, false},       {"4:2:2", 300, 331, 2, 1, 0, false},
      {"4:4:4", 299, 97, 1, 1, 0, false},        {"4:4:0", 64, 203, 1, 2, 0, false},
      {"4:2:0 restarts", 301, 333, 2, 2, 7, false}, {"4:2:2 restarts", 300, 331, 2, 1, 1, false},
      {"4:2:0 arithmetic", 301, 333, 2, 2, 0, true}, {"4:4:4 arithmetic restarts", 299, 97, 1, 1, 5, true},
      {"fewer rows of MCUs than bands", 50, 17, 2, 2, 0, false}, {"one row", 40, 1, 2, 2, 0, false},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> bytes = colourJpeg(c.width, c.height, c.hSamp, c.vSamp, c.restart, c.arithmetic);
    const Picture whole = readJpeg(bytes.data(), bytes.size(), 1);
    ASSERT_EQ(whole.width, c.width) << c.name;
    ASSERT_EQ(whole.height, c.height) << c.name;
    EXPECT_TRUE(whole.pixels == decodedByQt(bytes)) << c.name;
    for (int bands : {2, 3, 4, 7}) {
      const Picture split = readJpeg(bytes.data(), bytes.size(), bands);
      EXPECT_TRUE(split.pixels == whole.pixels) << c.name << " in " << bands << " bands";
    }
  }
}

// A CMYK stream as Adobe's programs write it (inverted values, Adobe marker),
// encoded by libjpeg from given CMYK bytes.
std::vector<std::uint8_t> cmykJpeg(const std::vector<std::uint8_t>& cmyk, int width, int height) {
  return libjpegStream(cmyk, width, height, 4, JCS_CMYK, 100, [](jpeg_compress_struct&) {});
}

TEST(JpegReader, CmykIsReadAsAdobesInvertedValues) {
  // Flat areas keep their values through the transform: 8 x 8 blocks of
  // one colour each.
  const std::uint8_t colours[2][4] = {{255, 128, 0, 255}, {200, 200, 200, 100}};
  std::vector<std::uint8_t> cmyk;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) cmyk.insert(cmyk.end(), colours[x / 8], colours[x / 8] + 4);
  const std::vector<std::uint8_t> bytes = cmykJpeg(cmyk, 16, 8);
  const Picture p = readJpeg(bytes.data(), bytes.size());
  ASSERT_EQ(p.width, 16);
  auto expected = [](const std::uint8_t* c, int channel) { return c[3] * c[channel] / 255; };
  for (int b = 0; b < 2; ++b) {
    const std::uint32_t px = p.at(b * 8 + 3, 4);
    EXPECT_EQ(px >> 24, 255u);
    EXPECT_NEAR(int((px >> 16) & 255), expected(colours[b], 0), 2) << b;
    EXPECT_NEAR(int((px >> 8) & 255), expected(colours[b], 1), 2) << b;
    EXPECT_NEAR(int(px & 255), expected(colours[b], 2), 2) << b;
  }
  EXPECT_TRUE(p.pixels == decodedByQt(bytes));
}

TEST(JpegReader, ScanCutShortBeforeItsEndMarkerDecodesGreyWhereDataIsMissing) {
  QImage image(64, 64, QImage::Format_RGB32);
  image.fill(qRgb(250, 10, 10));
  std::vector<std::uint8_t> bytes = encode(image, 90);
  std::size_t sos = 0;
  for (std::size_t i = 2; i + 1 < bytes.size() && !sos; ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) sos = i;
  ASSERT_GT(sos, 0u);
  // The scan header and a few bytes of data, then the end marker.
  bytes.resize(sos + 2 + 12 + 6);
  bytes.push_back(0xFF);
  bytes.push_back(0xD9);
  const Picture p = readJpeg(bytes.data(), bytes.size());
  ASSERT_EQ(p.width, 64);
  EXPECT_NEAR(int((p.at(63, 63) >> 16) & 255), 128, 2);
  EXPECT_NEAR(int(p.at(63, 63) & 255), 128, 2);
  EXPECT_TRUE(p.pixels == decodedByQt(bytes));
}

using test::JpegStream;
using test::progressiveStream;

std::vector<std::uint8_t> progressiveStream(int width, int height, int dcBytes, int acScans, int acBytes) {
  return progressiveStream(JpegStream{width, height, dcBytes, acScans, acBytes});
}

TEST(JpegReader, ProgressiveStreamsBeyondTheirWorkBudgetAreRefusedAtOnce) {
  // 500 scans is the most a stream may have.
  const std::vector<std::uint8_t> allowed = progressiveStream(64, 64, 8, 499, 8);
  EXPECT_EQ(readJpegStructure(allowed.data(), allowed.size()).scans, 500);
  const Picture p = readJpeg(allowed.data(), allowed.size());
  EXPECT_EQ(p.width, 64);
  EXPECT_EQ(p.at(10, 10), 0xFF808080u);
  const std::vector<std::uint8_t> tooMany = progressiveStream(64, 64, 8, 500, 8);
  EXPECT_EQ(errorOf([&] { readJpeg(tooMany.data(), tooMany.size()); }), kErrInvalidPicture);

  // 24 KB claiming 2000 passes over the largest canvas: cost grows with
  // scans times blocks, so it is refused from its structure alone.
  const std::vector<std::uint8_t> hostile = progressiveStream(16384, 16384, 8, 2000, 2);
  const JpegStructure structure = readJpegStructure(hostile.data(), hostile.size());
  EXPECT_TRUE(structure.complete);
  EXPECT_EQ(structure.scans, 2001);
  EXPECT_EQ(structure.work, std::uint64_t(2001) * 2048 * 2048);
  EXPECT_EQ(structure.entropyBytes, 8u + 2000u * 2u);
  EXPECT_FALSE(jpegWorkAllowed(structure.scans, structure.work, structure.entropyBytes));
  EXPECT_EQ(errorOf([&] { readJpeg(hostile.data(), hostile.size()); }), kErrInvalidPicture);
  // The same frame with a few such scans is cheap enough to decode.
  EXPECT_TRUE(jpegWorkAllowed(5, std::uint64_t(5) * 2048 * 2048, structure.entropyBytes));
}

TEST(JpegReader, CommentsBuyNoWorkAndRefinementsPayForTheCoefficientsTheyWalk) {
  // 200 refinement scans over 4096 x 4096 hidden behind 64 KB of comments:
  // the comments once raised the budget enough to decode it, for seconds.
  const JpegStream padded{.width = 4096, .height = 4096, .acScans = 1, .acBytes = 2, .refinements = 200,
                      .commentBytes = 64 << 10};
  const std::vector<std::uint8_t> bytes = progressiveStream(padded);
  const JpegStructure structure = readJpegStructure(bytes.data(), bytes.size());
  EXPECT_TRUE(structure.complete);
  EXPECT_EQ(structure.scans, 202);
  EXPECT_EQ(structure.entropyBytes, 8u + 201u * 2u);
  EXPECT_EQ(errorOf([&] { readJpeg(bytes.data(), bytes.size()); }), kErrInvalidPicture);
  JpegStream arithmetic = padded;
  arithmetic.arithmetic = true;
  const std::vector<std::uint8_t> coded = progressiveStream(arithmetic);
  EXPECT_EQ(errorOf([&] { readJpeg(coded.data(), coded.size()); }), kErrInvalidPicture);

  // As many first AC scans as refinements over 1024 x 1024 cost a block
  // visit each and decode; the refinements walk 63 coefficients a block.
  const std::vector<std::uint8_t> first = progressiveStream(JpegStream{.width = 1024, .height = 1024, .acScans = 300, .acBytes = 2});
  EXPECT_EQ(readJpeg(first.data(), first.size()).at(500, 500), 0xFF808080u);
  const std::vector<std::uint8_t> refined =
      progressiveStream(JpegStream{.width = 1024, .height = 1024, .acScans = 1, .acBytes = 2, .refinements = 299});
  EXPECT_EQ(errorOf([&] { readJpeg(refined.data(), refined.size()); }), kErrInvalidPicture);
}

TEST(JpegReader, FlatProgressivePicturesStayWithinTheBudgetAtTheLargestSize) {
  // Flat pictures are the cheapest to code per block. Work and coded data
  // both grow with the area, so a picture within budget without the floor
  // here stays within it at 16384 x 16384.
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Grayscale8}) {
    QImage flat(1024, 1024, format);
    flat.fill(Qt::white);
    const std::vector<std::uint8_t> bytes = encode(flat, 90, true);
    const JpegStructure s = readJpegStructure(bytes.data(), bytes.size());
    EXPECT_GE(s.scans, 6);
    EXPECT_LE(s.entropyBytes, bytes.size());
    constexpr std::uint64_t scale = (16384 / 1024) * (16384 / 1024);
    EXPECT_TRUE(jpegWorkAllowed(s.scans, s.work * scale, s.entropyBytes * scale)) << s.work << " " << s.entropyBytes;
  }
}

}  // namespace
}  // namespace pictavo
