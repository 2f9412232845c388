#pragma once
// The program's own reader of Windows and OS/2 bitmaps (BMP, DIB, RLE).
//
// Every header field is checked against the file before it is used, with
// 64-bit arithmetic, so a damaged or hostile file gives the invalid-picture
// error instead of a crash or a huge allocation. Supported: info headers of
// 12 (OS/2 1.x), 16 and 64 (OS/2 2.x), 40, 52, 56, 108 and 124 bytes; 1, 2, 4
// and 8 bits with a palette; 16, 24 and 32 bits; RLE8, RLE4, the OS/2 RLE24;
// bit fields (with an alpha mask too) at 16 and 32 bits; bottom-up and
// top-down rows.
//
// Pixels that the file leaves out (skipped by RLE deltas or an early end of
// line or bitmap, missing from a short file) come out transparent (alpha 0),
// so the canvas background shows through them. The alpha byte of a plain
// 32-bit file is padding and ignored; an alpha mask counts unless every
// pixel is fully transparent (then the mask was only a formality).

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>

namespace pictavo {

// The file starting with "BM" in memory. Throws pictavo::Error(481) when it
// is not a bitmap this reader can decode or exceeds the canvas limit.
Picture readBmp(const std::uint8_t* data, std::size_t size);

// The same from an open file of `size` bytes. Uncompressed and bit-field
// rows are read a few at a time by every core straight into the picture, so
// such a file is never held whole; run-length data is read whole (it is the
// rest of the file after the headers and palette, and decodes in one pass).
// Throws pictavo::Error with the file error number when reading fails.
Picture readBmpFile(int fd, std::uint64_t size);

}  // namespace pictavo
