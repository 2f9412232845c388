#include "app/replay/EffectAnswers.h"

#include "app/replay/InputEvents.h"
#include "app/replay/ScriptLine.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include <functional>
#include <memory>

namespace pictavo::replay {

namespace {

bool isInteger(const QString& word) { return parseInteger(word.toStdString()).has_value(); }

QString setBar(QWidget* dialog, const QString& name, const QString& value) {
  auto* bar = dialog->findChild<QScrollBar*>(name);
  if (!bar) return QStringLiteral("no scroll bar %1").arg(name);
  const int v = value.toInt();
  if (v < bar->minimum() || v > bar->maximum()) return QStringLiteral("%1 takes no value %2").arg(name, value);
  bar->setValue(v);  // as a drag of the thumb: the bar's change event runs
  return {};
}

QString typeText(QWidget* dialog, const char* name, const QString& text) {
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
  if (!edit) return QStringLiteral("no text box %1").arg(QLatin1String(name));
  edit->setFocus();
  edit->selectAll();
  edit->insert(text);
  return {};
}

QString click(QWidget* dialog, const char* name) {
  auto* w = dialog->findChild<QWidget*>(QString::fromLatin1(name));
  if (!w) return QStringLiteral("no widget %1").arg(QLatin1String(name));
  clickWidget(w);
  return {};
}

// The click on `opener` shows a nested modal dialog of type T; `act` works
// it once it is up. Queued before the click, so it runs inside the nested
// dialog's own event loop, ahead of the driver's general dialog handling
// (which then finds the dialog closed).
template <class T>
QString clickAndAnswer(QWidget* dialog, const char* opener, std::function<void(T*)> act) {
  // Shared with the queued call, which may outlive this function when the
  // click opens nothing; it then does nothing.
  auto state = std::make_shared<int>(0);  // 0 waiting, 1 answered, 2 too late
  QTimer::singleShot(0, qApp, [act, state] {
    if (*state != 0) return;
    if (auto* nested = qobject_cast<T*>(QApplication::activeModalWidget())) {
      *state = 1;
      act(nested);
    }
  });
  const QString e = click(dialog, opener);
  const bool answered = *state == 1;
  *state = 2;
  if (!e.isEmpty()) return e;
  if (!answered) return QStringLiteral("%1 opened no dialog").arg(QLatin1String(opener));
  return {};
}

}  // namespace

bool rgbAnswerWellFormed(const QStringList& a) { return a.size() == 3 && isInteger(a[0]) && isInteger(a[1]) && isInteger(a[2]); }

QString answerRgb(QWidget* dialog, const QStringList& a) {
  for (int i = 0; i < 3; ++i) {
    if (QString e = setBar(dialog, QStringLiteral("sbRgb%1").arg(i), a[i]); !e.isEmpty()) return e;
  }
  return click(dialog, "cmdOK");
}

bool brightAnswerWellFormed(const QStringList& a) { return a.size() == 1 && isInteger(a[0]); }

QString answerBright(QWidget* dialog, const QStringList& a) {
  if (QString e = setBar(dialog, QStringLiteral("sBar"), a[0]); !e.isEmpty()) return e;
  return click(dialog, "cmdOK");
}

bool scaleAnswerWellFormed(const QStringList& a) { return a.size() == 2; }

QString answerScale(QWidget* dialog, const QStringList& a) {
  if (QString e = typeText(dialog, "txtWidth", a[0]); !e.isEmpty()) return e;
  if (QString e = typeText(dialog, "txtHeight", a[1]); !e.isEmpty()) return e;
  return click(dialog, "cmdOK");
}

bool strokeAnswerWellFormed(const QStringList& a) {
  return a.size() == 1 || (a.size() == 2 && parseHexColor(a[1].toStdString()).has_value());
}

QString answerStroke(QWidget* dialog, const QStringList& a) {
  if (QString e = typeText(dialog, "txtWidth", a[0]); !e.isEmpty()) return e;
  if (a.size() == 2) {
    const QColor colour(a[1]);
    const QString e = clickAndAnswer<QColorDialog>(dialog, "pColor", [colour](QColorDialog* d) {
      d->setCurrentColor(colour);
      d->accept();
    });
    if (!e.isEmpty()) return e;
    // The window system gives the activation back when the colour dialog
    // closes; the offscreen platform does not, and without it a click would
    // move no focus.
    dialog->activateWindow();
    QApplication::processEvents();
  }
  return click(dialog, "cmdok");
}

bool maskAnswerWellFormed(const QStringList& a) { return a.size() == 1; }

QString answerMask(QWidget* dialog, const QStringList& a) {
  const QString path = a[0];
  const QString e = clickAndAnswer<QFileDialog>(dialog, "cmdOpen", [path](QFileDialog* d) {
    d->selectFile(path);
    static_cast<QDialog*>(d)->accept();
  });
  if (!e.isEmpty()) return e;
  return click(dialog, "cmdOK");
}

}  // namespace pictavo::replay
