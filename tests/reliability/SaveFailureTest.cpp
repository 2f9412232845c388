// Saving must never cost the user a picture that is already on disk: when
// the write fails (disk full, no free file entries, read-only disk, a folder
// in the way) the old file keeps every byte, no temporary file is left
// behind, and the error names the cause. Every format Save As writes.
#include "SmallDisk.h"

#include "base/Errors.h"
#include "formats/BmpWriter.h"
#include "formats/JpegWriter.h"
#include "formats/PngWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace pictavo {
namespace {

namespace fs = std::filesystem;
using test::SmallDisk;

std::vector<char> bytesOf(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class SaveFailure : public testing::TestWithParam<const char*> {
 protected:
  // The error number of a save of a side x side noise picture (which no
  // format compresses much) in the format of the parameter, 0 on success.
  int saveSquare(const fs::path& target, int side) const {
    std::vector<std::uint32_t> pixels(std::size_t(side) * std::size_t(side));
    std::mt19937 noise{unsigned(side)};
    for (auto& p : pixels) p = 0xFF000000u | (noise() & 0xFFFFFFu);
    const std::string format = GetParam();
    try {
      if (format == "bmp") writeBmpFile(target.string(), pixels.data(), side, side, side, false);
      else if (format == "png") writePngFile(target.string(), pixels.data(), side, side, side, false);
      else writeJpegFile(target.string(), pixels.data(), side, side, side, 90, false);
    } catch (const Error& e) {
      return e.number();
    }
    return 0;
  }
  std::string name() const { return std::string("picture.") + GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Formats, SaveFailure, testing::Values("bmp", "png", "jpg"));

TEST_P(SaveFailure, FullDiskKeepsTheOldFileByteForByte) {
  SmallDisk disk(128 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const fs::path target = disk.path() / name();

  // An old picture of 100 x 100; its replacement of 500 x 500 does not fit
  // beside it in any format.
  ASSERT_EQ(saveSquare(target, 100), 0);
  const std::vector<char> old = bytesOf(target);
  EXPECT_EQ(saveSquare(target, 500), kErrDiskFull);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{name()});

  // A disk with no room at all refuses even the smallest picture.
  disk.fill();
  EXPECT_EQ(saveSquare(target, 1), kErrDiskFull);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), (std::vector<std::string>{"filler", name()}));
}

TEST_P(SaveFailure, NoFreeFileEntryKeepsTheOldFile) {
  // Room for the folder and the old picture's entry, none for a temporary.
  SmallDisk disk(1024 * 1024, 2);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const fs::path target = disk.path() / name();
  ASSERT_EQ(saveSquare(target, 10), 0);
  const std::vector<char> old = bytesOf(target);
  EXPECT_EQ(saveSquare(target, 12), kErrDiskFull);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{name()});
}

TEST_P(SaveFailure, ReadOnlyDiskKeepsTheOldFile) {
  SmallDisk disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const fs::path target = disk.path() / name();
  ASSERT_EQ(saveSquare(target, 10), 0);
  const std::vector<char> old = bytesOf(target);
  ASSERT_TRUE(disk.makeReadOnly());
  EXPECT_EQ(saveSquare(target, 12), kErrPermissionDenied);
  EXPECT_EQ(saveSquare(disk.path() / ("new." + std::string(GetParam())), 12), kErrPermissionDenied);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{name()});
}

TEST_P(SaveFailure, FolderInPlaceOfTheFileIsLeftAlone) {
  const fs::path root = fs::temp_directory_path() / ("pictavo-folder-target-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / name());
  { std::ofstream(root / name() / "inside.txt") << "keep me"; }

  const int error = saveSquare(root / name(), 4);
  EXPECT_NE(error, 0);
  EXPECT_NE(error, kErrInvalidPicture);
  EXPECT_TRUE(fs::is_directory(root / name()));
  EXPECT_EQ(bytesOf(root / name() / "inside.txt"), (std::vector<char>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
  EXPECT_EQ(namesIn(root), std::vector<std::string>{name()});
  // A path below a file is no folder at all.
  { std::ofstream(root / "plain") << "file"; }
  EXPECT_EQ(saveSquare(root / "plain" / name(), 4), kErrPathNotFound);
  EXPECT_EQ(bytesOf(root / "plain"), (std::vector<char>{'f', 'i', 'l', 'e'}));
  fs::remove_all(root);
}

}  // namespace
}  // namespace pictavo
