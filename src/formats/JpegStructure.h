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
  bool complete = false;           // an end-of-image marker follows the first scan
  int scans = 0;                   // start-of-scan markers
  std::uint64_t work = 0;          // block visits the scans ask for (jpegScanWork), summed
  std::uint64_t entropyBytes = 0;  // coded data of the scans, markers and other segments left out
};

JpegStructure readJpegStructure(const std::uint8_t* data, std::size_t size);

// More scans than any encoder writes (libjpeg's fullest script has about a
// dozen), fewer than an hostile stream needs to cost seconds.
inline constexpr int kMaxJpegScans = 500;

// The work of one scan over `blocks` 8 x 8 blocks with spectral band
// [ss, se] and successive approximation high bit ah, in block visits. A
// refinement of AC coefficients walks every coefficient of its band in every
// block, even where the data codes nothing (an end-of-band run, or
// arithmetic coding's near-free decisions); eight such coefficients cost
// about one block visit.
std::uint64_t jpegScanWork(std::uint64_t blocks, int ss, int se, int ah);

// The most block visits a stream with `entropyBytes` bytes of coded scan
// data may ask for. Every scan codes each of its blocks in at least a bit (a
// DC scan) or, with the longest end-of-block runs, 32767 blocks in about two
// bytes, so an honest stream's work is bounded by its coded data; comments,
// application segments and tables buy nothing. The floor lets a cut-short
// stream of the largest canvas decode (grey where data is missing) in a few
// passes.
std::uint64_t jpegBlockBudget(std::uint64_t entropyBytes);

inline bool jpegWorkAllowed(int scans, std::uint64_t work, std::uint64_t entropyBytes) {
  return scans <= kMaxJpegScans && work <= jpegBlockBudget(entropyBytes);
}

}  // namespace pictavo
