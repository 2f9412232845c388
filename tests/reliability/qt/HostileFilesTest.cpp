// Damaged and malicious picture files (tests/data/hostile, made by
// tools/make-hostile-corpus, and the BMP Suite's bad and questionable files)
// through the same decoding Open uses: each one is either a picture the
// canvas can take or the invalid-picture error, never a crash, another error
// or an allocation beyond the canvas limit.
#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/PictureDecoder.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace pictavo {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesIn(const fs::path& folder) {
  std::vector<fs::path> out;
  if (!fs::is_directory(folder)) return out;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().filename() != "README") out.push_back(entry.path());
  std::sort(out.begin(), out.end());
  return out;
}

// What went wrong with one file, or empty when it behaved.
std::string checkOneFile(const fs::path& path) {
  try {
    const Picture picture = decodePictureFile(path.string());
    if (!Surface::sizeAllowed(picture.width, picture.height))
      return "picture " + std::to_string(picture.width) + " x " + std::to_string(picture.height);
    if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height))
      return "pixel count " + std::to_string(picture.pixels.size());
  } catch (const Error& e) {
    if (e.number() != kErrInvalidPicture) return "error " + std::to_string(e.number());
  } catch (const std::exception& e) {
    return std::string("exception ") + e.what();
  }
  return {};
}

struct Outcome {
  std::vector<std::string> faults;
  std::vector<std::pair<double, std::string>> slowest;  // seconds, name
};

Outcome runFolder(const fs::path& folder) {
  Outcome out;
  for (const fs::path& path : filesIn(folder)) {
    const auto start = std::chrono::steady_clock::now();
    const std::string fault = checkOneFile(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!fault.empty()) out.faults.push_back(path.filename().string() + ": " + fault);
    out.slowest.emplace_back(seconds, path.filename().string());
  }
  std::sort(out.slowest.rbegin(), out.slowest.rend());
  if (out.slowest.size() > 5) out.slowest.resize(5);
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& line : lines) s += "  " + line + "\n";
  return s;
}

void printSlowest(const Outcome& outcome) {
  // Timings are for reading, not judged here: the benchmark holds the target.
  for (const auto& [seconds, name] : outcome.slowest) std::printf("  %.3f s  %s\n", seconds, name.c_str());
}

TEST(HostileFiles, EveryFileOfTheCorpusDecodesOrIsRefused) {
  const std::vector<fs::path> files = filesIn(PICTAVO_HOSTILE_DIR);
  ASSERT_GT(files.size(), 300u) << "run tools/make-hostile-corpus";
  const Outcome outcome = runFolder(PICTAVO_HOSTILE_DIR);
  EXPECT_TRUE(outcome.faults.empty()) << joined(outcome.faults);
  printSlowest(outcome);

  // Nothing may grow without bound: the largest picture the canvas takes is
  // 1 GB, and a reader may hold one decoded copy beside it.
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss / 1024, 3 * 1024) << "peak resident size in MB";
}

TEST(HostileFiles, BmpSuiteBadAndQuestionableFilesDecodeOrAreRefused) {
  for (const char* folder : {"bmpsuite/b", "bmpsuite/q"}) {
    const std::string path = test::testDataPath(folder);
    if (path.empty() || !fs::is_directory(path)) GTEST_SKIP() << "no BMP Suite";
    const Outcome outcome = runFolder(path);
    EXPECT_TRUE(outcome.faults.empty()) << folder << "\n" << joined(outcome.faults);
    printSlowest(outcome);
  }
}

}  // namespace
}  // namespace pictavo
