#pragma once
// ChangeScope: the one place every command passes through on its way to the
// picture. Whatever the user does reaches the program as an event (a menu
// click or shortcut, a key, a mouse release on the canvas or a grip, a
// dialog's button, a drop); PictavoApplication opens a scope around the
// delivery of each, and when the outermost scope ends the main window
// settles what changed: the undo history records it as one step (unless a
// gesture is still under way), the Undo and Redo items follow and the
// picture is told apart from the state last opened or saved. No command
// has to remember to record itself; a command that fails after it changed
// pixels is still its own step.
//
// Anything else that acts as the user (the replay driver running a line of
// its script) opens a scope of its own.

#include <QApplication>

#include <functional>

namespace pictavo {

class ChangeScope {
 public:
  ChangeScope();
  ~ChangeScope();
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;

  // What the end of the outermost scope runs (the main window sets it;
  // empty for none).
  static void setSettle(std::function<void()> settle);
};

class PictavoApplication : public QApplication {
 public:
  PictavoApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace pictavo
