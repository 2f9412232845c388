#include "formats/metafile/Metafile.h"

#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/BmpReader.h"
#include "formats/metafile/MetafileBytes.h"

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace pictavo {

MetafileKind metafileKind(const std::uint8_t* data, std::size_t size) {
  const MetafileBytes b(data, size);
  if (b.has(0, 4) && b.u32(0) == 0x9AC6CDD7u) return MetafileKind::PlaceableWmf;
  if (b.has(0, 44) && b.u32(0) == 1 && b.u32(40) == 0x464D4520u) return MetafileKind::Emf;
  // A plain WMF header: type 1 (memory) or 2 (disk), header size 9 words, version 0x100 or 0x300.
  if (b.has(0, 18) && (b.u16(0) == 1 || b.u16(0) == 2) && b.u16(2) == 9 && (b.u16(4) == 0x100 || b.u16(4) == 0x300))
    return MetafileKind::Wmf;
  return MetafileKind::None;
}

Picture playMetafile(const std::uint8_t* data, std::size_t size, const MetafileTextPainter& textPainter) {
  const MetafileBytes bytes(data, size);
  switch (metafileKind(data, size)) {
    case MetafileKind::Wmf:
    case MetafileKind::PlaceableWmf: return metafile::playWmf(bytes, textPainter);
    case MetafileKind::Emf: return metafile::playEmf(bytes, textPainter);
    case MetafileKind::None: break;
  }
  throw Error(kErrInvalidPicture);
}

namespace metafile {

void fitPictureSize(double width, double height, int& outWidth, int& outHeight, double& scale) {
  width = std::fabs(width);
  height = std::fabs(height);
  if (!std::isfinite(width) || !std::isfinite(height) || width < 0.5 || height < 0.5) throw Error(kErrInvalidPicture);
  scale = 1.0;
  const double side = double(Surface::kMaxSide);
  scale = std::min({scale, side / width, side / height, std::sqrt(double(Surface::kMaxPixels) / (width * height))});
  outWidth = std::max(1, int(std::floor(width * scale)));
  outHeight = std::max(1, int(std::floor(height * scale)));
  while (!Surface::sizeAllowed(outWidth, outHeight)) {  // rounding at the very edge of the limit
    outWidth = std::max(1, outWidth - 1);
    outHeight = std::max(1, outHeight - 1);
  }
}

std::u16string decodeCharset(const std::uint8_t* text, std::size_t length, int charset) {
  const char* code = "CP1252";
  switch (charset) {
    case 134: code = "GBK"; break;        // GB2312
    case 136: code = "BIG5"; break;       // Chinese Big5
    case 128: code = "SHIFT_JIS"; break;  // Japanese
    case 129: code = "CP949"; break;      // Korean
    case 161: code = "CP1253"; break;     // Greek
    case 162: code = "CP1254"; break;     // Turkish
    case 177: code = "CP1255"; break;     // Hebrew
    case 178: code = "CP1256"; break;     // Arabic
    case 186: code = "CP1257"; break;     // Baltic
    case 204: code = "CP1251"; break;     // Cyrillic
    case 222: code = "CP874"; break;      // Thai
    case 238: code = "CP1250"; break;     // Eastern Europe
    default: break;
  }
  std::u16string out;
  iconv_t cd = iconv_open("UTF-16LE", code);
  if (cd == iconv_t(-1)) {
    for (std::size_t i = 0; i < length; ++i) out.push_back(char16_t(text[i]));
    return out;
  }
  std::vector<char> in(text, text + length);
  std::vector<char> buffer(length * 4 + 8);
  char* inPtr = in.data();
  std::size_t inLeft = length;
  char* outPtr = buffer.data();
  std::size_t outLeft = buffer.size();
  while (inLeft > 0) {
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1)) {
      if (outLeft < 2) break;
      // An invalid byte: show it as a replacement character and go on.
      *outPtr++ = char(0xFD);
      *outPtr++ = char(0xFF);
      outLeft -= 2;
      ++inPtr;
      --inLeft;
    }
  }
  iconv_close(cd);
  const std::size_t produced = std::size_t(outPtr - buffer.data()) / 2;
  out.resize(produced);
  for (std::size_t i = 0; i < produced; ++i)
    out[i] = char16_t(std::uint8_t(buffer[2 * i]) | (std::uint8_t(buffer[2 * i + 1]) << 8));
  return out;
}

}  // namespace metafile

}  // namespace pictavo
