#pragma once
// The brightness dialog frmBright (title "白色"): one vertical bar for the
// brightness offset (-100 at its top end, 100 at its bottom end, so moving
// the thumb down brightens) and a 130 x 130 preview rebuilt from the canvas
// at every bar event. OK writes dlgResult 6 (not 1) and brightValue; Cancel
// writes dlgResult 2.
//
// Object names: "lblBrightness", "lblValue", "sBar", "pView", "cmdOK",
// "cmdCancel".

#include <QDialog>

class QLabel;
class QScrollBar;

namespace pictavo {

class PreviewBox;
class Surface;

class BrightnessDialog : public QDialog {
  Q_OBJECT
 public:
  // The value dlgResult takes when the dialog is accepted.
  static constexpr int kAccepted = 6;

  BrightnessDialog(QWidget* owner, const Surface& canvas);

  // Shows a new dialog modally and returns dlgResult once it has closed.
  static int ask(QWidget* owner, const Surface& canvas);

  PreviewBox* preview() const { return view_; }

 private:
  void DrawPreview();
  void barChanged();
  void accept() override;
  void reject() override;

  const Surface& canvas_;
  QScrollBar* bar_ = nullptr;
  QLabel* value_ = nullptr;
  PreviewBox* view_ = nullptr;
};

}  // namespace pictavo
