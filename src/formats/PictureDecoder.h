#pragma once
// Decoding picture files by their content, never by their name: BMP/DIB/RLE,
// JPEG and PNG through our own readers, GIF (first frame), ICO, CUR, WebP and
// TIFF through Qt's readers, WMF and EMF through the metafile decoder.
// Transparent pixels keep their alpha (0) so the canvas background shows.

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pictavo {

// Files larger than this are not read (no picture within the canvas limit
// needs more).
inline constexpr std::uint64_t kMaxPictureFileBytes = (std::uint64_t(1) << 30) + (std::uint64_t(1) << 20);

// What Qt's picture readers may allocate, in MB: a decoded copy next to the
// picture (the canvas limit is 16384 * 16384 * 4 bytes = 1024 MB).
inline constexpr int kQtAllocationLimitMB = 1100;

// Reads the file (UTF-8 path) and decodes it. Throws pictavo::Error: 53 file
// missing, 76 folder missing, 70 permission refused, 75 other read failures,
// 481 not a picture we can decode (also empty, damaged or too large).
Picture decodePictureFile(const std::string& path);

// Decodes a file's bytes; throws pictavo::Error(481) when they are not a
// picture we can decode, or one beyond the canvas limit.
Picture decodePicture(const std::uint8_t* data, std::size_t size);
inline Picture decodePicture(const std::vector<std::uint8_t>& bytes) { return decodePicture(bytes.data(), bytes.size()); }

// The whole file, refusing (481) files larger than maxBytes; errors as
// decodePictureFile.
std::vector<std::uint8_t> readWholeFile(const std::string& path, std::uint64_t maxBytes = kMaxPictureFileBytes);

}  // namespace pictavo
