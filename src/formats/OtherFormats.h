#pragma once
// PNG, WebP and TIFF: recognised by their signatures and decoded through
// Qt's readers (WebP and TIFF need Qt's image-format plugins). Qt hands back
// what it got of a file cut short, so a file must be whole before it is read.

#include <cstddef>
#include <cstdint>

namespace pictavo {

// The Qt reader for these bytes ("png", "webp" or "tiff"), or nullptr when
// they are none of these formats or a PNG or WebP file cut short.
const char* otherPictureFormat(const std::uint8_t* data, std::size_t size);

}  // namespace pictavo
