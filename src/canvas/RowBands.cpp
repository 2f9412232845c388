#include "canvas/RowBands.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>

namespace pictavo {

namespace {
// Below this many pixels a second thread costs more than it saves.
constexpr std::int64_t kPixelsPerExtraThread = 1 << 20;
constexpr unsigned kMaxThreads = 8;
}  // namespace

std::vector<RowBand> rowBands(int first, int last, int pixelsPerRow) {
  std::vector<RowBand> bands;
  if (last <= first) return bands;
  const std::int64_t rows = last - first;
  const std::int64_t pixels = rows * std::max(pixelsPerRow, 1);
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
  const std::int64_t wanted = std::clamp<std::int64_t>(pixels / kPixelsPerExtraThread, 1, cores);
  const std::int64_t count = std::min(wanted, rows);
  for (std::int64_t i = 0; i < count; ++i)
    bands.push_back(RowBand{first + int(rows * i / count), first + int(rows * (i + 1) / count)});
  return bands;
}

void runBands(const std::vector<RowBand>& bands, const std::function<void(std::size_t)>& body) {
  if (bands.empty()) return;
  // An exception leaving a thread would end the program: each band keeps its own.
  std::vector<std::exception_ptr> failures(bands.size());
  auto guarded = [&](std::size_t i) {
    try {
      body(i);
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;
    try {
      for (std::size_t i = 1; i < bands.size(); ++i) helpers.emplace_back(guarded, i);
    } catch (const std::system_error&) {
      // No thread to be had: the remaining bands run here, in order.
      for (std::size_t i = helpers.size() + 1; i < bands.size(); ++i) guarded(i);
    }
    guarded(0);
  }  // joined here
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

}  // namespace pictavo
