#include "app/FileArgument.h"

#include <QFileInfo>
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

}  // namespace pictavo
