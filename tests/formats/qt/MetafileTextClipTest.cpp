// Metafile text drawn through Qt stays inside the recorded clip: glyphs and
// the opaque background box alike.
#include "formats/metafile/Metafile.h"
#include "formats/metafile/MetafileTextPainter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pictavo {
namespace {

void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b.push_back(std::uint8_t(v >> (8 * k)));
}

// An EMF of 192 x 48 pixels: a clip to x 0..59, then a long line of text.
std::vector<std::uint8_t> clippedTextEmf() {
  std::vector<std::uint8_t> b;
  for (std::uint32_t v : {1u, 88u, 0u, 0u, 191u, 47u, 0u, 0u, 5080u, 1270u, 0x464D4520u, 0x10000u, 0u, 0u, 0u, 0u, 0u, 0u,
                          960u, 960u, 254u, 254u})
    put32(b, v);
  for (std::uint32_t v : {30u, 24u, 0u, 0u, 60u, 48u}) put32(b, v);  // INTERSECTCLIPRECT
  put32(b, 84), put32(b, 8 + 68 + 28);                                // EXTTEXTOUTW
  for (int k = 0; k < 7; ++k) put32(b, 0);
  put32(b, 4), put32(b, 10), put32(b, 14), put32(b, 76), put32(b, 0);  // at (4, 10), 14 characters
  for (int k = 0; k < 5; ++k) put32(b, 0);
  for (char16_t c : u"MMMMMMMMMMMMMM") {
    if (!c) break;
    b.push_back(std::uint8_t(c)), b.push_back(0);
  }
  put32(b, 14), put32(b, 20), put32(b, 0), put32(b, 16), put32(b, 20);  // EOF
  const std::uint32_t size = std::uint32_t(b.size());
  for (int k = 0; k < 4; ++k) b[48 + k] = std::uint8_t(size >> (8 * k));
  return b;
}

TEST(MetafileTextClip, GlyphsAndBackgroundStayInsideTheClip) {
  const std::vector<std::uint8_t> file = clippedTextEmf();
  const Picture p = playMetafile(file.data(), file.size(), qtMetafileTextPainter());
  ASSERT_EQ(p.width, 192);
  int inside = 0, outside = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if ((p.at(x, y) >> 24) != 0) ++(x < 60 ? inside : outside);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace pictavo
