// The web window and the About box: one window for every link, reused and
// brought up without an owner, discarded when closed; the browser's margins;
// a real load of a page the program ships; the About box's link.
#include "ModalDriver.h"

#include "windows/AboutBox.h"
#include "windows/Links.h"
#include "windows/WebWindow.h"

#include <QWebEngineView>

#include <gtest/gtest.h>

#include <filesystem>

namespace pictavo {
namespace {

using namespace pictavo::test;

QList<QWidget*> webWindows() {
  QList<QWidget*> found;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String("Fm1") && w->isVisible()) found << w;
  }
  return found;
}

void closeWebWindow() {
  if (WebWindow* w = WebWindow::current()) w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(WebWindow, LinksShareOneWindowShowingTheLastAddress) {
  openLink(Link::UpdateNews);
  openLink(Link::MicroblogSecond);
  const QList<QWidget*> open = webWindows();
  ASSERT_EQ(open.size(), 1);
  auto* web = static_cast<WebWindow*>(open.front());
  EXPECT_EQ(web, WebWindow::current());
  EXPECT_EQ(web->parentWidget(), nullptr);
  EXPECT_FALSE(web->isModal());
  EXPECT_EQ(web->windowTitle(), QStringLiteral("Vellora"));
  EXPECT_EQ(web->address(), linkAddress(Link::MicroblogSecond));
  EXPECT_EQ(web->property("address").toString(), linkAddress(Link::MicroblogSecond));
  EXPECT_TRUE(linkAddress(Link::MicroblogSecond).startsWith(QStringLiteral("file:///")));
  EXPECT_NE(linkAddress(Link::MicroblogSecond), linkAddress(Link::MicroblogFirst));

  // Closing discards it; the next link makes a new one.
  closeWebWindow();
  EXPECT_EQ(WebWindow::current(), nullptr);
  EXPECT_TRUE(webWindows().isEmpty());
  openLink(Link::FeedbackForum);
  ASSERT_EQ(webWindows().size(), 1);
  EXPECT_EQ(WebWindow::current()->address(), linkAddress(Link::FeedbackForum));
  closeWebWindow();
}

TEST(WebWindow, BrowserKeepsTheTwipMarginsWhenResized) {
  // 125 and 400 twips at 96 dpi (15 twips a pixel).
  EXPECT_EQ(WebWindow::browserSize(QSize(928, 468), 96, 96), QSize(920, 441));
  EXPECT_EQ(WebWindow::browserSize(QSize(928, 468), 144, 144), QSize(915, 428));
  EXPECT_EQ(WebWindow::browserSize(QSize(5, 20), 96, 96), QSize(0, 0));

  WebWindow* web = WebWindow::showWindow();
  const QSize want = WebWindow::browserSize(web->frameGeometry().size(), web->logicalDpiX(), web->logicalDpiY());
  EXPECT_EQ(web->browser()->size(), want);
  EXPECT_EQ(web->browser()->pos(), QPoint(0, 0));
  web->resize(600, 300);
  const QSize after = WebWindow::browserSize(web->frameGeometry().size(), web->logicalDpiX(), web->logicalDpiY());
  EXPECT_EQ(web->browser()->size(), after);
  EXPECT_LT(after.width(), 600);
  closeWebWindow();
}

TEST(WebWindow, LoadsAShippedPage) {
  const std::filesystem::path page =
      std::filesystem::path(__FILE__).parent_path() / "../../../data/Data/web/feedback.html";
  ASSERT_TRUE(std::filesystem::exists(page));
  WebWindow* web = WebWindow::showWindow();
  QEventLoop loop;
  bool finished = false, ok = false;
  QObject::connect(web->browser(), &QWebEngineView::loadFinished, &loop, [&](bool success) {
    finished = true;
    ok = success;
    loop.quit();
  });
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  web->navigate(QUrl::fromLocalFile(QString::fromStdString(std::filesystem::canonical(page).string())));
  loop.exec();
  ASSERT_TRUE(finished);
  EXPECT_TRUE(ok);
  EXPECT_EQ(web->browser()->title(), QStringLiteral("问题反馈"));
  closeWebWindow();
}

TEST(AboutBox, LinkClosesTheBoxAndLeavesTheWebWindowInFront) {
  QWidget owner;
  owner.show();
  Watchdog watchdog;
  QString version;
  QWidget* parentSeen = nullptr;
  whenModal("frmAbout", [&](QWidget* w) {
    version = labelText(w, "lblVersion");
    parentSeen = w->parentWidget();
    mouseClick(child<QWidget>(w, "Image1"));
  });
  AboutBox::ask(&owner);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(version, QStringLiteral("版本:V2.1.0.7   2012.2"));
  EXPECT_EQ(parentSeen, &owner);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  ASSERT_NE(WebWindow::current(), nullptr);
  EXPECT_TRUE(WebWindow::current()->isVisible());
  EXPECT_EQ(WebWindow::current()->address(), linkAddress(Link::HomePage));
  closeWebWindow();

  // Enter and Esc both close it, with nothing opened.
  for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
    whenModal("frmAbout", [key](QWidget* w) { pressKey(w, key); });
    AboutBox::ask(&owner);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(WebWindow::current(), nullptr);
}

}  // namespace
}  // namespace pictavo
