// The error window: what a caller's report shows, the invalid-picture hint
// that its timer adds, and the ways it closes.
#include "ModalDriver.h"

#include "app/Errors.h"
#include "windows/ErrorWindow.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

const QString kLongHint =
    QStringLiteral("请确认该文件是支持的图片文件,且没有被损坏,请确保cur光标是2色的,ico不得超过256色!");

TEST(ErrorWindow, DesignShowsTheFixedTextsAndNamedControls) {
  ErrorWindow w(nullptr);
  EXPECT_EQ(w.objectName(), "errbox");
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Vellora提醒您:错误"));
  EXPECT_EQ(w.size(), QSize(550, 199));
  EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(labelText(&w, "Label1"), QStringLiteral("发生错误!"));
  EXPECT_EQ(labelText(&w, "Label2"), QString());
  EXPECT_EQ(labelText(&w, "Label3"), QStringLiteral("错误原因"));
  EXPECT_EQ(labelText(&w, "Label4"), QString());
  auto* confirm = child<QPushButton>(&w, "Command1");
  auto* feedback = child<QPushButton>(&w, "Command2");
  ASSERT_TRUE(confirm && feedback);
  EXPECT_EQ(confirm->text(), QStringLiteral("我知道啦!"));
  EXPECT_TRUE(confirm->isDefault());
  EXPECT_EQ(feedback->text(), QStringLiteral("我要反馈"));
  EXPECT_EQ(confirm->geometry(), QRect(424, 168, 121, 25));
  EXPECT_EQ(feedback->geometry(), QRect(16, 168, 121, 25));
}

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
