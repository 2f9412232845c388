#pragma once
// Device-independent bitmaps inside metafile records (info header and
// colours, then bits). A record claims the bitmap's size itself, so a few
// bytes can claim the largest picture: everything here is checked against
// the bytes present and the playback's work budget before any pixel is
// allocated.

#include "canvas/Color.h"
#include "canvas/Picture.h"
#include "formats/metafile/MetafileBytes.h"

#include <cstddef>

namespace pictavo {

class MetafileDevice;

namespace metafile {

// Where a record keeps its bitmap, in file offsets.
struct DibPlace {
  std::size_t infoOffset = 0, infoSize = 0, bitsOffset = 0, bitsSize = 0;
};

// The bitmap as a picture. Throws the invalid-picture error, having
// allocated nothing, when the bits cannot cover the rows the header claims
// (uncompressed bitmaps) or when decoding would take the playback past its
// work budget; the decoded pixels are charged to the device's work.
Picture decodeDib(const MetafileBytes& bytes, const DibPlace& place, MetafileDevice& device);

// The mean colour of the bitmap (pattern brushes draw solid in it), from the
// rows its bits hold (a sample of them, for a large one); grey when it has
// none we can read.
Color dibMeanColour(const MetafileBytes& bytes, const DibPlace& place, MetafileDevice& device);

// The mean colour of a picture's pixels; grey when it is empty.
Color meanColour(const Picture& picture);

}  // namespace metafile
}  // namespace pictavo
