#include "canvas/FontFamilies.h"

#include <QFontDatabase>

namespace pictavo {

QString plainFamilyName(const QString& qtFamily) {
  if (!qtFamily.endsWith(QLatin1Char(']'))) return qtFamily;
  const qsizetype open = qtFamily.lastIndexOf(QLatin1String(" ["));
  if (open <= 0) return qtFamily;
  return qtFamily.left(open);
}

QStringList plainFamilyNames(const QStringList& qtFamilies) {
  QStringList names;
  for (const QString& family : qtFamilies) {
    const QString plain = plainFamilyName(family);
    if (!names.contains(plain, Qt::CaseInsensitive)) names << plain;
  }
  return names;
}

QString qtFamilyFor(const QString& plainName, const QStringList& qtFamilies) {
  for (const QString& family : qtFamilies) {
    if (plainFamilyName(family).compare(plainName, Qt::CaseInsensitive) == 0) return family;
  }
  return plainName;
}

QStringList screenFontNames() { return plainFamilyNames(QFontDatabase::families()); }

QString screenFontFamily(const QString& plainName) { return qtFamilyFor(plainName, QFontDatabase::families()); }

}  // namespace pictavo
