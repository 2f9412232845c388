#include "formats/JpegWriter.h"

#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/SafeFile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace pictavo {

namespace {

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

// The compressed stream in memory that libjpeg allocated with malloc.
struct Encoded {
  unsigned char* data = nullptr;
  unsigned long size = 0;
  ~Encoded() { std::free(data); }
};

// Compresses under libjpeg's error trap; only C objects live between the
// setjmp and the calls that may jump back to it.
bool compress(const std::uint32_t* pixels, int width, int height, int stride, int quality, Encoded& out,
              bool& outOfMemory) {
  jpeg_compress_struct cinfo{};
  Errors errors{};
  cinfo.err = jpeg_std_error(&errors.mgr);
  errors.mgr.error_exit = &errorExit;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_compress(&cinfo);
    outOfMemory = errors.outOfMemory;
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &out.data, &out.size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;  // the pixel words' bytes in memory
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(quality, 1, 100), TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  constexpr int kRowsPerCall = 16;
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = int(cinfo.next_scanline);
    const int n = std::min(kRowsPerCall, height - y);
    for (int i = 0; i < n; ++i)
      rows[i] = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(pixels + std::size_t(y + i) * std::size_t(stride)));
    jpeg_write_scanlines(&cinfo, rows, JDIMENSION(n));
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

void encode(const std::uint32_t* pixels, int width, int height, int stride, int quality, Encoded& out) {
  // The canvas limit (32767 a side) lies within JPEG's 16-bit sizes.
  if (!Surface::sizeAllowed(width, height) || stride < width) throw Error(kErrPathFileAccess);
  bool outOfMemory = false;
  if (!compress(pixels, width, height, stride, quality, out, outOfMemory))
    throw Error(outOfMemory ? kErrOutOfMemory : kErrPathFileAccess);
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const std::uint32_t* pixels, int width, int height, int stride, int quality) {
  Encoded out;
  encode(pixels, width, height, stride, quality, out);
  return std::vector<std::uint8_t>(out.data, out.data + out.size);
}

void writeJpegFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                   int quality, bool syncToDisk) {
  SafeFile file(path);
  Encoded out;
  encode(pixels, width, height, stride, quality, out);
  file.reserve(out.size);
  file.append(out.data, out.size);
  file.commit(syncToDisk);
}

void writeJpegFile(const std::string& path, const Surface& surface, int quality, bool syncToDisk) {
  writeJpegFile(path, surface.bits(Surface::Layer::Persistent), surface.Width(), surface.Height(), surface.stride(),
                quality, syncToDisk);
}

}  // namespace pictavo
