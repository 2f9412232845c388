#include "formats/BmpWriter.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"
#include "canvas/Surface.h"
#include "formats/FileErrors.h"
#include "formats/SafeFile.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace pictavo {

namespace {

void put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}

void checkSize(int width, int height, int stride) {
  if (!Surface::sizeAllowed(width, height) || stride < width) throw Error(kErrPathFileAccess);
}

std::uint64_t imageBytes(int width, int height) { return std::uint64_t(width) * std::uint64_t(height) * 4u; }

void fillHeader(std::uint8_t* h, int width, int height) {
  std::memset(h, 0, kBmpHeaderSize);
  const std::uint64_t image = imageBytes(width, height);
  // Sizes past 4 GiB cannot be stated; the canvas limit keeps us far below.
  h[0] = 'B';
  h[1] = 'M';
  put32(h + 2, std::uint32_t(std::min<std::uint64_t>(kBmpHeaderSize + image, UINT32_MAX)));
  put32(h + 10, kBmpHeaderSize);
  put32(h + 14, 40);
  put32(h + 18, std::uint32_t(width));
  put32(h + 22, std::uint32_t(height));
  put16(h + 26, 1);
  put16(h + 28, 32);
  put32(h + 34, std::uint32_t(std::min<std::uint64_t>(image, UINT32_MAX)));
}

// One row as the file stores it: the pixel words little-endian with the top
// byte cleared (blue, green, red, 0).
void convertRow(const std::uint32_t* src, int width, std::uint8_t* dst) {
  // memcpy: the file rows after the 54-byte header are not word-aligned.
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = src[x] & 0x00FFFFFFu;
    std::memcpy(dst + std::size_t(x) * 4u, &v, 4);
  }
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const std::uint32_t* pixels, int width, int height, int stride) {
  checkSize(width, height, stride);
  std::vector<std::uint8_t> out(kBmpHeaderSize + imageBytes(width, height));
  fillHeader(out.data(), width, height);
  const std::size_t rowBytes = std::size_t(width) * 4u;
  std::uint8_t* dst = out.data() + kBmpHeaderSize;
  for (int y = height - 1; y >= 0; --y, dst += rowBytes)
    convertRow(pixels + std::size_t(y) * std::size_t(stride), width, dst);
  return out;
}

void writeBmpFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                  bool syncToDisk) {
  checkSize(width, height, stride);
  SafeFile temp(path);
  // Reserving the blocks first makes a full disk fail before any writing
  // and spares the file system block allocation page by page.
  temp.reserve(kBmpHeaderSize + imageBytes(width, height));

  // Each band of file rows is converted into its own reused chunk of a few
  // megabytes and written at its place in the file, the bands at the same
  // time: the kernel's copy into the page cache then runs on every core.
  std::uint8_t header[kBmpHeaderSize];
  fillHeader(header, width, height);
  if (const int err = temp.writeAt(header, kBmpHeaderSize, 0)) throw Error(fileErrorNumber(err));
  const std::size_t rowBytes = std::size_t(width) * 4u;
  const std::size_t chunkRows = std::max<std::size_t>(1, (std::size_t(2048) << 10) / rowBytes);
  const std::vector<RowBand> bands = rowBands(0, height, width);
  std::vector<std::vector<std::uint8_t>> chunks(bands.size(), std::vector<std::uint8_t>(chunkRows * rowBytes));
  std::vector<int> failures(bands.size(), 0);
  runBands(bands, [&](std::size_t b) {
    std::uint8_t* chunk = chunks[b].data();
    // File row r holds picture row height - 1 - r.
    for (int r = bands[b].first; r < bands[b].last && !failures[b];) {
      const int rows = std::min<int>(int(chunkRows), bands[b].last - r);
      for (int i = 0; i < rows; ++i)
        convertRow(pixels + std::size_t(height - 1 - (r + i)) * std::size_t(stride), width, chunk + i * rowBytes);
      failures[b] = temp.writeAt(chunk, std::size_t(rows) * rowBytes, kBmpHeaderSize + std::uint64_t(r) * rowBytes);
      r += rows;
    }
  });
  for (const int err : failures)
    if (err) throw Error(fileErrorNumber(err));
  temp.commit(syncToDisk);
}

void writeBmpFile(const std::string& path, const Surface& surface, bool syncToDisk) {
  writeBmpFile(path, surface.bits(Surface::Layer::Persistent), surface.Width(), surface.Height(), surface.stride(),
               syncToDisk);
}

}  // namespace pictavo
