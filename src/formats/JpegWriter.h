#pragma once
// Writing pictures as JPEG files through libjpeg-turbo: baseline, YCbCr
// with 4:2:0 chroma subsampling and the standard Huffman tables (what
// libjpeg does by default), rows taken straight from the pixel words. A
// large picture is encoded in bands of rows on every core, joined into one
// scan by restart markers.

#include <cstdint>
#include <string>
#include <vector>

namespace pictavo {

class Surface;

inline constexpr int kDefaultJpegQuality = 90;

// The whole file in memory; quality 1 to 100 (clamped). `pixels` are
// 0xAARRGGBB words, rows top-down, `stride` words from one row to the next.
// bandCount: how many bands to encode at once (0: one per core worth
// using); any count gives the same pixels.
std::vector<std::uint8_t> encodeJpeg(const std::uint32_t* pixels, int width, int height, int stride, int quality,
                                     int bandCount = 0);

// Writes the file through SafeFile (a failure leaves an existing file as it
// was); errors as SafeFile, 7 when memory runs out.
void writeJpegFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                   int quality, bool syncToDisk = true);
void writeJpegFile(const std::string& path, const Surface& surface, int quality, bool syncToDisk = true);

}  // namespace pictavo
