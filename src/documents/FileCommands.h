#pragma once
// FileCommands: the File menu's "打开(&O)..." (mnuOpen), "另存为(&S)..."
// (mnuSave) and "退出(&X)" (mnuExit), and the main window's query-unload
// step that offers the exit confirmation. Created by the main window, whose
// child it is; it connects itself to the menu items by object name.
//
// Open and Save As trap their errors and report them in the error window;
// a cancelled dialog is never an error.

#include "canvas/Picture.h"

#include <QObject>

#include <optional>
#include <string>

namespace pictavo {

class CommandHost;

class FileCommands : public QObject {
  Q_OBJECT
 public:
  explicit FileCommands(CommandHost& window);

  // Open: a picture file replaces the canvas (decoded by content), on a
  // white background; afterwards no tool is current, panel 3 shows the
  // canvas size, panel 1 the chosen path (empty after a cancel) and the
  // title loses its mark. A failed Open changes nothing but hides the
  // selection.
  void open();
  // Open with a name given instead of chosen in the dialog (a dropped file);
  // the file's folder becomes the dialogs' folder.
  void openFile(const std::string& name);
  // Open in two halves, for the start-up with a file: the picture (a
  // failure reported in the error window, giving nothing; the file's folder
  // becomes the dialogs' folder either way), then showing it as Open does.
  std::optional<Picture> readPicture(const std::string& name);
  void showPicture(const std::string& name, Picture&& picture);
  // Save As: the canvas to the exact path chosen, in the format its
  // extension asks for (a JPEG asks its quality first); panel 1 takes the
  // path (empty after a cancel) and a saved file clears the title's mark.
  void saveAs();
  // Before New, Open or a drop replaces the canvas: true when that may go
  // on. A drawing in no file asks first whether to save it (Save As, going
  // on only when it saved), discard it, or cancel.
  bool mayDiscardDrawing();
  // New made a picture that is in no file: the exit confirmation names it
  // "新文件1" again.
  void forgetDocument() { documentPath_.clear(); }
  // Where the exit confirmation's save dialog starts.
  void setStartFolder(const std::string& folder) { startFolder_ = folder; }
  // Exit: the main window closes (asking first when needed), then the
  // program ends, closing every other window too.
  void exitProgram();
  // Runs before the main window closes, whatever closes it: a modified,
  // never-saved document, or any drawing that is in no file, gets the exit
  // confirmation. Nothing cancels the close.
  void queryUnload();

 private:
  CommandHost& window_;
  bool ending_ = false;   // the program is ending: no more questions
  bool asking_ = false;   // the confirmation is open
  std::string documentPath_;  // the file the picture came from or went to
  std::string startFolder_;

  // Open after its file is known: the picture (null when none was chosen),
  // then the tool, panels and title. Throws what the canvas throws.
  void showOpened(const std::string& name, Picture* picture);
};

}  // namespace pictavo
