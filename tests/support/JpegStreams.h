#pragma once
// Hand-made JPEG streams for the tests of the JPEG work budget.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pictavo::test {

// A grey progressive stream: one DC scan of `dcBytes` and `acScans` first AC
// scans of `acBytes` zero bytes of data each (flat grey blocks: both Huffman
// tables hold one one-bit code for symbol 0), then `refinements` AC
// refinement scans of as many bytes, after `commentBytes` of comment
// segments; arithmetic coding leaves the tables out.
struct JpegStream {
  int width = 64, height = 64, dcBytes = 8, acScans = 0, acBytes = 8;
  int refinements = 0, commentBytes = 0;
  bool arithmetic = false;
};

inline std::vector<std::uint8_t> progressiveStream(const JpegStream& o) {
  std::vector<std::uint8_t> s = {0xFF, 0xD8};
  auto segment = [&](std::uint8_t marker, std::vector<std::uint8_t> payload) {
    s.insert(s.end(), {0xFF, marker, std::uint8_t((payload.size() + 2) >> 8), std::uint8_t(payload.size() + 2)});
    s.insert(s.end(), payload.begin(), payload.end());
  };
  for (int left = o.commentBytes; left > 0; left -= 65533 + 4)
    segment(0xFE, std::vector<std::uint8_t>(std::size_t(std::min(left, 65533)), 'x'));
  std::vector<std::uint8_t> dqt(65, 1);
  dqt[0] = 0;
  segment(0xDB, dqt);
  segment(o.arithmetic ? 0xCA : 0xC2, {8, std::uint8_t(o.height >> 8), std::uint8_t(o.height), std::uint8_t(o.width >> 8),
                                       std::uint8_t(o.width), 1, 1, 0x11, 0});
  if (!o.arithmetic) {
    for (std::uint8_t table : {0x00, 0x10}) {
      std::vector<std::uint8_t> dht(18, 0);
      dht[0] = table;
      dht[1] = 1;  // one code of one bit, for symbol 0
      segment(0xC4, dht);
    }
  }
  segment(0xDA, {1, 1, 0x00, 0, 0, 0});
  s.insert(s.end(), std::size_t(o.dcBytes), 0);
  // The first AC scans leave the lowest bit for the refinements.
  const std::uint8_t lowBit = o.refinements > 0 ? 1 : 0;
  for (int i = 0; i < o.acScans; ++i) {
    segment(0xDA, {1, 1, 0x00, 1, 63, lowBit});
    s.insert(s.end(), std::size_t(o.acBytes), 0);
  }
  for (int i = 0; i < o.refinements; ++i) {
    segment(0xDA, {1, 1, 0x00, 1, 63, 0x10});
    s.insert(s.end(), std::size_t(o.acBytes), 0);
  }
  s.insert(s.end(), {0xFF, 0xD9});
  return s;
}

}  // namespace pictavo::test
