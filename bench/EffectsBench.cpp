// Whole-picture effects and filters on large canvases. The surface is made
// once per size and reused, so the figures show the passes, not allocation.
// "CPU" is the time of all threads together: on a busy machine, CPU divided
// by the cores used estimates the wall time the machine would give alone.

#include "canvas/Surface.h"
#include "effects/Bitmap.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace pictavo;

Surface& picture(int side) {
  static std::map<int, std::unique_ptr<Surface>> pictures;
  auto& s = pictures[side];
  if (!s) {
    s = std::make_unique<Surface>(side, side, kWhite);
    std::uint32_t* p = s->writableBits(Surface::Layer::Persistent, s->bounds());
    std::uint32_t z = 12345;
    for (std::size_t i = 0; i < std::size_t(side) * std::size_t(side); ++i) {
      z = z * 1664525u + 1013904223u;
      p[i] = 0xFF000000u | (z >> 8);
    }
  }
  return *s;
}

template <class F>
void runEffect(benchmark::State& state, F effect) {
  Surface& s = picture(int(state.range(0)));
  for (auto _ : state) {
    effect(s);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

#define PICTAVO_EFFECT_BENCH(name, call)                                                   \
  void name(benchmark::State& state) { runEffect(state, [](Surface& s) { call; }); }     \
  BENCHMARK(name)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()

PICTAVO_EFFECT_BENCH(BM_InvertColors, Bitmap::InvertColors(s));
PICTAVO_EFFECT_BENCH(BM_GrayPicture, Bitmap::GrayPicture(s));
PICTAVO_EFFECT_BENCH(BM_RemoveChannel, Bitmap::RemoveChannel(s, 1));
PICTAVO_EFFECT_BENCH(BM_AdjustBrightness, Bitmap::AdjustBrightness(s, 40));
PICTAVO_EFFECT_BENCH(BM_AdjustRGB, Bitmap::AdjustRGB(s, -30, 20, 70));
PICTAVO_EFFECT_BENCH(BM_AddNoise, Bitmap::AddNoise(s, 16));
PICTAVO_EFFECT_BENCH(BM_PixelatePicture, Bitmap::PixelatePicture(s));
PICTAVO_EFFECT_BENCH(BM_MirrorPicture, Bitmap::MirrorPicture(s));
PICTAVO_EFFECT_BENCH(BM_BlurPicture, Bitmap::BlurPicture(s));
PICTAVO_EFFECT_BENCH(BM_BlurPictureMore, Bitmap::BlurPictureMore(s));
PICTAVO_EFFECT_BENCH(BM_SharpenPicture, Bitmap::SharpenPicture(s, 1.2f));
PICTAVO_EFFECT_BENCH(BM_DiffusePicture, Bitmap::DiffusePicture(s));

}  // namespace
