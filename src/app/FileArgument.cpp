#include "app/FileArgument.h"

#include <QFileInfo>
#include <QMimeData>
#include <QString>
#include <QUrl>

#include <cstring>

namespace pictavo {

std::string fileArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--program-dir") == 0) {
      ++i;
      continue;
    }
    return fullFilePath(QString::fromLocal8Bit(argv[i]).toStdString());
  }
  return {};
}

std::string fullFilePath(const std::string& argument) {
  QString path = QString::fromStdString(argument);
  if (path.isEmpty()) return {};
  if (path.startsWith(QLatin1String("file:"))) path = QUrl(path).toLocalFile();
  return QFileInfo(path).absoluteFilePath().toStdString();
}

std::string droppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  return QFileInfo(urls.front().toLocalFile()).absoluteFilePath().toStdString();
}

}  // namespace pictavo
