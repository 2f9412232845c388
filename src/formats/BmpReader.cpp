#include "formats/BmpReader.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"
#include "canvas/PixelPool.h"
#include "canvas/Surface.h"
#include "formats/FileErrors.h"
#include "formats/LittleEndian.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>
#include <unistd.h>
#include <vector>

namespace pictavo {

namespace {

[[noreturn]] void invalid() { throw Error(kErrInvalidPicture); }

// Where the reader gets the file's bytes: a view of a file in memory, or a
// file read piecewise, so that only a few rows of it are held at a time.
class Bytes {
 public:
  explicit Bytes(std::uint64_t size) : size_(size) {}
  virtual ~Bytes() = default;
  std::uint64_t size() const { return size_; }
  // Up to n bytes at offset (fewer at the end of the file), in memory or
  // read into scratch.
  virtual std::span<const std::uint8_t> at(std::uint64_t offset, std::size_t n, std::vector<std::uint8_t>& scratch) const = 0;

 private:
  std::uint64_t size_;
};

class MemoryBytes final : public Bytes {
 public:
  MemoryBytes(const std::uint8_t* data, std::size_t size) : Bytes(size), data_(data) {}
  std::span<const std::uint8_t> at(std::uint64_t offset, std::size_t n, std::vector<std::uint8_t>&) const override {
    if (offset >= size()) return {};
    return {data_ + offset, std::size_t(std::min<std::uint64_t>(n, size() - offset))};
  }

 private:
  const std::uint8_t* data_;
};

class FileBytes final : public Bytes {
 public:
  FileBytes(int fd, std::uint64_t size) : Bytes(size), fd_(fd) {}
  // Safe from several threads at once (pread keeps no file position).
  std::span<const std::uint8_t> at(std::uint64_t offset, std::size_t n, std::vector<std::uint8_t>& scratch) const override {
    if (offset >= size()) return {};
    n = std::size_t(std::min<std::uint64_t>(n, size() - offset));
    if (scratch.size() < n) scratch.resize(n);
    // A file that shrank meanwhile gives fewer: what is left is missing.
    return {scratch.data(), readFileAt(fd_, scratch.data(), n, offset)};
  }

 private:
  int fd_;
};


constexpr std::uint32_t kOpaque = 0xFF000000u;

enum class Coding { Plain, Rle8, Rle4, Rle24, Bitfields };

// One colour channel of a bit-field pixel: where its bits are and how they
// scale to 0..255 (v * 255 / max, rounded).
class Channel {
 public:
  Channel() = default;
  // False when the mask is not one run of bits inside the pixel.
  bool set(std::uint32_t mask, int bitsPerPixel) {
    mask_ = mask;
    if (mask == 0) return true;
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0) return false;
    shift_ = std::countr_zero(mask);
    const std::uint32_t run = mask >> shift_;
    if ((run & (run + 1)) != 0) return false;
    bits_ = std::popcount(run);
    max_ = run;
    if (bits_ <= 16) {
      lut_.resize(std::size_t(run) + 1);
      for (std::uint32_t v = 0; v <= run; ++v) lut_[v] = std::uint8_t(scale(v));
    }
    return true;
  }
  std::uint32_t mask() const { return mask_; }
  bool present() const { return mask_ != 0; }
  std::uint32_t operator()(std::uint32_t pixel) const {
    if (mask_ == 0) return 0;
    const std::uint32_t v = (pixel & mask_) >> shift_;
    return lut_.empty() ? scale(v) : lut_[v];
  }

 private:
  std::uint32_t scale(std::uint32_t v) const {
    return std::uint32_t((std::uint64_t(v) * 255u + max_ / 2) / max_);
  }
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  int bits_ = 0;
  std::uint64_t max_ = 1;
  std::vector<std::uint8_t> lut_;
};

struct Layout {
  std::int64_t width = 0, height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  Coding coding = Coding::Plain;
  std::vector<std::uint32_t> palette;  // opaque pixel words
  Channel red, green, blue, alpha;
  std::uint64_t dataStart = 0;
};

bool paletted(int bpp) { return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8; }

// The file header, info header, masks and palette: at most 14 + 124 + 16 +
// 256 * 4 bytes, all within the first kHeadBytes of the file.
constexpr std::size_t kHeadBytes = 4096;
static_assert(14 + 124 + 16 + 256 * 4 <= kHeadBytes);

// d holds the file's first bytes (all of them when the file is shorter than
// kHeadBytes); size is the whole file's size, which the fields are checked
// against.
Layout parseHeaders(const std::uint8_t* d, std::size_t size) {
  if (size < 14 + 12 || d[0] != 'B' || d[1] != 'M') invalid();
  std::uint64_t offBits = le32(d + 10);
  const std::uint64_t headerSize = le32(d + 14);
  switch (headerSize) {
    case 12: case 16: case 40: case 52: case 56: case 64: case 108: case 124: break;
    default: invalid();
  }
  if (14 + headerSize > size) invalid();
  const std::uint8_t* h = d + 14;
  const bool os2v1 = headerSize == 12;
  const bool os2v2 = headerSize == 16 || headerSize == 64;

  Layout L;
  std::uint32_t planes = 0, compression = 0, colorsUsed = 0;
  if (os2v1) {
    L.width = le16(h + 4);
    L.height = le16(h + 6);
    planes = le16(h + 8);
    L.bitsPerPixel = int(le16(h + 10));
  } else {
    L.width = std::int32_t(le32(h + 4));
    L.height = std::int32_t(le32(h + 8));
    planes = le16(h + 12);
    L.bitsPerPixel = int(le16(h + 14));
    if (headerSize >= 20) compression = le32(h + 16);
    if (headerSize >= 36) colorsUsed = le32(h + 32);
  }
  if (L.height < 0) {
    L.topDown = true;
    L.height = -L.height;
  }
  if (planes != 1 || !Surface::sizeAllowed(L.width, L.height)) invalid();

  const int bpp = L.bitsPerPixel;
  bool alphaFields = false;
  switch (compression) {
    case 0:
      if (!paletted(bpp) && bpp != 16 && bpp != 24 && bpp != 32) invalid();
      L.coding = Coding::Plain;
      break;
    case 1:
      if (bpp != 8) invalid();
      L.coding = Coding::Rle8;
      break;
    case 2:
      if (bpp != 4) invalid();
      L.coding = Coding::Rle4;
      break;
    case 3:  // OS/2: Huffman 1D, which we do not read
      if (os2v2 || (bpp != 16 && bpp != 32)) invalid();
      L.coding = Coding::Bitfields;
      break;
    case 4:  // Windows: an embedded JPEG; OS/2: RLE24
      if (!os2v2 || bpp != 24) invalid();
      L.coding = Coding::Rle24;
      break;
    case 6:  // bit fields with an alpha mask
      if (os2v2 || (bpp != 16 && bpp != 32)) invalid();
      L.coding = Coding::Bitfields;
      alphaFields = true;
      break;
    default:  // embedded PNG and anything unknown
      invalid();
  }
  // Bottom-up is the only orientation RLE knows.
  if (L.topDown && L.coding != Coding::Plain && L.coding != Coding::Bitfields) invalid();

  std::uint64_t afterHeader = 14 + headerSize;
  if (L.coding == Coding::Bitfields) {
    std::uint32_t r, g, b, a = 0;
    if (headerSize >= 52) {
      r = le32(h + 40);
      g = le32(h + 44);
      b = le32(h + 48);
      if (headerSize >= 56) a = le32(h + 52);
    } else {
      const std::uint64_t n = alphaFields ? 16 : 12;
      if (afterHeader + n > size) invalid();
      r = le32(d + afterHeader);
      g = le32(d + afterHeader + 4);
      b = le32(d + afterHeader + 8);
      if (alphaFields) a = le32(d + afterHeader + 12);
      afterHeader += n;
    }
    if ((r | g | b) == 0 || (r & g) || (r & b) || (g & b) || (a & (r | g | b))) invalid();
    if (!L.red.set(r, bpp) || !L.green.set(g, bpp) || !L.blue.set(b, bpp) || !L.alpha.set(a, bpp)) invalid();
  } else if (bpp == 16) {
    L.red.set(0x7C00, 16);
    L.green.set(0x03E0, 16);
    L.blue.set(0x001F, 16);
  }

  if (paletted(bpp)) {
    const std::uint64_t entry = os2v1 ? 3 : 4;
    const std::uint64_t full = std::uint64_t(1) << bpp;
    std::uint64_t count = colorsUsed ? colorsUsed : full;
    // OS/2 1.x has no count field, and some writers leave it 0 with a short
    // palette; the pixel data offset then shows the palette's real size.
    if (colorsUsed == 0 && offBits > afterHeader && (offBits - afterHeader) / entry < full)
      count = (offBits - afterHeader) / entry;
    if (count == 0 || count > (size - afterHeader) / entry) invalid();
    const std::uint64_t used = std::min(count, full);
    L.palette.assign(full, kOpaque);  // indexes past the palette: black
    for (std::uint64_t i = 0; i < used; ++i) {
      const std::uint8_t* p = d + afterHeader + i * entry;
      L.palette[i] = kOpaque | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    if (offBits < afterHeader) offBits = afterHeader + count * entry;
  }
  L.dataStart = offBits < afterHeader ? afterHeader : offBits;
  if (L.dataStart >= size) invalid();
  return L;
}

// ---- uncompressed rows ---------------------------------------------------

void decodePalettedRow(const Layout& L, const std::uint8_t* row, std::int64_t n, std::uint32_t* out) {
  const int bpp = L.bitsPerPixel;
  if (bpp == 8) {
    for (std::int64_t x = 0; x < n; ++x) out[x] = L.palette[row[x]];
    return;
  }
  const unsigned mask = (1u << bpp) - 1;
  for (std::int64_t x = 0; x < n; ++x) {
    const std::uint64_t bit = std::uint64_t(x) * unsigned(bpp);
    const unsigned shift = 8 - unsigned(bpp) - unsigned(bit & 7);
    out[x] = L.palette[(row[bit >> 3] >> shift) & mask];
  }
}

void decodeFieldsRow(const Layout& L, const std::uint8_t* row, std::int64_t n, std::uint32_t* out) {
  const bool wide = L.bitsPerPixel == 32;
  const bool hasAlpha = L.alpha.present();
  for (std::int64_t x = 0; x < n; ++x) {
    const std::uint32_t p = wide ? le32(row + x * 4) : le16(row + x * 2);
    const std::uint32_t a = hasAlpha ? L.alpha(p) : 255u;
    out[x] = (a << 24) | (L.red(p) << 16) | (L.green(p) << 8) | L.blue(p);
  }
}

void decodeRow(const Layout& L, const std::uint8_t* row, std::int64_t n, std::uint32_t* out) {
  const int bpp = L.bitsPerPixel;
  if (paletted(bpp)) {
    decodePalettedRow(L, row, n, out);
  } else if (bpp == 24) {
    for (std::int64_t x = 0; x < n; ++x, row += 3)
      out[x] = kOpaque | (std::uint32_t(row[2]) << 16) | (std::uint32_t(row[1]) << 8) | row[0];
  } else if (bpp == 32 && L.coding == Coding::Plain) {
    for (std::int64_t x = 0; x < n; ++x) {
      std::uint32_t v;
      std::memcpy(&v, row + x * 4, 4);
      out[x] = v | kOpaque;
    }
  } else {
    decodeFieldsRow(L, row, n, out);
  }
}

// Calls visit(row, pixels) for every picture row the file holds pixels of,
// with the number of pixels present (fewer than the width at a short end).
template <class Visit>
void forEachPlainRow(const Layout& L, std::uint64_t size, Visit visit) {
  const std::int64_t first = 0, last = L.height;
  const std::uint64_t bpp = std::uint64_t(L.bitsPerPixel);
  const std::uint64_t rowBytes = (std::uint64_t(L.width) * bpp + 31) / 32 * 4;
  for (std::int64_t i = first; i < last; ++i) {
    const std::uint64_t start = L.dataStart + std::uint64_t(i) * rowBytes;
    if (start >= size) break;
    const std::uint64_t avail = std::min<std::uint64_t>(rowBytes, size - start);
    const std::int64_t n = std::min<std::int64_t>(L.width, std::int64_t(avail * 8 / bpp));
    visit(L.topDown ? i : L.height - 1 - i, start, n);
  }
}


// True when every row was there in full.
bool decodePlain(const Layout& L, const Bytes& bytes, Picture& pic) {
  const std::uint64_t size = bytes.size();
  // Rows are independent: bands of them are read and decoded on every core,
  // each band a chunk of rows at a time straight into the picture.
  const std::uint64_t rowBytes = (std::uint64_t(L.width) * std::uint64_t(L.bitsPerPixel) + 31) / 32 * 4;
  const std::int64_t chunkRows = std::int64_t(std::max<std::uint64_t>(1, (std::uint64_t(1) << 20) / rowBytes));
  const std::vector<RowBand> bands = rowBands(0, int(L.height), int(L.width));
  std::atomic<bool> complete = true;
  runBands(bands, [&](std::size_t b) {
    std::vector<std::uint8_t> scratch;
    for (std::int64_t i = bands[b].first; i < bands[b].last; i += chunkRows) {
      const std::int64_t rows = std::min<std::int64_t>(chunkRows, bands[b].last - i);
      const std::uint64_t start = L.dataStart + std::uint64_t(i) * rowBytes;
      const std::span<const std::uint8_t> chunk =
          start < size ? bytes.at(start, std::size_t(std::uint64_t(rows) * rowBytes), scratch) : std::span<const std::uint8_t>();
      for (std::int64_t k = 0; k < rows; ++k) {
        const std::uint64_t offset = std::uint64_t(k) * rowBytes;
        const std::uint64_t avail = offset < chunk.size() ? std::min<std::uint64_t>(rowBytes, chunk.size() - offset) : 0;
        const std::int64_t n = std::min<std::int64_t>(L.width, std::int64_t(avail * 8 / std::uint64_t(L.bitsPerPixel)));
        const std::int64_t y = L.topDown ? i + k : L.height - 1 - (i + k);
        std::uint32_t* row = &pic.pixels[std::size_t(y) * std::size_t(L.width)];
        if (n > 0) decodeRow(L, chunk.data() + offset, n, row);
        if (n < L.width) {
          std::fill(row + n, row + L.width, 0u);  // a short file: the rest is transparent
          complete = false;
        }
      }
    }
  });
  if (!L.alpha.present()) return complete;
  // An alpha mask over pixels that are all fully transparent is a writer
  // that filled in the mask but not the alpha: show the colours.
  std::uint32_t any = 0;
  for (std::uint32_t p : pic.pixels) any |= p;
  if ((any >> 24) != 0) return complete;
  forEachPlainRow(L, size, [&](std::int64_t y, std::uint64_t, std::int64_t n) {
    std::uint32_t* row = &pic.pixels[std::size_t(y) * std::size_t(L.width)];
    for (std::int64_t x = 0; x < n; ++x) row[x] |= kOpaque;
  });
  return complete;
}

// ---- run-length coding -----------------------------------------------------

// Pixels are placed from the bottom-left; whatever lies outside the picture
// is dropped, and decoding stops at the end of the bitmap, past the top row
// or at the end of the data.
void decodeRle(const Layout& L, const std::uint8_t* p, const std::uint8_t* end, Picture& pic) {
  const std::int64_t w = L.width, hgt = L.height;
  std::int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto rowPtr = [&](std::int64_t yy) { return &pic.pixels[std::size_t(hgt - 1 - yy) * std::size_t(w)]; };
  // Writes `count` pixels from colourAt(k) and advances x.
  auto put = [&](std::int64_t count, auto colourAt) {
    if (y < hgt && x < w) {
      std::uint32_t* row = rowPtr(y);
      const std::int64_t n = std::min(count, w - x);
      for (std::int64_t k = 0; k < n; ++k) row[x + k] = colourAt(k);
    }
    x += count;
  };
  const std::uint32_t* pal = L.palette.data();
  auto bgr = [](const std::uint8_t* q) {
    return kOpaque | (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
  };

  while (y < hgt && end - p >= 2) {
    const unsigned count = p[0];
    if (count > 0) {
      if (L.coding == Coding::Rle24) {
        if (end - p < 4) break;
        const std::uint32_t c = bgr(p + 1);
        put(count, [c](std::int64_t) { return c; });
        p += 4;
      } else if (L.coding == Coding::Rle8) {
        const std::uint32_t c = pal[p[1]];
        put(count, [c](std::int64_t) { return c; });
        p += 2;
      } else {
        const std::uint32_t hi = pal[p[1] >> 4], lo = pal[p[1] & 15];
        put(count, [hi, lo](std::int64_t k) { return (k & 1) ? lo : hi; });
        p += 2;
      }
      continue;
    }
    const unsigned code = p[1];
    p += 2;
    if (code == 0) {  // end of line
      x = 0;
      ++y;
    } else if (code == 1) {  // end of bitmap
      break;
    } else if (code == 2) {  // delta: skipped pixels stay transparent
      if (end - p < 2) break;
      x += p[0];
      y += p[1];
      p += 2;
    } else {  // absolute run of `code` pixels, padded to a 16-bit boundary
      std::size_t bytes = L.coding == Coding::Rle8 ? code : L.coding == Coding::Rle4 ? (code + 1) / 2 : code * 3u;
      const std::size_t avail = std::size_t(end - p);
      std::int64_t n = code;
      if (bytes > avail) {  // a short file: keep what is there
        n = L.coding == Coding::Rle8 ? std::int64_t(avail) : L.coding == Coding::Rle4 ? std::int64_t(avail) * 2 : std::int64_t(avail / 3);
        n = std::min<std::int64_t>(n, code);
      }
      const std::uint8_t* q = p;
      if (L.coding == Coding::Rle8)
        put(n, [q, pal](std::int64_t k) { return pal[q[k]]; });
      else if (L.coding == Coding::Rle4)
        put(n, [q, pal](std::int64_t k) { return pal[(k & 1) ? (q[k / 2] & 15) : (q[k / 2] >> 4)]; });
      else
        put(n, [q, bgr](std::int64_t k) { return bgr(q + k * 3); });
      if (bytes > avail) break;
      p += bytes + (bytes & 1);
    }
  }
}

Picture readBmp(const Bytes& bytes) {
  std::vector<std::uint8_t> scratch;
  const std::span<const std::uint8_t> head = bytes.at(0, kHeadBytes, scratch);
  const std::uint64_t size = head.size() < kHeadBytes ? head.size() : bytes.size();
  if (size > SIZE_MAX) invalid();
  const Layout L = parseHeaders(head.data(), std::size_t(size));
  Picture pic;
  pic.width = int(L.width);
  pic.height = int(L.height);
  pic.pixels = PixelPool::shared().acquire(std::size_t(L.width) * std::size_t(L.height));
  if (L.coding == Coding::Plain || L.coding == Coding::Bitfields) {
    pic.opaque = decodePlain(L, bytes, pic) && !L.alpha.present();
  } else {
    std::fill(pic.pixels.begin(), pic.pixels.end(), 0u);  // what the runs skip is transparent
    // Run-length data is read whole: it is what is left of the file.
    std::vector<std::uint8_t> data;
    const std::span<const std::uint8_t> coded = bytes.at(L.dataStart, std::size_t(size - L.dataStart), data);
    decodeRle(L, coded.data(), coded.data() + coded.size(), pic);
  }
  return pic;
}

}  // namespace

Picture readBmp(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) invalid();
  return readBmp(MemoryBytes(data, size));
}

Picture readBmpFile(int fd, std::uint64_t size) { return readBmp(FileBytes(fd, size)); }

}  // namespace pictavo
