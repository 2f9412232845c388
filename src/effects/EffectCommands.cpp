#include "effects/EffectCommands.h"

#include "base/Errors.h"
#include "base/Globals.h"
#include "base/NumberEntry.h"
#include "canvas/Clipboard.h"
#include "formats/PictureDecoder.h"
#include "effects/BackgroundPicture.h"
#include "effects/Bitmap.h"
#include "effects/BrightnessDialog.h"
#include "effects/CanvasTransforms.h"
#include "effects/InputPrompt.h"
#include "effects/MaskDialog.h"
#include "effects/RgbDialog.h"
#include "effects/ScaleDialog.h"
#include "effects/SharpenFactor.h"
#include "effects/StrokeDialog.h"
#include "windows/CommandHost.h"
#include "windows/ErrorWindow.h"

#include <QAction>
#include <QMessageBox>


namespace pictavo {

namespace {

// The noise amount n must keep 2n + 1 within 16 bits.
constexpr int kNoiseMin = -16384;
constexpr int kNoiseMax = 16383;

const QString kNoiseTitle = QStringLiteral("噪点");
const QString kSharpenTitle = QStringLiteral("锐化");

void inform(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox::information(owner, title, text);
}

}  // namespace

EffectCommands::EffectCommands(CommandHost& window) : QObject(window.commandWindow()), window_(window) {
  using namespace Bitmap;
  on("mnuInvert", [this] { InvertColors(window_.canvas()); });
  on("mnuGray", [this] { GrayPicture(window_.canvas()); });
  on("mnuRed", [this] { RemoveChannel(window_.canvas(), 0); });
  on("mnuGreen", [this] { RemoveChannel(window_.canvas(), 1); });
  on("mnuBlue", [this] { RemoveChannel(window_.canvas(), 2); });
  on("mnuMirror", [this] { MirrorPicture(window_.canvas()); });
  on("mnuPixel", [this] { PixelatePicture(window_.canvas()); });
  on("mnuBlur", [this] { BlurPicture(window_.canvas()); });
  on("mnuBlureMore", [this] { BlurPictureMore(window_.canvas()); });
  on("mnuDiffuse", [this] { DiffusePicture(window_.canvas()); });
  on("mnuAddNoise", [this] { return addNoise(); });
  on("mnuSharpen", [this] { return sharpen(); });
  on("mnuSharpMore", [this] { return sharpenMore(); });
  on("mnuAdjust", [this] { return adjustRgb(); });
  on("mnuBright", [this] { return adjustBrightness(); });

  on("mnuScale", [this] { return stretch(); });
  on("mnuFlipV", [this] { ImageTools::FlipPicture(window_.canvas(), ImageTools::kFlipLeftRight); });
  on("mnuFlipHoz", [this] { ImageTools::FlipPicture(window_.canvas(), ImageTools::kFlipUpsideDown); });
  on("mnuBoth", [this] { ImageTools::FlipPicture(window_.canvas(), ImageTools::kFlipBoth); });
  on("mnuStroke", [this] { return border(); });
  on("mnuMask", [this] { return backgroundPicture(); });
  on("mnuRotateRight", [this] { return turn(QuarterTurn::Right); });
  on("mnuRotateLeft", [this] { return turn(QuarterTurn::Left); });
  on("mnuRotate180", [this] { return turn(QuarterTurn::Half); });
  on("mnuCrop", [this] { return crop(); });
}

template <class F>
void EffectCommands::on(const char* item, F command) {
  QAction* action = window_.menuItem(QString::fromLatin1(item));
  if (!action) return;
  connect(action, &QAction::triggered, this, [this, command] {
    // Run while a gesture holds the canvas's drawing on its visible layer
    // (the shortcut pressed with the mouse button down), a command would
    // draw only there and be lost at the next refresh: commands always draw
    // on the picture itself.
    struct PersistentDrawing {
      Surface& canvas;
      const bool was = canvas.AutoRedraw();
      explicit PersistentDrawing(Surface& c) : canvas(c) { canvas.SetAutoRedraw(true); }
      ~PersistentDrawing() { canvas.SetAutoRedraw(was); }
    } persistent(window_.canvas());
    try {
      command();
    } catch (const Error& e) {
      ErrorWindow::report(window_.commandWindow(), e);
    }
  });
}

bool EffectCommands::addNoise() {
  const QString answer = askInput(window_.commandWindow(), QStringLiteral("输入噪点值,噪点效果随噪点值的增大而增大"), kNoiseTitle,
                                  QStringLiteral("16"));
  // Cancel gives an empty answer, which runs with 0.
  const int amount = leadingInteger(answer.toStdString());
  if (amount < kNoiseMin || amount > kNoiseMax) {
    inform(window_.commandWindow(), kNoiseTitle,
           QStringLiteral("噪点值必须在%1到%2之间!").arg(kNoiseMin).arg(kNoiseMax));
    return false;
  }
  Bitmap::AddNoise(window_.canvas(), amount);
  return true;
}

bool EffectCommands::sharpen() {
  const QString answer = askInput(window_.commandWindow(), QStringLiteral("请输入锐化值."), kSharpenTitle, QStringLiteral("1.2"));
  try {
    globals().sharpenValue = sharpenFactor(answer);
    Bitmap::SharpenPicture(window_.canvas(), globals().sharpenValue);
    return true;
  } catch (const Error& e) {
    inform(window_.commandWindow(), kSharpenTitle, QString::fromStdString(e.description()));
    return false;
  }
}

bool EffectCommands::sharpenMore() {
  try {
    Bitmap::SharpenPicture(window_.canvas(), globals().sharpenValue);
    return true;
  } catch (const Error& e) {
    inform(window_.commandWindow(), kSharpenTitle, QString::fromStdString(e.description()));
    return false;
  }
}

bool EffectCommands::adjustRgb() {
  Globals& g = globals();
  const bool accepted = RgbDialog::ask(window_.commandWindow(), window_.canvas()) == 1;
  if (accepted) Bitmap::AdjustRGB(window_.canvas(), g.rgbRed, g.rgbGreen, g.rgbBlue);
  g.dlgResult = 2;
  return accepted;
}

bool EffectCommands::adjustBrightness() {
  Globals& g = globals();
  const bool accepted = BrightnessDialog::ask(window_.commandWindow(), window_.canvas()) == BrightnessDialog::kAccepted;
  if (accepted) Bitmap::AdjustBrightness(window_.canvas(), g.brightValue);
  g.dlgResult = 2;
  return accepted;
}

bool EffectCommands::stretch() {
  Globals& g = globals();
  Surface& canvas = window_.canvas();
  g.canvasHeight = canvas.Height();
  g.canvasWidth = canvas.Width();
  // dlgResult goes back to 2 also when the stretch fails.
  struct Reset {
    ~Reset() { globals().dlgResult = 2; }
  } reset;
  if (ScaleDialog::ask(window_.commandWindow()) != 1) return false;
  try {
    ImageTools::StretchPicture(canvas, window_.pSrc21(), g.canvasWidth, g.canvasHeight);
  } catch (...) {
    window_.layoutCanvas(CommandHost::Zoom::Keep);
    throw;
  }
  // Status panel 3 follows only at the next layout or grip move; the bars
  // show at once, so that a picture stretched beyond the window can be reached.
  window_.layoutCanvas(CommandHost::Zoom::Keep);
  return true;
}

bool EffectCommands::border() {
  Globals& g = globals();
  const bool accepted = StrokeDialog::ask(window_.commandWindow()) == 1;
  if (accepted) ImageTools::DrawBorder(window_.canvas(), g.strokeWidth, g.strokeColor);
  g.dlgResult = 2;
  return accepted;
}

bool EffectCommands::backgroundPicture() {
  Globals& g = globals();
  struct Reset {
    ~Reset() { globals().dlgResult = 2; }
  } reset;
  if (MaskDialog::ask(window_.commandWindow(), window_.canvas()) != 1) return false;
  Surface& canvas = window_.canvas();
  // An empty name loads no picture: every pixel counts as transparent.
  if (g.maskFile.empty()) {
    canvas.Refresh();
    return false;
  }
  ApplyBackgroundPicture(canvas, decodePictureFile(g.maskFile), window_.pMask(), window_.srcBrush2());
  return true;
}

bool EffectCommands::readyForNewPicture() {
  // A gesture under way would go on drawing on a picture of another shape.
  if (window_.engine().state().mouseIsDown) return false;
  window_.endPendingPaste();
  return true;
}

void EffectCommands::followNewSize() {
  window_.layoutCanvas(CommandHost::Zoom::Keep);
  window_.showCanvasSize();
}

bool EffectCommands::turn(QuarterTurn turn) {
  if (!readyForNewPicture()) return false;
  window_.hideSelection();
  ImageTools::TurnPicture(window_.canvas(), turn);
  followNewSize();
  return true;
}

bool EffectCommands::crop() {
  const OutlineShape selection = window_.selection();
  if (!selection.visible || !readyForNewPicture()) return false;
  Surface& canvas = window_.canvas();
  const Rect area = Clipboard::areaOnCanvas(selection, canvas);
  window_.hideSelection();
  // A selection beyond the canvas leaves nothing to keep; one covering it all changes nothing.
  if (area.isEmpty() || area == canvas.bounds()) return false;
  ImageTools::CropPicture(canvas, area);
  followNewSize();
  return true;
}

}  // namespace pictavo
