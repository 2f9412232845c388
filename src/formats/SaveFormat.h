#pragma once
// The format Save As writes, chosen by the file name's extension (compared
// without case): ".png" PNG, ".jpg", ".jpeg" and ".jpe" JPEG, every other
// name (".bmp", the program's own ".tpf" and ".otsp", none) BMP.

#include <string>

namespace pictavo {

class Surface;

enum class SaveFormat { Bmp, Png, Jpeg };

SaveFormat saveFormatOf(const std::string& path);

// Writes the surface's persistent image in that format; jpegQuality (1 to
// 100) counts for JPEG only. Errors as the writers: the old file survives.
void writePictureFile(const std::string& path, SaveFormat format, const Surface& surface, int jpegQuality,
                      bool syncToDisk = true);

}  // namespace pictavo
