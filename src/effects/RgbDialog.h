#pragma once
// The RGB dialog frmRgb ("红/蓝/绿 调整"): three bars for the red, green and
// blue offsets (-100 to 100) and a preview of their effect on a thumbnail of
// the canvas, rebuilt from the canvas at every bar event. OK writes rgbRed,
// rgbGreen, rgbBlue and dlgResult 1; Cancel writes dlgResult 2.
//
// Object names: "lblrgb0".."lblrgb2", "sbRgb0".."sbRgb2", "lblValue0"..
// "lblValue2" (the control arrays lblrgb(i), sbRgb(i), lblValue(i)),
// "pView", "cmdOK", "cmdCancel".

#include <QDialog>

#include <array>

class QLabel;
class QScrollBar;

namespace pictavo {

class PreviewBox;
class Surface;

class RgbDialog : public QDialog {
  Q_OBJECT
 public:
  RgbDialog(QWidget* owner, const Surface& canvas);

  // Shows a new dialog modally and returns dlgResult once it has closed.
  static int ask(QWidget* owner, const Surface& canvas);

  PreviewBox* preview() const { return view_; }

 private:
  void DrawPreview();
  void barChanged(int index);
  void accept() override;
  void reject() override;

  const Surface& canvas_;
  std::array<QScrollBar*, 3> bars_{};
  std::array<QLabel*, 3> values_{};
  PreviewBox* view_ = nullptr;
};

}  // namespace pictavo
