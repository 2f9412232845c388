#pragma once
// Writing pictures as uncompressed 32-bit Windows BMP files: the draft of the
// exit confirmation, and Save As for every name that asks for no other format.
//
// Layout: a 14-byte file header and a 40-byte info header (54 bytes), then
// the pixels bottom row first, each pixel blue, green, red, 0. Width and
// height are the picture's, the height positive; image size w * h * 4;
// resolution and colour counts 0.

#include <cstdint>
#include <string>
#include <vector>

namespace pictavo {

class Surface;

inline constexpr std::size_t kBmpHeaderSize = 54;

// The whole file in memory. `pixels` are 0xAARRGGBB words, rows top-down,
// `stride` words from one row to the next; the top byte is not written.
std::vector<std::uint8_t> encodeBmp(const std::uint32_t* pixels, int width, int height, int stride);

// Writes the file through SafeFile: a failed save leaves an existing file
// untouched and no temporary behind. `path` is UTF-8; an existing file is
// replaced. Throws pictavo::Error: 76 folder missing, 70 permission refused,
// 61 disk full or file too large, 75 other input/output failures.
void writeBmpFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                  bool syncToDisk = true);
// The surface's persistent image (everything drawn).
void writeBmpFile(const std::string& path, const Surface& surface, bool syncToDisk = true);

}  // namespace pictavo
