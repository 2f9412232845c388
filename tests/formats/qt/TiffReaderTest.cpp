// TIFF through decodePicture: grey with alpha over the canvas background,
// and JPEG strips and tiles held to the JPEG work budget. The files are
// written with libtiff, JPEG data by hand where the test needs its scans.
#include "base/Errors.h"
#include "formats/PictureDecoder.h"
#include "support/JpegStreams.h"
#include "support/TestPictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tiffio.h>

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::errorOf;

// A TIFF written by libtiff: fields set by `setup`, data by `write`.
Bytes writeTiff(const std::function<void(TIFF*)>& setup, const std::function<void(TIFF*)>& write) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("t.tif").toStdString();
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  EXPECT_NE(tif, nullptr);
  if (!tif) return {};
  setup(tif);
  write(tif);
  TIFFClose(tif);
  return readWholeFile(path);
}

struct GreyAlpha {
  const char* name;
  int bits;
  std::uint16_t planar, photometric, alphaKind;
  bool tiled;
};

TEST(TiffReader, GreyWithAlphaKeepsItsTransparency) {
  // Four pixels: grey 0x40 transparent, 0x40 opaque, 0xC0 half covered, 0 opaque.
  const std::uint32_t grey[4] = {0x40, 0x40, 0xC0, 0x00}, alpha[4] = {0, 255, 128, 255};
  for (const GreyAlpha& c : {GreyAlpha{"8-bit", 8, PLANARCONFIG_CONTIG, PHOTOMETRIC_MINISBLACK, EXTRASAMPLE_UNASSALPHA, false},
                             GreyAlpha{"16-bit", 16, PLANARCONFIG_CONTIG, PHOTOMETRIC_MINISBLACK, EXTRASAMPLE_UNASSALPHA, false},
                             GreyAlpha{"planes", 8, PLANARCONFIG_SEPARATE, PHOTOMETRIC_MINISBLACK, EXTRASAMPLE_UNASSALPHA, false},
                             GreyAlpha{"tiles", 16, PLANARCONFIG_CONTIG, PHOTOMETRIC_MINISBLACK, EXTRASAMPLE_UNASSALPHA, true},
                             GreyAlpha{"white is 0", 8, PLANARCONFIG_CONTIG, PHOTOMETRIC_MINISWHITE, EXTRASAMPLE_UNASSALPHA, false},
                             GreyAlpha{"associated", 8, PLANARCONFIG_CONTIG, PHOTOMETRIC_MINISBLACK, EXTRASAMPLE_ASSOCALPHA, false}}) {
    const int width = c.tiled ? 20 : 4, height = c.tiled ? 18 : 3;  // tiles of 16 x 16, partly outside
    auto stored = [&](int x, int s) {
      std::uint32_t v = s == 0 ? grey[x % 4] : alpha[x % 4];
      if (s == 0 && c.photometric == PHOTOMETRIC_MINISWHITE) v = 255 - v;
      if (s == 0 && c.alphaKind == EXTRASAMPLE_ASSOCALPHA) v = (v * alpha[x % 4] + 127) / 255;
      return c.bits == 16 ? v * 257 : v;
    };
    // One row (or tile row) of samples of plane `plane` (-1: both interleaved).
    auto put = [&](std::vector<std::uint8_t>& out, int x, int s) {
      const std::uint32_t v = stored(x, s);
      if (c.bits == 8) {
        out.push_back(std::uint8_t(v));
      } else {
        const std::uint16_t w = std::uint16_t(v);
        out.insert(out.end(), reinterpret_cast<const std::uint8_t*>(&w), reinterpret_cast<const std::uint8_t*>(&w) + 2);
      }
    };
    const std::uint16_t kinds[1] = {c.alphaKind};
    const Bytes file = writeTiff(
        [&](TIFF* t) {
          TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width);
          TIFFSetField(t, TIFFTAG_IMAGELENGTH, height);
          TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, c.bits);
          TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 2);
          TIFFSetField(t, TIFFTAG_PHOTOMETRIC, c.photometric);
          TIFFSetField(t, TIFFTAG_PLANARCONFIG, c.planar);
          TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, kinds);
          TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
          if (c.tiled) {
            TIFFSetField(t, TIFFTAG_TILEWIDTH, 16);
            TIFFSetField(t, TIFFTAG_TILELENGTH, 16);
          } else {
            TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 2);
          }
        },
        [&](TIFF* t) {
          if (c.tiled) {
            for (int y0 = 0; y0 < height; y0 += 16)
              for (int x0 = 0; x0 < width; x0 += 16) {
                std::vector<std::uint8_t> tile;
                for (int y = 0; y < 16; ++y)
                  for (int x = x0; x < x0 + 16; ++x) put(tile, x, 0), put(tile, x, 1);
                TIFFWriteTile(t, tile.data(), std::uint32_t(x0), std::uint32_t(y0), 0, 0);
              }
            return;
          }
          for (int plane = 0; plane < (c.planar == PLANARCONFIG_SEPARATE ? 2 : 1); ++plane)
            for (int y = 0; y < height; ++y) {
              std::vector<std::uint8_t> row;
              for (int x = 0; x < width; ++x) {
                if (c.planar == PLANARCONFIG_SEPARATE) {
                  put(row, x, plane);
                } else {
                  put(row, x, 0), put(row, x, 1);
                }
              }
              TIFFWriteScanline(t, row.data(), std::uint32_t(y), std::uint16_t(plane));
            }
        });
    const Picture p = decodePicture(file);
    ASSERT_EQ(p.width, width) << c.name;
    ASSERT_EQ(p.height, height) << c.name;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const std::uint32_t a = p.at(x, y) >> 24, g = p.at(x, y) & 0xFF;
        EXPECT_EQ(a, alpha[x % 4]) << c.name << " " << x << "," << y;
        if (a != 0) {
          EXPECT_NEAR(int(g), int(grey[x % 4]), 1) << c.name << " " << x << "," << y;
        }
        EXPECT_EQ(p.at(x, y) & 0xFFFFFF, g * 0x010101u) << c.name;
      }
  }
}

// A grey TIFF of width x height in strips of `rowsPerStrip` rows (or square
// tiles of that side), each strip holding `stream(stripWidth, stripHeight)`.
Bytes jpegTiff(int width, int height, int side, bool tiled, const std::function<Bytes(int, int)>& stream) {
  return writeTiff(
      [&](TIFF* t) {
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, height);
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
        if (tiled) {
          TIFFSetField(t, TIFFTAG_TILEWIDTH, side);
          TIFFSetField(t, TIFFTAG_TILELENGTH, side);
        } else {
          TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, side);
        }
      },
      [&](TIFF* t) {
        const std::uint32_t count = tiled ? TIFFNumberOfTiles(t) : TIFFNumberOfStrips(t);
        const Bytes s = tiled ? stream(side, side) : stream(width, side);
        for (std::uint32_t i = 0; i < count; ++i) {
          if (tiled) {
            TIFFWriteRawTile(t, i, const_cast<std::uint8_t*>(s.data()), tmsize_t(s.size()));
          } else {
            TIFFWriteRawStrip(t, i, const_cast<std::uint8_t*>(s.data()), tmsize_t(s.size()));
          }
        }
      });
}

TEST(TiffReader, JpegStripsAndTilesAreHeldToTheJpegBudget) {
  // 97 refinement scans of two bytes each over a 2048 x 2048 strip, in a
  // file of under 2 KB: libtiff would decode every one of the 99 scans (it
  // refuses 100).
  auto refining = [](int w, int h) {
    return test::progressiveStream({.width = w, .height = h, .acScans = 1, .acBytes = 2, .refinements = 97});
  };
  const Bytes one = jpegTiff(2048, 2048, 2048, false, refining);
  EXPECT_LT(one.size(), 2048u);
  EXPECT_EQ(errorOf([&] { decodePicture(one); }), kErrInvalidPicture);
  // In sixteen strips or tiles each is cheap alone; together they are not.
  EXPECT_EQ(errorOf([&] { decodePicture(jpegTiff(2048, 2048, 128, false, refining)); }), kErrInvalidPicture);
  EXPECT_EQ(errorOf([&] { decodePicture(jpegTiff(2048, 2048, 512, true, refining)); }), kErrInvalidPicture);

  // The same strips with a few scans decode, grey where data is missing.
  auto few = [](int w, int h) { return test::progressiveStream({.width = w, .height = h, .acScans = 3, .acBytes = 2}); };
  const Picture p = decodePicture(jpegTiff(256, 256, 64, false, few));
  EXPECT_EQ(p.width, 256);
  EXPECT_EQ(p.at(200, 200), 0xFF808080u);
}

TEST(TiffReader, JpegTiffsLibtiffWritesDecode) {
  const Bytes file = writeTiff(
      [](TIFF* t) {
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 64);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, 40);
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 16);
      },
      [](TIFF* t) {
        std::vector<std::uint8_t> row(64);
        for (int y = 0; y < 40; ++y) {
          for (int x = 0; x < 64; ++x) row[std::size_t(x)] = std::uint8_t(x * 4);
          TIFFWriteScanline(t, row.data(), std::uint32_t(y), 0);
        }
      });
  const Picture p = decodePicture(file);
  ASSERT_EQ(p.width, 64);
  ASSERT_EQ(p.height, 40);
  EXPECT_NEAR(int(p.at(40, 20) & 0xFF), 160, 8);
}

}  // namespace
}  // namespace pictavo
