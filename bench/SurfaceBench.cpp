// Fills and block copies on an 8000 x 8000 surface, next to a plain memcpy
// of the same buffer as the yardstick. Buffers are made before the timed
// loop so page faults are not counted. Run with
//   pictavo_bench --benchmark_filter='Memcpy|Surface' --benchmark_repetitions=5
// and read the "min" lines: the fastest run is the one that counts.

#include "BenchPictures.h"
#include "canvas/Surface.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using pictavo::Surface;

constexpr int kSide = 8000;
constexpr std::size_t kPixels = std::size_t(kSide) * kSide;

using pictavo::bench::fastest;
using pictavo::bench::paintStripes;

void BM_Memcpy8000(benchmark::State& state) {
  std::vector<std::uint32_t> a(kPixels, 1), b(kPixels, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), kPixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy8000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_SurfaceFloodFill8000(benchmark::State& state) {
  Surface s(kSide, kSide, pictavo::kWhite);
  pictavo::Color seed = pictavo::kWhite;
  for (auto _ : state) {
    const pictavo::Color fill = seed == pictavo::kWhite ? pictavo::kBlack : pictavo::kWhite;
    s.FillColor = fill;
    s.ExtFloodFill(kSide / 2, kSide / 2, seed, 1);
    seed = fill;
    benchmark::ClobberMemory();
  }
  state.counters["pixels/s"] = benchmark::Counter(double(kPixels), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SurfaceFloodFill8000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_SurfaceHalftone8000To4000(benchmark::State& state) {
  Surface src(kSide, kSide);
  paintStripes(src);
  Surface dst(kSide / 2, kSide / 2);
  dst.SetStretchBltMode(pictavo::kStretchHalftone);
  for (auto _ : state) {
    dst.StretchBlt(0, 0, kSide / 2, kSide / 2, src, 0, 0, kSide, kSide);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceHalftone8000To4000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_SurfaceHalftone8000To16000(benchmark::State& state) {
  Surface src(kSide, kSide);
  paintStripes(src);
  Surface dst(kSide * 2, kSide * 2);
  dst.SetStretchBltMode(pictavo::kStretchHalftone);
  for (auto _ : state) {
    dst.StretchBlt(0, 0, kSide * 2, kSide * 2, src, 0, 0, kSide, kSide);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceHalftone8000To16000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BM_SurfaceBitBlt8000(benchmark::State& state) {
  Surface src(kSide, kSide);
  paintStripes(src);
  Surface dst(kSide, kSide);
  for (auto _ : state) {
    dst.BitBlt(0, 0, kSide, kSide, src, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceBitBlt8000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// The canvas flips: one stretch of the surface onto itself (mode 0
// left-right, 1 upside down, 2 both).
void BM_SurfaceFlip8000(benchmark::State& state) {
  Surface s(kSide, kSide);
  paintStripes(s);
  const int w = kSide, h = kSide;
  for (auto _ : state) {
    switch (state.range(0)) {
      case 0: s.StretchBlt(w - 1, 0, -w, h, s, 0, 0, w, h); break;
      case 1: s.StretchBlt(0, h - 1, w, -h, s, 0, 0, w, h); break;
      default: s.StretchBlt(0, 0, w, h, s, w, h, -w, -h); break;
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceFlip8000)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

}  // namespace
