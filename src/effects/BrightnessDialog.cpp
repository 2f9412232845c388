#include "effects/BrightnessDialog.h"
#include "windows/DialogParts.h"

#include "base/Globals.h"
#include "effects/Bitmap.h"
#include "effects/PreviewBox.h"
#include "windows/WindowArt.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace pictavo {

namespace {
constexpr int kThumbnail = 130;
}  // namespace

BrightnessDialog::BrightnessDialog(QWidget* owner, const Surface& canvas)
    : QDialog(owner, kDialogFlags),
      canvas_(canvas) {
  setUpDialog(this, "frmBright", QStringLiteral("白色"), 280, 184);

  auto* caption = new QLabel(QStringLiteral("亮度"), this);
  caption->setObjectName(QStringLiteral("lblBrightness"));
  caption->setGeometry(16, 12, 40, 20);
  value_ = new QLabel(QStringLiteral("0"), this);
  value_->setObjectName(QStringLiteral("lblValue"));
  value_->setGeometry(64, 12, 48, 20);

  view_ = new PreviewBox(QSize(kThumbnail, kThumbnail), QSize(kThumbnail, kThumbnail), this);
  view_->setObjectName(QStringLiteral("pView"));
  view_->move(16, 38);

  // A vertical bar's minimum is at its top end.
  bar_ = new QScrollBar(Qt::Vertical, this);
  bar_->setObjectName(QStringLiteral("sBar"));
  bar_->setGeometry(16 + kThumbnail, 38, 18, kThumbnail);
  bar_->setRange(-100, 100);
  bar_->setValue(0);
  bar_->setPageStep(10);
  connect(bar_, &QScrollBar::valueChanged, this, &BrightnessDialog::barChanged);

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(184, 38, 80, 26);
  // Unlike the RGB dialog's, this OK is a plain button: Enter does not
  // accept, not even while a button holds the focus. Esc still cancels.
  ok->setAutoDefault(false);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  cancel->setGeometry(184, 74, 80, 26);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &BrightnessDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &BrightnessDialog::reject);

  DrawPreview();
  view_->surface().Refresh();
}

int BrightnessDialog::ask(QWidget* owner, const Surface& canvas) {
  BrightnessDialog dialog(owner, canvas);
  dialog.exec();
  return globals().dlgResult;
}

void BrightnessDialog::DrawPreview() { view_->drawThumbnail(canvas_); }

void BrightnessDialog::barChanged() {
  DrawPreview();
  value_->setText(QString::number(bar_->value()));
  Bitmap::AdjustBrightness(view_->surface(), bar_->value());
}

void BrightnessDialog::accept() {
  Globals& g = globals();
  g.dlgResult = kAccepted;
  g.brightValue = std::int16_t(bar_->value());
  done(QDialog::Accepted);
}

void BrightnessDialog::reject() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

}  // namespace pictavo
