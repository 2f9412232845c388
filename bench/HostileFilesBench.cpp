// Decoding the hostile files that cost the most: small files claiming the
// largest picture the canvas takes (16384 x 16384), progressive JPEGs whose
// scans ask for minutes of work, and metafiles whose frame
// or transform is huge. The target is under one second each, refused or
// decoded. Metafile text needs the font engine, hence the application.
#include "app/Errors.h"
#include "documents/PictureDecoder.h"

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

}  // namespace
