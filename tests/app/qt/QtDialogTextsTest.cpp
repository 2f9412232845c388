// The dialogs Qt supplies speak the program's language.
#include "app/QtDialogTexts.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(QtDialogTexts, StandardButtonsReadInChinese) {
  if (!useChineseQtDialogTexts(*qApp)) GTEST_SKIP() << "Qt's Chinese translation is not installed";
  QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

}  // namespace
}  // namespace pictavo
