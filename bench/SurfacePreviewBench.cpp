// One rubber-band preview step on an 8000 x 8000 canvas with persistent
// drawing off: Refresh (restore what the last preview covered) and draw a
// 300 x 300 box outline on the visible layer. Target: at most 0.5 ms. The
// yardstick is BM_Memcpy8000 (a copy of the whole buffer, in
// SurfaceBench.cpp): a step must cost a tiny fraction of it. Run with
//   pictavo_bench --benchmark_filter='Memcpy8000|Preview' --benchmark_repetitions=5

#include "canvas/Surface.h"

#include <benchmark/benchmark.h>

namespace {

using pictavo::LineKind;
using pictavo::Surface;

void BM_SurfacePreviewBox8000(benchmark::State& state) {
  Surface canvas(8000, 8000, pictavo::kWhite);
  canvas.DrawWidth = int(state.range(0));
  canvas.SetAutoRedraw(false);
  int step = 0;
  for (auto _ : state) {
    // The pointer wanders a little each step, as a drag does.
    const int x = 3000 + step % 37, y = 3000 + step % 23;
    canvas.Refresh();
    canvas.Line(x, y, x + 299, y + 299, {}, LineKind::Box);
    ++step;
    benchmark::DoNotOptimize(canvas.visibleBits());
  }
}
BENCHMARK(BM_SurfacePreviewBox8000)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_SurfacePreviewEllipse8000(benchmark::State& state) {
  Surface canvas(8000, 8000, pictavo::kWhite);
  canvas.SetAutoRedraw(false);
  canvas.FillStyle = pictavo::kFillSolid;
  int step = 0;
  for (auto _ : state) {
    const int x = 3000 + step % 37, y = 3000 + step % 23;
    canvas.Refresh();
    canvas.Ellipse(x, y, x + 300, y + 300);
    ++step;
    benchmark::DoNotOptimize(canvas.visibleBits());
  }
}
BENCHMARK(BM_SurfacePreviewEllipse8000)->Unit(benchmark::kMicrosecond);

}  // namespace
