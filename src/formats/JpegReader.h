#pragma once
// The program's JPEG reader, on libjpeg-turbo: baseline, progressive, grey,
// RGB, CMYK and YCCK (Adobe's inverted CMYK) streams, rows decoded straight
// into the picture's pixel words (bytes B, G, R, A). A stream cut short
// inside its scans decodes with grey where data is missing; one without its
// end-of-image marker, or asking for far more work than its size justifies
// (see JpegStructure.h), is refused. EXIF orientation is ignored.

#include "canvas/Picture.h"

#include <cstddef>
#include <cstdint>

namespace pictavo {

// The stream starting with FF D8 FF in memory. Throws pictavo::Error(481)
// when it is not a JPEG this reader can decode or exceeds the canvas limit,
// 7 when memory runs out.
Picture readJpeg(const std::uint8_t* data, std::size_t size);
// The same with a single-scan stream split into `bands` bands of rows
// decoded at once (0: one per core worth using); every split gives the
// same pixels.
Picture readJpeg(const std::uint8_t* data, std::size_t size, int bands);

}  // namespace pictavo
