// The file named on the command line: which argument counts and how it
// becomes the full path that Open would have shown.
#include "app/FileArgument.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <vector>

namespace pictavo {
namespace {

std::string fileOf(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  return fileArgument(int(argv.size()), argv.data());
}

TEST(FileArgument, FirstFileCountsAndTheProgramFolderOptionIsSkipped) {
  EXPECT_EQ(fileOf({"pictavo"}), "");
  EXPECT_EQ(fileOf({"pictavo", "/p/a.png", "/p/b.png"}), "/p/a.png");
  EXPECT_EQ(fileOf({"pictavo", "--program-dir", "/opt/x", "/p/a.png"}), "/p/a.png");
  EXPECT_EQ(fileOf({"pictavo", "--program-dir", "/opt/x"}), "");
}

TEST(FileArgument, RelativeNamesAndFileAddressesBecomeFullPaths) {
  const std::string here = QDir::currentPath().toStdString();
  EXPECT_EQ(fullFilePath("pics/a.bmp"), here + "/pics/a.bmp");
  EXPECT_EQ(fullFilePath("file:///p/%E5%9B%BE%20a.png"), "/p/图 a.png");
  EXPECT_EQ(fullFilePath("/p/图.png"), "/p/图.png");
  EXPECT_EQ(fullFilePath(""), "");
  EXPECT_EQ(fullFilePath("/p/./q/../a.bmp"), "/p/a.bmp");
}

TEST(FileArgument, NamesThatAreNotUtf8KeepTheirBytes) {
  const std::string here = QDir::currentPath().toStdString();
  EXPECT_EQ(fileOf({"pictavo", "/p/caf\xe9.png"}), "/p/caf\xe9.png");
  EXPECT_EQ(fileOf({"pictavo", "caf\xe9.png"}), here + "/caf\xe9.png");
  EXPECT_EQ(fullFilePath("file:///p/caf%E9.png"), "/p/caf\xe9.png");
  QMimeData dropped;
  dropped.setUrls({QUrl::fromEncoded("file:///p/caf%E9%20%E5%9B%BE.png")});
  EXPECT_EQ(droppedFile(&dropped), "/p/caf\xe9 图.png");
}

TEST(FileArgument, OnlyADragOfOneLocalFileOpens) {
  QMimeData one, two, web, text;
  one.setUrls({QUrl::fromLocalFile("/p/a.png")});
  two.setUrls({QUrl::fromLocalFile("/p/a.png"), QUrl::fromLocalFile("/p/b.png")});
  web.setUrls({QUrl("https://example.org/a.png")});
  text.setText("/p/a.png");
  EXPECT_EQ(droppedFile(&one), "/p/a.png");
  EXPECT_EQ(droppedFile(&two), "");
  EXPECT_EQ(droppedFile(&web), "");
  EXPECT_EQ(droppedFile(&text), "");
  EXPECT_EQ(droppedFile(nullptr), "");
}

}  // namespace
}  // namespace pictavo
