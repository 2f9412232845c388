#pragma once
// Writing pictures as PNG files: 8-bit RGB without interlacing, so the file
// decodes to exactly the picture's pixels (the top byte of a pixel word is
// not written).
//
// Each row gets the PNG filter whose output has the smallest sum of
// absolute values (the usual choice of PNG encoders), the rows filtered in
// bands on every core; the filtered rows are compressed in one zlib stream
// by libdeflate at level 4 and written as IDAT chunks of 1 MiB.

#include <cstdint>
#include <string>
#include <vector>

namespace pictavo {

class Surface;

// The whole file in memory. `pixels` are 0xAARRGGBB words, rows top-down,
// `stride` words from one row to the next.
std::vector<std::uint8_t> encodePng(const std::uint32_t* pixels, int width, int height, int stride);

// Writes the file through SafeFile (a failure leaves an existing file as it
// was); errors as SafeFile, 7 when memory runs out.
void writePngFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                  bool syncToDisk = true);
void writePngFile(const std::string& path, const Surface& surface, bool syncToDisk = true);

}  // namespace pictavo
