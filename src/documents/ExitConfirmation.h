#pragma once
// ExitConfirmation: the window "save" shown when the main window closes
// with a modified drawing that was never opened from or saved to a file.
// It offers two ways out, and either ends the program:
//   - "保存" (Command1): a save dialog with its own last folder; the canvas
//     is written to the chosen path in the format its extension asks for. A cancelled dialog returns here
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
  // What the window knows of the picture: the file it came from or was
  // saved to (empty for a new picture, which Label1 calls "新文件1"), and
  // where its save dialog starts.
  struct Document {
    std::string path;
    std::string startFolder;
  };

  // endProgram ends the program at once, closing every window.
  ExitConfirmation(QWidget* owner, const Surface& canvas, std::function<void()> endProgram,
                   const Document& document = {});

  // Whether closing should ask: the title carries the modified mark and
  // status panel 1 still names the never-saved new document, or the canvas
  // holds drawing that is in no file whatever the two texts say.
  static bool needed(const QString& title, const QString& documentPanel, bool drawingInNoFile);

  // Shows the window modally over the owner; returns when it has closed.
  static void ask(QWidget* owner, const Surface& canvas, std::function<void()> endProgram,
                  const Document& document = {});

  // Label1's text for that file (UTF-8 path; empty for a new picture).
  static QString question(const std::string& path);

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
