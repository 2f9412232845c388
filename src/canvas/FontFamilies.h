#pragma once
// Font families by the names a user knows them. Qt lists a family that the
// platform has from several foundries once per foundry, as "Name [Foundry]";
// the text dialog lists it once, as "Name", and drawing maps the plain name
// back to the first of those fonts.

#include <QString>
#include <QStringList>

namespace pictavo {

// "C059 [UKWN]" gives "C059"; a name without a foundry tag is returned as it is.
QString plainFamilyName(const QString& qtFamily);

// The plain names of `qtFamilies`, each once (compared without case), in
// the order of their first appearance.
QStringList plainFamilyNames(const QStringList& qtFamilies);

// The first of `qtFamilies` whose plain name is `plainName` (without case),
// or `plainName` itself when none is.
QString qtFamilyFor(const QString& plainName, const QStringList& qtFamilies);

// The same two over the screen fonts of the platform.
QStringList screenFontNames();
QString screenFontFamily(const QString& plainName);

}  // namespace pictavo
