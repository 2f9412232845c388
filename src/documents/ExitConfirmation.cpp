#include "documents/ExitConfirmation.h"
#include "windows/DialogParts.h"

#include "base/Errors.h"
#include "documents/Draft.h"
#include "documents/FileFilter.h"
#include "documents/PictureSave.h"
#include "documents/ShowFileDialog.h"
#include "windows/ErrorWindow.h"
#include "windows/WindowArt.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <new>

namespace pictavo {

namespace {

const QString kModifiedTitle = QStringLiteral("Pictavo2012*");
const QString kNewDocument = QStringLiteral("未保存的新文档");

QLabel* addLabel(QWidget* parent, const char* name, const QRect& place, const QString& text, const QColor& color) {
  QLabel* label = pictavo::addLabel(parent, name, place, text, Qt::AlignLeft | Qt::AlignTop);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, color);
  label->setPalette(pal);
  return label;
}

// A red arrow pointing at the slider's right end, where the thumb must go.
QPixmap sliderArrow() {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xC0, 0, 0));
  const QPointF arrow[] = {{2, 8}, {12, 8}, {12, 3}, {22, 12}, {12, 21}, {12, 16}, {2, 16}};
  p.drawPolygon(arrow, 7);
  return pixmap;
}

}  // namespace

ExitConfirmation::ExitConfirmation(QWidget* owner, const Surface& canvas, std::function<void()> endProgram,
                                   const Document& document)
    : QDialog(owner, kDialogFlags),
      canvas_(canvas),
      endProgram_(std::move(endProgram)),
      lastFolder_(document.startFolder) {
  setObjectName(QStringLiteral("save"));
  setWindowTitle(QStringLiteral("Vellora提醒您确认"));
  setFixedSize(406, 119);
  setModal(true);

  auto* prompt = new QLabel(this);
  prompt->setObjectName(QStringLiteral("Image1"));
  prompt->setGeometry(16, 16, 28, 28);
  prompt->setPixmap(art::promptIcon());
  addLabel(this, "Label1", QRect(64, 16, 313, 17), question(document.path), palette().color(QPalette::WindowText));
  addLabel(this, "Label3", QRect(64, 40, 329, 25), QStringLiteral("向右移动右侧滑动条的滑块即为不保存"),
           QColor(0xC0, 0, 0));
  addLabel(this, "Label2", QRect(64, 64, 329, 25),
           QStringLiteral("如果选择") + QLatin1Char('"') + QStringLiteral("不保存'将自动保存草稿,下次关闭时会被删除。"),
           QColor(0, 0, 0xC0));

  auto* save = new QPushButton(QStringLiteral("保存"), this);
  save->setObjectName(QStringLiteral("Command1"));
  save->setGeometry(16, 88, 81, 25);
  save->setDefault(true);
  connect(save, &QPushButton::clicked, this, &ExitConfirmation::save);

  slider_ = new QScrollBar(Qt::Horizontal, this);
  slider_->setObjectName(QStringLiteral("HScroll1"));
  slider_->setGeometry(102, 88, 257, 25);
  slider_->setRange(0, 3);
  slider_->setSingleStep(1);
  slider_->setPageStep(1);
  slider_->setValue(0);
  // A change counts when the thumb is let go, not on every position it
  // passes while dragged: otherwise the step back would undo every drag.
  slider_->setTracking(false);
  connect(slider_, &QScrollBar::valueChanged, this, &ExitConfirmation::sliderChanged);

  blinker_ = new QLabel(this);
  blinker_->setObjectName(QStringLiteral("Image2"));
  blinker_->setGeometry(366, 88, 24, 24);
  blinker_->setPixmap(sliderArrow());

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(2000);
  connect(timer_, &QTimer::timeout, this, [this] { blinker_->setVisible(blinker_->isHidden()); });
  timer_->start();

  if (QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  QApplication::beep();
  save->setFocus();
}

bool ExitConfirmation::needed(const QString& title, const QString& documentPanel, bool drawingInNoFile) {
  return drawingInNoFile || (title == kModifiedTitle && documentPanel == kNewDocument);
}

void ExitConfirmation::ask(QWidget* owner, const Surface& canvas, std::function<void()> endProgram,
                           const Document& document) {
  ExitConfirmation window(owner, canvas, std::move(endProgram), document);
  window.exec();
}

QString ExitConfirmation::question(const std::string& path) {
  const QString name = path.empty() ? QStringLiteral("新文件1") : QFileInfo(QString::fromStdString(path)).fileName();
  return QStringLiteral("是否保存对于") + QLatin1Char('"') + name + QLatin1Char('"') + QStringLiteral("的修改?");
}

void ExitConfirmation::save() {
  const std::string name = ShowFileDialog(this, false, saveFilterText("otsp"), QStringLiteral("Save"), lastFolder_);
  // Cancel (of the dialog or the JPEG quality) comes back here instead of
  // leaving without the drawing.
  if (name.empty()) return;
  try {
    if (!savePicture(this, name, canvas_)) return;
  } catch (const Error& e) {
    ErrorWindow::report(this, e);
    return;
  } catch (const std::bad_alloc&) {
    ErrorWindow::report(this, Error(kErrOutOfMemory));
    return;
  }
  leave();
}

void ExitConfirmation::sliderChanged(int value) {
  if (value != 0 && value != 3) {
    slider_->setValue(value - 1);  // runs this again, down to 0
    return;
  }
  if (value == 3) leaveWithDraft();
}

void ExitConfirmation::reject() { leaveWithDraft(); }

void ExitConfirmation::leaveWithDraft() {
  hide();
  try {
    writeDraft(canvas_);
  } catch (...) {
    // The draft is a courtesy: the user chose to leave without saving.
  }
  leave();
}

void ExitConfirmation::leave() {
  done(QDialog::Accepted);
  if (endProgram_) endProgram_();
}

}  // namespace pictavo
