// The RGB and brightness dialogs: bars, value labels, the preview rebuilt
// from the canvas at every bar event, and what OK and Cancel leave behind.
#include "../../windows/qt/ModalDriver.h"

#include "base/Globals.h"
#include "effects/BrightnessDialog.h"
#include "effects/PreviewBox.h"
#include "effects/RgbDialog.h"
#include "support/TestPictures.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

std::vector<std::uint32_t> pixelsOf(const Surface& s) {
  const std::uint32_t* p = s.visibleBits();
  return {p, p + std::size_t(s.Width()) * std::size_t(s.Height())};
}

// A canvas of two halves: left (200, 0, 50), right (50, 50, 200).
Surface twoHalves(int w, int h) {
  Surface s(w, h);
  s.Line(0, 0, w / 2 - 1, h - 1, composeColor(200, 0, 50), LineKind::FilledBox);
  s.Line(w / 2, 0, w - 1, h - 1, composeColor(50, 50, 200), LineKind::FilledBox);
  return s;
}

class AdjustmentDialogs : public ::testing::Test {
 protected:
  void SetUp() override { globals().dlgResult = 2; }
};

TEST_F(AdjustmentDialogs, RgbPreviewIsOneAdjustmentOfTheCanvasNeverAnAccumulation) {
  const Surface canvas = twoHalves(300, 40);
  RgbDialog dialog(nullptr, canvas);
  const Surface& view = dialog.preview()->surface();
  // The adjustment runs on the 80 x 80 thumbnail only; the strip's rest stays blank.
  ASSERT_EQ(view.Width(), 80);
  ASSERT_EQ(view.Height(), 80);
  const std::vector<std::uint32_t> plain = pixelsOf(view);
  EXPECT_EQ(view.GetPixel(0, 0), composeColor(200, 0, 50));
  EXPECT_EQ(view.GetPixel(79, 79), composeColor(50, 50, 200));  // squeezed, aspect not kept

  auto* red = child<QScrollBar>(&dialog, "sbRgb0");
  auto* blue = child<QScrollBar>(&dialog, "sbRgb2");
  red->setValue(-100);
  blue->setValue(100);
  EXPECT_EQ(labelText(&dialog, "lblValue0"), "-100");
  EXPECT_EQ(labelText(&dialog, "lblValue1"), "0");
  EXPECT_EQ(labelText(&dialog, "lblValue2"), "100");
  EXPECT_EQ(view.GetPixel(79, 79), composeColor(0, 50, 255));
  EXPECT_EQ(view.GetPixel(0, 0), composeColor(100, 0, 150));
  // Moving a bar again adjusts the canvas afresh, and back to 0 shows the
  // unaltered thumbnail.
  red->setValue(-99);
  EXPECT_EQ(view.GetPixel(0, 0), composeColor(101, 0, 150));
  red->setValue(0);
  blue->setValue(0);
  EXPECT_EQ(pixelsOf(view), plain);
}

TEST_F(AdjustmentDialogs, RgbOkWritesTheOffsetsCancelWritesNothing) {
  const Surface canvas(10, 10);
  {
    RgbDialog dialog(nullptr, canvas);
    child<QScrollBar>(&dialog, "sbRgb0")->setValue(-35);
    child<QScrollBar>(&dialog, "sbRgb1")->setValue(7);
    click(&dialog, "cmdOK");
    EXPECT_EQ(globals().dlgResult, 1);
    EXPECT_EQ(globals().rgbRed, -35);
    EXPECT_EQ(globals().rgbGreen, 7);
    EXPECT_EQ(globals().rgbBlue, 0);
  }
  RgbDialog again(nullptr, canvas);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(child<QScrollBar>(&again, QStringLiteral("sbRgb%1").arg(i).toLatin1().constData())->value(), 0);
  child<QScrollBar>(&again, "sbRgb2")->setValue(50);
  click(&again, "cmdCancel");
  EXPECT_EQ(globals().dlgResult, 2);
  EXPECT_EQ(globals().rgbBlue, 0);
}

TEST_F(AdjustmentDialogs, BrightnessBarDownBrightensAndOkAnswersSix) {
  const Surface canvas = twoHalves(40, 400);
  BrightnessDialog dialog(nullptr, canvas);
  const Surface& view = dialog.preview()->surface();
  ASSERT_EQ(view.Width(), 130);
  ASSERT_EQ(view.Height(), 130);
  auto* bar = child<QScrollBar>(&dialog, "sBar");
  EXPECT_EQ(bar->orientation(), Qt::Vertical);
  EXPECT_EQ(bar->minimum(), -100);  // the top end
  bar->setValue(100);
  EXPECT_EQ(labelText(&dialog, "lblValue"), "100");
  EXPECT_EQ(view.GetPixel(0, 0), composeColor(255, 100, 150));
  bar->setValue(-100);
  EXPECT_EQ(view.GetPixel(0, 0), composeColor(100, 0, 0));
  bar->setValue(-20);
  click(&dialog, "cmdOK");
  EXPECT_EQ(globals().dlgResult, BrightnessDialog::kAccepted);
  EXPECT_EQ(globals().brightValue, -20);
}

// Enter accepts the RGB dialog through its default OK but not the brightness
// dialog, wherever the focus is; Esc cancels both.
TEST_F(AdjustmentDialogs, EnterAcceptsOnlyTheRgbDialogEscCancelsBoth) {
  const Surface canvas(10, 10);
  {
    RgbDialog rgb(nullptr, canvas);
    rgb.show();
    pressKey(child(&rgb, "sbRgb0"), Qt::Key_Return);
    EXPECT_EQ(globals().dlgResult, 1);
  }
  for (const char* focus : {"sBar", "cmdOK", "cmdCancel"}) {
    globals().dlgResult = 2;
    BrightnessDialog bright(nullptr, canvas);
    bright.show();
    child(&bright, "sBar")->setFocus();
    child<QScrollBar>(&bright, "sBar")->setValue(30);
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) pressKey(child(&bright, focus), key);
    EXPECT_EQ(globals().dlgResult, 2) << focus;
    EXPECT_TRUE(bright.isVisible()) << focus;
    pressKey(child(&bright, focus), Qt::Key_Escape);
    EXPECT_EQ(globals().dlgResult, 2) << focus;
    EXPECT_FALSE(bright.isVisible()) << focus;
    EXPECT_EQ(bright.result(), QDialog::Rejected) << focus;
  }
}

}  // namespace
}  // namespace pictavo
