#pragma once
// The marker structure of a JPEG stream, walked without decoding: whether the
// end-of-image marker follows the first scan, and how much decoding work the
// scans ask for. A progressive stream's cost grows with scans times blocks,
// so a small file can ask for minutes of work; the budget here refuses such
// streams before anything is allocated, and the decoder's progress monitor
// holds it again while decoding.

#include <cstddef>
#include <cstdint>

namespace pictavo {

struct JpegStructure {
  bool complete = false;          // an end-of-image marker follows the first scan
  int scans = 0;                  // start-of-scan markers
  std::uint64_t blockVisits = 0;  // 8 x 8 blocks the scans cover, summed over scans
};

JpegStructure readJpegStructure(const std::uint8_t* data, std::size_t size);

// More scans than any encoder writes (libjpeg's fullest script has about a
// dozen), fewer than an hostile stream needs to cost seconds.
inline constexpr int kMaxJpegScans = 500;

// The most block visits a stream of `size` bytes may ask for. Every scan
// codes each of its blocks in at least a bit (a DC scan) or, with the
// longest end-of-block runs, 32767 blocks in about two bytes, so an honest
// stream's work is bounded by its size; the floor lets a cut-short stream of
// the largest canvas decode (grey where data is missing) in a few passes.
std::uint64_t jpegBlockBudget(std::size_t size);

inline bool jpegWorkAllowed(int scans, std::uint64_t blockVisits, std::size_t size) {
  return scans <= kMaxJpegScans && blockVisits <= jpegBlockBudget(size);
}

}  // namespace pictavo
