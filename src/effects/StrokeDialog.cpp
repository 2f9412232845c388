#include "effects/StrokeDialog.h"
#include "windows/DialogParts.h"

#include "base/Globals.h"
#include "base/NumberEntry.h"
#include "windows/ClickableLabel.h"
#include "windows/WindowArt.h"

#include <QColorDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pictavo {

StrokeDialog::StrokeDialog(QWidget* owner)
    : QDialog(owner, kDialogFlags) {
  setUpDialog(this, "frmStroke", QStringLiteral("图像边框"), 280, 92);

  auto* widthCaption = new QLabel(QStringLiteral("边框宽度:"), this);
  widthCaption->setObjectName(QStringLiteral("Label1"));
  widthCaption->setGeometry(16, 18, 72, 20);
  width_ = new QLineEdit(QStringLiteral("1"), this);
  width_->setObjectName(QStringLiteral("txtWidth"));
  width_->setGeometry(88, 16, 72, 24);
  width_->installEventFilter(this);

  auto* colorCaption = new QLabel(QStringLiteral("边框颜色:"), this);
  colorCaption->setObjectName(QStringLiteral("lblColor"));
  colorCaption->setGeometry(16, 54, 72, 20);
  colorBox_ = new ClickableLabel(this);
  colorBox_->setObjectName(QStringLiteral("pColor"));
  colorBox_->setGeometry(88, 52, 72, 24);
  colorBox_->setFrameShape(QFrame::Panel);
  colorBox_->setFrameShadow(QFrame::Sunken);
  colorBox_->setAutoFillBackground(true);
  colorBox_->setCursor(Qt::PointingHandCursor);
  setSwatch(kBlack);
  connect(colorBox_, &ClickableLabel::clicked, this, &StrokeDialog::pickColor);

  auto* ok = addButton(this, "cmdok", QStringLiteral("确定"), QRect(184, 15, 80, 26), ButtonRole::Default);
  auto* cancel = addButton(this, "cmdCancel", QStringLiteral("取消"), QRect(184, 51, 80, 26));
  connect(ok, &QPushButton::clicked, this, &StrokeDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &StrokeDialog::reject);
}

int StrokeDialog::ask(QWidget* owner) {
  StrokeDialog dialog(owner);
  dialog.exec();
  return globals().dlgResult;
}

bool StrokeDialog::eventFilter(QObject* watched, QEvent* event) {
  // Only a move of the focus within the dialog counts, not the dialog
  // losing activation to the colour dialog.
  if (watched == width_ && event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    if (leadingNumber(width_->text().toStdString()) == 0.0) width_->setText(QStringLiteral("1"));
  }
  return QDialog::eventFilter(watched, event);
}

void StrokeDialog::setSwatch(Color c) {
  swatch_ = c;
  QPalette pal = colorBox_->palette();
  pal.setColor(QPalette::Window, QColor(redOf(c), greenOf(c), blueOf(c)));
  colorBox_->setPalette(pal);
}

// Cancel, like any failure of the colour dialog, leaves the swatch as it was.
void StrokeDialog::pickColor() {
  QColorDialog dialog(this);
  dialog.setObjectName(QStringLiteral("CD2"));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setCurrentColor(QColor(redOf(swatch_), greenOf(swatch_), blueOf(swatch_)));
  if (dialog.exec() != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  if (chosen.isValid()) setSwatch(composeColor(chosen.red(), chosen.green(), chosen.blue()));
}

void StrokeDialog::accept() {
  Globals& g = globals();
  g.strokeColor = swatch_;
  g.strokeWidth = leadingInteger(width_->text().toStdString());
  g.dlgResult = 1;
  done(QDialog::Accepted);
}

void StrokeDialog::reject() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

}  // namespace pictavo
