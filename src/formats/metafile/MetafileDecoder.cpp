#include "formats/metafile/MetafileDecoder.h"

#include "base/Errors.h"
#include "formats/metafile/Metafile.h"
#include "formats/metafile/MetafileTextPainter.h"

namespace pictavo {

bool looksLikeMetafile(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && metafileKind(data, size) != MetafileKind::None;
}

std::optional<Picture> decodeMetafile(const std::uint8_t* data, std::size_t size) {
  try {
    return playMetafile(data, size, qtMetafileTextPainter());
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace pictavo
