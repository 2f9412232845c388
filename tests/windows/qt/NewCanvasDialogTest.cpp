// The new-canvas dialog: reading the size boxes, the colour list (the
// palette's colours read at the click), the refusals that keep it open,
// and the ways out that leave dlgResult at 2.
#include "ModalDriver.h"

#include "base/Globals.h"
#include "base/NumberEntry.h"
#include "documents/NewCanvasDialog.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

constexpr Color kUntouched = 0x00123456;

class NewCanvasDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Globals& g = globals();
    g.canvasWidth = -1;
    g.canvasHeight = -1;
    g.canvasBackColor = kUntouched;
    g.dlgResult = 2;
  }

  // Fills the dialog as a user would and clicks "开始绘画>".
  static void fillAndStart(QWidget* w, const QString& width, const QString& height, int colorIndex = 0) {
    child<QLineEdit>(w, "txtWidth")->setText(width);
    child<QLineEdit>(w, "txtHeight")->setText(height);
    child<QComboBox>(w, "cboColor")->setCurrentIndex(colorIndex);
    click(w, "cmdOK");
  }

  struct Refusal {
    QString code, reason;
    bool stillOpen = false;
    QString widthShown;
  };

  // Clicks OK with the given texts, expecting the error window; closes it,
  // looks at the dialog, then cancels.
  static Refusal refuse(const QString& width, const QString& height) {
    Refusal r;
    Watchdog watchdog;
    whenModal("frmNew", [&](QWidget* w) {
      whenModal("errbox", [&](QWidget* e) {
        r.code = labelText(e, "Label2");
        r.reason = labelText(e, "Label3");
        click(e, "Command1");
      });
      fillAndStart(w, width, height);
      r.stillOpen = w->isVisible() && QApplication::activeModalWidget() == w;
      r.widthShown = child<QLineEdit>(w, "txtWidth")->text();
      w->close();
    });
    NewCanvasDialog::ask(nullptr);
    EXPECT_FALSE(watchdog.fired());
    return r;
  }
};

TEST_F(NewCanvasDialogTest, ReadsTheLeadingNumberOfEachBox) {
  struct Case {
    QString width, height;
    int w, h;
  };
  for (const Case& c : {Case{"12abc", " 640", 12, 640}, Case{"2.5", "3.5", 2, 4}, Case{"800", "600", 800, 600}}) {
    SetUp();
    Watchdog watchdog;
    whenModal("frmNew", [&](QWidget* w) { fillAndStart(w, c.width, c.height); });
    EXPECT_EQ(NewCanvasDialog::ask(nullptr), 1);
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(globals().canvasWidth, c.w) << c.width.toStdString();
    EXPECT_EQ(globals().canvasHeight, c.h) << c.height.toStdString();
    EXPECT_EQ(globals().canvasBackColor, kWhite);
  }
}

TEST_F(NewCanvasDialogTest, EachColourItemGivesItsColourAndThePaletteIsReadAtTheClick) {
  Color color1 = 0x00010203, color2 = 0x00040506;
  auto palette = [&] { return std::pair<Color, Color>{color1, color2}; };
  const Color fixed[] = {0x00FFFFFF, 0x00000000, 0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
  for (int index = 0; index < 8; ++index) {
    SetUp();
    Watchdog watchdog;
    whenModal("frmNew", [&](QWidget* w) {
      // The user picks other palette colours while the dialog is open.
      color1 = 0x00336699;
      color2 = 0x00C0E0FF;
      fillAndStart(w, "10", "10", index);
    });
    EXPECT_EQ(NewCanvasDialog::ask(nullptr, palette), 1);
    EXPECT_FALSE(watchdog.fired());
    const Color expected = index < 6 ? fixed[index] : index == 6 ? Color(0x00336699) : Color(0x00C0E0FF);
    EXPECT_EQ(globals().canvasBackColor, expected) << "item " << index;
    color1 = 0x00010203;
    color2 = 0x00040506;
  }
}

TEST_F(NewCanvasDialogTest, SizesBelowOneAreRefusedWithNe1AndTheDialogStaysOpen) {
  struct Case {
    QString width;
    int stored;
  };
  for (const Case& c : {Case{"0", 0}, Case{"abc", 0}, Case{"0.4", 0}, Case{"-5", -5}, Case{"", 0}}) {
    SetUp();
    const Refusal r = refuse(c.width, "300");
    EXPECT_EQ(r.code, QStringLiteral("错误代码:Ne1")) << c.width.toStdString();
    EXPECT_EQ(r.reason, QStringLiteral("图片的像素值必须大于零的阿拉伯数字!"));
    EXPECT_TRUE(r.stillOpen);
    EXPECT_EQ(r.widthShown, c.width);
    // Both sizes were stored before the check; nothing else was.
    EXPECT_EQ(globals().canvasWidth, c.stored);
    EXPECT_EQ(globals().canvasHeight, 300);
    EXPECT_EQ(globals().canvasBackColor, kUntouched);
    EXPECT_EQ(globals().dlgResult, 2);
  }
  // A refused height is caught as well.
  SetUp();
  EXPECT_EQ(refuse("300", "0").code, QStringLiteral("错误代码:Ne1"));
  EXPECT_EQ(globals().canvasWidth, 300);
  EXPECT_EQ(globals().canvasHeight, 0);
}

TEST_F(NewCanvasDialogTest, SizesBeyondTheCanvasLimitAreRefusedAndTheDialogStaysOpen) {
  // One side too long, and two allowed sides whose area is too large.
  for (const auto& [width, height] : {std::pair{QString("40000"), QString("10")},
                                      std::pair{QString("20000"), QString("20000")},
                                      std::pair{QString("99999999999"), QString("1")}}) {
    SetUp();
    const Refusal r = refuse(width, height);
    EXPECT_EQ(r.code, QStringLiteral("错误代码:Ne1"));
    EXPECT_TRUE(r.reason.contains("32767")) << r.reason.toStdString();
    EXPECT_TRUE(r.reason.contains("16384")) << r.reason.toStdString();
    EXPECT_TRUE(r.stillOpen);
    EXPECT_EQ(globals().canvasWidth, leadingInteger(width.toStdString()));
    EXPECT_EQ(globals().canvasBackColor, kUntouched);
    EXPECT_EQ(globals().dlgResult, 2);
  }
  // The largest allowed canvas passes.
  SetUp();
  Watchdog watchdog;
  whenModal("frmNew", [&](QWidget* w) { fillAndStart(w, "16384", "16384"); });
  EXPECT_EQ(NewCanvasDialog::ask(nullptr), 1);
}

TEST_F(NewCanvasDialogTest, CancelSetsTwoWhileCloseBoxAndLinksChangeNothing) {
  const auto run = [](std::function<void(QWidget*)> act) {
    Watchdog watchdog;
    whenModal("frmNew", std::move(act));
    NewCanvasDialog::ask(nullptr);
    EXPECT_FALSE(watchdog.fired());
  };
  globals().dlgResult = 7;  // only to tell "set to 2" from "left alone"
  run([](QWidget* w) { click(w, "CmdCancel"); });
  EXPECT_EQ(globals().dlgResult, 2);

  globals().dlgResult = 7;
  run([](QWidget* w) { w->close(); });
  EXPECT_EQ(globals().dlgResult, 7);

  bool closedByBanner = false;
  run([&](QWidget* w) {
    mouseClick(child(w, "Image1"));
    closedByBanner = !w->isVisible();
    if (!closedByBanner) w->close();
  });
  EXPECT_TRUE(closedByBanner);
  bool closedByAdvert = false;
  run([&](QWidget* w) {
    mouseClick(child(w, "Label1"));
    closedByAdvert = !w->isVisible();
    if (!closedByAdvert) w->close();
  });
  EXPECT_TRUE(closedByAdvert);
  EXPECT_EQ(globals().dlgResult, 7);
  EXPECT_EQ(globals().canvasWidth, -1);
  EXPECT_EQ(globals().canvasBackColor, kUntouched);
}

TEST_F(NewCanvasDialogTest, EnterInTheWidthBoxStartsDrawing) {
  Watchdog watchdog;
  whenModal("frmNew", [&](QWidget* w) {
    auto* width = child<QLineEdit>(w, "txtWidth");
    width->setText("64");
    pressKey(width, Qt::Key_Return);
  });
  EXPECT_EQ(NewCanvasDialog::ask(nullptr), 1);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(globals().canvasWidth, 64);
  EXPECT_EQ(globals().canvasHeight, 400);
}

}  // namespace
}  // namespace pictavo
