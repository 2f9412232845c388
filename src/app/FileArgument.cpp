#include "app/FileArgument.h"

#include <QByteArray>
#include <QDir>
#include <QMimeData>
#include <QString>
#include <QUrl>

#include <cstring>
#include <string>
#include <unistd.h>

namespace pictavo {

namespace {

// File names are bytes, which need not be UTF-8 (caf\xe9.png); the path is
// kept as those bytes so the file named is the file opened. Latin-1 carries
// each byte through Qt's path cleaning unchanged.
std::string absoluteBytes(const QByteArray& path) {
  if (path.isEmpty()) return {};
  QByteArray full = path;
  if (!full.startsWith('/')) {
    std::string here(4096, '\0');
    while (::getcwd(here.data(), here.size()) == nullptr && here.size() < (1u << 20)) here.resize(here.size() * 2);
    full = QByteArray(here.c_str()) + '/' + full;
  }
  return QDir::cleanPath(QString::fromLatin1(full)).toLatin1().toStdString();
}

// A local file address's path as the bytes its escapes stand for.
std::string localFileBytes(const QUrl& url) {
  return absoluteBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

}  // namespace

std::string fileArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--program-dir") == 0) {
      ++i;
      continue;
    }
    return fullFilePath(argv[i]);
  }
  return {};
}

std::string fullFilePath(const std::string& argument) {
  const QByteArray bytes = QByteArray::fromStdString(argument);
  if (bytes.startsWith("file:")) {
    const QUrl url = QUrl::fromEncoded(bytes);
    return url.isLocalFile() ? localFileBytes(url) : std::string();
  }
  return absoluteBytes(bytes);
}

std::string droppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  return localFileBytes(urls.front());
}

}  // namespace pictavo
