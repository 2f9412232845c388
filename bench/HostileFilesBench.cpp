// Decoding the hostile files that cost the most: small files claiming the
// largest picture the canvas takes (16384 x 16384), progressive JPEGs whose
// scans ask for minutes of work, and metafiles whose frame or transform is
// huge, or whose bitmap records claim huge bitmaps. The target is under one
// second each, refused or decoded. Metafile text needs the font engine,
// hence the application.
#include "base/Errors.h"
#include "formats/PictureDecoder.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::string hostileFile(const char* name) {
  return (std::filesystem::path(__FILE__).parent_path().parent_path() / "tests" / "data" / "hostile" / name).string();
}

void ensureApplication() {
  static std::unique_ptr<QGuiApplication> app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "pictavo_bench";
    static char* argv[] = {name, nullptr};
    return QGuiApplication::instance() ? nullptr : std::make_unique<QGuiApplication>(argc, argv);
  }();
}

void BM_HostileDecode(benchmark::State& state, const char* name) {
  ensureApplication();
  const std::vector<std::uint8_t> bytes = pictavo::readWholeFile(hostileFile(name));
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(pictavo::decodePicture(bytes));
    } catch (const pictavo::Error&) {
    }
  }
}

BENCHMARK_CAPTURE(BM_HostileDecode, Bmp70Bytes16384, "bmp-70-bytes-16384x16384-1bpp.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, BmpRle8Huge, "bmp-rle8-huge-size.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, JpegScan16384, "jpeg-real-scan-16384x16384.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, JpegProgressive2000Scans, "jpeg-progressive-2000-scans-16384x16384.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, JpegProgressive501Scans, "jpeg-progressive-501-scans-64x64.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, Gif35Bytes, "gif-35-bytes-30000x30000.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, WmfBboxHuge, "wmf-bbox-huge.wmf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, EmfFrameHuge, "emf-frame-huge.emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, EmfWorldTransformHuge, "emf-world-transform-huge.emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, EmfFullFills, "emf-2000-full-fills.emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, EmfWideDiagonals, "emf-2000-wide-diagonals.emf")->Unit(benchmark::kMillisecond);
// 300 bitmap records each claiming 16384 x 16384 in 56 bytes.
BENCHMARK_CAPTURE(BM_HostileDecode, EmfPatternBrushes300, "emf-300-pattern-brushes-16384.emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, EmfStretchDibits300, "emf-300-stretchdibits-16384-into-1x1.emf")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileDecode, WmfPatternBrushes300, "wmf-300-pattern-brushes-16384.wmf")->Unit(benchmark::kMillisecond);

// 300 honest bitmap records, 2048 x 2048 at one bit per pixel with all
// their bits, each stretched into a 1 x 1 rectangle: only the work budget
// stops the decoding.
std::vector<std::uint8_t> honestBitmapsEmf() {
  std::vector<std::uint8_t> b;
  auto put32 = [&b](std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(std::uint8_t(v >> (8 * k)));
  };
  auto put16 = [&b](std::uint16_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
  };
  constexpr std::uint32_t side = 2048, bits = side / 8 * side, records = 300;
  constexpr std::uint32_t recordSize = 80 + 48 + bits;
  put32(1), put32(88);
  for (std::uint32_t v : {0u, 0u, 99u, 99u, 0u, 0u, 2646u, 2646u}) put32(v);
  put32(0x464D4520u), put32(0x10000), put32(88 + records * recordSize + 20), put32(records + 2);
  put16(8), put16(0);
  for (std::uint32_t v : {0u, 0u, 0u, 1920u, 1080u, 508u, 286u}) put32(v);
  for (std::uint32_t r = 0; r < records; ++r) {
    put32(81), put32(recordSize);
    for (std::uint32_t v : {0u, 0u, 0u, 0u, 10u, 10u, 0u, 0u, side, side, 80u, 48u, 128u, bits, 0u, 0xCC0020u, 1u, 1u})
      put32(v);
    put32(40), put32(side), put32(side), put16(1), put16(1);
    for (int k = 0; k < 6; ++k) put32(0);
    put32(0x00FF0000u), put32(0x0000FF00u);
    b.insert(b.end(), bits, 0x55);
  }
  put32(14), put32(20), put32(0), put32(16), put32(20);
  return b;
}

void BM_HonestBitmapsEmf(benchmark::State& state) {
  ensureApplication();
  const std::vector<std::uint8_t> bytes = honestBitmapsEmf();
  for (auto _ : state) benchmark::DoNotOptimize(pictavo::decodePicture(bytes));
}
BENCHMARK(BM_HonestBitmapsEmf)->Unit(benchmark::kMillisecond);

}  // namespace
