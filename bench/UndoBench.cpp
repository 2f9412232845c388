// The undo history on an 8000 x 8000 canvas, each beside the command it
// records: a 300 x 300 filled box (a small gesture) and an inversion (a
// whole-picture command), each alone and followed by commit(); then undo
// and redo of each kind of step. Run with
//   pictavo_bench --benchmark_filter='Undo' --benchmark_repetitions=5
// and read the "min" lines.

#include "BenchPictures.h"
#include "canvas/Surface.h"
#include "canvas/UndoHistory.h"
#include "effects/Bitmap.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using pictavo::LineKind;
using pictavo::Surface;
using pictavo::UndoHistory;
using pictavo::bench::fastest;
using pictavo::bench::paintStripes;

constexpr int kSide = 8000;

// A 300 x 300 box in a colour of its own each time, so every pixel changes.
void drawBox(Surface& s, int i) {
  s.Line(1000, 1000, 1299, 1299, pictavo::Color(0x010203u * std::uint32_t(i & 63)), LineKind::FilledBox);
}

// range(0): 0 the gesture alone, 1 with its step recorded.
void BM_UndoSmallGesture(benchmark::State& state) {
  Surface s(kSide, kSide);
  paintStripes(s);
  UndoHistory history(s);
  int i = 0;
  for (auto _ : state) {
    drawBox(s, ++i);
    if (state.range(0)) history.commit();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_UndoSmallGesture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// range(0): 0 the inversion alone (no history: in place), 1 with its step recorded (the history
// fills its budget after a few runs and then drops the oldest step each time).
void BM_UndoWholeCommand(benchmark::State& state) {
  Surface s(kSide, kSide);
  paintStripes(s);
  std::optional<UndoHistory> history;
  if (state.range(0)) history.emplace(s);
  for (auto _ : state) {
    pictavo::Bitmap::InvertColors(s);
    if (history) history->commit();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_UndoWholeCommand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// One undo or one redo per run, alternating, of a single step.
// range(0): 0 a 300 x 300 step, 1 a whole-picture step.
void BM_UndoRedoStep(benchmark::State& state) {
  Surface s(kSide, kSide);
  paintStripes(s);
  UndoHistory history(s);
  if (state.range(0)) {
    pictavo::Bitmap::InvertColors(s);
  } else {
    drawBox(s, 1);
  }
  history.commit();
  bool undone = false;
  for (auto _ : state) {
    if (undone) {
      history.redo();
    } else {
      history.undo();
    }
    undone = !undone;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_UndoRedoStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

}  // namespace
