#include "formats/SaveFormat.h"

#include "formats/BmpWriter.h"
#include "formats/JpegWriter.h"
#include "formats/PngWriter.h"

#include <algorithm>

namespace pictavo {

SaveFormat saveFormatOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return SaveFormat::Bmp;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  if (extension == "png") return SaveFormat::Png;
  if (extension == "jpg" || extension == "jpeg" || extension == "jpe") return SaveFormat::Jpeg;
  return SaveFormat::Bmp;
}

void writePictureFile(const std::string& path, SaveFormat format, const Surface& surface, int jpegQuality,
                      bool syncToDisk) {
  switch (format) {
    case SaveFormat::Png:
      writePngFile(path, surface, syncToDisk);
      return;
    case SaveFormat::Jpeg:
      writeJpegFile(path, surface, jpegQuality, syncToDisk);
      return;
    case SaveFormat::Bmp:
      writeBmpFile(path, surface, syncToDisk);
      return;
  }
}

}  // namespace pictavo
