// Font families as the text dialog lists them: one plain name per family,
// in the platform's order, and the way back from the name to Qt's font.
#include "canvas/FontFamilies.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

const QStringList kQtList = {QStringLiteral("DejaVu Sans"), QStringLiteral("C059 [UKWN]"),
                             QStringLiteral("Arimo"), QStringLiteral("C059 [URW]"),
                             QStringLiteral("c059 [Other]"), QStringLiteral("Odd [Name] Sans")};

TEST(FontFamilies, EachFamilyOnceByItsPlainNameInThePlatformsOrder) {
  EXPECT_EQ(plainFamilyName(QStringLiteral("C059 [UKWN]")), QStringLiteral("C059"));
  EXPECT_EQ(plainFamilyName(QStringLiteral("Odd [Name] Sans")), QStringLiteral("Odd [Name] Sans"));
  EXPECT_EQ(plainFamilyName(QStringLiteral("[X]")), QStringLiteral("[X]"));
  EXPECT_EQ(plainFamilyNames(kQtList),
            (QStringList{"DejaVu Sans", "C059", "Arimo", "Odd [Name] Sans"}));
}

TEST(FontFamilies, APlainNameMapsBackToItsFirstFoundry) {
  EXPECT_EQ(qtFamilyFor(QStringLiteral("c059"), kQtList), QStringLiteral("C059 [UKWN]"));
  EXPECT_EQ(qtFamilyFor(QStringLiteral("Arimo"), kQtList), QStringLiteral("Arimo"));
  EXPECT_EQ(qtFamilyFor(QStringLiteral("Gone"), kQtList), QStringLiteral("Gone"));
}

TEST(FontFamilies, ScreenFontsHaveNoFoundryTagsAndMapBackToAQtFamily) {
  const QStringList names = screenFontNames();
  ASSERT_FALSE(names.isEmpty());
  EXPECT_EQ(names, plainFamilyNames(QFontDatabase::families()));
  for (const QString& name : names) {
    EXPECT_FALSE(name.endsWith(QLatin1Char(']'))) << name.toStdString();
    EXPECT_EQ(plainFamilyName(screenFontFamily(name)), name);
  }
}

}  // namespace
}  // namespace pictavo
