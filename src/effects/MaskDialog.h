#pragma once
// The background dialog frmMask ("图片背景"): the user picks a picture file
// with "..." and sees it laid over a 160 x 160 thumbnail of the canvas, with
// pure magenta transparent, as the command will lay it over the canvas.
// "复位" shows the plain thumbnail again (the file name stays). OK writes
// maskFile and dlgResult 1; Cancel writes dlgResult 2. Failures of "..."
// (also the file dialog's Cancel) are reported in the error window and the
// dialog stays open.
//
// Object names: "lblMask", "txtFilename", "cmdOpen", "pView", "cmdOK",
// "cmdReset", "CmdCancel"; the file dialog "CD1".

#include "canvas/Surface.h"

#include <QDialog>

class QLineEdit;

namespace pictavo {

class PreviewBox;

class MaskDialog : public QDialog {
  Q_OBJECT
 public:
  MaskDialog(QWidget* owner, const Surface& canvas);

  // Shows a new dialog modally and returns dlgResult once it has closed.
  static int ask(QWidget* owner, const Surface& canvas);

  PreviewBox* preview() const { return view_; }

 private:
  void DrawPreview();
  void ComposePreview();
  void browse();
  void resetPreview();
  void accept() override;
  void reject() override;

  const Surface& canvas_;
  QLineEdit* fileName_ = nullptr;
  PreviewBox* view_ = nullptr;
  Surface pMask_, pTmp_;
};

}  // namespace pictavo
