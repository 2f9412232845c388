#include "windows/HintWindow.h"
#include "windows/DialogParts.h"

#include "base/Globals.h"
#include "canvas/Surface.h"
#include "windows/ClickableLabel.h"
#include "windows/WindowArt.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace pictavo {

HintWindow::HintWindow(QWidget* owner, Surface& canvas)
    : QDialog(owner, kDialogFlags),
      canvas_(canvas) {
  setUpDialog(this, "warndywtd", QStringLiteral("Vellora提醒您"), 400, 149);

  auto* prompt = new QLabel(this);
  prompt->setObjectName(QStringLiteral("Image1"));
  prompt->setGeometry(16, 16, 28, 28);
  prompt->setPixmap(art::promptIcon());

  auto* question = new QLabel(QStringLiteral("是否真的要删除当前整个图片?"), this);
  question->setObjectName(QStringLiteral("Label1"));
  question->setGeometry(64, 16, 313, 17);
  QFont bold = question->font();
  bold.setBold(true);
  question->setFont(bold);

  instruction_ = new QLabel(QStringLiteral("要删除,先点击下面左边的文件粉碎图标"), this);
  instruction_->setObjectName(QStringLiteral("Label3"));
  instruction_->setGeometry(64, 40, 329, 25);
  instruction_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* shredder = new ClickableLabel(this);
  shredder->setObjectName(QStringLiteral("Image2"));
  shredder->setGeometry(16, 64, 42, 43);
  shredder->setPixmap(art::shredderIcon());
  shredder->setCursor(Qt::PointingHandCursor);

  auto* region = new QLabel(QStringLiteral("如果您要删除一个区域,请先选择一个区域,然后按Delete(删除)键"), this);
  region->setObjectName(QStringLiteral("Label2"));
  region->setGeometry(48, 120, 345, 25);
  region->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* marker = new QLabel(this);
  marker->setObjectName(QStringLiteral("Image4"));
  marker->setGeometry(24, 120, 18, 14);
  marker->setPixmap(art::pointerMark());

  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("Command1"));
  cancel->setGeometry(320, 24, 73, 25);
  cancel->setFocus();

  // The frame goes in before the button so that it lies behind it.
  deleteFrame_ = new QLabel(this);
  deleteFrame_->setObjectName(QStringLiteral("Image3"));
  deleteFrame_->setGeometry(317, 70, 79, 29);
  deleteFrame_->setPixmap(art::highlightFrame());
  deleteFrame_->hide();
  delete_ = new QPushButton(QStringLiteral("删除"), this);
  delete_->setObjectName(QStringLiteral("Command2"));
  delete_->setGeometry(320, 72, 73, 25);
  delete_->setAutoDefault(false);
  delete_->hide();

  connect(shredder, &ClickableLabel::clicked, this, &HintWindow::armDelete);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(delete_, &QPushButton::clicked, this, &HintWindow::deletePicture);
}

bool HintWindow::ask(QWidget* owner, Surface& canvas) {
  HintWindow window(owner, canvas);
  return window.exec() == QDialog::Accepted;
}

void HintWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
}

void HintWindow::armDelete() {
  instruction_->setText(QStringLiteral("然后点击右边的删除"));
  delete_->show();
  deleteFrame_->show();
}

void HintWindow::deletePicture() {
  hide();
  // Dropping the loaded picture clears drawings and picture alike to the
  // background colour and keeps the size; setting the background colour
  // again does exactly that on both layers.
  canvas_.SetBackColor(canvas_.BackColor());
  globals().dlgResult = 2;
  done(QDialog::Accepted);
}

}  // namespace pictavo
