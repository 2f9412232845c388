#include "app/ClipboardCommands.h"

#include "app/Errors.h"
#include "app/MainWindow.h"
#include "windows/ErrorWindow.h"

#include <QAction>

namespace pictavo {

ClipboardCommands::ClipboardCommands(MainWindow& window)
    : QObject(&window), window_(window), clipboard_(window, window.engine().state()) {
  const MainMenu& menu = window.menu();
  connect(menu.action(QStringLiteral("mnuCut")), &QAction::triggered, this, &ClipboardCommands::cut);
  connect(menu.action(QStringLiteral("mnuCopy")), &QAction::triggered, this, [this] { clipboard_.copy(); });
  connect(menu.action(QStringLiteral("mnuPaste")), &QAction::triggered, this, [this] { clipboard_.paste(); });
}

void ClipboardCommands::cut() {
  // The canvas keeps whatever the cut did before it failed.
  struct Noted {
    MainWindow& window;
    bool cutting;
    ~Noted() {
      if (cutting) window.notePictureChanged();
    }
  } noted{window_, window_.selection().visible};
  try {
    clipboard_.cut();
  } catch (const Error& e) {
    ErrorWindow::report(&window_, e);
  } catch (const std::bad_alloc&) {
    ErrorWindow::report(&window_, Error(kErrOutOfMemory));
  }
}

}  // namespace pictavo
