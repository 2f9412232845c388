// The metafile player on arbitrary bytes: it must give a picture or the
// invalid-picture error, never crash, hang or allocate without bound.
#include "base/Errors.h"
#include "formats/metafile/Metafile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const pictavo::Picture picture = pictavo::playMetafile(data, size);
    if (!pictavo::Surface::sizeAllowed(picture.width, picture.height)) __builtin_trap();
  } catch (const pictavo::Error& e) {
    if (e.number() != pictavo::kErrInvalidPicture) __builtin_trap();
  }
  return 0;
}
