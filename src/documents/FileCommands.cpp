#include "documents/FileCommands.h"

#include "base/Errors.h"
#include "canvas/ToolEngine.h"
#include "documents/ExitConfirmation.h"
#include "documents/FileFilter.h"
#include "documents/KeepDrawingQuestion.h"
#include "documents/PathHelpers.h"
#include "documents/PictureSave.h"
#include "formats/PictureDecoder.h"
#include "documents/ShowFileDialog.h"
#include "windows/CommandHost.h"
#include "windows/ErrorWindow.h"

#include <QAction>
#include <QWidget>

#include <new>
#include <utility>

namespace pictavo {

namespace {


// Runs a command with its error trap: an error ends the command and is
// shown in the error window over the main window.
template <class Command>
void trapped(QWidget* owner, Command&& command) {
  try {
    command();
  } catch (const Error& e) {
    ErrorWindow::report(owner, e);
  } catch (const std::bad_alloc&) {
    ErrorWindow::report(owner, Error(kErrOutOfMemory));
  }
}

}  // namespace

FileCommands::FileCommands(CommandHost& window) : QObject(window.commandWindow()), window_(window) {
  setObjectName(QStringLiteral("fileCommands"));
  connect(window.menuItem(QStringLiteral("mnuOpen")), &QAction::triggered, this, &FileCommands::open);
  connect(window.menuItem(QStringLiteral("mnuSave")), &QAction::triggered, this, &FileCommands::saveAs);
  connect(window.menuItem(QStringLiteral("mnuExit")), &QAction::triggered, this, &FileCommands::exitProgram);
  window.whenProgramEnds([this] { ending_ = true; });
}

void FileCommands::open() {
  if (!mayDiscardDrawing()) return;
  trapped(window_.commandWindow(), [this] {
    window_.hideSelection();
    std::string lastFolder = window_.lastFolder();
    const std::string name = ShowFileDialog(window_.commandWindow(), true, openFilterText(), QStringLiteral("Open"), lastFolder);
    window_.setLastFolder(lastFolder);
    // Decoding comes first: a file that fails leaves the canvas untouched.
    std::optional<Picture> picture;
    if (!name.empty()) picture = decodePictureFile(name);
    showOpened(name, picture ? &*picture : nullptr);
  });
}

void FileCommands::openFile(const std::string& name) {
  if (!mayDiscardDrawing()) return;
  window_.setLastFolder(FolderOf(name));
  trapped(window_.commandWindow(), [this, &name] {
    window_.hideSelection();
    Picture picture = decodePictureFile(name);
    showOpened(name, &picture);
  });
}

std::optional<Picture> FileCommands::readPicture(const std::string& name) {
  window_.setLastFolder(FolderOf(name));
  std::optional<Picture> picture;
  trapped(window_.commandWindow(), [&] { picture = decodePictureFile(name); });
  return picture;
}

void FileCommands::showPicture(const std::string& name, Picture&& picture) {
  trapped(window_.commandWindow(), [&] { showOpened(name, &picture); });
}

void FileCommands::showOpened(const std::string& name, Picture* picture) {
  if (picture) {
    // The canvas takes the decoded pixels over, on the white background
    // their transparent parts show.
    Surface& canvas = window_.canvas();
    if (canvas.BackColor() != kWhite) canvas.SetBackColor(kWhite);
    canvas.SetPicture(std::move(*picture));
    window_.menuItem(QStringLiteral("MnuDQue"))->setChecked(false);
    window_.layoutCanvas(CommandHost::Zoom::ActualSize);
    window_.notePictureInFile();
    window_.startFreshHistory();
    documentPath_ = name;
  }
  window_.engine().state().curTool = -1;
  window_.showCanvasSize();
  window_.setWindowTitle(std::string(kTitle));
  window_.setStatusPanelText(1, name);
}

void FileCommands::saveAs() {
  trapped(window_.commandWindow(), [this] {
    std::string lastFolder = window_.lastFolder();
    std::string name =
        ShowFileDialog(window_.commandWindow(), false, saveFilterText("tpf"), QStringLiteral("另存为"), lastFolder);
    window_.setLastFolder(lastFolder);
    // A cancelled JPEG quality is a cancelled Save As.
    if (!name.empty() && !savePicture(window_.commandWindow(), name, window_.canvas())) name.clear();
    if (!name.empty()) {
      window_.notePictureInFile();
      documentPath_ = name;
    }
    window_.setStatusPanelText(1, name);
    if (!name.empty()) window_.setWindowTitle(std::string(kTitle));
  });
}

void FileCommands::exitProgram() {
  window_.commandWindow()->close();
  if (!ending_) window_.endProgram();
}

void FileCommands::queryUnload() {
  if (ending_ || asking_) return;
  const QString title = QString::fromStdString(window_.windowTitle());
  if (!ExitConfirmation::needed(title, window_.statusPanelText(1), window_.drawingInNoFile())) return;
  asking_ = true;
  ExitConfirmation::ask(
      window_.commandWindow(), window_.canvas(),
      [this] {
        if (!ending_) window_.endProgram();
      },
      {documentPath_, startFolder_});
  asking_ = false;
}

bool FileCommands::mayDiscardDrawing() {
  if (!window_.drawingInNoFile()) return true;
  switch (askKeepDrawing(window_.commandWindow())) {
    case KeepDrawing::Save:
      saveAs();
      return !window_.drawingInNoFile();
    case KeepDrawing::Discard:
      return true;
    case KeepDrawing::Cancel:
      break;
  }
  return false;
}

}  // namespace pictavo
