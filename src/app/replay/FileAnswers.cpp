#include "app/replay/FileAnswers.h"

#include "app/replay/InputEvents.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QScrollBar>
#include <QTimer>

#include <functional>
#include <memory>

namespace pictavo::replay {

namespace {

QString click(QWidget* dialog, const char* name) {
  auto* w = dialog->findChild<QWidget*>(QString::fromLatin1(name));
  if (!w) return QStringLiteral("no widget %1").arg(QLatin1String(name));
  clickWidget(w);
  return {};
}

// The click on `opener` shows a modal file dialog; `act` works it from
// inside that dialog's own event loop (queued before the click, so ahead of
// the driver's general dialog handling, which then finds it closed).
QString clickAndAnswerFile(QWidget* dialog, const char* opener, std::function<void(QFileDialog*)> act) {
  auto state = std::make_shared<int>(0);  // 0 waiting, 1 answered, 2 too late
  QTimer::singleShot(0, qApp, [act, state] {
    if (*state != 0) return;
    if (auto* nested = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      *state = 1;
      act(nested);
    }
  });
  const QString e = click(dialog, opener);
  const bool answered = *state == 1;
  *state = 2;
  if (!e.isEmpty()) return e;
  if (!answered) return QStringLiteral("%1 opened no file dialog").arg(QLatin1String(opener));
  return {};
}

}  // namespace

bool exitAnswerWellFormed(const QStringList& a) {
  if (a.size() == 2) return a[0] == QLatin1String("save");
  return a.size() == 1 && (a[0] == QLatin1String("save-cancel") || a[0] == QLatin1String("slider") ||
                           a[0] == QLatin1String("step") || a[0] == QLatin1String("close"));
}

QString answerExit(QWidget* dialog, const QStringList& a) {
  const QString& word = a[0];
  if (word == QLatin1String("save")) {
    const QString path = QFileInfo(a[1]).absoluteFilePath();
    return clickAndAnswerFile(dialog, "Command1", [path](QFileDialog* d) {
      d->selectFile(path);
      static_cast<QDialog*>(d)->accept();
    });
  }
  if (word == QLatin1String("save-cancel")) {
    return clickAndAnswerFile(dialog, "Command1", [](QFileDialog* d) { d->reject(); });
  }
  if (word == QLatin1String("close")) {
    dialog->close();
    return {};
  }
  auto* slider = dialog->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
  if (!slider) return QStringLiteral("no slider HScroll1");
  if (word == QLatin1String("step")) {
    // The right arrow sits at the bar's right end.
    clickAt(slider, QPointF(slider->width() - 4, slider->height() / 2.0));
    if (slider->value() != 0) return QStringLiteral("the slider stayed at %1").arg(slider->value());
    return {};
  }
  // A drag of the thumb: the value counts when the thumb is let go.
  slider->setSliderDown(true);
  slider->setSliderPosition(slider->maximum());
  slider->setSliderDown(false);
  return {};
}

bool aboutAnswerWellFormed(const QStringList& a) {
  return a.size() == 1 && (a[0] == QLatin1String("ok") || a[0] == QLatin1String("link"));
}

QString answerAbout(QWidget* dialog, const QStringList& a) {
  return click(dialog, a[0] == QLatin1String("ok") ? "cmdOK" : "Image1");
}

}  // namespace pictavo::replay
