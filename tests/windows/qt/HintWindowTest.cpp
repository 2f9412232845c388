// The delete hint window: the canvas is cleared only after the shredder
// icon and then "删除"; every other way out leaves it alone.
#include "ModalDriver.h"

#include "base/Globals.h"
#include "canvas/Surface.h"
#include "windows/HintWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace pictavo {
namespace {

using namespace pictavo::test;

constexpr Color kCanvasBack = 0x00C0E0FF;

std::vector<std::uint32_t> pixelsOf(const Surface& s) {
  const std::uint32_t* p = s.visibleBits();
  return std::vector<std::uint32_t>(p, p + size_t(s.Width()) * size_t(s.Height()));
}

Surface drawnCanvas() {
  Surface canvas(30, 20, kCanvasBack);
  canvas.Line(0, 0, 29, 19, kBlack);
  canvas.SetPixel(5, 15, 0x000000FF);
  canvas.Refresh();
  return canvas;
}

TEST(HintWindow, ShredderThenDeleteClearsTheCanvasAndKeepsItsSize) {
  Surface canvas = drawnCanvas();
  globals().dlgResult = 9;
  Watchdog watchdog;
  QString firstStep, secondStep;
  bool deleteShownAtFirst = true, deleteShownAfter = false, frameShownAfter = false;
  whenModal("warndywtd", [&](QWidget* w) {
    firstStep = labelText(w, "Label3");
    deleteShownAtFirst = child(w, "Command2")->isVisible() || child(w, "Image3")->isVisible();
    mouseClick(child(w, "Image2"));
    mouseClick(child(w, "Image2"));  // a second click changes nothing more
    secondStep = labelText(w, "Label3");
    deleteShownAfter = child(w, "Command2")->isVisible();
    frameShownAfter = child(w, "Image3")->isVisible();
    click(w, "Command2");
  });
  HintWindow::ask(nullptr, canvas);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(firstStep, QStringLiteral("要删除,先点击下面左边的文件粉碎图标"));
  EXPECT_FALSE(deleteShownAtFirst);
  EXPECT_EQ(secondStep, QStringLiteral("然后点击右边的删除"));
  EXPECT_TRUE(deleteShownAfter);
  EXPECT_TRUE(frameShownAfter);

  EXPECT_EQ(canvas.Width(), 30);
  EXPECT_EQ(canvas.Height(), 20);
  EXPECT_EQ(canvas.BackColor(), kCanvasBack);
  const std::vector<std::uint32_t> cleared(30 * 20, pixelFromColor(kCanvasBack));
  EXPECT_EQ(pixelsOf(canvas), cleared);
  EXPECT_EQ(canvas.GetPixel(0, 0), kCanvasBack);  // the persistent image too
  EXPECT_EQ(globals().dlgResult, 2);
}

TEST(HintWindow, CancelEscAndCloseBoxLeaveTheCanvasAndStartOverNextTime) {
  Surface canvas = drawnCanvas();
  const std::vector<std::uint32_t> before = pixelsOf(canvas);
  globals().dlgResult = 9;

  // Armed, then cancelled.
  {
    Watchdog watchdog;
    whenModal("warndywtd", [&](QWidget* w) {
      mouseClick(child(w, "Image2"));
      click(w, "Command1");
    });
    HintWindow::ask(nullptr, canvas);
    EXPECT_FALSE(watchdog.fired());
  }
  // The next showing is unarmed again; Esc closes it.
  {
    Watchdog watchdog;
    bool deleteShown = true;
    QString step;
    whenModal("warndywtd", [&](QWidget* w) {
      deleteShown = child(w, "Command2")->isVisible();
      step = labelText(w, "Label3");
      pressKey(w, Qt::Key_Escape);
    });
    HintWindow::ask(nullptr, canvas);
    EXPECT_FALSE(watchdog.fired());
    EXPECT_FALSE(deleteShown);
    EXPECT_EQ(step, QStringLiteral("要删除,先点击下面左边的文件粉碎图标"));
  }
  // Armed, then the close box.
  {
    Watchdog watchdog;
    whenModal("warndywtd", [&](QWidget* w) {
      mouseClick(child(w, "Image2"));
      w->close();
    });
    HintWindow::ask(nullptr, canvas);
    EXPECT_FALSE(watchdog.fired());
  }
  EXPECT_EQ(pixelsOf(canvas), before);
  EXPECT_EQ(globals().dlgResult, 9);
}

}  // namespace
}  // namespace pictavo
