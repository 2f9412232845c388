#include "formats/JpegReader.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"
#include "canvas/Surface.h"
#include "formats/JpegStructure.h"
#include "canvas/PixelPool.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#if !defined(JCS_EXTENSIONS)
#error "libjpeg-turbo's extended colour spaces are needed"
#endif

namespace pictavo {

namespace {

[[noreturn]] void invalid() { throw Error(kErrInvalidPicture); }

// One libjpeg decompressor over the stream in memory. libjpeg reports errors
// by calling error_exit, which must not return: it jumps back to the setjmp
// in run(), from C code only, so no C++ destructor is ever skipped.
class Decoder {
 public:
  // entropyBytes: the stream's coded scan data, which buys its work budget.
  Decoder(const std::uint8_t* data, std::size_t size, std::uint64_t entropyBytes) : entropyBytes_(entropyBytes) {
    cinfo_.err = jpeg_std_error(&errors_.mgr);
    errors_.mgr.error_exit = &Decoder::errorExit;
    errors_.mgr.output_message = [](j_common_ptr) {};  // warnings (corrupt data) are not shown
    progress_.progress_monitor = &Decoder::monitor;
    // Creating the decompressor allocates, and the source refuses an empty
    // stream: both report through error_exit, so both run under the trap.
    if (setjmp(errors_.jump) == 0) {
      jpeg_create_decompress(&cinfo_);
      cinfo_.client_data = this;
      cinfo_.progress = &progress_;
      jpeg_mem_src(&cinfo_, data, static_cast<unsigned long>(size));
    } else {
      jpeg_destroy_decompress(&cinfo_);  // safe on a half-made one
      throw Error(errors_.outOfMemory ? kErrOutOfMemory : kErrInvalidPicture);
    }
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;
  ~Decoder() { jpeg_destroy_decompress(&cinfo_); }

  jpeg_decompress_struct& info() { return cinfo_; }

  // Runs step(cinfo) under the error trap; throws pictavo::Error for a
  // libjpeg error or a refused stream. Step must not hold C++ objects that
  // need destroying while it calls into libjpeg.
  template <class Step>
  void run(Step&& step) {
    if (setjmp(errors_.jump) == 0) {
      step(cinfo_);
      return;
    }
    throw Error(errors_.outOfMemory ? kErrOutOfMemory : kErrInvalidPicture);
  }

 private:
  struct Errors {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    bool outOfMemory = false;
  };

  static void errorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<Errors*>(cinfo->err);
    errors->outOfMemory = cinfo->err->msg_code == JERR_OUT_OF_MEMORY;
    std::longjmp(errors->jump, 1);
  }

  // Called before every step of input (each row of blocks, each marker):
  // counts the work of every scan as it starts and refuses a stream once it
  // asks for more than its size justifies.
  static void monitor(j_common_ptr common) {
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    auto* self = static_cast<Decoder*>(cinfo->client_data);
    if (cinfo->input_scan_number == self->lastScan) return;
    self->lastScan = cinfo->input_scan_number;
    std::uint64_t blocks = 0;
    for (int i = 0; i < cinfo->comps_in_scan; ++i)
      blocks += std::uint64_t(cinfo->cur_comp_info[i]->width_in_blocks) * cinfo->cur_comp_info[i]->height_in_blocks;
    self->work += jpegScanWork(blocks, cinfo->Ss, cinfo->Se, cinfo->Ah);
    if (!jpegWorkAllowed(self->lastScan, self->work, self->entropyBytes_)) std::longjmp(self->errors_.jump, 1);
  }

  jpeg_decompress_struct cinfo_{};
  Errors errors_{};
  jpeg_progress_mgr progress_{};
  std::uint64_t entropyBytes_;
  int lastScan = 0;
  std::uint64_t work = 0;
};

// Reads the header and chooses the output: B, G, R, A bytes straight from
// libjpeg for grey, YCbCr and RGB; CMYK (YCCK converted by libjpeg) for us
// to convert.
void readHeader(jpeg_decompress_struct& cinfo) {
  jpeg_read_header(&cinfo, TRUE);
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      cinfo.out_color_space = JCS_EXT_BGRA;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      break;
    default:
      cinfo.out_color_space = JCS_UNKNOWN;  // refused by the caller
      break;
  }
}

// Qt's reading of CMYK, kept so pictures look as they always did: the
// stored values are Adobe's inverted ones, so each channel is C' * K' / 255.
void cmykRowToPixels(const JSAMPLE* in, int width, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, in += 4) {
    const std::uint32_t k = in[3];
    out[x] = 0xFF000000u | ((k * in[0] / 255) << 16) | ((k * in[1] / 255) << 8) | (k * in[2] / 255);
  }
}

// Decodes output rows [first, last) into the picture, skipping the rows
// above (entropy decoding only) when first > 0.
void decodeRows(Decoder& decoder, Picture& pic, int first, int last, std::vector<JSAMPLE>& scratch) {
  constexpr int kRowsPerCall = 16;
  decoder.run([&](jpeg_decompress_struct& cinfo) {
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    const std::size_t width = std::size_t(pic.width);
    JSAMPROW rows[kRowsPerCall];
    if (first > 0) jpeg_skip_scanlines(&cinfo, JDIMENSION(first));
    while (int(cinfo.output_scanline) < last) {
      const int y = int(cinfo.output_scanline);
      const int n = std::min(kRowsPerCall, last - y);
      for (int i = 0; i < n; ++i)
        rows[i] = cmyk ? scratch.data() + std::size_t(i) * width * 4
                       : reinterpret_cast<JSAMPROW>(&pic.pixels[std::size_t(y + i) * width]);
      const int got = int(jpeg_read_scanlines(&cinfo, rows, JDIMENSION(n)));
      if (got <= 0) break;  // cannot happen with a stream in memory
      if (cmyk)
        for (int i = 0; i < got; ++i) cmykRowToPixels(rows[i], pic.width, &pic.pixels[std::size_t(y + i) * width]);
    }
  });
}

// Rows [0, height) in `count` bands whose starts lie on rows of MCUs
// (`unit` rows each), so that no band decodes a partial row of MCUs twice.
// A lower band's decoder first runs the entropy decoding of everything
// above it (about kEntropyShare of the work of decoding those rows), so
// upper bands are made taller until every band costs about the same.
std::vector<RowBand> jpegBands(int height, int unit, int count) {
  constexpr double kEntropyShare = 0.35;
  const int units = (height + unit - 1) / unit;
  count = std::clamp(count, 1, units);
  // Band i costs kEntropyShare * start + rows; equal costs c give
  // start(i + 1) = start(i) * (1 - kEntropyShare) + c: find c for height.
  double sum = 0, scale = 1;
  for (int i = 0; i < count; ++i) {
    sum += scale;
    scale *= 1 - kEntropyShare;
  }
  const double cost = double(units) / sum;
  std::vector<RowBand> bands;
  double start = 0;
  int first = 0;
  for (int i = 0; i < count; ++i) {
    start = start * (1 - kEntropyShare) + cost;
    const int last = i + 1 == count ? units : std::clamp(int(start + 0.5), first + 1, units - (count - i - 1));
    bands.push_back(RowBand{first * unit, std::min(last * unit, height)});
    first = last;
  }
  return bands;
}

}  // namespace

Picture readJpeg(const std::uint8_t* data, std::size_t size) { return readJpeg(data, size, 0); }

Picture readJpeg(const std::uint8_t* data, std::size_t size, int bandCount) {
  if (data == nullptr || size < 4) invalid();
  // The structure alone refuses what the decoder would refuse later, before
  // any memory is spent on it: cut-short files and excessive scans.
  const JpegStructure structure = readJpegStructure(data, size);
  if (!structure.complete || !jpegWorkAllowed(structure.scans, structure.work, structure.entropyBytes)) invalid();

  Decoder first(data, size, structure.entropyBytes);
  bool singleScan = true;
  first.run([&](jpeg_decompress_struct& cinfo) {
    readHeader(cinfo);
    singleScan = !jpeg_has_multiple_scans(&cinfo);
  });
  jpeg_decompress_struct& info = first.info();
  if (info.out_color_space == JCS_UNKNOWN || !Surface::sizeAllowed(info.image_width, info.image_height)) invalid();
  // A progressive stream is read whole here, under the progress monitor.
  first.run([](jpeg_decompress_struct& cinfo) { jpeg_start_decompress(&cinfo); });
  if (info.output_width != info.image_width || info.output_height != info.image_height) invalid();

  Picture pic;
  pic.opaque = true;
  pic.width = int(info.output_width);
  pic.height = int(info.output_height);
  const bool cmyk = info.out_color_space == JCS_CMYK;

  // A single-scan stream decodes in bands on every core, each band with its
  // own decoder. A progressive stream holds all its coefficients in one
  // decoder and is read in one band.
  const int unit = info.max_v_samp_factor * info.min_DCT_scaled_size;
  const int cores = int(rowBands(0, pic.height, pic.width).size());
  const std::vector<RowBand> bands =
      singleScan ? jpegBands(pic.height, unit, bandCount > 0 ? bandCount : cores) : std::vector<RowBand>{RowBand{0, pic.height}};
  std::vector<std::vector<JSAMPLE>> scratch(bands.size());
  if (cmyk)
    for (auto& s : scratch) s.resize(std::size_t(pic.width) * 4u * 16u);
  // Every word is written by the decoder: no need to clear the buffer.
  pic.pixels = PixelPool::shared().acquire(std::size_t(pic.width) * std::size_t(pic.height));
  runBands(bands, [&](std::size_t b) {
    if (b == 0) {
      decodeRows(first, pic, bands[0].first, bands[0].last, scratch[0]);
      return;
    }
    Decoder own(data, size, structure.entropyBytes);
    own.run([](jpeg_decompress_struct& cinfo) {
      readHeader(cinfo);
      jpeg_start_decompress(&cinfo);
    });
    decodeRows(own, pic, bands[b].first, bands[b].last, scratch[b]);
  });
  return pic;
}

}  // namespace pictavo
