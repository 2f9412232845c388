#include "formats/OtherFormats.h"

#include "formats/LittleEndian.h"

#include <cstring>

namespace pictavo {

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// Every chunk (length, type, data, CRC) lies inside the file, up to IEND.
bool pngComplete(const std::uint8_t* d, std::size_t size) {
  std::size_t pos = 8;
  while (pos + 12 <= size) {
    const std::uint64_t length = bigEndian32(d + pos);
    if (std::memcmp(d + pos + 4, "IEND", 4) == 0) return true;
    if (length > size - pos - 12) return false;
    pos += 12 + std::size_t(length);
  }
  return false;
}

}  // namespace

const char* otherPictureFormat(const std::uint8_t* d, std::size_t size) {
  static constexpr std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(d, kPng, 8) == 0) return pngComplete(d, size) ? "png" : nullptr;
  // RIFF's size counts everything after its first eight bytes.
  if (size >= 12 && std::memcmp(d, "RIFF", 4) == 0 && std::memcmp(d + 8, "WEBP", 4) == 0)
    return le32(d + 4) <= size - 8 ? "webp" : nullptr;
  // Classic and big TIFF, either byte order. The reader refuses strips
  // that lie past the end on its own.
  if (size >= 8 && ((d[0] == 'I' && d[1] == 'I' && (d[2] == 42 || d[2] == 43) && d[3] == 0) ||
                    (d[0] == 'M' && d[1] == 'M' && d[2] == 0 && (d[3] == 42 || d[3] == 43))))
    return "tiff";
  return nullptr;
}

}  // namespace pictavo
