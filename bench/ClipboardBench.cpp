// The paste preview, one drag movement: Refresh (remove the last preview)
// and draw the copy buffer centred on the pointer, plain or keyed on the
// canvas background colour, on a 4000 x 3000 canvas with a 600 x 400
// buffer. A movement should cost about two buffer-sized copies, far below
// one frame. Run with
//   pictavo_bench --benchmark_filter='PastePreview' --benchmark_repetitions=5

#include "canvas/Clipboard.h"
#include "canvas/Surface.h"

#include <benchmark/benchmark.h>

namespace {

using pictavo::Clipboard;
using pictavo::Surface;

void BM_PastePreview(benchmark::State& state) {
  const bool transparent = state.range(0) != 0;
  Surface canvas(4000, 3000, pictavo::kWhite);
  Surface buffer = Surface::hiddenBuffer(600, 400);
  // Half the buffer is the background colour, so the keyed copy skips pixels.
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x) buffer.SetPixel(x, y, (x + y) % 2 ? pictavo::kWhite : pictavo::kBlack);
  canvas.SetAutoRedraw(false);
  int step = 0;
  for (auto _ : state) {
    const int x = 2000 + step % 41, y = 1500 + step % 29;
    canvas.Refresh();
    const int left = Clipboard::pasteLeft(float(x), 600), top = Clipboard::pasteLeft(float(y), 400);
    if (transparent) canvas.TransparentBlt(left, top, 600, 400, buffer, 0, 0, 600, 400, canvas.BackColor());
    else canvas.BitBlt(left, top, 600, 400, buffer, 0, 0);
    ++step;
    benchmark::DoNotOptimize(canvas.visibleBits());
  }
}
BENCHMARK(BM_PastePreview)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
