#include "windows/Links.h"

#include "base/Globals.h"
#include "windows/WebWindow.h"

#include <QCoreApplication>
#include <QUrl>

namespace pictavo {

namespace {

// The pages ship with the program in its Data folder, so every link works
// without a network.
QString pageFile(Link link) {
  switch (link) {
    case Link::UpdateNews: return QStringLiteral("update.html");
    case Link::MicroblogFirst: return QStringLiteral("news-1.html");
    case Link::MicroblogSecond: return QStringLiteral("news-2.html");
    case Link::HomePage: return QStringLiteral("home.html");
    case Link::ProductDownload: return QStringLiteral("album.html");
    case Link::FeedbackForum: return QStringLiteral("feedback.html");
  }
  return QStringLiteral("home.html");
}

QString dataFolder() {
  const std::string& data = globals().dataPath;
  // Before start-up has set it (a link from a test, say), the Data folder
  // next to the program is the one.
  if (data.empty()) return QCoreApplication::applicationDirPath() + QStringLiteral("/Data/");
  return QString::fromStdString(data);
}

}  // namespace

QString linkAddress(Link link) {
  return QUrl::fromLocalFile(dataFolder() + QStringLiteral("web/") + pageFile(link)).toString();
}

void openLink(Link link) {
  try {
    WebWindow* window = WebWindow::showWindow();
    window->navigate(QUrl(linkAddress(link)));
  } catch (...) {
    // A link that cannot open leaves the program as it was.
  }
}

}  // namespace pictavo
