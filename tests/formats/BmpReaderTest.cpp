#include "formats/BmpReader.h"

#include "base/Errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <unistd.h>

namespace pictavo {
namespace {

// A bitmap file put together field by field, so each test states exactly
// what the file says.
struct BmpSpec {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1, height = 1;
  std::uint16_t planes = 1, bitsPerPixel = 24;
  std::uint32_t compression = 0, colorsUsed = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // after a 40-byte header, inside larger ones
  std::vector<std::uint8_t> pixels;
};

void put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(i < 4 ? std::uint8_t(v >> (8 * i)) : 0);
}

std::vector<std::uint8_t> buildBmp(const BmpSpec& s) {
  std::vector<std::uint8_t> h;  // info header
  put(h, s.headerSize, 4);
  if (s.headerSize == 12) {
    put(h, std::uint16_t(s.width), 2);
    put(h, std::uint16_t(s.height), 2);
    put(h, s.planes, 2);
    put(h, s.bitsPerPixel, 2);
  } else {
    put(h, std::uint32_t(s.width), 4);
    put(h, std::uint32_t(s.height), 4);
    put(h, s.planes, 2);
    put(h, s.bitsPerPixel, 2);
    put(h, s.compression, 4);
    put(h, 0, 4 * 3);
    put(h, s.colorsUsed, 4);
    put(h, 0, 4);
    if (s.headerSize > 40)
      for (std::uint32_t m : s.masks) put(h, m, 4);
    h.resize(s.headerSize, 0);
  }
  if (s.headerSize == 40)
    for (std::uint32_t m : s.masks) put(h, m, 4);
  for (std::uint32_t c : s.palette) put(h, c, s.headerSize == 12 ? 3 : 4);
  std::vector<std::uint8_t> f = {'B', 'M'};
  put(f, std::uint32_t(14 + h.size() + s.pixels.size()), 4);
  put(f, 0, 4);
  put(f, std::uint32_t(14 + h.size()), 4);
  f.insert(f.end(), h.begin(), h.end());
  f.insert(f.end(), s.pixels.begin(), s.pixels.end());
  return f;
}

Picture read(const std::vector<std::uint8_t>& bytes) { return readBmp(bytes.data(), bytes.size()); }

int errorOf(const std::vector<std::uint8_t>& bytes) {
  try {
    read(bytes);
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

constexpr std::uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;
constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kClear = 0;

TEST(BmpReader, PalettedDepthsReadHighBitsFirstAndSkipRowPadding) {
  BmpSpec s;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  // 1 bit, 9 wide: two bytes of bits and two of padding per row.
  s.bitsPerPixel = 1;
  s.width = 9;
  s.height = 2;
  s.palette.resize(2);
  s.pixels = {0b10100000, 0b10000000, 0xEE, 0xEE,   // bottom row
              0b01000000, 0b00000000, 0xEE, 0xEE};  // top row
  Picture p = read(buildBmp(s));
  EXPECT_EQ(p.at(1, 0), kGreen);
  EXPECT_EQ(p.at(0, 0), kRed);
  EXPECT_EQ(p.at(0, 1), kGreen);
  EXPECT_EQ(p.at(2, 1), kGreen);
  EXPECT_EQ(p.at(8, 1), kGreen);
  EXPECT_EQ(p.at(7, 1), kRed);

  s.bitsPerPixel = 2;
  s.width = 3;
  s.height = 1;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  s.pixels = {0b11100100, 0, 0, 0};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kWhite, kBlue, kGreen}));

  s.bitsPerPixel = 4;
  s.pixels = {0x21, 0x30, 0, 0};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kBlue, kGreen, kWhite}));

  s.bitsPerPixel = 8;
  s.width = 5;
  s.pixels = {3, 2, 1, 0, 3, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kWhite, kBlue, kGreen, kRed, kWhite}));
}

TEST(BmpReader, IndexesPastTheShortPaletteAreOpaqueBlack) {
  BmpSpec s;
  s.bitsPerPixel = 8;
  s.width = 2;
  s.colorsUsed = 1;
  s.palette = {0xFFFFFF};
  s.pixels = {0, 200, 0, 0};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kWhite, kBlack}));
}

TEST(BmpReader, SixteenBitChannelsExpandWithRounding) {
  BmpSpec s;
  s.bitsPerPixel = 16;
  s.width = 2;
  // 5-5-5: red 31, green 16, blue 1; then red 0, green 0, blue 0.
  const std::uint16_t a = (31 << 10) | (16 << 5) | 1;
  s.pixels = {std::uint8_t(a), std::uint8_t(a >> 8), 0, 0};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{0xFFFF8408u, kBlack}));

  // 5-6-5 through bit fields: green 32 of 63 -> 129.52 -> 130.
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  const std::uint16_t b = (1 << 11) | (32 << 5) | 31;
  s.pixels = {std::uint8_t(b), std::uint8_t(b >> 8), 0xFF, 0xFF};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{0xFF0882FFu, kWhite}));
}

TEST(BmpReader, TwentyFourBitRowsArePaddedAndTopDownWorks) {
  BmpSpec s;
  s.width = 1;
  s.height = 2;
  s.pixels = {0, 0, 255, 0xEE, 255, 0, 0, 0xEE};  // bottom red, top blue
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kBlue, kRed}));
  s.height = -2;  // the same rows, stored top row first
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kRed, kBlue}));
}

TEST(BmpReader, ThirtyTwoBitAlphaCountsOnlyThroughAnAlphaMask) {
  BmpSpec s;
  s.bitsPerPixel = 32;
  s.width = 2;
  s.pixels = {1, 2, 3, 0, 4, 5, 6, 0x80};  // a plain file: the fourth byte is padding
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{0xFF030201u, 0xFF060504u}));

  s.headerSize = 124;
  s.compression = 3;
  s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};  // unusual order
  s.pixels = {0x80, 1, 2, 3, 0x00, 4, 5, 6};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{0x80010203u, 0x00040506u}));

  // Every pixel fully transparent: the mask was written but the alpha was not.
  s.pixels = {0, 1, 2, 3, 0, 4, 5, 6};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{0xFF010203u, 0xFF040506u}));
}

TEST(BmpReader, CoreHeaderHasThreeBytePaletteEntries) {
  BmpSpec s;
  s.headerSize = 12;
  s.bitsPerPixel = 1;
  s.width = 2;
  s.palette = {0x0000FF, 0x00FF00};
  s.pixels = {0b01000000, 0, 0, 0};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kBlue, kGreen}));
}

TEST(BmpReader, Rle8RunsEscapesAndSkippedPixels) {
  BmpSpec s;
  s.bitsPerPixel = 8;
  s.compression = 1;
  s.width = 4;
  s.height = 3;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  s.pixels = {
      3, 1,           // bottom row: three green
      0, 0,           // end of line
      0, 3, 2, 0, 2, 0,  // absolute: blue red blue, padded to even
      0, 2, 1, 1,     // delta: right 1, up 1 (onto the top row at x = 0... x = 3 + 1)
      9, 0,           // a run past the right edge is cut there
      0, 1};          // end of bitmap
  const Picture p = read(buildBmp(s));
  const std::vector<std::uint32_t> expected = {
      kClear, kClear, kClear, kClear,  // top row: the run starts at x = 4, outside
      kBlue, kRed, kBlue, kClear,      // middle: the absolute run; the rest skipped
      kGreen, kGreen, kGreen, kClear};
  EXPECT_EQ(p.pixels, expected);
}

TEST(BmpReader, Rle4AlternatesNibbles) {
  BmpSpec s;
  s.bitsPerPixel = 4;
  s.compression = 2;
  s.width = 5;
  s.height = 2;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  s.pixels = {5, 0x01, 0, 0,          // bottom: red green red green red
              0, 3, 0x21, 0x00, 0, 1};  // top: absolute blue green red
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kBlue, kGreen, kRed, kClear, kClear, kRed, kGreen,
                                                                  kRed, kGreen, kRed}));
}

TEST(BmpReader, ShortFileLeavesTheMissingPixelsTransparent) {
  BmpSpec s;
  s.width = 2;
  s.height = 2;
  s.pixels = {0, 0, 255, 0, 255};  // bottom row: one red pixel and a part of the next
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kClear, kClear, kRed, kClear}));

  // With an alpha mask whose alpha is never set, the pixels present become
  // opaque and the missing ones stay transparent.
  s.headerSize = 56;
  s.bitsPerPixel = 32;
  s.compression = 3;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  s.pixels = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  EXPECT_EQ(read(buildBmp(s)).pixels, (std::vector<std::uint32_t>{kBlue, kClear, kRed, kGreen}));
}

TEST(BmpReader, UndecodableHeadersGiveInvalidPicture) {
  BmpSpec good;
  good.bitsPerPixel = 8;
  good.palette = {0};
  good.colorsUsed = 1;
  good.pixels = {0, 0, 0, 0};
  ASSERT_EQ(errorOf(buildBmp(good)), 0);
  const std::vector<std::pair<const char*, std::function<void(BmpSpec&)>>> cases = {
      {"header size 66", [](BmpSpec& s) { s.headerSize = 66; }},
      {"two planes", [](BmpSpec& s) { s.planes = 2; }},
      {"64 bits", [](BmpSpec& s) { s.bitsPerPixel = 64; }},
      {"3 bits", [](BmpSpec& s) { s.bitsPerPixel = 3; }},
      {"zero width", [](BmpSpec& s) { s.width = 0; }},
      {"negative width", [](BmpSpec& s) { s.width = -1; }},
      {"zero height", [](BmpSpec& s) { s.height = 0; }},
      {"most negative height", [](BmpSpec& s) { s.height = INT32_MIN; }},
      {"beyond the canvas limit", [](BmpSpec& s) { s.width = 16385; s.height = 16385; }},
      {"side too long", [](BmpSpec& s) { s.width = 40000; }},
      {"embedded JPEG", [](BmpSpec& s) { s.compression = 4; }},
      {"embedded PNG", [](BmpSpec& s) { s.compression = 5; }},
      {"RLE8 at 4 bits", [](BmpSpec& s) { s.compression = 1; s.bitsPerPixel = 4; }},
      {"RLE stored top-down", [](BmpSpec& s) { s.compression = 1; s.height = -1; }},
      {"palette larger than the file", [](BmpSpec& s) { s.colorsUsed = 0x12345678; }},
      {"bit fields at 8 bits", [](BmpSpec& s) { s.compression = 3; s.masks = {0xE0, 0x1C, 0x03}; }},
      {"mask with a gap", [](BmpSpec& s) { s.bitsPerPixel = 16; s.compression = 3; s.masks = {0xF000, 0x0A00, 0x001F}; }},
      {"overlapping masks", [](BmpSpec& s) { s.bitsPerPixel = 16; s.compression = 3; s.masks = {0xFF00, 0x0FF0, 0x000F}; }},
      {"mask wider than the pixel", [](BmpSpec& s) { s.bitsPerPixel = 16; s.compression = 3; s.masks = {0x1F0000, 0x07E0, 0x1F}; }},
      {"no pixel data", [](BmpSpec& s) { s.pixels.clear(); }},
  };
  for (const auto& [name, change] : cases) {
    BmpSpec s = good;
    change(s);
    EXPECT_EQ(errorOf(buildBmp(s)), kErrInvalidPicture) << name;
  }
  std::vector<std::uint8_t> bytes = buildBmp(good);
  bytes[0] = 'b';
  EXPECT_EQ(errorOf(bytes), kErrInvalidPicture) << "signature";
  std::vector<std::uint8_t> offset = buildBmp(good);
  offset[10] = 0xFF;
  offset[11] = 0xFF;
  EXPECT_EQ(errorOf(offset), kErrInvalidPicture) << "pixel data offset past the end";
  EXPECT_EQ(errorOf({}), kErrInvalidPicture) << "empty";
}

// Every prefix and many random corruptions of valid files either decode to
// a picture of consistent size or give 481: never a crash (run under ASan).
TEST(BmpReader, DamagedFilesNeverCrash) {
  std::vector<std::vector<std::uint8_t>> files;
  BmpSpec rle;
  rle.bitsPerPixel = 8;
  rle.compression = 1;
  rle.width = 6;
  rle.height = 4;
  rle.palette = {0xFF0000, 0x00FF00};
  rle.pixels = {4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 2, 1, 2, 1, 0, 1};
  files.push_back(buildBmp(rle));
  BmpSpec rle4 = rle;
  rle4.bitsPerPixel = 4;
  rle4.compression = 2;
  files.push_back(buildBmp(rle4));
  BmpSpec fields;
  fields.headerSize = 56;
  fields.bitsPerPixel = 16;
  fields.compression = 3;
  fields.width = 3;
  fields.height = 2;
  fields.masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
  fields.pixels.assign(16, 0x5A);
  files.push_back(buildBmp(fields));
  BmpSpec core;
  core.headerSize = 12;
  core.bitsPerPixel = 4;
  core.width = 5;
  core.height = 3;
  core.palette.assign(16, 0x123456);
  core.pixels.assign(12, 0x7F);
  files.push_back(buildBmp(core));

  auto check = [](const std::vector<std::uint8_t>& bytes) {
    try {
      const Picture p = readBmp(bytes.data(), bytes.size());
      ASSERT_GT(p.width, 0);
      ASSERT_EQ(p.pixels.size(), std::size_t(p.width) * std::size_t(p.height));
    } catch (const Error& e) {
      ASSERT_EQ(e.number(), kErrInvalidPicture);
    }
  };
  std::mt19937 random(12345);
  for (const auto& file : files) {
    for (std::size_t n = 0; n <= file.size(); ++n) check(std::vector<std::uint8_t>(file.begin(), file.begin() + n));
    for (int round = 0; round < 3000; ++round) {
      std::vector<std::uint8_t> damaged = file;
      const int flips = 1 + int(random() % 4);
      for (int k = 0; k < flips; ++k) {
        // Keep the signature and header size mostly intact so the damage
        // reaches the fields behind them.
        const std::size_t at = 18 + random() % (damaged.size() - 18);
        damaged[at] = std::uint8_t(random());
      }
      check(damaged);
    }
  }
}

}  // namespace
}  // namespace pictavo

namespace pictavo {
namespace {

// The file as Open reads it: a few rows at a time by every core.
Picture readThroughFile(const std::vector<std::uint8_t>& bytes) {
  char name[] = "/tmp/pictavo-bmp-XXXXXX";
  const int fd = ::mkstemp(name);
  EXPECT_GE(fd, 0);
  ::unlink(name);
  EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  return readBmpFile(fd, bytes.size());
}

TEST(BmpReader, FileReadInBandsAndChunksGivesTheSamePictureAsMemory) {
  // Large enough for two bands of several chunks each; odd width for row
  // padding; both orientations; cut short in the middle of a row.
  std::mt19937 random(7);
  for (const std::int32_t height : {1601, -1601}) {
    BmpSpec s;
    s.width = 1501;
    s.height = height;
    s.pixels.resize(std::size_t((1501 * 3 + 3) / 4 * 4) * 1601);
    for (std::uint8_t& b : s.pixels) b = std::uint8_t(random());
    const std::vector<std::uint8_t> file = buildBmp(s);
    for (const std::size_t size : {file.size(), file.size() / 2 + 1001}) {
      const std::vector<std::uint8_t> bytes(file.begin(), file.begin() + std::ptrdiff_t(size));
      const Picture fromMemory = readBmp(bytes.data(), bytes.size());
      const Picture fromFile = readThroughFile(bytes);
      ASSERT_EQ(fromFile.width, 1501);
      EXPECT_TRUE(fromFile.pixels == fromMemory.pixels) << height << " " << size;
    }
  }
  // Run-length coded, and only a header.
  BmpSpec rle;
  rle.width = 4;
  rle.height = 2;
  rle.bitsPerPixel = 8;
  rle.compression = 1;
  rle.palette = {0x000000, 0xFF0000};
  rle.pixels = {4, 1, 0, 0, 2, 1, 0, 1};
  const std::vector<std::uint8_t> coded = buildBmp(rle);
  EXPECT_TRUE(readThroughFile(coded).pixels == read(coded).pixels);
  EXPECT_EQ(readThroughFile(coded).at(0, 1), 0xFFFF0000u);
  try {
    readThroughFile(std::vector<std::uint8_t>(coded.begin(), coded.begin() + 20));
    ADD_FAILURE() << "a header alone is no picture";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrInvalidPicture);
  }
}

}  // namespace
}  // namespace pictavo
