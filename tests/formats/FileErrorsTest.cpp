#include "formats/FileErrors.h"

#include "base/Errors.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {
namespace {

namespace fs = std::filesystem;

using test::errorOf;

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/pictavo-fileerrors-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

// A named pipe without a writer blocks an ordinary open for ever; it and a
// device are refused as no file at all, like a folder.
TEST(OpenFileForReading, RefusesWhatIsNoRegularFileWithoutBlocking) {
  TempFolder dir;
  const std::string pipe = dir / "pipe.bmp";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(errorOf([&] { ::close(openFileForReading(pipe)); }), kErrPathFileAccess);
  EXPECT_EQ(errorOf([&] { ::close(openFileForReading("/dev/zero")); }), kErrPathFileAccess);
  fs::create_directory(dir / "folder.bmp");
  EXPECT_EQ(errorOf([&] { ::close(openFileForReading(dir / "folder.bmp")); }), kErrPathFileAccess);
  EXPECT_EQ(errorOf([&] { ::close(openFileForReading(dir / "missing.bmp")); }), kErrFileNotFound);
  EXPECT_EQ(errorOf([&] { ::close(openFileForReading(dir / "no folder/a.bmp")); }), kErrPathNotFound);
}

TEST(OpenFileForReading, RegularFileComesBackInBlockingMode) {
  TempFolder dir;
  const std::string path = dir / "a.bmp";
  std::ofstream(path) << "BM";
  const int fd = openFileForReading(path);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  char bytes[4] = {};
  EXPECT_EQ(::read(fd, bytes, sizeof bytes), 2);
  ::close(fd);
}

}  // namespace
}  // namespace pictavo
