// One drag movement of the tools that work at every pointer event, through
// the real engine on a 2000 x 1500 canvas: the magic bag (the stamp is
// rebuilt from the brush picture at every step) with a small and a large
// brush, the spray gun, and the clone tool's block copy. A stroke stays
// smooth while a step costs well under a millisecond. Run with
//   pictavo_bench --benchmark_filter=ToolStep
#include "canvas/Surface.h"
#include "canvas/ToolEngine.h"
#include "canvas/ToolTestHost.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace pictavo;

// The tool tests' fake window on a large canvas, with a brush picture.
class BenchHost : public test::ToolTestHost {
 public:
  BenchHost() {
    surface = Surface(2000, 1500, kWhite);
    c2 = kWhite;
    brush = Surface::hiddenBuffer();
    clone = OutlineShape{0, 0, 40, 40, false};
  }
};

// Press, then one movement per iteration back and forth along a row.
void runStroke(benchmark::State& state, BenchHost& host, int tool) {
  ToolEngine engine(host);
  engine.chooseTool(tool);
  engine.mouseDown(PointerEvent{kLeftButton, 0, 500, 700});
  float x = 500;
  int dir = 1;
  for (auto _ : state) {
    x += float(dir);
    if (x > 1500 || x < 500) dir = -dir;
    engine.mouseMove(PointerEvent{kLeftButton, 0, x, 700});
    benchmark::DoNotOptimize(host.surface.drawBits());
  }
  engine.mouseUp(PointerEvent{kLeftButton, 0, x, 700});
}

void BM_ToolStepBrushStamp(benchmark::State& state) {
  BenchHost host;
  const int side = int(state.range(0));
  host.brush->Resize(side, side);
  for (int i = 0; i < side; i += 2) host.brush->Line(i, 0, side - 1 - i, side - 1, kBlack);
  runStroke(state, host, kBrushStampTool);
}
BENCHMARK(BM_ToolStepBrushStamp)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_ToolStepSpray(benchmark::State& state) {
  BenchHost host;
  host.surface.DrawWidth = int(state.range(0));
  runStroke(state, host, kSprayTool);
}
BENCHMARK(BM_ToolStepSpray)->Arg(1)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_ToolStepClone(benchmark::State& state) {
  BenchHost host;
  host.clone.width = host.clone.height = float(state.range(0));
  runStroke(state, host, kCloneTool);
}
BENCHMARK(BM_ToolStepClone)->Arg(10)->Arg(90)->Unit(benchmark::kMicrosecond);

}  // namespace
