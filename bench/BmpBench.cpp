// BMP writing and reading at the largest everyday size (8000 x 8000, 256 MB)
// through a file in /tmp, which stays in the page cache. Yardstick: one
// memcpy of the same bytes, BM_Memcpy8000.
#include "formats/BmpReader.h"
#include "formats/BmpWriter.h"
#include "formats/PictureDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int kSide = 8000;

const std::vector<std::uint32_t>& bigPicture() {
  static const std::vector<std::uint32_t> pixels = [] {
    std::vector<std::uint32_t> p(std::size_t(kSide) * kSide);
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = 0xFF000000u | std::uint32_t(i * 2654435761u >> 8);
    return p;
  }();
  return pixels;
}

std::string benchFile() { return std::string(std::getenv("PICTAVO_BENCH_DIR") ? std::getenv("PICTAVO_BENCH_DIR") : "/tmp") + "/pictavo-bench-" + std::to_string(::getpid()) + ".bmp"; }

// Save As into the page cache (without forcing the data to the disk).
void BM_BmpWrite8000(benchmark::State& state) {
  const auto& src = bigPicture();
  const std::string path = benchFile();
  for (auto _ : state) pictavo::writeBmpFile(path, src.data(), kSide, kSide, kSide, false);
  ::unlink(path.c_str());
}
BENCHMARK(BM_BmpWrite8000)->Unit(benchmark::kMillisecond);

// Decoding a 32-bit file already in memory.
void BM_BmpDecode8000(benchmark::State& state) {
  const auto& src = bigPicture();
  const std::vector<std::uint8_t> file = pictavo::encodeBmp(src.data(), kSide, kSide, kSide);
  for (auto _ : state) {
    pictavo::Picture p = pictavo::readBmp(file.data(), file.size());
    benchmark::DoNotOptimize(p.pixels.data());
  }
}
BENCHMARK(BM_BmpDecode8000)->Unit(benchmark::kMillisecond);

// Open: the file from the page cache into a picture.
void BM_BmpReadFile8000(benchmark::State& state) {
  const auto& src = bigPicture();
  const std::string path = benchFile();
  pictavo::writeBmpFile(path, src.data(), kSide, kSide, kSide, false);
  for (auto _ : state) {
    pictavo::Picture p = pictavo::decodePictureFile(path);
    benchmark::DoNotOptimize(p.pixels.data());
  }
  ::unlink(path.c_str());
}
BENCHMARK(BM_BmpReadFile8000)->Unit(benchmark::kMillisecond);

}  // namespace
