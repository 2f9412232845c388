#pragma once
// ExitConfirmation: the window "save" shown when the main window closes
// with a modified drawing that was never opened from or saved to a file.
// It offers two ways out, and either ends the program:
//   - "保存" (Command1): a save dialog with its own last folder; the canvas
//     is written as BMP to the chosen path. A cancelled dialog returns here
//     (the drawing is not lost by a slip), and a failed write is reported
//     in the error window with this window staying open.
//   - the slider HScroll1 (0 to 3) dragged all the way to the right: the
//     canvas goes to the draft file (failures are silent). Any other value
//     steps back to 0 at once, so only a full drag counts.
// Its close box and Esc leave as the slider does (the draft, then the end),
// so no way out loses the drawing. The picture Image2 blinks every two
// seconds (Timer1).

#include <QDialog>

#include <functional>
#include <string>

class QScrollBar;
class QLabel;
class QTimer;

namespace pictavo {

class Surface;

class ExitConfirmation : public QDialog {
  Q_OBJECT
 public:
  // endProgram ends the program at once, closing every window.
  ExitConfirmation(QWidget* owner, const Surface& canvas, std::function<void()> endProgram);

  // Whether closing should ask: the title carries the modified mark and
  // status panel 1 still names the never-saved new document, or the canvas
  // holds drawing that is in no file whatever the two texts say.
  static bool needed(const QString& title, const QString& documentPanel, bool drawingInNoFile);

  // Shows the window modally over the owner; returns when it has closed.
  static void ask(QWidget* owner, const Surface& canvas, std::function<void()> endProgram);

 protected:
  // Esc and the close box.
  void reject() override;

 private:
  void save();
  void sliderChanged(int value);
  void leaveWithDraft();
  void leave();

  const Surface& canvas_;
  std::function<void()> endProgram_;
  std::string lastFolder_;  // this window's own, not the main window's
  QScrollBar* slider_ = nullptr;
  QLabel* blinker_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace pictavo
