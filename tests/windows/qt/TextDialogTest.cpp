// The text dialog: its lists, loading from the text variables (with names
// and sizes it does not hold), accepting, cancelling and closing, Enter in
// the text box, Escape, and the preview following the choices.
#include "base/Globals.h"
#include "canvas/SurfaceText.h"
#include "windows/TextDialog.h"
#include "windows/TextPreview.h"

#include "ModalDriver.h"

#include <QComboBox>
#include "canvas/FontFamilies.h"
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using test::child;

QStringList itemsOf(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

struct TextDialogTest : ::testing::Test {
  TextDialogTest() {
    Globals& g = globals();
    g.textFontName.clear();
    g.textFontSize = 0;
    g.textString.clear();
    g.textStyleIndex = 0;
    g.dlgResult = 2;
  }
};

}  // namespace

TEST_F(TextDialogTest, ListsHoldTheFontsSizesAndStyles) {
  TextDialog d(nullptr);
  EXPECT_EQ(itemsOf(child<QComboBox>(&d, "cboFont")), screenFontNames());
  const QStringList sizes = itemsOf(child<QComboBox>(&d, "cboSize"));
  ASSERT_EQ(sizes.size(), 65);
  EXPECT_EQ(sizes.front(), "8");
  EXPECT_EQ(sizes.back(), "72");
  EXPECT_EQ(itemsOf(child<QComboBox>(&d, "cboStyle")),
            (QStringList{"无", "粗体", "斜体", "粗体+斜体", "下划线", "下划线+粗体", "下划线+斜体", "下划线+粗体+斜体"}));
  // First use: the variables are empty or 0.
  EXPECT_EQ(child<QComboBox>(&d, "cboFont")->currentIndex(), 0);
  EXPECT_EQ(child<QComboBox>(&d, "cboSize")->currentText(), "8");
  EXPECT_EQ(child<QComboBox>(&d, "cboStyle")->currentIndex(), 0);
}

TEST_F(TextDialogTest, FindListIndexIgnoresCaseAndFallsBackToTheFirstEntry) {
  QComboBox list;
  list.addItems({"Alpha", "beta", "BETA", "中文"});
  EXPECT_EQ(TextDialog::FindListIndex(&list, "BeTa"), 1);
  EXPECT_EQ(TextDialog::FindListIndex(&list, "中文"), 3);
  EXPECT_EQ(TextDialog::FindListIndex(&list, "gamma"), 0);
  EXPECT_EQ(TextDialog::FindListIndex(&list, ""), 0);
  EXPECT_EQ(TextDialog::FindListIndex(&list, "bet"), 0);
}

TEST_F(TextDialogTest, StartsFromTheVariables) {
  const QStringList fonts = screenFontNames();
  ASSERT_GE(fonts.size(), 2);
  Globals& g = globals();
  g.textFontName = fonts[1].toUpper().toStdString();
  g.textFontSize = 20;
  g.textStyleIndex = 5;
  g.textString = "你好";
  {
    TextDialog d(nullptr);
    EXPECT_EQ(child<QComboBox>(&d, "cboFont")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(&d, "cboSize")->currentText(), "20");
    EXPECT_EQ(child<QComboBox>(&d, "cboStyle")->currentIndex(), 5);
    EXPECT_EQ(child<QPlainTextEdit>(&d, "txtText")->toPlainText(), QString::fromUtf8("你好"));
  }
  // A font no longer installed and a size outside the list.
  g.textFontName = "No Such Font 12345";
  g.textFontSize = 100;
  TextDialog d(nullptr);
  EXPECT_EQ(child<QComboBox>(&d, "cboFont")->currentIndex(), 0);
  EXPECT_EQ(child<QComboBox>(&d, "cboSize")->currentText(), "8");
}

TEST_F(TextDialogTest, AcceptStoresCancelAndCloseKeep) {
  {
    TextDialog d(nullptr);
    child<QComboBox>(&d, "cboFont")->setCurrentIndex(1);
    child<QComboBox>(&d, "cboSize")->setCurrentText("36");
    child<QComboBox>(&d, "cboStyle")->setCurrentIndex(6);
    child<QPlainTextEdit>(&d, "txtText")->setPlainText("Hi");
    test::click(&d, "cmdOK");
    const Globals& g = globals();
    EXPECT_EQ(g.dlgResult, 1);
    EXPECT_EQ(g.textFontName, screenFontNames()[1].toStdString());
    EXPECT_EQ(g.textFontSize, 36);
    EXPECT_EQ(g.textStyleIndex, 6);
    EXPECT_EQ(g.textString, "Hi");
  }
  {
    globals().dlgResult = 2;
    TextDialog d(nullptr);
    child<QComboBox>(&d, "cboSize")->setCurrentText("9");
    child<QPlainTextEdit>(&d, "txtText")->setPlainText("changed");
    test::click(&d, "cmdCancel");
    EXPECT_EQ(globals().dlgResult, 2);
  }
  {
    TextDialog d(nullptr);
    d.show();
    child<QPlainTextEdit>(&d, "txtText")->setPlainText("changed");
    d.close();
    EXPECT_EQ(globals().dlgResult, 2);
  }
  EXPECT_EQ(globals().textString, "Hi");
  EXPECT_EQ(globals().textFontSize, 36);
}

TEST_F(TextDialogTest, EnterInTheTextBoxAcceptsAndEscapeDoesNothing) {
  TextDialog d(nullptr);
  d.show();
  auto* text = child<QPlainTextEdit>(&d, "txtText");
  text->setPlainText("one");
  test::pressKey(&d, Qt::Key_Escape);
  EXPECT_TRUE(d.isVisible());
  text->moveCursor(QTextCursor::End);
  test::pressKey(text, Qt::Key_Return);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(globals().dlgResult, 1);
  EXPECT_EQ(globals().textString, "one");
}

TEST_F(TextDialogTest, ThePreviewFollowsTheChoices) {
  TextDialog d(nullptr);
  auto* style = child<QComboBox>(&d, "cboStyle");
  style->setCurrentIndex(4);
  EXPECT_TRUE(d.preview()->sampleFont().underline);
  style->setCurrentIndex(0);
  const SurfaceFont& f = d.preview()->sampleFont();
  EXPECT_FALSE(f.underline || f.bold || f.italic);
  child<QComboBox>(&d, "cboSize")->setCurrentText("30");
  child<QComboBox>(&d, "cboFont")->setCurrentIndex(1);
  EXPECT_EQ(d.preview()->sampleFont().size, 30);
  EXPECT_EQ(d.preview()->sampleFont().name, child<QComboBox>(&d, "cboFont")->currentText().toStdString());
  // Centred: the free space on both sides differs by at most one pixel.
  const QPoint at = d.preview()->samplePosition();
  const int width = QFontMetrics(surfaceQFont(d.preview()->sampleFont())).horizontalAdvance("Vellora");
  EXPECT_LE(std::abs(at.x() - (d.preview()->width() - at.x() - width)), 1);
}

}  // namespace pictavo
