#pragma once
// The AND mask of an icon or cursor file: one bit per pixel, set where the
// pixel is transparent. Qt's icon reader leaves it out for some bit depths,
// so it is applied again here to the picture Qt decoded.

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>

namespace pictavo {

// Applies the AND mask of the file's first image (the one Qt decodes) to
// `picture` (0xAARRGGBB words): a set bit makes the pixel transparent. A
// 32-bit image keeps its own alpha unless every alpha byte is zero, in
// which case the mask alone decides. PNG images, files whose mask lies
// beyond their end and pictures of another size are left as they are.
void applyIconMask(const std::uint8_t* data, std::size_t size, Picture& picture);

}  // namespace pictavo
