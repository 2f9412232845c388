#include "formats/PngReader.h"

#include "canvas/PixelPool.h"

#include "base/Errors.h"
#include "canvas/LargeBuffer.h"
#include "canvas/Surface.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace pictavo {

namespace {

// Ancillary chunks may not make libpng allocate more than this.
constexpr png_alloc_size_t kChunkMemoryLimit = 16u << 20;

// Where libpng's bytes come from: memory, or a file read through a buffer.
struct Source {
  const std::uint8_t* data = nullptr;  // memory
  std::size_t size = 0;
  std::size_t pos = 0;
  int fd = -1;                          // or a file
  std::uint64_t fileSize = 0;
  std::uint64_t filePos = 0;
  std::uint8_t buffer[64 * 1024];
  std::size_t bufferPos = 0, bufferEnd = 0;

  // Fills out with n bytes; false at the end of the data.
  bool read(std::uint8_t* out, std::size_t n) {
    if (fd < 0) {
      if (n > size - pos) return false;
      std::memcpy(out, data + pos, n);
      pos += n;
      return true;
    }
    while (n > 0) {
      if (bufferPos == bufferEnd) {
        const std::uint64_t left = fileSize - filePos;
        if (left == 0) return false;
        const ssize_t got = ::pread(fd, buffer, std::size_t(std::min<std::uint64_t>(sizeof buffer, left)), off_t(filePos));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        filePos += std::uint64_t(got);
        bufferPos = 0;
        bufferEnd = std::size_t(got);
      }
      const std::size_t take = std::min(n, bufferEnd - bufferPos);
      std::memcpy(out, buffer + bufferPos, take);
      bufferPos += take;
      out += take;
      n -= take;
    }
    return true;
  }
};

void readBytes(png_structp png, png_bytep out, png_size_t n) {
  if (!static_cast<Source*>(png_get_io_ptr(png))->read(out, n)) png_error(png, "file ends early");
}

struct Trap {
  bool outOfMemory = false;
};

void errorExit(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

png_voidp allocate(png_structp png, png_alloc_size_t n) {
  void* p = std::malloc(n);
  if (!p) static_cast<Trap*>(png_get_error_ptr(png))->outOfMemory = true;
  return p;
}
void release(png_structp, png_voidp p) { std::free(p); }

// Sets libpng up to deliver B, G, R, A bytes of 8 bits for every kind of file.
void chooseOutput(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  if (depth == 16) png_set_scale_16(png);  // rounded, as Qt does
  if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!(colourType & PNG_COLOR_MASK_ALPHA) && !transparency) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
}

// Decodes under libpng's error trap; only C objects and plain values live
// between the setjmp and the calls that may jump back to it.
bool decode(Source& source, Picture& picture, Trap& trap, bool& refused) {
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &trap, errorExit, ignoreWarning, &trap, allocate,
                                             release);
  if (!png) {
    trap.outOfMemory = true;
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &source, readBytes);
  png_set_sig_bytes(png, 8);  // checked by the caller
  png_set_user_limits(png, Surface::kMaxSide, Surface::kMaxSide);
  png_set_chunk_malloc_max(png, kChunkMemoryLimit);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  static const png_byte kSkipped[] = {'i', 'C', 'C', 'P', 0, 'i', 'T', 'X', 't', 0, 't', 'E', 'X', 't', 0,
                                      'z', 'T', 'X', 't', 0, 's', 'P', 'L', 'T', 0, 'e', 'X', 'I', 'f', 0};
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkipped, int(sizeof kSkipped / 5));
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!Surface::sizeAllowed(width, height)) {
    refused = true;
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  chooseOutput(png, info);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != png_size_t(width) * 4u) {
    refused = true;
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  picture.width = int(width);
  picture.height = int(height);
  // Interlaced passes fill each row in turns, over zeros; otherwise every
  // word is written once, by the decoder.
  try {
    picture.pixels = PixelPool::shared().acquire(std::size_t(width) * std::size_t(height));
    if (passes > 1) std::fill(picture.pixels.begin(), picture.pixels.end(), 0u);
  } catch (const Error&) {
    trap.outOfMemory = true;
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < height; ++y)
      png_read_row(png, reinterpret_cast<png_bytep>(&picture.pixels[std::size_t(y) * width]), nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

Picture run(Source& source) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::uint8_t head[8];
  if (!source.read(head, 8) || std::memcmp(head, kSignature, 8) != 0) throw Error(kErrInvalidPicture);
  Picture picture;
  Trap trap;
  bool refused = false;
  if (!decode(source, picture, trap, refused) || refused)
    throw Error(trap.outOfMemory && !refused ? kErrOutOfMemory : kErrInvalidPicture);
  return picture;
}

}  // namespace

Picture readPng(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) throw Error(kErrInvalidPicture);
  auto source = std::make_unique<Source>();
  source->data = data;
  source->size = size;
  return run(*source);
}

Picture readPngFile(int fd, std::uint64_t size) {
  auto source = std::make_unique<Source>();
  source->fd = fd;
  source->fileSize = size;
  return run(*source);
}

}  // namespace pictavo
