// Saving must never cost the user a picture that is already on disk: when
// the write fails (disk full, read-only disk, a folder in the way) the old
// file keeps every byte, no temporary file is left behind, and the error
// names the cause.
#include "SmallDisk.h"

#include "base/Errors.h"
#include "formats/BmpWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <unistd.h>
#include <iterator>
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

// The error number of a save of a side x side grey picture, 0 on success.
int saveSquare(const fs::path& target, int side) {
  const std::vector<std::uint32_t> pixels(std::size_t(side) * std::size_t(side), 0xFF808080u);
  try {
    writeBmpFile(target.string(), pixels.data(), side, side, side, false);
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

TEST(SaveFailure, FullDiskKeepsTheOldFileByteForByte) {
  SmallDisk disk(128 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const fs::path target = disk.path() / "picture.bmp";

  // An old picture of 40 054 bytes; its replacement of 160 054 does not fit
  // beside it, although it would fit in its place.
  ASSERT_EQ(saveSquare(target, 100), 0);
  const std::vector<char> old = bytesOf(target);
  EXPECT_EQ(saveSquare(target, 200), kErrDiskFull);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{"picture.bmp"});

  // A disk with no room at all refuses even the smallest picture.
  disk.fill();
  EXPECT_EQ(saveSquare(target, 1), kErrDiskFull);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), (std::vector<std::string>{"filler", "picture.bmp"}));
}

TEST(SaveFailure, ReadOnlyDiskKeepsTheOldFile) {
  SmallDisk disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const fs::path target = disk.path() / "picture.bmp";
  ASSERT_EQ(saveSquare(target, 10), 0);
  const std::vector<char> old = bytesOf(target);
  ASSERT_TRUE(disk.makeReadOnly());
  EXPECT_EQ(saveSquare(target, 12), kErrPermissionDenied);
  EXPECT_EQ(saveSquare(disk.path() / "new.bmp", 12), kErrPermissionDenied);
  EXPECT_EQ(bytesOf(target), old);
  EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{"picture.bmp"});
}

TEST(SaveFailure, FolderInPlaceOfTheFileIsLeftAlone) {
  const fs::path root = fs::temp_directory_path() / ("pictavo-folder-target-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "picture.bmp");
  { std::ofstream(root / "picture.bmp" / "inside.txt") << "keep me"; }

  const int error = saveSquare(root / "picture.bmp", 4);
  EXPECT_NE(error, 0);
  EXPECT_NE(error, kErrInvalidPicture);
  EXPECT_TRUE(fs::is_directory(root / "picture.bmp"));
  EXPECT_EQ(bytesOf(root / "picture.bmp" / "inside.txt"), (std::vector<char>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
  EXPECT_EQ(namesIn(root), std::vector<std::string>{"picture.bmp"});
  fs::remove_all(root);
}

}  // namespace
}  // namespace pictavo
