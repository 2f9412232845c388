#include "formats/PngWriter.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"
#include "canvas/Surface.h"
#include "formats/SafeFile.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

namespace pictavo {

namespace {

constexpr int kCompressionLevel = 4;
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void checkSize(int width, int height, int stride) {
  if (!Surface::sizeAllowed(width, height) || stride < width) throw Error(kErrPathFileAccess);
}

// Room that is never zeroed: every byte is written before it is read, and
// pages the compressor's worst case never reaches are never touched.
std::unique_ptr<std::uint8_t[]> uninitialised(std::size_t bytes) {
  std::unique_ptr<std::uint8_t[]> p(new (std::nothrow) std::uint8_t[bytes]);
  if (!p) throw Error(kErrOutOfMemory);
  return p;
}

void put32(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v >> 24);
  p[1] = std::uint8_t(v >> 16);
  p[2] = std::uint8_t(v >> 8);
  p[3] = std::uint8_t(v);
}

void rgbRow(const std::uint32_t* __restrict src, int width, std::uint8_t* __restrict out) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = src[x];
    out[3 * x] = std::uint8_t(v >> 16);
    out[3 * x + 1] = std::uint8_t(v >> 8);
    out[3 * x + 2] = std::uint8_t(v);
  }
}

// The five filters of one row (bytes of 3-byte pixels; prev is the row
// above, zeros for the first row), each a loop of its own so that the
// compiler vectorises it.
struct Candidates {
  explicit Candidates(std::size_t n) : n(n), storage(5 * n) {}
  std::size_t n;
  std::vector<std::uint8_t> storage;
  std::uint8_t* row(int filter) { return storage.data() + std::size_t(filter) * n; }
};

std::uint64_t absoluteSum(const std::uint8_t* __restrict v, std::size_t n) {
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int s = std::int8_t(v[i]);
    sum += std::uint32_t(s < 0 ? -s : s);
  }
  return sum;
}

// Filters `cur` into out (filter byte, then n bytes): the filter with the
// smallest sum of absolute values, None winning ties.
void filterRow(const std::uint8_t* __restrict cur, const std::uint8_t* __restrict prev, Candidates& c,
               std::uint8_t* __restrict out) {
  const std::size_t n = c.n;
  std::uint8_t* __restrict sub = c.row(1);
  std::uint8_t* __restrict up = c.row(2);
  std::uint8_t* __restrict avg = c.row(3);
  std::uint8_t* __restrict paeth = c.row(4);
  for (std::size_t i = 0; i < 3; ++i) {
    sub[i] = cur[i];
    avg[i] = std::uint8_t(cur[i] - (prev[i] >> 1));
    paeth[i] = std::uint8_t(cur[i] - prev[i]);
  }
  for (std::size_t i = 3; i < n; ++i) sub[i] = std::uint8_t(cur[i] - cur[i - 3]);
  for (std::size_t i = 0; i < n; ++i) up[i] = std::uint8_t(cur[i] - prev[i]);
  for (std::size_t i = 3; i < n; ++i) avg[i] = std::uint8_t(cur[i] - ((cur[i - 3] + prev[i]) >> 1));
  // Masks instead of branches, so that this loop vectorises too.
  for (std::size_t i = 3; i < n; ++i) {
    const int a = cur[i - 3], b = prev[i], c = prev[i - 3];
    const int p = b - c, q = a - c, r = p + q;
    const int pa = (p ^ (p >> 31)) - (p >> 31), pb = (q ^ (q >> 31)) - (q >> 31), pc = (r ^ (r >> 31)) - (r >> 31);
    const int chooseB = -int(pb <= pc);
    const int chooseA = -int(pa <= pb) & -int(pa <= pc);
    const int bOrC = (b & chooseB) | (c & ~chooseB);
    paeth[i] = std::uint8_t(cur[i] - ((a & chooseA) | (bOrC & ~chooseA)));
  }
  int best = 0;
  std::uint64_t bestSum = absoluteSum(cur, n);
  for (int f = 1; f < 5; ++f) {
    const std::uint64_t sum = absoluteSum(c.row(f), n);
    if (sum < bestSum) {
      bestSum = sum;
      best = f;
    }
  }
  out[0] = std::uint8_t(best);
  std::memcpy(out + 1, best == 0 ? cur : c.row(best), n);
}

// The filtered rows of the picture, each 1 + 3 * width bytes.
std::unique_ptr<std::uint8_t[]> filteredRows(const std::uint32_t* pixels, int width, int height, int stride) {
  const std::size_t n = std::size_t(width) * 3u;
  auto filtered = uninitialised((n + 1) * std::size_t(height));
  const std::vector<RowBand> bands = rowBands(0, height, width);
  runBands(bands, [&](std::size_t b) {
    std::vector<std::uint8_t> prev(n, 0), cur(n);
    Candidates candidates(n);
    const int first = bands[b].first;
    if (first > 0) rgbRow(pixels + std::size_t(first - 1) * std::size_t(stride), width, prev.data());
    for (int y = first; y < bands[b].last; ++y) {
      rgbRow(pixels + std::size_t(y) * std::size_t(stride), width, cur.data());
      filterRow(cur.data(), prev.data(), candidates, filtered.get() + (n + 1) * std::size_t(y));
      std::swap(cur, prev);
    }
  });
  return filtered;
}

struct Compressed {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

Compressed compressedRows(const std::uint32_t* pixels, int width, int height, int stride) {
  const std::size_t inBytes = (std::size_t(width) * 3u + 1u) * std::size_t(height);
  std::unique_ptr<std::uint8_t[]> filtered = filteredRows(pixels, width, height, stride);
  std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> compressor(
      libdeflate_alloc_compressor(kCompressionLevel), libdeflate_free_compressor);
  if (!compressor) throw Error(kErrOutOfMemory);
  const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), inBytes);
  Compressed out{uninitialised(bound), 0};
  out.size = libdeflate_zlib_compress(compressor.get(), filtered.get(), inBytes, out.data.get(), bound);
  if (out.size == 0) throw Error(kErrOutOfMemory);  // cannot happen within the bound
  return out;
}

// One chunk: length, type, data, CRC of type and data.
void writeChunk(const std::function<void(const std::uint8_t*, std::size_t)>& sink, const char* type,
                const std::uint8_t* data, std::size_t n) {
  std::uint8_t head[8];
  put32(head, std::uint32_t(n));
  std::memcpy(head + 4, type, 4);
  std::uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  if (n > 0) crc = libdeflate_crc32(crc, data, n);
  std::uint8_t tail[4];
  put32(tail, crc);
  sink(head, 8);
  if (n > 0) sink(data, n);
  sink(tail, 4);
}

std::uint64_t fileBytes(std::size_t compressed) {
  const std::uint64_t chunks = (compressed + kChunkBytes - 1) / kChunkBytes;
  return 8 + 25 + compressed + 12 * chunks + 12;
}

void writeFile(const std::function<void(const std::uint8_t*, std::size_t)>& sink, int width, int height,
               const Compressed& rows) {
  sink(kSignature, 8);
  std::uint8_t ihdr[13] = {};
  put32(ihdr, std::uint32_t(width));
  put32(ihdr + 4, std::uint32_t(height));
  ihdr[8] = 8;  // bits per sample
  ihdr[9] = 2;  // RGB; compression, filter method and interlace stay 0
  writeChunk(sink, "IHDR", ihdr, sizeof ihdr);
  for (std::size_t at = 0; at < rows.size; at += kChunkBytes)
    writeChunk(sink, "IDAT", rows.data.get() + at, std::min(kChunkBytes, rows.size - at));
  writeChunk(sink, "IEND", nullptr, 0);
}

}  // namespace

std::vector<std::uint8_t> encodePng(const std::uint32_t* pixels, int width, int height, int stride) {
  checkSize(width, height, stride);
  const Compressed rows = compressedRows(pixels, width, height, stride);
  std::vector<std::uint8_t> out(fileBytes(rows.size));
  std::size_t at = 0;
  writeFile(
      [&](const std::uint8_t* d, std::size_t n) {
        std::memcpy(out.data() + at, d, n);
        at += n;
      },
      width, height, rows);
  return out;
}

void writePngFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                  bool syncToDisk) {
  checkSize(width, height, stride);
  SafeFile file(path);
  const Compressed rows = compressedRows(pixels, width, height, stride);
  file.reserve(fileBytes(rows.size));
  writeFile([&](const std::uint8_t* d, std::size_t n) { file.append(d, n); }, width, height, rows);
  file.commit(syncToDisk);
}

void writePngFile(const std::string& path, const Surface& surface, bool syncToDisk) {
  writePngFile(path, surface.bits(Surface::Layer::Persistent), surface.Width(), surface.Height(), surface.stride(),
               syncToDisk);
}

}  // namespace pictavo
