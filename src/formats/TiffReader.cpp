#include "formats/TiffReader.h"

#include "base/Errors.h"
#include "canvas/PixelPool.h"
#include "canvas/Surface.h"
#include "formats/JpegStructure.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include <tiffio.h>

namespace pictavo {

namespace {

[[noreturn]] void invalid() { throw Error(kErrInvalidPicture); }

// The file's bytes as libtiff's client stream, read only.
struct Source {
  const std::uint8_t* data;
  std::uint64_t size;
  std::uint64_t pos = 0;
};

tmsize_t readSource(thandle_t h, void* out, tmsize_t n) {
  auto* s = static_cast<Source*>(h);
  if (n <= 0 || s->pos >= s->size) return 0;
  const std::uint64_t count = std::min<std::uint64_t>(std::uint64_t(n), s->size - s->pos);
  std::memcpy(out, s->data + s->pos, std::size_t(count));
  s->pos += count;
  return tmsize_t(count);
}
tmsize_t writeSource(thandle_t, void*, tmsize_t) { return -1; }
toff_t seekSource(thandle_t h, toff_t offset, int whence) {
  auto* s = static_cast<Source*>(h);
  const std::uint64_t base = whence == SEEK_CUR ? s->pos : whence == SEEK_END ? s->size : 0;
  s->pos = base + offset;  // past the end reads nothing
  return s->pos;
}
int closeSource(thandle_t) { return 0; }
toff_t sizeOfSource(thandle_t h) { return static_cast<Source*>(h)->size; }
int mapSource(thandle_t, void**, toff_t*) { return 0; }
void unmapSource(thandle_t, void*, toff_t) {}
int quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// Decoded strips or tiles larger than this are refused: the largest honest
// one is a whole picture of 16384 x 16384 at 2 x 16 bits.
constexpr tmsize_t kMaxAllocation = tmsize_t(1100) << 20;

struct TiffCloser {
  void operator()(TIFF* t) const { TIFFClose(t); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// The first picture's directory, or null when libtiff cannot read it.
TiffHandle open(Source& source) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, &quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, &quiet, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxAllocation);
  TiffHandle tif(TIFFClientOpenExt("picture", "rm", &source, &readSource, &writeSource, &seekSource, &closeSource,
                                   &sizeOfSource, &mapSource, &unmapSource, options));
  TIFFOpenOptionsFree(options);
  return tif;
}

template <class T>
T field(TIFF* tif, ttag_t tag, T fallback) {
  T value{};
  return TIFFGetFieldDefaulted(tif, tag, &value) == 1 ? value : fallback;
}

}  // namespace

bool tiffJpegWorkAllowed(const std::uint8_t* data, std::size_t size) {
  Source source{data, size};
  const TiffHandle tif = open(source);
  if (!tif || field<std::uint16_t>(tif.get(), TIFFTAG_COMPRESSION, COMPRESSION_NONE) != COMPRESSION_JPEG) return true;
  const std::uint32_t count = TIFFIsTiled(tif.get()) ? TIFFNumberOfTiles(tif.get()) : TIFFNumberOfStrips(tif.get());
  // libtiff decodes every strip on its own, so the work of all of them
  // counts against the coded data of all of them. Strips that share one
  // stream (blank ones, say) are walked once; strips that overlap otherwise
  // are refused before the walk costs more than reading the file twice.
  int scans = 0;
  std::uint64_t work = 0, entropyBytes = 0, walked = 0;
  std::map<std::pair<std::uint64_t, std::size_t>, JpegStructure> seen;
  for (std::uint32_t i = 0; i < count; ++i) {
    int failed = 0;
    const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tif.get(), i, &failed);
    const std::uint64_t length = TIFFGetStrileByteCountWithErr(tif.get(), i, &failed);
    if (failed || offset >= size || length < 2) continue;
    const std::size_t n = std::size_t(std::min<std::uint64_t>(length, size - offset));
    auto [at, fresh] = seen.try_emplace({offset, n});
    if (fresh) {
      walked += n;
      if (walked > 2 * std::uint64_t(size)) return false;
      at->second = readJpegStructure(data + offset, n);
    }
    const JpegStructure& s = at->second;
    scans = std::max(scans, s.scans);
    work += s.work;
    entropyBytes += s.entropyBytes;
  }
  return jpegWorkAllowed(scans, work, entropyBytes);
}

std::optional<Picture> readGreyAlphaTiff(const std::uint8_t* data, std::size_t size) {
  Source source{data, size};
  const TiffHandle handle = open(source);
  TIFF* tif = handle.get();
  if (!tif) return std::nullopt;
  const auto photometric = field<std::uint16_t>(tif, TIFFTAG_PHOTOMETRIC, 0xFFFF);
  const auto bits = field<std::uint16_t>(tif, TIFFTAG_BITSPERSAMPLE, 1);
  const auto format = field<std::uint16_t>(tif, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT);
  std::uint16_t extras = 0;
  std::uint16_t* kinds = nullptr;
  if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extras, &kinds) != 1 || extras != 1 || kinds == nullptr) return std::nullopt;
  const bool associated = kinds[0] == EXTRASAMPLE_ASSOCALPHA;
  if ((photometric != PHOTOMETRIC_MINISBLACK && photometric != PHOTOMETRIC_MINISWHITE) ||
      field<std::uint16_t>(tif, TIFFTAG_SAMPLESPERPIXEL, 1) != 2 || (bits != 8 && bits != 16) ||
      format != SAMPLEFORMAT_UINT || (!associated && kinds[0] != EXTRASAMPLE_UNASSALPHA))
    return std::nullopt;

  const auto width = field<std::uint32_t>(tif, TIFFTAG_IMAGEWIDTH, 0);
  const auto height = field<std::uint32_t>(tif, TIFFTAG_IMAGELENGTH, 0);
  if (width > std::uint32_t(Surface::kMaxSide) || height > std::uint32_t(Surface::kMaxSide) ||
      !Surface::sizeAllowed(int(width), int(height)))
    invalid();
  const bool separate = field<std::uint16_t>(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == PLANARCONFIG_SEPARATE;
  const bool tiled = TIFFIsTiled(tif);
  const std::uint32_t tileWidth = tiled ? field<std::uint32_t>(tif, TIFFTAG_TILEWIDTH, 0) : width;
  const std::uint32_t tileHeight = tiled ? field<std::uint32_t>(tif, TIFFTAG_TILELENGTH, 0) : 1;
  const tmsize_t blockBytes = tiled ? TIFFTileSize(tif) : TIFFScanlineSize(tif);
  if (tileWidth == 0 || tileHeight == 0 || blockBytes <= 0 || blockBytes > kMaxAllocation) invalid();

  // Every strip or tile lies within the file, before anything is allocated
  // (libtiff reads a strip whole, at the size it claims).
  const std::uint32_t count = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
  for (std::uint32_t i = 0; i < count; ++i) {
    int failed = 0;
    const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tif, i, &failed);
    const std::uint64_t length = TIFFGetStrileByteCountWithErr(tif, i, &failed);
    if (failed || offset > size || length > size - offset) invalid();
  }

  Picture picture;
  picture.width = int(width);
  picture.height = int(height);
  picture.pixels = PixelPool::shared().acquire(std::size_t(width) * height);
  std::fill(picture.pixels.begin(), picture.pixels.end(), 0u);  // the planes are laid in one after the other
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockBytes));
  const int planes = separate ? 2 : 1;
  const int step = separate ? 1 : 2;  // samples per pixel in one plane
  // Sample s of a block pixel: grey (0) or alpha (1), 16-bit rounded to 8.
  auto sample = [&](std::size_t index) -> std::uint32_t {
    if (bits == 8) return block[index];
    std::uint16_t v;
    std::memcpy(&v, &block[index * 2], 2);
    return (std::uint32_t(v) + 128) / 257;
  };
  for (int plane = 0; plane < planes; ++plane) {
    for (std::uint32_t y0 = 0; y0 < height; y0 += tileHeight) {
      for (std::uint32_t x0 = 0; x0 < width; x0 += tileWidth) {
        const tmsize_t got = tiled ? TIFFReadTile(tif, block.data(), x0, y0, 0, std::uint16_t(plane))
                                   : TIFFReadScanline(tif, block.data(), y0, std::uint16_t(plane));
        if (got < 0) invalid();
        const std::uint32_t rows = std::min(tileHeight, height - y0), columns = std::min(tileWidth, width - x0);
        for (std::uint32_t r = 0; r < rows; ++r) {
          std::uint32_t* out = &picture.pixels[std::size_t(y0 + r) * width + x0];
          const std::size_t base = std::size_t(r) * tileWidth * std::size_t(step);
          for (std::uint32_t c = 0; c < columns; ++c) {
            const std::size_t at = base + std::size_t(c) * std::size_t(step);
            if (separate && plane == 1) {
              out[c] = (out[c] & 0x00FFFFFFu) | (sample(at) << 24);
            } else if (separate) {
              out[c] = sample(at) * 0x010101u;
            } else {
              out[c] = (sample(at + 1) << 24) | (sample(at) * 0x010101u);
            }
          }
        }
      }
    }
  }

  // Minimum-is-white grey is inverted; associated alpha is multiplied into
  // the grey and is taken out again, as the canvas blends unassociated.
  for (std::uint32_t& p : picture.pixels) {
    const std::uint32_t a = p >> 24;
    std::uint32_t g = p & 0xFF;
    if (photometric == PHOTOMETRIC_MINISWHITE) g = 255 - g;
    if (associated) g = a == 0 ? 0 : std::min<std::uint32_t>(255, (g * 255 + a / 2) / a);
    p = (a << 24) | (g * 0x010101u);
  }
  return picture;
}

}  // namespace pictavo
