// The path helpers and the file-type filter of the open and save dialogs.
#include "documents/FileFilter.h"
#include "documents/PathHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pictavo {
namespace {

const std::string sep(1, kFolderSeparator);

TEST(PathHelpers, AddBackslashAppendsOneSeparatorOnlyWhenMissing) {
  EXPECT_EQ(AddBackslash(""), sep);
  EXPECT_EQ(AddBackslash(sep), sep);
  EXPECT_EQ(AddBackslash("pics"), "pics" + sep);
  EXPECT_EQ(AddBackslash("pics" + sep), "pics" + sep);
}

TEST(PathHelpers, FolderOfCutsAtTheLastSeparator) {
  EXPECT_EQ(FolderOf(sep + "pics" + sep + "a.bmp"), sep + "pics");
  // A dot in a folder name is not an extension, and the search runs from the end.
  EXPECT_EQ(FolderOf("a.b" + sep + "c" + sep + "d.bmp"), "a.b" + sep + "c");
  // The root's file gives an empty folder, a bare name comes back whole.
  EXPECT_EQ(FolderOf(sep + "a.bmp"), "");
  EXPECT_EQ(FolderOf("a.bmp"), "a.bmp");
  EXPECT_EQ(FolderOf("pics" + sep), "pics");
  // The folder of a chosen file, made a folder again, joins a new name.
  EXPECT_EQ(AddBackslash(FolderOf(sep + "p" + sep + "a.bmp")) + "b.bmp", sep + "p" + sep + "b.bmp");
}

TEST(FileFilter, TextHasSixteenFieldsAndAFinalBar) {
  const std::string text = pictureFilterText("tpf");
  EXPECT_EQ(text.back(), '|');
  EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 16);
  EXPECT_EQ(text.substr(0, text.find('|')),
            "所有支持的格式(*.tpf;*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jpe;*.gif;*.ico;*.cur;*.wmf;*.emf)");
}

TEST(FileFilter, OwnExtensionReplacedInAllThreePlaces) {
  const std::vector<FilterEntry> entries = parseFilterText(pictureFilterText("otsp"));
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(entries[0].display,
            "所有支持的格式(*.otsp;*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jpe;*.gif;*.ico;*.cur;*.wmf;*.emf)");
  ASSERT_EQ(entries[0].patterns.size(), 12u);
  EXPECT_EQ(entries[0].patterns.front(), "*.otsp");
  EXPECT_EQ(entries[0].patterns.back(), "*.emf");
  EXPECT_EQ(entries[1].display, "Vellora通用(*.otsp)");
  EXPECT_EQ(entries[1].patterns, std::vector<std::string>{"*.otsp"});
  EXPECT_EQ(entries[7].display, "图元文件(*.wmf;*.emf)");
  EXPECT_EQ(entries[7].patterns, (std::vector<std::string>{"*.wmf", "*.emf"}));
  EXPECT_EQ(pictureFilterText("tpf").find("otsp"), std::string::npos);
}

TEST(FileFilter, OpenAddsOtherPicturesAfterTheClassicEntries) {
  const std::vector<FilterEntry> classic = parseFilterText(pictureFilterText("tpf"));
  const std::vector<FilterEntry> entries = parseFilterText(openFilterText());
  ASSERT_EQ(entries.size(), 9u);
  // The first entry's text stays as it is, while its patterns match the
  // other formats too.
  EXPECT_EQ(entries[0].display, classic[0].display);
  std::vector<std::string> wanted = classic[0].patterns;
  for (const char* p : {"*.png", "*.webp", "*.tif", "*.tiff"}) wanted.push_back(p);
  EXPECT_EQ(entries[0].patterns, wanted);
  for (std::size_t i = 1; i < 8; ++i) EXPECT_EQ(entries[i].patterns, classic[i].patterns) << i;
  EXPECT_EQ(entries[8].display, "其他图片(*.png;*.webp;*.tif;*.tiff)");
  EXPECT_EQ(entries[8].patterns, (std::vector<std::string>{"*.png", "*.webp", "*.tif", "*.tiff"}));
}

TEST(FileFilter, SaveFiltersEndWithThePngEntry) {
  for (const char* own : {"tpf", "otsp"}) {
    const std::string classic = pictureFilterText(own);
    const std::string save = saveFilterText(own);
    EXPECT_EQ(save, classic + "PNG图片(*.png)|*.png|");
  }
}

TEST(FileFilter, ParsingToleratesOddTexts) {
  EXPECT_TRUE(parseFilterText("").empty());
  EXPECT_TRUE(parseFilterText("|").empty());
  // A display text without its patterns is dropped; empty patterns are skipped.
  const auto entries = parseFilterText("A|*.a;;*.b|B");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].patterns, (std::vector<std::string>{"*.a", "*.b"}));
}

}  // namespace
}  // namespace pictavo
