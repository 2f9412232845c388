#pragma once
// What of TIFF the program reads itself, through libtiff (Qt's reader does
// the rest): the JPEG-compressed strips and tiles are walked before anything
// decodes them, and grey pictures with an alpha channel, whose alpha Qt's
// reader drops, are decoded here.

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pictavo {

// False when the first picture's strips or tiles are JPEG streams that ask,
// all together, for more work than their coded data justifies (the budget of
// JpegStructure.h), or read the same bytes over and over. True for every
// other file, including those libtiff cannot read.
bool tiffJpegWorkAllowed(const std::uint8_t* data, std::size_t size);

// The first picture when it is grey (8 or 16 bits) with an alpha channel,
// associated or not, as pixel words with that alpha; nullopt for every other
// TIFF. Throws pictavo::Error(481) for a grey-with-alpha file whose data
// cannot be read, or a size beyond the canvas limit.
std::optional<Picture> readGreyAlphaTiff(const std::uint8_t* data, std::size_t size);

}  // namespace pictavo
