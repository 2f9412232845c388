#include "app/QtSettingsSandbox.h"

#include <QDir>
#include <QSettings>

namespace pictavo {

namespace {

QtSettingsSandbox* current = nullptr;

// Below a file no folder can be made: settings pointed there are never
// written, the fallback when no temporary folder could be made.
const char* const kNowhere = "/dev/null/pictavo";

}  // namespace

QtSettingsSandbox::QtSettingsSandbox() : dir_(QDir::tempPath() + QStringLiteral("/pictavo-qt-settings-XXXXXX")) {
  const QString path = folder();
  // On Unix both formats are the same INI files; set both all the same.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
  current = this;
}

QtSettingsSandbox::~QtSettingsSandbox() {
  if (current == this) current = nullptr;
}

QString QtSettingsSandbox::folder() const { return dir_.isValid() ? dir_.path() : QString::fromLatin1(kNowhere); }

void QtSettingsSandbox::discard() {
  if (current) current->dir_.remove();
}

}  // namespace pictavo
