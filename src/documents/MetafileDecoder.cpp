#include "documents/MetafileDecoder.h"

#include <cstring>

namespace pictavo {

namespace {

std::uint32_t le16(const std::uint8_t* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8); }
std::uint32_t le32(const std::uint8_t* p) { return le16(p) | (le16(p + 2) << 16); }

}  // namespace

bool looksLikeMetafile(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 18) return false;
  if (le32(data) == 0x9AC6CDD7u) return true;  // placeable WMF
  const std::uint32_t type = le16(data), words = le16(data + 2), version = le16(data + 4);
  if ((type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300)) return true;
  return size >= 44 && le32(data) == 1 && std::memcmp(data + 40, " EMF", 4) == 0;
}

std::optional<Picture> decodeMetafile(const std::uint8_t*, std::size_t) { return std::nullopt; }

}  // namespace pictavo
