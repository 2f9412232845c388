#include "formats/BmpWriter.h"

#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/BmpReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pictavo {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> fileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/pictavo-bmpwriter-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

int errorNumberOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

TEST(BmpWriter, TwoByTwoPictureHasTheExactLayout) {
  // Top row: red, green; bottom row: blue, white. The top byte of a pixel
  // word is 0xFF in memory and must be 0 in the file.
  const std::uint32_t pixels[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  const std::vector<std::uint8_t> expected = {
      'B', 'M', 70, 0, 0, 0,  0, 0, 0, 0,  54, 0, 0, 0,   // file header
      40, 0, 0, 0,  2, 0, 0, 0,  2, 0, 0, 0,  1, 0,  32, 0,  0, 0, 0, 0,  16, 0, 0, 0,
      0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,   // resolution, colours
      0xFF, 0, 0, 0,  0xFF, 0xFF, 0xFF, 0,                // bottom row first: blue, white
      0, 0, 0xFF, 0,  0, 0xFF, 0, 0};                      // then red, green
  EXPECT_EQ(encodeBmp(pixels, 2, 2, 2), expected);
}

TEST(BmpWriter, RowsAreTakenWithTheGivenStride) {
  const std::uint32_t pixels[] = {0xFF010203u, 0xFFAAAAAAu, 0xFFAAAAAAu, 0xFF040506u, 0xFFAAAAAAu, 0xFFAAAAAAu};
  const std::vector<std::uint8_t> bytes = encodeBmp(pixels, 1, 2, 3);
  ASSERT_EQ(bytes.size(), 54u + 8u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 54, bytes.end()),
            (std::vector<std::uint8_t>{6, 5, 4, 0, 3, 2, 1, 0}));
}

TEST(BmpWriter, FileReadsBackIdenticallyAndReplacesTheOldOne) {
  // Odd widths (no padding in 32-bit rows); the large picture is written
  // and read in several bands and chunks.
  for (auto [w, h] : {std::pair{7, 5}, std::pair{1201, 1799}}) {
    TempFolder dir;
    const fs::path target = dir.path() / "picture.jpg";  // any extension: the content is BMP
    { std::ofstream(target) << "old contents"; }
    Picture pic(w, h);
    for (std::size_t i = 0; i < pic.pixels.size(); ++i)
      pic.pixels[i] = 0xFF000000u | std::uint32_t(i * 2654435761u >> 8);
    writeBmpFile(target.string(), pic.pixels.data(), pic.width, pic.height, pic.width);
    const std::vector<std::uint8_t> bytes = fileBytes(target);
    EXPECT_EQ(bytes, encodeBmp(pic.pixels.data(), w, h, w));
    const Picture back = readBmp(bytes.data(), bytes.size());
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, h);
    EXPECT_TRUE(back.pixels == pic.pixels) << w << " x " << h;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"picture.jpg"});  // no temporary left
  }
}

TEST(BmpWriter, ChineseFileAndFolderNamesWork) {
  TempFolder dir;
  const fs::path folder = dir.path() / "我的图片";
  fs::create_directory(folder);
  const std::string target = (folder / "新文件1.bmp").string();
  const std::uint32_t pixel = 0xFF123456u;
  writeBmpFile(target, &pixel, 1, 1, 1);
  EXPECT_EQ(fileBytes(fs::path(target)), encodeBmp(&pixel, 1, 1, 1));
}

TEST(BmpWriter, SurfaceIsSavedFromItsPersistentImage) {
  TempFolder dir;
  Surface s(3, 1, kWhite);
  s.SetPixel(0, 0, 0x000000FFu);  // red, persistent
  s.SetAutoRedraw(false);
  s.SetPixel(1, 0, 0x0000FF00u);  // green on the visible layer only
  const fs::path target = dir.path() / "s.bmp";
  writeBmpFile(target.string(), s);
  const std::vector<std::uint8_t> bytes = fileBytes(target);
  const Picture back = readBmp(bytes.data(), bytes.size());
  EXPECT_EQ(back.pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFFFFFFFFu, 0xFFFFFFFFu}));
}

TEST(BmpWriter, MissingFolderReportsPathNotFound) {
  TempFolder dir;
  const std::uint32_t pixel = 0;
  EXPECT_EQ(errorNumberOf([&] { writeBmpFile((dir.path() / "nowhere" / "a.bmp").string(), &pixel, 1, 1, 1); }),
            kErrPathNotFound);
  // A folder in the path that is really a file.
  { std::ofstream(dir.path() / "file") << "x"; }
  EXPECT_EQ(errorNumberOf([&] { writeBmpFile((dir.path() / "file" / "a.bmp").string(), &pixel, 1, 1, 1); }),
            kErrPathNotFound);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"file"});
}

TEST(BmpWriter, FailedSaveKeepsTheOldFileByteForByte) {
  TempFolder dir;
  const fs::path target = dir.path() / "keep.bmp";
  const std::vector<std::uint8_t> old = {'o', 'l', 'd', 0, 1, 2, 3};
  { std::ofstream(target, std::ios::binary).write(reinterpret_cast<const char*>(old.data()), old.size()); }

  // A file size limit in a child process stands in for a full disk (as
  // root, permissions would not stop the write).
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::vector<std::uint32_t> pixels(100 * 100, 0xFF808080u);
    int code = 0;
    try {
      writeBmpFile(target.string(), pixels.data(), 100, 100, 100);
    } catch (const Error& e) {
      code = e.number();
    }
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kErrDiskFull);
  EXPECT_EQ(fileBytes(target), old);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.bmp"});
}

}  // namespace
}  // namespace pictavo
