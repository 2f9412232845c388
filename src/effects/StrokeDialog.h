#pragma once
// The border dialog frmStroke ("图像边框"): the border width (text, "1" at
// every showing) and colour (a swatch, black at every showing; a click picks
// a colour in the colour dialog). When the width box loses the focus with a
// leading number of 0 (also empty or not a number) its text becomes "1";
// Enter while the box still has the focus skips that rule. OK writes
// strokeWidth, strokeColor and dlgResult 1; Cancel (also Esc) dlgResult 2.
//
// Object names: "Label1", "txtWidth", "lblColor", "pColor", "cmdok",
// "cmdCancel"; the colour dialog "CD2".

#include "canvas/Color.h"

#include <QDialog>

class QLineEdit;

namespace pictavo {

class ClickableLabel;

class StrokeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit StrokeDialog(QWidget* owner);

  // Shows a new dialog modally and returns dlgResult once it has closed.
  static int ask(QWidget* owner);

  Color swatchColor() const { return swatch_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pickColor();
  void setSwatch(Color c);
  void accept() override;
  void reject() override;

  QLineEdit* width_ = nullptr;
  ClickableLabel* colorBox_ = nullptr;
  Color swatch_ = kBlack;
};

}  // namespace pictavo
