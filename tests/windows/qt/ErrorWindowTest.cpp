// The error window: what a caller's report shows, the invalid-picture hint
// that its timer adds, and the ways it closes.
#include "ModalDriver.h"

#include "base/Errors.h"
#include "windows/ErrorWindow.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

const QString kLongHint =
    QStringLiteral("请确认该文件是支持的图片文件,且没有被损坏,请确保cur光标是2色的,ico不得超过256色!");

TEST(ErrorWindow, InvalidPictureGetsTheHintWithinHalfASecond) {
  Watchdog watchdog;
  QString code, reason, hintAtOnce, hintLater;
  whenModal("errbox", [&](QWidget* w) {
    code = labelText(w, "Label2");
    reason = labelText(w, "Label3");
    hintAtOnce = labelText(w, "Label4");
    QTimer::singleShot(600, w, [&, w] {
      hintLater = labelText(w, "Label4");
      click(w, "Command1");
    });
  });
  ErrorWindow::report(nullptr, Error(kErrInvalidPicture));
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(code, QStringLiteral("错误代码:481"));
  EXPECT_EQ(reason, QStringLiteral("无效图片"));
  EXPECT_EQ(hintAtOnce, QString());
  EXPECT_EQ(hintLater, kLongHint);
}

TEST(ErrorWindow, OtherReasonsNeverGetTheHint) {
  // A reason that merely contains the invalid-picture text is another error.
  for (const QString& reason : {QStringLiteral("文件未找到"), QStringLiteral("无效图片 "), QString()}) {
    Watchdog watchdog;
    QString hint = QStringLiteral("<unread>");
    whenModal("errbox", [&](QWidget* w) {
      QTimer::singleShot(650, w, [&, w] {
        hint = labelText(w, "Label4");
        click(w, "Command1");
      });
    });
    ErrorWindow::report(nullptr, ErrorWindow::codeLineFor(53), reason);
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(hint, QString()) << reason.toStdString();
  }
}

TEST(ErrorWindow, EnterAndFeedbackCloseItAndReturnToTheCaller) {
  QWidget owner;
  owner.show();
  {
    Watchdog watchdog;
    QWidget* parentSeen = nullptr;
    whenModal("errbox", [&](QWidget* w) {
      parentSeen = w->parentWidget();
      pressKey(w, Qt::Key_Return);
    });
    ErrorWindow::report(&owner, QStringLiteral("错误代码:Ne1"), QStringLiteral("x"));
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(parentSeen, &owner);
  }
  {
    Watchdog watchdog;
    whenModal("errbox", [&](QWidget* w) { click(w, "Command2"); });
    ErrorWindow::report(&owner, Error(kErrFileNotFound));
    EXPECT_FALSE(watchdog.fired());
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace pictavo
