#include "windows/TextDialog.h"
#include "windows/DialogParts.h"

#include "base/Globals.h"
#include "base/NumberEntry.h"
#include "canvas/Surface.h"
#include "canvas/FontFamilies.h"
#include "canvas/TextStyles.h"
#include "windows/TextPreview.h"
#include "windows/WindowArt.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

constexpr int kFirstSize = 8;
constexpr int kLastSize = 72;

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A text as the leading number it starts with, to a 16-bit integer.
std::int16_t sizeOf(const QString& text) {
  const double v = leadingNumber(text.toStdString());
  return std::int16_t(std::clamp(roundCoord(v), -32768, 32767));
}

}  // namespace

TextDialog::TextDialog(QWidget* owner)
    : QDialog(owner, kDialogFlags) {
  setUpDialog(this, "frmText", QStringLiteral("文字"), 472, 256);

  font_ = named(new QComboBox(this), "cboFont");
  font_->setGeometry(8, 8, 200, 24);
  size_ = named(new QComboBox(this), "cboSize");
  size_->setGeometry(216, 8, 64, 24);
  style_ = named(new QComboBox(this), "cboStyle");
  style_->setGeometry(288, 8, 176, 24);

  text_ = named(new QPlainTextEdit(this), "txtText");
  text_->setGeometry(8, 40, 272, 144);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setTabChangesFocus(true);
  text_->installEventFilter(this);

  preview_ = new TextPreview(this);
  preview_->setGeometry(288, 40, 176, 144);

  auto* mark = named(new QLabel(this), "Image2");
  mark->setGeometry(8, 198, 18, 14);
  mark->setPixmap(art::pointerMark());
  auto* note = named(new QLabel(QStringLiteral("您需要先设置字体颜色和多种效果,它们在主面板上设置"), this), "Label1");
  note->setGeometry(30, 194, 434, 22);

  auto* ok = named(new QPushButton(QStringLiteral("确定"), this), "cmdOK");
  ok->setGeometry(288, 222, 84, 26);
  ok->setDefault(true);
  auto* cancelButton = named(new QPushButton(QStringLiteral("取消"), this), "cmdCancel");
  cancelButton->setGeometry(380, 222, 84, 26);
  cancelButton->setAutoDefault(false);

  connect(ok, &QPushButton::clicked, this, &TextDialog::acceptText);
  connect(cancelButton, &QPushButton::clicked, this, &TextDialog::cancel);
  load();
  for (QComboBox* list : {font_, size_, style_}) {
    connect(list, &QComboBox::currentIndexChanged, this, &TextDialog::refreshPreview);
  }
}

int TextDialog::ask(QWidget* owner) {
  TextDialog dialog(owner);
  dialog.exec();
  return globals().dlgResult;
}

int TextDialog::FindListIndex(const QComboBox* list, const QString& text) {
  if (text.isEmpty()) return 0;
  const QString wanted = text.toLower();
  for (int i = 0; i < list->count(); ++i) {
    if (list->itemText(i).toLower() == wanted) return i;
  }
  return 0;
}

void TextDialog::load() {
  font_->addItems(screenFontNames());  // each family once, by its plain name
  for (int size = kFirstSize; size <= kLastSize; ++size) size_->addItem(QString::number(size));
  for (const char* caption : kTextStyleCaptions) style_->addItem(QString::fromUtf8(caption));
  const Globals& g = globals();
  text_->setPlainText(QString::fromStdString(g.textString));
  font_->setCurrentIndex(FindListIndex(font_, QString::fromStdString(g.textFontName)));
  size_->setCurrentIndex(FindListIndex(size_, QString::number(g.textFontSize)));
  // An index the list does not hold leaves the style unchosen, as the
  // variable can only have come from this list.
  style_->setCurrentIndex(g.textStyleIndex >= 0 && g.textStyleIndex < kTextStyleCount ? g.textStyleIndex : -1);
  refreshPreview();
}

void TextDialog::refreshPreview() {
  SurfaceFont font;
  font.name = font_->currentText().toStdString();
  font.size = leadingNumber(size_->currentText().toStdString());
  const TextAttributes a = textAttributes(style_->currentIndex());
  font.bold = a.bold;
  font.italic = a.italic;
  font.underline = a.underline;
  preview_->showSample(font);
}

void TextDialog::acceptText() {
  Globals& g = globals();
  g.dlgResult = 1;
  g.textFontName = font_->currentText().toStdString();
  g.textFontSize = sizeOf(size_->currentText());
  g.textString = text_->toPlainText().toStdString();
  g.textStyleIndex = std::int16_t(style_->currentIndex());
  done(QDialog::Accepted);
}

void TextDialog::cancel() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

bool TextDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      acceptText();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TextDialog::keyPressEvent(QKeyEvent* event) {
  // "取消" is not the cancel button: Escape leaves the dialog open.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TextDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  text_->setFocus();
}

}  // namespace pictavo
