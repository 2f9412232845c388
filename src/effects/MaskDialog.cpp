#include "effects/MaskDialog.h"
#include "windows/DialogParts.h"

#include "base/Errors.h"
#include "base/Globals.h"
#include "formats/PictureDecoder.h"
#include "effects/PreviewBox.h"
#include "windows/ErrorWindow.h"
#include "windows/WindowArt.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pictavo {

namespace {
constexpr int kPreviewSide = 160;
}  // namespace

MaskDialog::MaskDialog(QWidget* owner, const Surface& canvas)
    : QDialog(owner, kDialogFlags),
      canvas_(canvas),
      pMask_(Surface::hiddenBuffer()),
      pTmp_(Surface::hiddenBuffer()) {
  setUpDialog(this, "frmMask", QStringLiteral("图片背景"), 368, 256);

  auto* caption = new QLabel(QStringLiteral("图片背景文件:"), this);
  caption->setObjectName(QStringLiteral("lblMask"));
  caption->setGeometry(16, 12, 160, 20);
  // The name comes from "..." only, so the preview always shows the named file.
  fileName_ = new QLineEdit(this);
  fileName_->setObjectName(QStringLiteral("txtFilename"));
  fileName_->setGeometry(16, 36, 200, 24);
  fileName_->setReadOnly(true);
  auto* open = new QPushButton(QStringLiteral("..."), this);
  open->setObjectName(QStringLiteral("cmdOpen"));
  open->setGeometry(220, 36, 32, 24);
  open->setAutoDefault(false);

  view_ = new PreviewBox(QSize(kPreviewSide, kPreviewSide), QSize(kPreviewSide, kPreviewSide), this);
  view_->setObjectName(QStringLiteral("pView"));
  view_->move(16, 76);

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(272, 36, 80, 26);
  ok->setAutoDefault(false);
  auto* reset = new QPushButton(QStringLiteral("复位"), this);
  reset->setObjectName(QStringLiteral("cmdReset"));
  reset->setGeometry(272, 72, 80, 26);
  reset->setAutoDefault(false);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("CmdCancel"));
  cancel->setGeometry(272, 108, 80, 26);
  cancel->setAutoDefault(false);

  connect(open, &QPushButton::clicked, this, &MaskDialog::browse);
  connect(reset, &QPushButton::clicked, this, &MaskDialog::resetPreview);
  connect(ok, &QPushButton::clicked, this, &MaskDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &MaskDialog::reject);

  DrawPreview();
}

int MaskDialog::ask(QWidget* owner, const Surface& canvas) {
  MaskDialog dialog(owner, canvas);
  dialog.exec();
  return globals().dlgResult;
}

void MaskDialog::DrawPreview() {
  view_->drawThumbnail(canvas_);
  view_->surface().Refresh();
}

void MaskDialog::ComposePreview() {
  Surface& view = view_->surface();
  pTmp_.Resize(view.Width(), view.Height());
  // The preview's own stretch mode (nearest), not halftone.
  pTmp_.StretchBlt(0, 0, view.Width(), view.Height(), pMask_, 0, 0, pMask_.ScaleWidth(), pMask_.ScaleHeight());
  view.TransparentBlt(0, 0, view.Width(), view.Height(), pTmp_, 0, 0, view.Width(), view.Height(), kMagenta);
  view.Refresh();
  pTmp_.Cls();
  pMask_ = Surface::hiddenBuffer();
}

void MaskDialog::browse() {
  try {
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setObjectName(QStringLiteral("CD1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) throw Error(kErrCancel);
    const QString name = dialog.selectedFiles().front();
    fileName_->setText(name);
    pMask_.SetPicture(decodePictureFile(name.toStdString()));
    ComposePreview();
  } catch (const Error& e) {
    ErrorWindow::report(this, e);
  }
}

void MaskDialog::resetPreview() { DrawPreview(); }

void MaskDialog::accept() {
  Globals& g = globals();
  g.maskFile = fileName_->text().toStdString();
  g.dlgResult = 1;
  done(QDialog::Accepted);
}

void MaskDialog::reject() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

}  // namespace pictavo
