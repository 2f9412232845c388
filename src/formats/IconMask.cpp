#include "formats/IconMask.h"

#include "formats/LittleEndian.h"

#include <cstring>

namespace pictavo {

namespace {


// Bytes of one stored row of `width` pixels at `bits` per pixel: rows are
// padded to whole 32-bit words.
std::uint64_t rowBytes(std::uint64_t width, std::uint64_t bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

void applyIconMask(const std::uint8_t* data, std::size_t size, Picture& picture) {
  // Directory: 6-byte header, then 16-byte entries; the first entry's
  // image offset is at byte 12 of the entry.
  if (data == nullptr || size < 6 + 16 || picture.isNull()) return;
  const std::uint64_t offset = le32(data + 6 + 12);
  if (offset + 40 > size) return;
  const std::uint8_t* header = data + offset;
  if (std::memcmp(header, "\x89PNG", 4) == 0) return;  // PNG images carry their own alpha
  const std::uint32_t headerSize = le32(header);
  const std::int32_t width = std::int32_t(le32(header + 4));
  const std::int32_t doubleHeight = std::int32_t(le32(header + 8));
  const std::uint16_t bits = le16(header + 14);
  const std::uint32_t compression = le32(header + 16);
  std::uint32_t coloursUsed = le32(header + 32);
  if (headerSize < 40 || width != picture.width || doubleHeight != 2 * picture.height) return;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return;
  // Uncompressed, or 16/32-bit with three colour masks after a 40-byte header.
  std::uint64_t masks = 0;
  if (compression == 3 && (bits == 16 || bits == 32)) masks = headerSize == 40 ? 12 : 0;
  else if (compression != 0) return;
  std::uint64_t palette = 0;
  if (bits <= 8) palette = 4ull * (coloursUsed == 0 || coloursUsed > (1u << bits) ? (1u << bits) : coloursUsed);

  const std::uint64_t w = std::uint64_t(width), h = std::uint64_t(picture.height);
  const std::uint64_t maskStart = offset + headerSize + masks + palette + rowBytes(w, bits) * h;
  const std::uint64_t maskRow = rowBytes(w, 1);
  if (maskStart + maskRow * h > size) return;

  // A 32-bit image with all-zero alpha is drawn as if it had none: the mask
  // then says which pixels show.
  // Qt has then dropped the colours along with the alpha, so they are
  // taken from the file's own rows.
  const std::uint8_t* xorRows = bits == 32 ? data + offset + headerSize + masks : nullptr;
  if (xorRows) {
    for (std::uint64_t i = 0; i < w * h; ++i) {
      if (xorRows[i * 4 + 3] != 0) return;
    }
  }

  for (std::uint64_t y = 0; y < h; ++y) {
    const std::uint8_t* row = data + maskStart + maskRow * (h - 1 - y);  // stored bottom-up
    std::uint32_t* out = &picture.pixels[y * w];
    for (std::uint64_t x = 0; x < w; ++x) {
      std::uint32_t colour = out[x] & 0x00FFFFFFu;
      if (xorRows) {
        const std::uint8_t* bgr = xorRows + ((h - 1 - y) * w + x) * 4;
        colour = std::uint32_t(bgr[2]) << 16 | std::uint32_t(bgr[1]) << 8 | bgr[0];
      }
      const bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      out[x] = transparent ? colour : colour | 0xFF000000u;
    }
  }
}

}  // namespace pictavo
