// The Canvas menu's transforms as the commands run them (flip with its
// refresh, stretch through the copy buffer, border), at 2000 x 2000 and
// 8000 x 8000. Surfaces are made before the timed loop. Run with
//   pictavo_bench --benchmark_filter='Transform' --benchmark_repetitions=5
// and read the "min" lines.

#include "BenchPictures.h"
#include "canvas/Surface.h"
#include "effects/CanvasTransforms.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using pictavo::Surface;
namespace ImageTools = pictavo::ImageTools;

using pictavo::bench::fastest;
using pictavo::bench::paintStripes;

// range(0): side; range(1): flip mode (0 left-right, 1 upside down, 2 both).
void BM_TransformFlip(benchmark::State& state) {
  const int side = int(state.range(0));
  Surface s(side, side);
  paintStripes(s);
  for (auto _ : state) {
    ImageTools::FlipPicture(s, int(state.range(1)));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransformFlip)
    ->ArgsProduct({{2000, 8000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

// The whole stretch command: halftone into the buffer, canvas resized,
// copied back. range(1) is the new side in percent of the old one. Each
// run starts again from the original size (not timed).
void BM_TransformStretch(benchmark::State& state) {
  const int side = int(state.range(0));
  const int to = int(side * state.range(1) / 100);
  Surface canvas(side, side);
  Surface buffer = Surface::hiddenBuffer(to, to);
  for (auto _ : state) {
    state.PauseTiming();
    canvas.Resize(side, side);
    paintStripes(canvas);
    state.ResumeTiming();
    ImageTools::StretchPicture(canvas, buffer, to, to);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransformStretch)
    ->Args({2000, 50})
    ->Args({2000, 200})
    ->Args({8000, 50})
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

// A border 20 pixels wide at line width 1.
void BM_TransformBorder(benchmark::State& state) {
  const int side = int(state.range(0));
  Surface s(side, side);
  for (auto _ : state) {
    ImageTools::DrawBorder(s, 20, pictavo::kBlack);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransformBorder)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

}  // namespace
