// Open as the canvas does it: a picture file from the page cache decoded and
// taken by a surface. bench/compare-peers names the files (the same 8000 x
// 8000 picture as BMP, JPEG and PNG) in PICTAVO_OPEN_BMP, PICTAVO_OPEN_JPEG
// and PICTAVO_OPEN_PNG and times the peers on them in the same run.
//
// BM_OpenPicture is a later Open in the same program: the memory of the
// picture it replaces is there to be reused. BM_OpenPictureFirst is the first
// Open of a fresh process: every page of the picture is fresh memory.
// BM_OpenJpegBands decodes the JPEG split into that many bands, to tell
// whether the split pays on this machine.
#include "canvas/PixelPool.h"
#include "canvas/Surface.h"
#include "formats/JpegReader.h"
#include "formats/PictureDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace {

const char* pathOrSkip(benchmark::State& state, const char* variable) {
  const char* path = std::getenv(variable);
  if (path == nullptr) state.SkipWithError("set the picture's path in the environment (bench/compare-peers does)");
  return path;
}

void BM_OpenPicture(benchmark::State& state, const char* variable) {
  const char* path = pathOrSkip(state, variable);
  if (path == nullptr) return;
  pictavo::Surface canvas(100, 100);
  for (auto _ : state) {
    canvas.SetPicture(pictavo::decodePictureFile(path));
    benchmark::DoNotOptimize(std::as_const(canvas).bits(pictavo::Surface::Layer::Persistent));
  }
}
BENCHMARK_CAPTURE(BM_OpenPicture, Bmp, "PICTAVO_OPEN_BMP")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_OpenPicture, Jpeg, "PICTAVO_OPEN_JPEG")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_OpenPicture, Png, "PICTAVO_OPEN_PNG")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenPictureFirst(benchmark::State& state, const char* variable) {
  const char* path = pathOrSkip(state, variable);
  if (path == nullptr) return;
  for (auto _ : state) {
    state.PauseTiming();
    pictavo::PixelPool::shared().trim(0);
    auto canvas = std::make_unique<pictavo::Surface>(100, 100);
    state.ResumeTiming();
    canvas->SetPicture(pictavo::decodePictureFile(path));
    benchmark::DoNotOptimize(std::as_const(*canvas).bits(pictavo::Surface::Layer::Persistent));
    state.PauseTiming();
    canvas.reset();
    pictavo::PixelPool::shared().trim(0);
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_OpenPictureFirst, Bmp, "PICTAVO_OPEN_BMP")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_OpenPictureFirst, Jpeg, "PICTAVO_OPEN_JPEG")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_OpenPictureFirst, Png, "PICTAVO_OPEN_PNG")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenJpegBands(benchmark::State& state) {
  const char* path = pathOrSkip(state, "PICTAVO_OPEN_JPEG");
  if (path == nullptr) return;
  const std::vector<std::uint8_t> bytes = pictavo::readWholeFile(path);
  for (auto _ : state) {
    pictavo::Picture p = pictavo::readJpeg(bytes.data(), bytes.size(), int(state.range(0)));
    benchmark::DoNotOptimize(p.pixels.data());
    pictavo::PixelPool::shared().release(std::move(p.pixels));
  }
}
BENCHMARK(BM_OpenJpegBands)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
