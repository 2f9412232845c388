#pragma once
// Answering a dialog that another dialog opens: the driver clicks the
// opening widget, and the nested modal dialog is worked from inside its own
// event loop.

#include "replay/InputEvents.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace pictavo::replay {

// Clicks the child widget `name` of `dialog`; an error text when there is none.
inline QString clickChild(QWidget* dialog, const char* name) {
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
  const QString e = clickChild(dialog, opener);
  const bool answered = *state == 1;
  *state = 2;
  if (!e.isEmpty()) return e;
  if (!answered) return QStringLiteral("%1 opened no dialog").arg(QLatin1String(opener));
  return {};
}

}  // namespace pictavo::replay
