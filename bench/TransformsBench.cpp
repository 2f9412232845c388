// The Canvas menu's transforms as the commands run them (flip with its
// refresh, stretch through the copy buffer, border, quarter turns, crop),
// at 2000 x 2000 and 8000 x 8000, the turns and crop also at 16384 x 16384
// beside a memcpy of that picture. Surfaces are made before the timed loop.
// Run with
//   pictavo_bench --benchmark_filter='Transform|Turn|Memcpy16384' --benchmark_repetitions=5
// and read the "min" lines.

#include "BenchPictures.h"
#include "canvas/LargeBuffer.h"
#include "canvas/Surface.h"
#include "effects/CanvasTransforms.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
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

// The yardstick of the turns: one copy of a 16384 x 16384 picture (1 GiB)
// between buffers already in memory.
void BM_Memcpy16384(benchmark::State& state) {
  constexpr std::size_t kPixels = std::size_t(16384) * 16384;
  std::vector<std::uint32_t> a, b;
  pictavo::resizeLargeBuffer(a, kPixels, 1u);
  pictavo::resizeLargeBuffer(b, kPixels, 2u);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), kPixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy16384)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->ComputeStatistics("min", fastest);

// range(1): 0 right, 1 left, 2 half.
pictavo::QuarterTurn turnOf(std::int64_t i) {
  return i == 0 ? pictavo::QuarterTurn::Right : i == 1 ? pictavo::QuarterTurn::Left : pictavo::QuarterTurn::Half;
}

// The mapping alone, between buffers already in memory: what the blocked
// transpose costs beside the memcpy.
void BM_TurnPixels(benchmark::State& state) {
  const int side = int(state.range(0));
  Surface s(side, side);
  paintStripes(s);
  // On huge pages, as every picture buffer is.
  std::vector<std::uint32_t> out;
  pictavo::resizeLargeBuffer(out, std::size_t(side) * std::size_t(side), 0u);
  for (auto _ : state) {
    pictavo::turnPixels(s.drawBits(), side, side, turnOf(state.range(1)), out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TurnPixels)
    ->ArgsProduct({{16384}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);

// The whole command's work on the surface: the turned picture in fresh
// memory, taken over by the surface, the old one freed.
void BM_TransformTurn(benchmark::State& state) {
  const int side = int(state.range(0));
  Surface s(side, side);
  paintStripes(s);
  for (auto _ : state) {
    ImageTools::TurnPicture(s, turnOf(state.range(1)));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransformTurn)
    ->ArgsProduct({{8000, 16384}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);

// Crop to the middle quarter (half of each side). Each run starts again
// from the whole picture (not timed).
void BM_TransformCrop(benchmark::State& state) {
  const int side = int(state.range(0));
  Surface s(side, side);
  paintStripes(s);
  pictavo::Picture whole = s.Image();
  const pictavo::Rect middle{side / 4, side / 4, side / 4 + side / 2, side / 4 + side / 2};
  for (auto _ : state) {
    state.PauseTiming();
    if (s.Width() != side) s.SetPicture(whole);
    state.ResumeTiming();
    ImageTools::CropPicture(s, middle);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransformCrop)
    ->Arg(8000)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);

}  // namespace
