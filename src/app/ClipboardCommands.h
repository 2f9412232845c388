#pragma once
// ClipboardCommands: the Edit menu's Cut, Copy and Paste on the main
// window's selection and copy buffer. The Delete key cuts through
// MainWindow::cut() into the copy buffer only. The transparent option
// MnuDQue is a plain check item and "删除(&D)..." belongs to the main window
// (the delete hint window).
//
// Cut reports a failure in the error window; Copy goes on past it.
//
// The system clipboard: Copy and Cut also put the copied pixels there as an
// image (only what lay on the canvas); the Delete key leaves it alone, so
// deleting a selection never loses what the user copied in another program,
// and Paste after it pastes the deleted pixels. Paste first takes an image another
// program put there since, as the copy buffer (one too large for a buffer
// is refused with the selection-size error, and nothing is pasted).

#include "app/SystemClipboard.h"
#include "canvas/Clipboard.h"

#include <QObject>

namespace pictavo {

class CommandHost;

class ClipboardCommands : public QObject {
  Q_OBJECT
 public:
  // Connects to the window's menu items; lives as long as the window.
  explicit ClipboardCommands(CommandHost& window);

  Clipboard& clipboard() { return clipboard_; }

  void copy();
  void cut();
  void paste();
  // The Delete key: Cut into the copy buffer, the system clipboard untouched.
  void cutByDeleteKey();

 private:
  void publish();

  CommandHost& window_;
  Clipboard clipboard_;
  SystemClipboard system_;
};

}  // namespace pictavo
