// The stretch, border and background dialogs: what each showing starts
// with, the refusals that keep a dialog open, the focus rule of the border
// width, and the background preview with its reset.
#include "../../windows/qt/ModalDriver.h"

#include "base/Globals.h"
#include "canvas/Surface.h"
#include "formats/BmpWriter.h"
#include "effects/MaskDialog.h"
#include "effects/PreviewBox.h"
#include "effects/ScaleDialog.h"
#include "effects/SharpenFactor.h"
#include "effects/StrokeDialog.h"
#include "base/Errors.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

struct ErrorShown {
  QString code, reason;
};

// Runs `act` on the open dialog `name`, which is expected to show the error
// window; returns what it showed (empty when none) and whether the dialog
// stayed open.
ErrorShown expectError(QWidget* dialog, const std::function<void()>& act, bool* stillOpen) {
  ErrorShown shown;
  whenModal("errbox", [&](QWidget* e) {
    shown.code = labelText(e, "Label2");
    shown.reason = labelText(e, "Label3");
    click(e, "Command1");
  });
  act();
  *stillOpen = dialog->isVisible();
  return shown;
}

TEST(ScaleDialog, OpensWithTheSizeAndRefusesSizesItCannotBuild) {
  Watchdog watchdog;
  globals().canvasWidth = 123;
  globals().canvasHeight = 45;
  ScaleDialog dialog(nullptr);
  dialog.show();
  auto* w = child<QLineEdit>(&dialog, "txtWidth");
  auto* h = child<QLineEdit>(&dialog, "txtHeight");
  EXPECT_EQ(w->text(), "123");
  EXPECT_EQ(h->text(), "45");
  const std::pair<const char*, const char*> refused[] = {{"0", "10"}, {"10", "-3"}, {"abc", "10"}, {"10", "0.4"}};
  for (const auto& [width, height] : refused) {
    w->setText(QString::fromLatin1(width));
    h->setText(QString::fromLatin1(height));
    bool open = false;
    const ErrorShown e = expectError(&dialog, [&] { click(&dialog, "cmdOK"); }, &open);
    EXPECT_EQ(e.code, "错误代码:Ne12") << width << " " << height;
    EXPECT_EQ(e.reason, "图片的像素值必须大于零的阿拉伯数字!");
    EXPECT_TRUE(open);
  }
  w->setText("40000");
  h->setText("10");
  bool open = false;
  const ErrorShown tooLarge = expectError(&dialog, [&] { click(&dialog, "cmdOK"); }, &open);
  EXPECT_EQ(tooLarge.code, "错误代码:Ne12");
  EXPECT_TRUE(tooLarge.reason.contains("32767"));
  EXPECT_TRUE(open);
  globals().dlgResult = 2;
  w->setText("2.5");  // halves go to even
  h->setText("77px");
  click(&dialog, "cmdOK");
  EXPECT_EQ(globals().dlgResult, 1);
  EXPECT_EQ(globals().canvasWidth, 2);
  EXPECT_EQ(globals().canvasHeight, 77);
  EXPECT_FALSE(watchdog.fired());
}

TEST(StrokeDialog, StartsAtOneAndBlackWhateverWasChosenBefore) {
  Watchdog watchdog;
  globals().strokeWidth = 9;
  globals().strokeColor = kWhite;
  StrokeDialog dialog(nullptr);
  EXPECT_EQ(child<QLineEdit>(&dialog, "txtWidth")->text(), "1");
  EXPECT_EQ(dialog.swatchColor(), kBlack);
  // The swatch opens the colour dialog; a pick changes it, Cancel does not.
  whenModal("CD2", [](QWidget* d) {
    static_cast<QColorDialog*>(d)->setCurrentColor(QColor(10, 20, 30));
    static_cast<QColorDialog*>(d)->accept();
  });
  mouseClick(child(&dialog, "pColor"));
  EXPECT_EQ(dialog.swatchColor(), composeColor(10, 20, 30));
  whenModal("CD2", [](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  mouseClick(child(&dialog, "pColor"));
  EXPECT_EQ(dialog.swatchColor(), composeColor(10, 20, 30));
  child<QLineEdit>(&dialog, "txtWidth")->setText("4");
  click(&dialog, "cmdok");
  EXPECT_EQ(globals().dlgResult, 1);
  EXPECT_EQ(globals().strokeWidth, 4);
  EXPECT_EQ(globals().strokeColor, composeColor(10, 20, 30));
  EXPECT_FALSE(watchdog.fired());
}

TEST(StrokeDialog, WidthOfZeroBecomesOneWhenTheFocusLeavesButNotOnEnter) {
  for (const char* text : {"0", "", "abc", "0.0x"}) {
    StrokeDialog dialog(nullptr);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* width = child<QLineEdit>(&dialog, "txtWidth");
    width->setFocus(Qt::MouseFocusReason);
    width->setText(QString::fromLatin1(text));
    child(&dialog, "cmdok")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(width->text(), "1") << text;
  }
  StrokeDialog kept(nullptr);
  kept.show();
  QApplication::setActiveWindow(&kept);
  auto* width = child<QLineEdit>(&kept, "txtWidth");
  width->setFocus(Qt::MouseFocusReason);
  width->setText("0.5");  // a leading number that is not 0 stays
  child(&kept, "cmdok")->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(width->text(), "0.5");
  // Enter while the box has the focus: the rule does not run.
  width->setFocus(Qt::MouseFocusReason);
  width->setText("0");
  pressKey(width, Qt::Key_Return);
  EXPECT_EQ(globals().dlgResult, 1);
  EXPECT_EQ(globals().strokeWidth, 0);
}

class MaskDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    // A picture: red with a magenta middle.
    Surface picture(4, 4, composeColor(255, 0, 0));
    picture.Line(1, 1, 2, 2, kMagenta, LineKind::FilledBox);
    framePath_ = dir_.filePath("frame.bmp");
    writeBmpFile(framePath_.toStdString(), picture, false);
    junkPath_ = dir_.filePath("junk.bmp");
    QFile junk(junkPath_);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
  }

  // Picks `path` (or cancels, when empty) in the file dialog behind "...".
  static void browse(QWidget* dialog, const QString& path) {
    whenModal("CD1", [path](QWidget* d) {
      auto* files = static_cast<QFileDialog*>(d);
      if (path.isEmpty()) {
        files->reject();
        return;
      }
      files->selectFile(path);
      static_cast<QDialog*>(files)->accept();
    });
    click(dialog, "cmdOpen");
  }

  QTemporaryDir dir_;
  QString framePath_, junkPath_;
};

std::vector<std::uint32_t> pixelsOf(const Surface& s) {
  const std::uint32_t* p = s.visibleBits();
  return {p, p + std::size_t(s.Width()) * std::size_t(s.Height())};
}

TEST_F(MaskDialogTest, PreviewLaysThePictureOverTheThumbnailAndResetRemovesIt) {
  Watchdog watchdog;
  const Surface canvas(320, 100, composeColor(0, 0, 255));
  MaskDialog dialog(nullptr, canvas);
  dialog.show();
  const Surface& view = dialog.preview()->surface();
  const std::vector<std::uint32_t> plain = pixelsOf(view);
  EXPECT_EQ(view.GetPixel(80, 80), composeColor(0, 0, 255));
  browse(&dialog, framePath_);
  EXPECT_EQ(child<QLineEdit>(&dialog, "txtFilename")->text(), framePath_);
  EXPECT_EQ(view.GetPixel(5, 5), composeColor(255, 0, 0));    // the frame
  EXPECT_EQ(view.GetPixel(80, 80), composeColor(0, 0, 255));  // the canvas through the magenta middle
  click(&dialog, "cmdReset");
  EXPECT_EQ(pixelsOf(view), plain);
  EXPECT_EQ(child<QLineEdit>(&dialog, "txtFilename")->text(), framePath_);
  click(&dialog, "cmdOK");
  EXPECT_EQ(globals().dlgResult, 1);
  EXPECT_EQ(globals().maskFile, framePath_.toStdString());
  EXPECT_FALSE(watchdog.fired());
}

TEST_F(MaskDialogTest, BrowseFailuresAreReportedAndTheDialogStaysOpen) {
  Watchdog watchdog;
  const Surface canvas(20, 20);
  MaskDialog dialog(nullptr, canvas);
  dialog.show();
  bool open = false;
  ErrorShown e = expectError(&dialog, [&] { browse(&dialog, junkPath_); }, &open);
  EXPECT_EQ(e.code, "错误代码:481");
  EXPECT_EQ(e.reason, "无效图片");
  EXPECT_TRUE(open);
  EXPECT_EQ(child<QLineEdit>(&dialog, "txtFilename")->text(), junkPath_);
  // Cancel in the file dialog is reported too; the name box keeps its text.
  e = expectError(&dialog, [&] { browse(&dialog, QString()); }, &open);
  EXPECT_EQ(e.code, "错误代码:32755");
  EXPECT_TRUE(open);
  EXPECT_EQ(child<QLineEdit>(&dialog, "txtFilename")->text(), junkPath_);
  click(&dialog, "CmdCancel");
  EXPECT_EQ(globals().dlgResult, 2);
  EXPECT_FALSE(watchdog.fired());
}

TEST(SharpenFactor, TakesTheWholeAnswerAsANumber) {
  EXPECT_FLOAT_EQ(sharpenFactor("1.2"), 1.2f);
  EXPECT_FLOAT_EQ(sharpenFactor(" -3 "), -3.0f);
  EXPECT_FLOAT_EQ(sharpenFactor("1e3"), 1000.0f);
  for (const char* bad : {"", "1.2abc", "abc", "inf", "nan"}) {
    try {
      sharpenFactor(QString::fromLatin1(bad));
      ADD_FAILURE() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrTypeMismatch) << bad;
    }
  }
  try {
    sharpenFactor("1e40");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrOverflow);
  }
}

}  // namespace
}  // namespace pictavo
