#include "replay/DialogAnswers.h"

#include "replay/EffectAnswers.h"
#include "replay/FileAnswers.h"
#include "replay/InputEvents.h"
#include "replay/ScriptLine.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace pictavo::replay {

namespace {

// The error window's hint appears on its 500 ms timer; let it run once.
constexpr int kErrorWindowWait = 600;

QString plainCaption(QString text) { return text.remove(QLatin1Char('&')); }

QAbstractButton* buttonWithCaption(QWidget* dialog, const QString& caption) {
  for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
    if (b->isVisible() && plainCaption(b->text()) == caption) return b;
  }
  return nullptr;
}

template <typename T>
T* child(QWidget* dialog, const char* name) {
  return dialog->findChild<T*>(QString::fromLatin1(name));
}

// One kind of answer: the word after "answer", a check of its arguments,
// which dialogs it fits and what it does there. run returns an error text
// when the dialog lacks what the answer needs.
struct AnswerKind {
  const char* word;
  std::function<bool(const QStringList& args)> wellFormed;
  std::function<bool(QWidget* dialog)> fits;
  std::function<QString(QWidget* dialog, const QStringList& args)> run;
};

bool named(QWidget* dialog, const char* name) { return dialog->objectName() == QLatin1String(name); }

QString typeInto(QWidget* dialog, const char* name, const QString& text) {
  auto* edit = child<QLineEdit>(dialog, name);
  if (!edit) return QStringLiteral("no text box %1").arg(QLatin1String(name));
  edit->setFocus();
  edit->selectAll();
  edit->insert(text);  // as typed over the selection: textEdited/textChanged run
  return {};
}

// Text dialog: FONT ("first" for index 0), SIZE as listed, STYLE index; each
// may be "keep" to leave the dialog's own choice. TEXT replaces the box's
// text. A fifth word "enter" accepts by Enter in the text box instead of "确定".
QString chooseItem(QWidget* dialog, const char* name, const QString& word, bool byIndex) {
  auto* list = child<QComboBox>(dialog, name);
  if (!list) return QStringLiteral("no list %1").arg(QLatin1String(name));
  if (word == QLatin1String("keep")) return {};
  int index = -1;
  if (byIndex) index = word.toInt();
  else if (word == QLatin1String("first")) index = 0;
  else index = list->findText(word, Qt::MatchFixedString);
  if (index < 0 || index >= list->count()) return QStringLiteral("%1 has no item %2").arg(QLatin1String(name), word);
  list->setCurrentIndex(index);
  return {};
}

QString answerText(QWidget* dialog, const QStringList& a) {
  if (QString e = chooseItem(dialog, "cboFont", a[0], false); !e.isEmpty()) return e;
  if (QString e = chooseItem(dialog, "cboSize", a[1], false); !e.isEmpty()) return e;
  if (QString e = chooseItem(dialog, "cboStyle", a[2], true); !e.isEmpty()) return e;
  auto* text = child<QPlainTextEdit>(dialog, "txtText");
  if (!text) return QStringLiteral("no text box txtText");
  text->setFocus();
  text->selectAll();
  text->insertPlainText(a[3]);
  if (a.size() == 5) {
    sendKey(text, QStringLiteral("Return"));
    return {};
  }
  auto* ok = child<QWidget>(dialog, "cmdOK");
  if (!ok) return QStringLiteral("no widget cmdOK");
  clickWidget(ok);
  return {};
}

QString clickNamed(QWidget* dialog, const char* name) {
  auto* w = child<QWidget>(dialog, name);
  if (!w) return QStringLiteral("no widget %1").arg(QLatin1String(name));
  clickWidget(w);
  return {};
}

const std::vector<AnswerKind>& answerKinds() {
  static const std::vector<AnswerKind> kinds = {
      {"new", [](const QStringList& a) { return a.size() == 3 && parseInteger(a[2].toStdString()).has_value(); },
       [](QWidget* d) { return named(d, "frmNew"); },
       [](QWidget* d, const QStringList& a) -> QString {
         if (QString e = typeInto(d, "txtWidth", a[0]); !e.isEmpty()) return e;
         if (QString e = typeInto(d, "txtHeight", a[1]); !e.isEmpty()) return e;
         auto* colors = child<QComboBox>(d, "cboColor");
         const int index = a[2].toInt();
         if (!colors || index < 0 || index >= colors->count()) return QStringLiteral("no colour %1").arg(index);
         colors->setCurrentIndex(index);
         return clickNamed(d, "cmdOK");
       }},
      {"cancel", [](const QStringList& a) { return a.isEmpty(); }, [](QWidget*) { return true; },
       [](QWidget* d, const QStringList&) -> QString {
         if (QAbstractButton* b = buttonWithCaption(d, QStringLiteral("取消"))) {
           clickWidget(b);
           return {};
         }
         if (qobject_cast<QColorDialog*>(d) || qobject_cast<QFileDialog*>(d) || qobject_cast<QInputDialog*>(d)) {
           static_cast<QDialog*>(d)->reject();
           return {};
         }
         return QStringLiteral("no button 取消");
       }},
      {"close", [](const QStringList& a) { return a.isEmpty(); }, [](QWidget*) { return true; },
       [](QWidget* d, const QStringList&) -> QString {
         d->close();
         return {};
       }},
      {"link",
       [](const QStringList& a) { return a.size() == 1 && (a[0] == "banner" || a[0] == "label"); },
       [](QWidget* d) { return named(d, "frmNew"); },
       [](QWidget* d, const QStringList& a) -> QString { return clickNamed(d, a[0] == "banner" ? "Image1" : "Label1"); }},
      {"colour", [](const QStringList& a) { return a.size() == 1 && parseHexColor(a[0].toStdString()).has_value(); },
       [](QWidget* d) { return qobject_cast<QColorDialog*>(d) != nullptr; },
       [](QWidget* d, const QStringList& a) -> QString {
         auto* dialog = static_cast<QColorDialog*>(d);
         dialog->setCurrentColor(QColor(a[0]));
         dialog->accept();
         return {};
       }},
      {"file", [](const QStringList& a) { return a.size() == 1; },
       [](QWidget* d) { return qobject_cast<QFileDialog*>(d) != nullptr; },
       [](QWidget* d, const QStringList& a) -> QString {
         chooseFile(static_cast<QFileDialog*>(d), a[0]);
         return {};
       }},
      {"prompt", [](const QStringList& a) { return a.size() == 1; },
       [](QWidget* d) { return qobject_cast<QInputDialog*>(d) != nullptr; },
       [](QWidget* d, const QStringList& a) -> QString {
         auto* dialog = static_cast<QInputDialog*>(d);
         dialog->setTextValue(a[0]);
         dialog->accept();
         return {};
       }},
      {"rgb", rgbAnswerWellFormed, [](QWidget* d) { return named(d, "frmRgb"); }, answerRgb},
      {"bright", brightAnswerWellFormed, [](QWidget* d) { return named(d, "frmBright"); }, answerBright},
      {"scale", scaleAnswerWellFormed, [](QWidget* d) { return named(d, "frmScale"); }, answerScale},
      {"stroke", strokeAnswerWellFormed, [](QWidget* d) { return named(d, "frmStroke"); }, answerStroke},
      {"mask", maskAnswerWellFormed, [](QWidget* d) { return named(d, "frmMask"); }, answerMask},
      {"exit", exitAnswerWellFormed, [](QWidget* d) { return named(d, "save"); }, answerExit},
      // The question before New, Open or a drop; "save" clicks 保存(&S), and
      // the Save As dialog that follows gets PATH (see answer()).
      {"keep",
       [](const QStringList& a) {
         return (a.size() == 2 && a[0] == "save") || (a.size() == 1 && (a[0] == "discard" || a[0] == "cancel"));
       },
       [](QWidget* d) { return named(d, "keepDrawing"); },
       [](QWidget* d, const QStringList& a) -> QString {
         const QString caption = a[0] == "save" ? QStringLiteral("保存(S)") : a[0] == "discard" ? QStringLiteral("不保存(N)") : QStringLiteral("取消");
         QAbstractButton* b = buttonWithCaption(d, caption);
         if (!b) return QStringLiteral("no button %1").arg(caption);
         clickWidget(b);
         return {};
       }},
      {"about", aboutAnswerWellFormed, [](QWidget* d) { return named(d, "frmAbout"); }, answerAbout},
      {"hint", [](const QStringList& a) { return a.size() == 1 && a[0] == "delete"; },
       [](QWidget* d) { return named(d, "warndywtd"); },
       [](QWidget* d, const QStringList&) -> QString {
         if (QString e = clickNamed(d, "Image2"); !e.isEmpty()) return e;
         auto* remove = child<QAbstractButton>(d, "Command2");
         if (!remove || !remove->isVisible()) return QStringLiteral("删除 did not appear");
         clickWidget(remove);
         return {};
       }},
      // A picture of whatever dialog is open, which stays open for the next answer.
      {"picture", [](const QStringList& a) { return a.size() == 1; }, [](QWidget*) { return true; },
       [](QWidget* d, const QStringList& a) -> QString {
         if (!d->grab().save(a[0], "PNG")) return QStringLiteral("cannot write %1").arg(a[0]);
         return {};
       }},
      {"text",
       [](const QStringList& a) {
         bool styleOk = a.size() >= 3 && (a[2] == "keep" || parseInteger(a[2].toStdString()).has_value());
         return (a.size() == 4 || (a.size() == 5 && a[4] == "enter")) && styleOk;
       },
       [](QWidget* d) { return named(d, "frmText"); }, answerText},
  };
  return kinds;
}

const AnswerKind* kindOf(const QString& word) {
  for (const AnswerKind& k : answerKinds()) {
    if (word == QLatin1String(k.word)) return &k;
  }
  return nullptr;
}

bool needsNoAnswer(const QWidget* dialog) {
  if (dialog->objectName() == QLatin1String("keepDrawing")) return false;
  return dialog->objectName() == QLatin1String("errbox") || qobject_cast<const QMessageBox*>(dialog);
}

void print(const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
  std::fflush(stdout);
}

}  // namespace

QString dialogName(const QWidget* dialog) {
  if (!dialog) return QStringLiteral("(gone)");
  return dialog->objectName().isEmpty() ? QString::fromLatin1(dialog->metaObject()->className()) : dialog->objectName();
}

DialogAnswers::DialogAnswers(std::function<void(int, const QString&)> fail) : fail_(std::move(fail)) {
  qApp->installEventFilter(this);
}

DialogAnswers::~DialogAnswers() {
  if (qApp) qApp->removeEventFilter(this);
}

QString DialogAnswers::queue(const Answer& answer) {
  if (answer.words.isEmpty()) return QStringLiteral("answer needs a kind");
  const AnswerKind* kind = kindOf(answer.words.front());
  if (!kind) return QStringLiteral("unknown answer kind %1").arg(answer.words.front());
  if (!kind->wellFormed(answer.words.mid(1))) return QStringLiteral("malformed answer %1").arg(answer.words.join(' '));
  answers_.push_back(answer);
  return {};
}

QStringList DialogAnswers::openWindows() const {
  QStringList names;
  for (const QPointer<QWidget>& w : shown_) {
    if (w && w->isVisible()) names << dialogName(w);
  }
  return names;
}

bool DialogAnswers::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    const Qt::WindowType type = w->windowType();
    if (w->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::SubWindow) {
      if (!shown_.contains(w)) shown_.append(w);
      if (w->isModal()) {
        QPointer<QWidget> dialog(w);
        if (needsNoAnswer(w)) {
          QTimer::singleShot(kErrorWindowWait, this, [this, dialog] { report(dialog); });
        } else {
          QTimer::singleShot(0, this, [this, dialog] { handle(dialog); });
        }
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void DialogAnswers::report(QPointer<QWidget> dialog) {
  if (!dialog || !dialog->isVisible()) return;
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
    print(QStringLiteral("message %1 | %2").arg(box->windowTitle(), box->text()));
    QAbstractButton* b = box->defaultButton();
    if (!b && !box->buttons().isEmpty()) b = box->buttons().front();
    if (b) b->click();
    else box->close();
    return;
  }
  auto text = [&](const char* name) {
    auto* label = child<QLabel>(dialog, name);
    return label ? label->text() : QString();
  };
  print(QStringLiteral("error %1 | %2 | %3").arg(text("Label2"), text("Label3"), text("Label4")));
  for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
    if (b->isDefault()) {
      b->click();
      return;
    }
  }
  dialog->close();
}

void DialogAnswers::handle(QPointer<QWidget> dialog) {
  if (!dialog || !dialog->isVisible()) return;
  answer(dialog);
  // A dialog that stays open after its answer (the new-canvas dialog after
  // the error window) takes the next answer.
  if (dialog && dialog->isVisible() && dialog->isModal()) {
    QTimer::singleShot(0, this, [this, dialog] { handle(dialog); });
  }
}

void DialogAnswers::answer(QWidget* dialog) {
  if (!keepDefault_.isEmpty() && dialog->objectName() == QLatin1String("keepDrawing") &&
      (answers_.empty() || answers_.front().words.front() != QLatin1String("keep"))) {
    const QString error = kindOf(QStringLiteral("keep"))->run(dialog, {keepDefault_});
    if (!error.isEmpty()) fail_(2, QStringLiteral("keep-default in dialog keepDrawing: %1").arg(error));
    return;
  }
  if (answers_.empty()) {
    fail_(2, QStringLiteral("dialog %1 is open with no answer queued").arg(dialogName(dialog)));
    return;
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  const AnswerKind* kind = kindOf(a.words.front());
  if (!kind->fits(dialog)) {
    fail_(2, QStringLiteral("line %1: answer %2 does not fit dialog %3").arg(a.line).arg(a.words.join(' '), dialogName(dialog)));
    return;
  }
  // "keep save PATH": Save As opens its file dialog once the question has
  // closed; PATH, from the driver's working folder, is its answer.
  if (a.words.size() == 3 && a.words[0] == QLatin1String("keep"))
    answers_.push_front(Answer{a.line, {QStringLiteral("file"), QFileInfo(a.words[2]).absoluteFilePath()}});
  const QString error = kind->run(dialog, a.words.mid(1));
  if (!error.isEmpty()) {
    fail_(2, QStringLiteral("line %1: answer %2 in dialog %3: %4").arg(a.line).arg(a.words.join(' '), dialogName(dialog), error));
  }
}

}  // namespace pictavo::replay
