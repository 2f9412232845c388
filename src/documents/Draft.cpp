#include "documents/Draft.h"

#include "formats/BmpWriter.h"
#include "documents/PathHelpers.h"

#include <QDir>
#include <QStandardPaths>

namespace pictavo {

std::string draftPath() {
#ifdef _WIN32
  return "C:\\Program Files\\brandwick\\file\\autosave.bmp";
#else
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir(base).filePath(QStringLiteral("brandwick/file/autosave.bmp")).toStdString();
#endif
}

void writeDraft(const Surface& canvas) {
  const std::string path = draftPath();
  // A folder that cannot be made shows up as the writer's own error.
  QDir().mkpath(QString::fromStdString(FolderOf(path)));
  writeBmpFile(path, canvas);
}

}  // namespace pictavo
