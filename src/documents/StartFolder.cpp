#include "documents/StartFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace pictavo {

std::string startFolder(const std::string& programFolder) {
  if (::access(programFolder.c_str(), W_OK) == 0) return programFolder;
  // The pictures folder as XDG_PICTURES_DIR names it; Qt falls back to the
  // home folder's "Pictures", which may not exist.
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  const QString folder = !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
  return QDir::cleanPath(folder).toStdString() + "/";
}

}  // namespace pictavo
