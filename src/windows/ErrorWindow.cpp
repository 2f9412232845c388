#include "windows/ErrorWindow.h"
#include "windows/DialogParts.h"

#include "base/Errors.h"
#include "windows/Links.h"
#include "windows/WindowArt.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace pictavo {

namespace {

const QString kInvalidPicture = QStringLiteral("无效图片");
const QString kInvalidPictureHint =
    QStringLiteral("请确认该文件是支持的图片文件,且没有被损坏,请确保cur光标是2色的,ico不得超过256色!");

constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;

QLabel* addPicture(QWidget* parent, const char* name, const QRect& place, const QPixmap& picture) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(place);
  label->setPixmap(picture);
  return label;
}

}  // namespace

ErrorWindow::ErrorWindow(QWidget* owner)
    : QDialog(owner, kDialogFlags) {
  setUpDialog(this, "errbox", QStringLiteral("Vellora提醒您:错误"), 550, 199);

  addPicture(this, "Image1", QRect(16, 24, 33, 33), art::errorIcon());
  QLabel* heading = addLabel(this, "Label1", QRect(72, 16, 113, 25), QStringLiteral("发生错误!"), kTopLeft);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  codeLine_ = addLabel(this, "Label2", QRect(192, 16, 329, 25), QString(), kTopLeft);
  reason_ = addLabel(this, "Label3", QRect(72, 56, 465, 49), QStringLiteral("错误原因"), kTopLeft);
  reason_->setWordWrap(true);
  hint_ = addLabel(this, "Label4", QRect(72, 104, 465, 49), QString(), kTopLeft);
  hint_->setWordWrap(true);
  hint_->setStyleSheet(QStringLiteral("color: #b00000"));

  auto* feedback = new QPushButton(QStringLiteral("我要反馈"), this);
  feedback->setObjectName(QStringLiteral("Command2"));
  feedback->setGeometry(16, 168, 121, 25);
  feedback->setAutoDefault(false);
  auto* confirm = new QPushButton(QStringLiteral("我知道啦!"), this);
  confirm->setObjectName(QStringLiteral("Command1"));
  confirm->setGeometry(424, 168, 121, 25);
  confirm->setDefault(true);
  confirm->setFocus();
  addPicture(this, "Image2", QRect(142, 172, 16, 16), art::feedbackMark());
  addPicture(this, "Image3", QRect(404, 172, 16, 16), art::confirmMark());

  connect(confirm, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
  connect(feedback, &QPushButton::clicked, this, &ErrorWindow::sendFeedback);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(500);
  connect(timer_, &QTimer::timeout, this, &ErrorWindow::updateHint);
  timer_->start();

  for (int i = 0; i < 5; ++i) QApplication::beep();
}

void ErrorWindow::setCodeLine(const QString& text) { codeLine_->setText(text); }
void ErrorWindow::setReason(const QString& text) { reason_->setText(text); }
QString ErrorWindow::codeLine() const { return codeLine_->text(); }
QString ErrorWindow::reason() const { return reason_->text(); }
QString ErrorWindow::hint() const { return hint_->text(); }

QString ErrorWindow::codeLineFor(int number) { return QStringLiteral("错误代码:") + QString::number(number); }

void ErrorWindow::report(QWidget* owner, const QString& codeLine, const QString& reason) {
  ErrorWindow window(owner);
  window.setCodeLine(codeLine);
  window.setReason(reason);
  window.exec();
}

void ErrorWindow::report(QWidget* owner, const Error& error) {
  report(owner, codeLineFor(error.number()), QString::fromStdString(error.description()));
}

void ErrorWindow::updateHint() {
  if (reason_->text() == kInvalidPicture) hint_->setText(kInvalidPictureHint);
}

void ErrorWindow::sendFeedback() {
  // Hiding first ends the modal loop, so the web window is not held behind
  // a modal window; each step goes on whatever the previous one did.
  hide();
  try {
    openLink(Link::FeedbackForum);
  } catch (...) {
  }
  done(QDialog::Rejected);
}

}  // namespace pictavo
