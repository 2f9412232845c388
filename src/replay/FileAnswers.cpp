#include "replay/FileAnswers.h"

#include "replay/InputEvents.h"
#include "replay/NestedDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include <functional>
#include <memory>

namespace pictavo::replay {

void chooseFile(QFileDialog* dialog, const QString& path) {
  // selectFile leaves the box alone while it has the keyboard focus, which it
  // gets once the dialog is active (after an earlier answer let events run).
  if (auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    box->setText(path);
  } else {
    dialog->selectFile(path);
  }
  static_cast<QDialog*>(dialog)->accept();
}

bool exitAnswerWellFormed(const QStringList& a) {
  if (a.size() == 2) return a[0] == QLatin1String("save") || a[0] == QLatin1String("label");
  return a.size() == 1 && (a[0] == QLatin1String("save-cancel") || a[0] == QLatin1String("slider") ||
                           a[0] == QLatin1String("step") || a[0] == QLatin1String("close") ||
                           a[0] == QLatin1String("escape"));
}

QString answerExit(QWidget* dialog, const QStringList& a) {
  const QString& word = a[0];
  if (word == QLatin1String("save")) {
    const QString path = QFileInfo(a[1]).absoluteFilePath();
    return clickAndAnswer<QFileDialog>(dialog, "Command1", [path](QFileDialog* d) { chooseFile(d, path); });
  }
  if (word == QLatin1String("label")) {
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("Label1"));
    if (!label) return QStringLiteral("no label Label1");
    if (label->text() != a[1]) return QStringLiteral("Label1 reads %1").arg(label->text());
    return {};
  }
  if (word == QLatin1String("save-cancel")) {
    return clickAndAnswer<QFileDialog>(dialog, "Command1", [](QFileDialog* d) { d->reject(); });
  }
  if (word == QLatin1String("close")) {
    dialog->close();
    return {};
  }
  if (word == QLatin1String("escape")) {
    QWidget* focus = dialog->focusWidget();
    sendKey(focus ? focus : dialog, QStringLiteral("Escape"));
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
  return clickChild(dialog, a[0] == QLatin1String("ok") ? "cmdOK" : "Image1");
}

}  // namespace pictavo::replay
