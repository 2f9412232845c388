#include "replay/EffectAnswers.h"

#include "replay/FileAnswers.h"
#include "replay/InputEvents.h"
#include "replay/NestedDialog.h"
#include "replay/ScriptLine.h"

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

}  // namespace

bool rgbAnswerWellFormed(const QStringList& a) { return a.size() == 3 && isInteger(a[0]) && isInteger(a[1]) && isInteger(a[2]); }

QString answerRgb(QWidget* dialog, const QStringList& a) {
  for (int i = 0; i < 3; ++i) {
    if (QString e = setBar(dialog, QStringLiteral("sbRgb%1").arg(i), a[i]); !e.isEmpty()) return e;
  }
  return clickChild(dialog, "cmdOK");
}

bool brightAnswerWellFormed(const QStringList& a) { return a.size() == 1 && isInteger(a[0]); }

QString answerBright(QWidget* dialog, const QStringList& a) {
  if (QString e = setBar(dialog, QStringLiteral("sBar"), a[0]); !e.isEmpty()) return e;
  return clickChild(dialog, "cmdOK");
}

bool scaleAnswerWellFormed(const QStringList& a) { return a.size() == 2; }

QString answerScale(QWidget* dialog, const QStringList& a) {
  if (QString e = typeText(dialog, "txtWidth", a[0]); !e.isEmpty()) return e;
  if (QString e = typeText(dialog, "txtHeight", a[1]); !e.isEmpty()) return e;
  return clickChild(dialog, "cmdOK");
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
  return clickChild(dialog, "cmdok");
}

bool maskAnswerWellFormed(const QStringList& a) { return a.size() == 1; }

QString answerMask(QWidget* dialog, const QStringList& a) {
  const QString path = a[0];
  const QString e = clickAndAnswer<QFileDialog>(dialog, "cmdOpen", [path](QFileDialog* d) { chooseFile(d, path); });
  if (!e.isEmpty()) return e;
  return clickChild(dialog, "cmdOK");
}

}  // namespace pictavo::replay
