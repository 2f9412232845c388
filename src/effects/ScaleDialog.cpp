#include "effects/ScaleDialog.h"
#include "windows/DialogParts.h"

#include "base/Globals.h"
#include "base/NumberEntry.h"
#include "canvas/Surface.h"
#include "windows/ErrorWindow.h"
#include "windows/WindowArt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pictavo {

namespace {

const QString kCodeLine = QStringLiteral("错误代码:Ne12");

}  // namespace

ScaleDialog::ScaleDialog(QWidget* owner)
    : QDialog(owner, kDialogFlags) {
  setUpDialog(this, "frmScale", QStringLiteral("图像拉伸"), 280, 92);

  auto* widthCaption = new QLabel(QStringLiteral("宽度:"), this);
  widthCaption->setObjectName(QStringLiteral("lblWidth"));
  widthCaption->setGeometry(16, 18, 48, 20);
  width_ = new QLineEdit(QString::number(globals().canvasWidth), this);
  width_->setObjectName(QStringLiteral("txtWidth"));
  width_->setGeometry(64, 16, 96, 24);
  auto* heightCaption = new QLabel(QStringLiteral("高度:"), this);
  heightCaption->setObjectName(QStringLiteral("lblheight"));
  heightCaption->setGeometry(16, 54, 48, 20);
  height_ = new QLineEdit(QString::number(globals().canvasHeight), this);
  height_->setObjectName(QStringLiteral("txtHeight"));
  height_->setGeometry(64, 52, 96, 24);

  auto* ok = addButton(this, "cmdOK", QStringLiteral("确定"), QRect(184, 15, 80, 26), ButtonRole::Default);
  auto* cancel = addButton(this, "cmdCancel", QStringLiteral("取消"), QRect(184, 51, 80, 26));
  connect(ok, &QPushButton::clicked, this, &ScaleDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ScaleDialog::reject);
}

int ScaleDialog::ask(QWidget* owner) {
  ScaleDialog dialog(owner);
  dialog.exec();
  return globals().dlgResult;
}

void ScaleDialog::accept() {
  Globals& g = globals();
  g.canvasWidth = leadingInteger(width_->text().toStdString());
  g.canvasHeight = leadingInteger(height_->text().toStdString());
  if (g.canvasHeight < 1 || g.canvasWidth < 1) {
    ErrorWindow::report(this, kCodeLine, QStringLiteral("图片的像素值必须大于零的阿拉伯数字!"));
    return;
  }
  if (!Surface::sizeAllowed(g.canvasWidth, g.canvasHeight)) {
    // Refused here so the user can correct the size instead of the stretch
    // failing after the dialog has closed.
    ErrorWindow::report(this, kCodeLine, canvasTooLargeReason());
    return;
  }
  g.dlgResult = 1;
  done(QDialog::Accepted);
}

void ScaleDialog::reject() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

}  // namespace pictavo
