// The zoomed view of a 16384 x 16384 picture in a 1400 x 1000 viewport.
// Targets: a full repaint at any level at most 8 ms; the first Fit (1/16,
// building the reduced levels it reads) at most 400 ms; the view current
// again after a 300 x 300 stroke within 2 ms; a pencil step at 800% (the
// line and its repainted blocks) at most 1 ms; the levels' memory at most a
// third of the picture (the counter level_share). Run with
//   pictavo_bench --benchmark_filter=Zoom --benchmark_repetitions=5

#include "BenchPictures.h"
#include "canvas/Surface.h"
#include "canvas/ZoomFactor.h"
#include "canvas/ZoomRenderer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using pictavo::Rect;
using pictavo::Surface;
using pictavo::ZoomFactor;
using pictavo::ZoomRenderer;

constexpr int kSide = 16384;
constexpr int kViewWidth = 1400, kViewHeight = 1000;

Surface& bigPicture() {
  static Surface* s = [] {
    auto* surface = new Surface(kSide, kSide, pictavo::kWhite);
    pictavo::bench::paintStripes(*surface);
    return surface;
  }();
  return *s;
}

// The part of the displayed canvas a viewport of the bench's size shows,
// around the picture's centre.
Rect visibleArea(ZoomFactor z) {
  const int w = int(std::min<std::int64_t>(z.displayed(kSide), kViewWidth));
  const int h = int(std::min<std::int64_t>(z.displayed(kSide), kViewHeight));
  const int left = int((z.displayed(kSide) - w) / 2), top = int((z.displayed(kSide) - h) / 2);
  return Rect{left, top, left + w, top + h};
}

struct Screen {
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(std::size_t(kViewWidth) * kViewHeight);
};

// range(0): index in ZoomFactor::levels().
void BM_ZoomRepaint(benchmark::State& state) {
  Surface& picture = bigPicture();
  const ZoomFactor z = ZoomFactor::levels()[std::size_t(state.range(0))];
  ZoomRenderer renderer;
  Screen screen;
  const Rect area = visibleArea(z);
  renderer.render(picture, z, true, area, screen.pixels.data(), kViewWidth);  // levels built once
  for (auto _ : state) {
    renderer.render(picture, z, true, area, screen.pixels.data(), kViewWidth);
    benchmark::DoNotOptimize(screen.pixels.data());
  }
  state.SetLabel(z.ratioText());
  state.counters["level_share"] = double(renderer.levelBytes()) / (double(kSide) * kSide * 4);
}
BENCHMARK(BM_ZoomRepaint)
    ->DenseRange(0, ZoomFactor::kLevelCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", pictavo::bench::fastest);

// The first view at a level after Open, nothing reduced yet: Fit (1/16)
// and the first 1/6 (the 3 x 3 sums of what it shows). range(0): level index.
void BM_ZoomFirstView(benchmark::State& state) {
  Surface& picture = bigPicture();
  const ZoomFactor z = ZoomFactor::levels()[std::size_t(state.range(0))];
  Screen screen;
  for (auto _ : state) {
    ZoomRenderer renderer;
    renderer.render(picture, z, true, visibleArea(z), screen.pixels.data(), kViewWidth);
    benchmark::DoNotOptimize(screen.pixels.data());
    state.PauseTiming();
    renderer.releaseLevels();
    state.ResumeTiming();
  }
  state.SetLabel(z.ratioText());
}
BENCHMARK(BM_ZoomFirstView)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3)->ComputeStatistics("min", pictavo::bench::fastest);

// A 300 x 300 stroke at the picture's centre, then the part of the view it
// touched reduced and drawn again. range(0): level index.
void BM_ZoomAfterStroke(benchmark::State& state) {
  Surface& picture = bigPicture();
  const ZoomFactor z = ZoomFactor::levels()[std::size_t(state.range(0))];
  ZoomRenderer renderer;
  Screen screen;
  renderer.render(picture, z, true, visibleArea(z), screen.pixels.data(), kViewWidth);
  const int c = kSide / 2;
  std::uint32_t colour = 0;
  for (auto _ : state) {
    state.PauseTiming();
    picture.ForeColor = pictavo::Color(colour++ & 0xFFFFFF);
    picture.Line(c - 150, c - 150, c + 149, c + 149);
    state.ResumeTiming();
    const Rect stroke{c - 150, c - 150, c + 150, c + 150};
    renderer.invalidate(stroke);
    const Rect shown{int(z.viewStart(stroke.left)), int(z.viewStart(stroke.top)), int(z.viewEnd(stroke.right)),
                     int(z.viewEnd(stroke.bottom))};
    renderer.render(picture, z, true, shown, screen.pixels.data(), kViewWidth);
    benchmark::DoNotOptimize(screen.pixels.data());
  }
  state.SetLabel(z.ratioText());
}
BENCHMARK(BM_ZoomAfterStroke)->Arg(0)->Arg(4)->Arg(5)->Arg(6)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", pictavo::bench::fastest);

// One pencil move at 800%: a short line, then its blocks drawn again.
void BM_ZoomPencilStep800(benchmark::State& state) {
  Surface& picture = bigPicture();
  const ZoomFactor z{8, 1};
  ZoomRenderer renderer;
  Screen screen;
  int step = 0;
  for (auto _ : state) {
    const int x = 8000 + step % 50, y = 8000 + step % 30;
    picture.Line(x, y, x + 3, y + 2);
    const Rect shown{int(z.viewStart(x)), int(z.viewStart(y)), int(z.viewEnd(x + 4)), int(z.viewEnd(y + 3))};
    renderer.render(picture, z, true, shown, screen.pixels.data(), kViewWidth);
    benchmark::DoNotOptimize(screen.pixels.data());
    ++step;
  }
}
BENCHMARK(BM_ZoomPencilStep800)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", pictavo::bench::fastest);

}  // namespace
