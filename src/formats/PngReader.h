#pragma once
// The program's PNG reader, on libpng: every colour type and bit depth,
// palettes and tRNS transparency, interlaced files. Rows are decoded
// straight into the picture's pixel words (bytes B, G, R, A; straight
// alpha), 16-bit samples rounded to 8 bits, no gamma applied: the same
// pixels Qt's reader gives. Text, colour profiles and unknown chunks are
// skipped. A file must be whole, up to its IEND chunk; the size in its
// header is checked against the canvas limit before anything is allocated.

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>

namespace pictavo {

// The file starting with the PNG signature, in memory. Throws
// pictavo::Error(481) when it is not a PNG this reader can decode or
// exceeds the canvas limit, 7 when memory runs out.
Picture readPng(const std::uint8_t* data, std::size_t size);

// The same from an open file of `size` bytes, read a little at a time, so
// that only the picture itself needs memory. Read failures are 481 too.
Picture readPngFile(int fd, std::uint64_t size);

}  // namespace pictavo
