// Saving in the format the name asks for: no question for PNG and BMP; the
// JPEG quality prompt, its preset (90, then this run's last answer), its
// range, and a cancel that writes nothing.
#include "windows/qt/ModalDriver.h"

#include "canvas/Surface.h"
#include "documents/PictureSave.h"
#include "support/QtFiles.h"

#include <QFile>
#include <QInputDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

// Answers the next quality prompt with `answer` (nullopt: Cancel) and
// records the title and the preset it offered.
void answerQuality(std::optional<QString> answer, QString& title, QString& preset) {
  whenModal("InputBox", [answer, &title, &preset](QWidget* d) {
    auto* prompt = static_cast<QInputDialog*>(d);
    title = prompt->windowTitle();
    preset = prompt->textValue();
    if (!answer) {
      prompt->reject();
      return;
    }
    prompt->setTextValue(*answer);
    prompt->accept();
  });
}

TEST(PictureSave, JpegAsksItsQualityAndRemembersTheLastAnswer) {
  QTemporaryDir dir;
  const Surface canvas(64, 32, kWhite);
  Watchdog watchdog;
  QString title, preset;
  const std::string first = dir.filePath("a.jpg").toStdString();
  answerQuality(QStringLiteral("30 percent"), title, preset);
  EXPECT_TRUE(savePicture(nullptr, first, canvas));
  EXPECT_EQ(title, QStringLiteral("JPEG 质量"));
  EXPECT_EQ(preset, QStringLiteral("90"));
  EXPECT_TRUE(fileBytes(QString::fromStdString(first)).startsWith("\xFF\xD8\xFF"));

  // Cancel writes nothing, and the old answer is offered again next time.
  answerQuality(std::nullopt, title, preset);
  EXPECT_FALSE(savePicture(nullptr, dir.filePath("b.JPEG").toStdString(), canvas));
  EXPECT_EQ(preset, QStringLiteral("30"));
  EXPECT_FALSE(QFile::exists(dir.filePath("b.JPEG")));

  answerQuality(QStringLiteral("100"), title, preset);
  EXPECT_TRUE(savePicture(nullptr, dir.filePath("c.jpe").toStdString(), canvas));
  EXPECT_EQ(preset, QStringLiteral("30"));
  EXPECT_FALSE(watchdog.fired());
}

TEST(PictureSave, PngAndBmpNamesAskNothing) {
  QTemporaryDir dir;
  const Surface canvas(8, 8, kWhite);
  Watchdog watchdog;
  EXPECT_TRUE(savePicture(nullptr, dir.filePath("a.png").toStdString(), canvas));
  EXPECT_TRUE(savePicture(nullptr, dir.filePath("a.tpf").toStdString(), canvas));
  EXPECT_TRUE(savePicture(nullptr, dir.filePath("noextension").toStdString(), canvas));
  EXPECT_FALSE(watchdog.fired());
  EXPECT_TRUE(fileBytes(dir.filePath("a.png")).startsWith("\x89PNG"));
  EXPECT_TRUE(fileBytes(dir.filePath("a.tpf")).startsWith("BM"));
  EXPECT_TRUE(fileBytes(dir.filePath("noextension")).startsWith("BM"));
}

TEST(PictureSave, QualityIsTheLeadingNumberWithinOneToHundred) {
  EXPECT_EQ(jpegQualityFrom("75"), 75);
  EXPECT_EQ(jpegQualityFrom(" 80.5x"), 80);
  EXPECT_EQ(jpegQualityFrom("0"), 1);
  EXPECT_EQ(jpegQualityFrom("abc"), 1);
  EXPECT_EQ(jpegQualityFrom("-20"), 1);
  EXPECT_EQ(jpegQualityFrom("250"), 100);
}

}  // namespace
}  // namespace pictavo
