#include "formats/JpegWriter.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"
#include "canvas/Surface.h"
#include "formats/SafeFile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace pictavo {

namespace {

constexpr int kMcuRows = 16;  // 4:2:0: one MCU is 16 x 16 pixels

struct Errors {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  bool outOfMemory = false;
};

void errorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<Errors*>(cinfo->err);
  errors->outOfMemory = cinfo->err->msg_code == JERR_OUT_OF_MEMORY;
  std::longjmp(errors->jump, 1);
}

// A stream in memory that libjpeg allocated with malloc.
struct Encoded {
  unsigned char* data = nullptr;
  unsigned long size = 0;
  bool outOfMemory = false;
  Encoded() = default;
  Encoded(const Encoded&) = delete;
  Encoded& operator=(const Encoded&) = delete;
  ~Encoded() { std::free(data); }
};

// Compresses rows [first, last) as a JPEG of their own, with a restart
// marker every `restart` MCUs (0: none), under libjpeg's error trap; only C
// objects live between the setjmp and the calls that may jump back to it.
bool compress(const std::uint32_t* pixels, int width, int first, int last, int stride, int quality,
              unsigned restart, Encoded& out) {
  jpeg_compress_struct cinfo{};
  Errors errors{};
  cinfo.err = jpeg_std_error(&errors.mgr);
  errors.mgr.error_exit = &errorExit;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_compress(&cinfo);
    out.outOfMemory = errors.outOfMemory;
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &out.data, &out.size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(last - first);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;  // the pixel words' bytes in memory
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(quality, 1, 100), TRUE);
  cinfo.restart_interval = restart;
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW rows[kMcuRows];
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = first + int(cinfo.next_scanline);
    const int n = std::min(kMcuRows, last - y);
    for (int i = 0; i < n; ++i)
      rows[i] = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(pixels + std::size_t(y + i) * std::size_t(stride)));
    jpeg_write_scanlines(&cinfo, rows, JDIMENSION(n));
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

std::uint16_t big16(const unsigned char* p) { return std::uint16_t((p[0] << 8) | p[1]); }

// Where a stream's entropy-coded data starts (behind the SOS segment), and
// the offset of the frame's height field; 0 when the stream lacks them.
struct Layout {
  std::size_t heightField = 0;
  std::size_t data = 0;
};

Layout layoutOf(const Encoded& e) {
  Layout layout;
  std::size_t pos = 2;
  while (pos + 4 <= e.size && e.data[pos] == 0xFF) {
    const unsigned char marker = e.data[pos + 1];
    const std::size_t length = big16(e.data + pos + 2);
    if (marker == 0xC0) layout.heightField = pos + 5;
    if (marker == 0xDA) {
      layout.data = pos + 2 + length;
      break;
    }
    pos += 2 + length;
  }
  return layout;
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const std::uint32_t* pixels, int width, int height, int stride, int quality,
                                     int bandCount) {
  // The canvas limit (32767 a side) lies within JPEG's 16-bit sizes.
  if (!Surface::sizeAllowed(width, height) || stride < width) throw Error(kErrPathFileAccess);
  // Bands of whole MCU rows are encoded at the same time, each as a stream
  // of its own; a restart marker between them resets what one band would
  // carry into the next (the DC predictions, the bit position), so the
  // joined data is one valid scan. Every band holds a whole number of
  // restart intervals, and an interval is at most 65535 MCUs.
  const int mcuRows = (height + kMcuRows - 1) / kMcuRows;
  const unsigned mcusPerRow = unsigned((width + kMcuRows - 1) / kMcuRows);
  if (bandCount <= 0) bandCount = int(rowBands(0, height, width).size());
  const int perBand = (mcuRows + bandCount - 1) / bandCount;
  const int interval = std::max(1, std::min<int>(perBand, int(65535u / mcusPerRow)));
  const int intervals = (mcuRows + interval - 1) / interval;
  bandCount = std::min(bandCount, intervals);
  std::vector<RowBand> bands;
  for (int b = 0; b < bandCount; ++b) {
    const int from = intervals * b / bandCount, to = intervals * (b + 1) / bandCount;
    bands.push_back({std::min(height, from * interval * kMcuRows), std::min(height, to * interval * kMcuRows)});
  }
  const unsigned restart = bandCount > 1 ? unsigned(interval) * mcusPerRow : 0;
  std::vector<Encoded> streams(bands.size());
  std::vector<char> done(bands.size(), 0);
  runBands(bands, [&](std::size_t b) {
    done[b] = compress(pixels, width, bands[b].first, bands[b].last, stride, quality, restart, streams[b]);
  });
  for (std::size_t b = 0; b < bands.size(); ++b)
    if (!done[b]) throw Error(streams[b].outOfMemory ? kErrOutOfMemory : kErrPathFileAccess);

  // The first stream's header with the whole height, every stream's data
  // (without its EOI) with its restart markers numbered on from the ones
  // before, a marker between streams, one EOI.
  const Layout head = layoutOf(streams[0]);
  if (head.heightField == 0 || head.data == 0) throw Error(kErrPathFileAccess);
  std::size_t total = head.data + 2;
  for (const Encoded& s : streams) total += s.size + 2;
  std::vector<std::uint8_t> out;
  out.reserve(total);
  out.insert(out.end(), streams[0].data, streams[0].data + head.data);
  out[head.heightField] = std::uint8_t(height >> 8);
  out[head.heightField + 1] = std::uint8_t(height);
  unsigned restarts = 0;
  for (std::size_t b = 0; b < streams.size(); ++b) {
    const Layout layout = b == 0 ? head : layoutOf(streams[b]);
    if (layout.data == 0 || streams[b].size < layout.data + 2) throw Error(kErrPathFileAccess);
    if (b > 0) {
      out.push_back(0xFF);
      out.push_back(std::uint8_t(0xD0 + restarts++ % 8));
    }
    const std::size_t from = out.size();
    out.insert(out.end(), streams[b].data + layout.data, streams[b].data + streams[b].size - 2);
    // Inside the data a 0xFF is followed by 0 (a stuffed byte) or a marker.
    std::uint8_t* p = out.data() + from;
    std::uint8_t* const end = out.data() + out.size();
    while (p + 1 < end && (p = static_cast<std::uint8_t*>(std::memchr(p, 0xFF, std::size_t(end - p - 1))))) {
      if (p[1] >= 0xD0 && p[1] <= 0xD7) p[1] = std::uint8_t(0xD0 + restarts++ % 8);
      p += 2;
    }
  }
  out.push_back(0xFF);
  out.push_back(0xD9);
  return out;
}

void writeJpegFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                   int quality, bool syncToDisk) {
  SafeFile file(path);
  const std::vector<std::uint8_t> out = encodeJpeg(pixels, width, height, stride, quality);
  file.reserve(out.size());
  file.append(out.data(), out.size());
  file.commit(syncToDisk);
}

void writeJpegFile(const std::string& path, const Surface& surface, int quality, bool syncToDisk) {
  writeJpegFile(path, surface.bits(Surface::Layer::Persistent), surface.Width(), surface.Height(), surface.stride(),
                quality, syncToDisk);
}

}  // namespace pictavo
