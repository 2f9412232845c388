// Our BMP reader on arbitrary bytes: a picture within the canvas limit with
// every pixel defined, or the invalid-picture error.
#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/BmpReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const pictavo::Picture picture = pictavo::readBmp(data, size);
    if (!pictavo::Surface::sizeAllowed(picture.width, picture.height)) __builtin_trap();
    if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)) __builtin_trap();
  } catch (const pictavo::Error& e) {
    if (e.number() != pictavo::kErrInvalidPicture) __builtin_trap();
  }
  return 0;
}
