#include "effects/RgbDialog.h"
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
constexpr int kThumbnail = 80;
}  // namespace

RgbDialog::RgbDialog(QWidget* owner, const Surface& canvas)
    : QDialog(owner, kDialogFlags),
      canvas_(canvas) {
  setUpDialog(this, "frmRgb", QStringLiteral("红/蓝/绿 调整"), 368, 248);

  const QString captions[3] = {QStringLiteral("红色:"), QStringLiteral("绿色:"), QStringLiteral("蓝色:")};
  for (int i = 0; i < 3; ++i) {
    const int top = 16 + 32 * i;
    auto* caption = new QLabel(captions[i], this);
    caption->setObjectName(QStringLiteral("lblrgb%1").arg(i));
    caption->setGeometry(16, top, 48, 20);
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QStringLiteral("sbRgb%1").arg(i));
    bar->setGeometry(72, top + 1, 224, 18);
    bar->setRange(-100, 100);
    bar->setValue(0);
    bar->setPageStep(10);
    bars_[std::size_t(i)] = bar;
    auto* value = new QLabel(QStringLiteral("0"), this);
    value->setObjectName(QStringLiteral("lblValue%1").arg(i));
    value->setGeometry(304, top, 48, 20);
    values_[std::size_t(i)] = value;
    // valueChanged also fires while the thumb is dragged.
    connect(bar, &QScrollBar::valueChanged, this, [this, i] { barChanged(i); });
  }

  // A strip whose thumbnail fills its left 80 x 80 pixels; the rest stays blank.
  view_ = new PreviewBox(QSize(336, kThumbnail), QSize(kThumbnail, kThumbnail), this);
  view_->setObjectName(QStringLiteral("pView"));
  view_->move(16, 112);

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(176, 208, 80, 26);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  cancel->setGeometry(272, 208, 80, 26);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &RgbDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &RgbDialog::reject);

  DrawPreview();
  view_->surface().Refresh();
}

int RgbDialog::ask(QWidget* owner, const Surface& canvas) {
  RgbDialog dialog(owner, canvas);
  dialog.exec();
  return globals().dlgResult;
}

void RgbDialog::DrawPreview() { view_->drawThumbnail(canvas_); }

void RgbDialog::barChanged(int index) {
  // Rebuilt from the canvas every time: the preview shows one adjustment,
  // never an accumulation.
  DrawPreview();
  values_[std::size_t(index)]->setText(QString::number(bars_[std::size_t(index)]->value()));
  Bitmap::AdjustRGB(view_->surface(), bars_[0]->value(), bars_[1]->value(), bars_[2]->value());
}

void RgbDialog::accept() {
  Globals& g = globals();
  g.rgbRed = std::int16_t(bars_[0]->value());
  g.rgbGreen = std::int16_t(bars_[1]->value());
  g.rgbBlue = std::int16_t(bars_[2]->value());
  g.dlgResult = 1;
  done(QDialog::Accepted);
}

void RgbDialog::reject() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

}  // namespace pictavo
