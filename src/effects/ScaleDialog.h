#pragma once
// The stretch dialog frmScale ("图像拉伸"): the new width and height of the
// canvas, filled with canvasWidth and canvasHeight when it opens. OK writes
// the entered size to canvasWidth/canvasHeight and dlgResult 1, or refuses
// a size below 1 or beyond the canvas limit with the error window
// ("错误代码:Ne12") and stays open. Cancel writes dlgResult 2.
//
// Object names: "lblWidth", "lblheight", "txtWidth", "txtHeight", "cmdOK",
// "cmdCancel".

#include <QDialog>

class QLineEdit;

namespace pictavo {

class ScaleDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ScaleDialog(QWidget* owner);

  // Shows a new dialog modally and returns dlgResult once it has closed.
  static int ask(QWidget* owner);

 private:
  void accept() override;
  void reject() override;

  QLineEdit* width_ = nullptr;
  QLineEdit* height_ = nullptr;
};

}  // namespace pictavo
