#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace pictavo {

QString programFolder(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--program-dir") == 0) return QDir(QString::fromLocal8Bit(argv[i + 1])).absolutePath();
  }
  // On Linux this reads /proc/self/exe, so a symbolic link to the binary
  // still finds the Data folder next to the real file.
  return QCoreApplication::applicationDirPath();
}

}  // namespace pictavo
