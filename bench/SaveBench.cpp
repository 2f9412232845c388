// Save As in PNG and JPEG (quality 90), encoded into memory as the peers'
// figures are, and Open of a PNG. bench/compare-peers names the pictures
// (8000 x 8000, photograph-like and screenshot-like, as 24-bit BMP files)
// in PICTAVO_SAVE_PHOTO and PICTAVO_SAVE_SCREENSHOT, and the PNG to open in
// PICTAVO_OPEN_PNG. The file size is reported as the counter "bytes".
#include "canvas/Surface.h"
#include "formats/JpegWriter.h"
#include "formats/PictureDecoder.h"
#include "formats/PngWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The picture of that variable, decoded once for all the runs.
const pictavo::Surface* picture(const char* variable) {
  static std::unique_ptr<pictavo::Surface> photo, screenshot;
  auto& slot = std::string(variable) == "PICTAVO_SAVE_PHOTO" ? photo : screenshot;
  if (!slot) {
    const char* path = std::getenv(variable);
    if (path == nullptr) return nullptr;
    slot = std::make_unique<pictavo::Surface>(1, 1);
    slot->SetPicture(pictavo::decodePictureFile(path));
  }
  return slot.get();
}

template <class Encode>
void runSave(benchmark::State& state, const char* variable, Encode encode) {
  const pictavo::Surface* s = picture(variable);
  if (s == nullptr) {
    state.SkipWithError("set the pictures' paths in the environment (bench/compare-peers does)");
    return;
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> file =
        encode(s->bits(pictavo::Surface::Layer::Persistent), s->Width(), s->Height(), s->stride());
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["bytes"] = double(bytes);
}

void BM_SavePng(benchmark::State& state, const char* variable) { runSave(state, variable, pictavo::encodePng); }
void BM_SaveJpeg(benchmark::State& state, const char* variable) {
  runSave(state, variable, [](const std::uint32_t* p, int w, int h, int stride) {
    return pictavo::encodeJpeg(p, w, h, stride, 90);
  });
}
BENCHMARK_CAPTURE(BM_SavePng, Photo, "PICTAVO_SAVE_PHOTO")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SavePng, Screenshot, "PICTAVO_SAVE_SCREENSHOT")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SaveJpeg, Photo, "PICTAVO_SAVE_PHOTO")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SaveJpeg, Screenshot, "PICTAVO_SAVE_SCREENSHOT")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
