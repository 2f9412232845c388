#include "formats/metafile/MetafileDib.h"

#include "base/Errors.h"
#include "formats/BmpReader.h"
#include "formats/metafile/MetafileDevice.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace pictavo::metafile {

namespace {

// A pattern's mean colour is taken from at most this many of its pixels.
constexpr std::int64_t kMeanSamplePixels = 1 << 16;

[[noreturn]] void invalid() { throw Error(kErrInvalidPicture); }

// What the info header claims.
struct DibShape {
  std::int64_t width = 0;
  std::int64_t rows = 0;         // the height, without its sign
  std::size_t heightField = 0;   // offset of the height in the header
  bool coreHeader = false;       // 12-byte header: 16-bit sizes
  std::int64_t rowBytes = 0;     // of uncompressed bits, padded to 32 bits
  bool uncompressed = false;     // plain or bit-field pixels: the bits size is known
};

DibShape shapeOf(const MetafileBytes& bytes, const DibPlace& place) {
  bytes.require(place.infoOffset, place.infoSize);
  bytes.require(place.bitsOffset, place.bitsSize);
  if (place.infoSize < 12) invalid();
  const std::size_t at = place.infoOffset;
  const std::uint32_t headerSize = bytes.u32(at);
  if (headerSize < 12 || headerSize > place.infoSize) invalid();
  DibShape s;
  int bitCount = 0;
  std::uint32_t compression = 0;
  if (headerSize == 12) {
    s.coreHeader = true;
    s.width = bytes.u16(at + 4);
    s.rows = bytes.u16(at + 6);
    s.heightField = 6;
    bitCount = bytes.u16(at + 10);
  } else {
    if (headerSize < 16) invalid();
    s.width = bytes.i32(at + 4);
    s.rows = std::int64_t(bytes.i32(at + 8));
    if (s.rows < 0) s.rows = -s.rows;
    s.heightField = 8;
    bitCount = bytes.u16(at + 14);
    if (headerSize >= 20) compression = bytes.u32(at + 16);
  }
  if (s.width <= 0 || s.rows <= 0 || bitCount <= 0) invalid();
  s.rowBytes = (s.width * bitCount + 31) / 32 * 4;
  s.uncompressed = compression == 0 || compression == 3 || compression == 6;
  return s;
}

// The rows the bits hold in full (uncompressed bitmaps only).
std::int64_t rowsPresent(const DibShape& s, const DibPlace& place) {
  return std::min<std::int64_t>(s.rows, std::int64_t(place.bitsSize) / s.rowBytes);
}

// A decoded pixel costs twice a drawn bitmap pixel (it is written, then read
// again to draw): one bitmap as large as the canvas still fits the budget,
// but no number of records decodes more than a few hundred million pixels.
long long decodeWork(std::int64_t width, std::int64_t rows) { return (long long)(width * rows / 8) + 1; }

// The header, colours and bits wrapped into a bitmap file for the reader,
// claiming `rows` rows (fewer than the header when only a part is wanted).
Picture readRows(const MetafileBytes& bytes, const DibPlace& place, const DibShape& s, std::int64_t rows) {
  std::vector<std::uint8_t> file(14 + place.infoSize + place.bitsSize);
  const std::uint32_t fileSize = std::uint32_t(file.size());
  const std::uint32_t dataOffset = std::uint32_t(14 + place.infoSize);
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], &fileSize, 4);
  std::memcpy(&file[10], &dataOffset, 4);
  std::memcpy(&file[14], bytes.data() + place.infoOffset, place.infoSize);
  if (place.bitsSize) std::memcpy(&file[14 + place.infoSize], bytes.data() + place.bitsOffset, place.bitsSize);
  if (rows != s.rows) {
    std::uint8_t* height = &file[14 + s.heightField];
    if (s.coreHeader) {
      const std::uint16_t h = std::uint16_t(rows);
      std::memcpy(height, &h, 2);
    } else {
      std::int32_t h;
      std::memcpy(&h, height, 4);
      h = h < 0 ? -std::int32_t(rows) : std::int32_t(rows);
      std::memcpy(height, &h, 4);
    }
  }
  return readBmp(file.data(), file.size());
}

}  // namespace

Picture decodeDib(const MetafileBytes& bytes, const DibPlace& place, MetafileDevice& device) {
  const DibShape s = shapeOf(bytes, place);
  if (s.uncompressed && rowsPresent(s, place) < s.rows) invalid();
  if (!device.chargeWork(decodeWork(s.width, s.rows))) invalid();
  return readRows(bytes, place, s, s.rows);
}

Color dibMeanColour(const MetafileBytes& bytes, const DibPlace& place, MetafileDevice& device) {
  constexpr Color kGrey = 0x00808080u;
  try {
    const DibShape s = shapeOf(bytes, place);
    if (!s.uncompressed) return meanColour(decodeDib(bytes, place, device));
    if (s.width > kMeanSamplePixels) return kGrey;
    const std::int64_t rows = std::min(rowsPresent(s, place), std::max<std::int64_t>(1, kMeanSamplePixels / s.width));
    if (rows <= 0 || !device.chargeWork(decodeWork(s.width, rows))) return kGrey;
    return meanColour(readRows(bytes, place, s, rows));
  } catch (const Error&) {
    return kGrey;
  }
}

Color meanColour(const Picture& picture) {
  if (picture.isNull()) return 0x00808080u;
  unsigned long long r = 0, g = 0, b = 0;
  for (std::uint32_t px : picture.pixels) {
    r += (px >> 16) & 0xFF;
    g += (px >> 8) & 0xFF;
    b += px & 0xFF;
  }
  const unsigned long long n = picture.pixels.size();
  return composeColor(int(r / n), int(g / n), int(b / n));
}

}  // namespace pictavo::metafile
