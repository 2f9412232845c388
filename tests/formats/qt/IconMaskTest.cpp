// Icons and cursors made byte by byte: the AND mask marks transparent
// pixels at every bit depth, and a 32-bit image without any alpha uses it.
#include "formats/PictureDecoder.h"

#include "base/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pictavo {
namespace {

void put16(std::vector<std::uint8_t>& v, unsigned x) {
  v.push_back(std::uint8_t(x));
  v.push_back(std::uint8_t(x >> 8));
}
void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  put16(v, x & 0xFFFF);
  put16(v, x >> 16);
}

// A 4 x 2 picture, top row: red, green, blue, white; bottom row: black,
// grey 128, yellow, cyan. Pixels listed as 0xAARRGGBB (alpha used at 32 bits).
// `transparent` has one bit per pixel, top row first, left pixel highest.
std::vector<std::uint8_t> iconFile(int type, int bits, const std::uint32_t (&pixels)[8], std::uint8_t transparent) {
  constexpr int w = 4, h = 2;
  std::vector<std::uint8_t> image;
  put32(image, 40);
  put32(image, w);
  put32(image, 2 * h);
  put16(image, 1);
  put16(image, unsigned(bits));
  for (int i = 0; i < 6; ++i) put32(image, 0);
  std::vector<std::uint32_t> palette;
  for (int y = h - 1; y >= 0; --y) {  // bottom-up
    std::vector<std::uint8_t> row;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = pixels[y * w + x];
      if (bits == 8) {
        std::size_t index = 0;
        while (index < palette.size() && palette[index] != (c & 0xFFFFFF)) ++index;
        if (index == palette.size()) palette.push_back(c & 0xFFFFFF);
        row.push_back(std::uint8_t(index));
        continue;
      }
      row.push_back(std::uint8_t(c));
      row.push_back(std::uint8_t(c >> 8));
      row.push_back(std::uint8_t(c >> 16));
      if (bits == 32) row.push_back(std::uint8_t(c >> 24));
    }
    while (row.size() % 4) row.push_back(0);
    image.insert(image.end(), row.begin(), row.end());
  }
  if (bits == 8) {
    std::vector<std::uint8_t> table;
    for (int i = 0; i < 256; ++i) put32(table, i < int(palette.size()) ? palette[std::size_t(i)] : 0);
    image.insert(image.begin() + 40, table.begin(), table.end());
  }
  for (int y = h - 1; y >= 0; --y) {  // AND mask rows, bottom-up, 32-bit padded
    const std::uint8_t bitsOfRow = std::uint8_t(((transparent >> (4 * (1 - y))) & 0xF) << 4);
    put32(image, bitsOfRow);
  }
  std::vector<std::uint8_t> file;
  put16(file, 0);
  put16(file, unsigned(type));
  put16(file, 1);
  file.push_back(w);
  file.push_back(h);
  file.push_back(0);
  file.push_back(0);
  put16(file, type == 2 ? 1 : 1);              // planes, or the hotspot's x
  put16(file, type == 2 ? 1 : unsigned(bits));  // bit count, or the hotspot's y
  put32(file, std::uint32_t(image.size()));
  put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

constexpr std::uint32_t kOpaque[8] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                                      0xFF000000, 0xFF808080, 0xFFFFFF00, 0xFF00FFFF};

std::vector<std::uint32_t> noAlpha(const std::uint32_t (&p)[8]) {
  std::vector<std::uint32_t> v;
  for (std::uint32_t c : p) v.push_back(c & 0xFFFFFF);
  return v;
}

// Mask bits 1000 0110: top-left, bottom middle two transparent.
constexpr std::uint8_t kMask = 0x86;

void expectMasked(const Picture& p, const std::vector<std::uint32_t>& colours, std::uint8_t mask, const char* what) {
  ASSERT_EQ(p.width, 4) << what;
  ASSERT_EQ(p.height, 2) << what;
  for (int i = 0; i < 8; ++i) {
    const std::uint32_t got = p.at(i % 4, i / 4);
    const bool transparent = (mask >> (7 - i)) & 1;
    if (transparent) {
      EXPECT_EQ(got >> 24, 0u) << what << " pixel " << i;
    } else {
      EXPECT_EQ(got, colours[std::size_t(i)] | 0xFF000000u) << what << " pixel " << i;
    }
  }
}

TEST(IconMask, TwentyFourBitIconAndCursorShowTheirMaskedPixelsTransparent) {
  for (int type : {1, 2}) {
    const Picture p = decodePicture(iconFile(type, 24, kOpaque, kMask));
    expectMasked(p, noAlpha(kOpaque), kMask, type == 1 ? "ico" : "cur");
  }
}

TEST(IconMask, EightBitIconAgreesWithTheTwentyFourBitOne) {
  expectMasked(decodePicture(iconFile(1, 8, kOpaque, kMask)), noAlpha(kOpaque), kMask, "8-bit");
  // No bit set: every pixel shows.
  expectMasked(decodePicture(iconFile(1, 24, kOpaque, 0)), noAlpha(kOpaque), 0, "empty mask");
}

TEST(IconMask, ThirtyTwoBitIconUsesItsMaskOnlyWhenEveryAlphaIsZero) {
  const std::vector<std::uint32_t> colours = noAlpha(kOpaque);
  std::uint32_t zeroAlpha[8];
  for (int i = 0; i < 8; ++i) zeroAlpha[i] = colours[std::size_t(i)];
  for (int type : {1, 2}) expectMasked(decodePicture(iconFile(type, 32, zeroAlpha, kMask)), colours, kMask, "zero alpha");

  // With alpha of its own, the alpha decides and the mask is ignored.
  std::uint32_t ownAlpha[8];
  for (int i = 0; i < 8; ++i) ownAlpha[i] = kOpaque[i];
  ownAlpha[1] = 0x0000FF00;  // transparent by alpha, opaque by mask
  const Picture p = decodePicture(iconFile(1, 32, ownAlpha, kMask));
  ASSERT_EQ(p.width, 4);
  EXPECT_EQ(p.at(0, 0), 0xFFFF0000u);  // mask bit set, alpha 255: shows
  EXPECT_EQ(p.at(1, 0) >> 24, 0u);
}

TEST(IconMask, AMaskCutOffByTheFileEndIsLeftOut) {
  std::vector<std::uint8_t> file = iconFile(1, 24, kOpaque, kMask);
  file.resize(file.size() - 4);  // half the mask gone
  try {
    const Picture p = decodePicture(file);
    EXPECT_EQ(p.width, 4);  // Qt may still decode it; the mask is then not read past the end
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrInvalidPicture);
  }
}

}  // namespace
}  // namespace pictavo
