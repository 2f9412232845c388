// Open as the canvas does it: a picture file from the page cache decoded and
// taken by a surface. bench/compare-peers names the files (the same 8000 x
// 8000 picture as BMP, JPEG and PNG) in PICTAVO_OPEN_BMP, PICTAVO_OPEN_JPEG
// and PICTAVO_OPEN_PNG and times the peers on them in the same run.
#include "canvas/Surface.h"
#include "formats/PictureDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <utility>

namespace {

void BM_OpenPicture(benchmark::State& state, const char* variable) {
  const char* path = std::getenv(variable);
  if (path == nullptr) {
    state.SkipWithError("set the picture's path in the environment (bench/compare-peers does)");
    return;
  }
  for (auto _ : state) {
    pictavo::Surface canvas(100, 100);
    canvas.SetPicture(pictavo::decodePictureFile(path));
    benchmark::DoNotOptimize(canvas.bits(pictavo::Surface::Layer::Persistent));
  }
}
BENCHMARK_CAPTURE(BM_OpenPicture, Bmp, "PICTAVO_OPEN_BMP")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_OpenPicture, Jpeg, "PICTAVO_OPEN_JPEG")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_OpenPicture, Png, "PICTAVO_OPEN_PNG")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
