// The picture decoding entry point that Open uses, on arbitrary bytes: every
// format through one function, decoded by content.
#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/PictureDecoder.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);  // metafile text needs the font engine
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const pictavo::Picture picture = pictavo::decodePicture(data, size);
    if (!pictavo::Surface::sizeAllowed(picture.width, picture.height)) __builtin_trap();
  } catch (const pictavo::Error& e) {
    if (e.number() != pictavo::kErrInvalidPicture) __builtin_trap();
  }
  return 0;
}
