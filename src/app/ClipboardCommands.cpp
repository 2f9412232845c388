#include "app/ClipboardCommands.h"

#include "base/Errors.h"
#include "windows/CommandHost.h"
#include "windows/ErrorWindow.h"

#include <QAction>

#include <cstring>

namespace pictavo {

namespace {

QImage imageOf(const Picture& picture) {
  if (picture.isNull()) return {};
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  if (image.isNull()) return {};  // no memory for it: the system clipboard goes without
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(image.scanLine(y), &picture.pixels[std::size_t(y) * std::size_t(picture.width)],
                std::size_t(picture.width) * 4u);
  return image;
}

Picture pictureOf(QImage image) {
  image.convertTo(QImage::Format_ARGB32);
  if (image.isNull()) throw Error(kErrOutOfMemory);
  Picture picture(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(&picture.pixels[std::size_t(y) * std::size_t(picture.width)], image.constScanLine(y),
                std::size_t(picture.width) * 4u);
  return picture;
}

// Runs a command, showing its error in the error window; false after one.
template <class Command>
bool reported(QWidget* owner, Command&& command) {
  try {
    command();
    return true;
  } catch (const Error& e) {
    ErrorWindow::report(owner, e);
  } catch (const std::bad_alloc&) {
    ErrorWindow::report(owner, Error(kErrOutOfMemory));
  }
  return false;
}

}  // namespace

ClipboardCommands::ClipboardCommands(CommandHost& window)
    : QObject(window.commandWindow()), window_(window), clipboard_(window, window.engine().state()) {
  connect(window.menuItem(QStringLiteral("mnuCut")), &QAction::triggered, this, &ClipboardCommands::cut);
  connect(window.menuItem(QStringLiteral("mnuCopy")), &QAction::triggered, this, &ClipboardCommands::copy);
  connect(window.menuItem(QStringLiteral("mnuPaste")), &QAction::triggered, this, &ClipboardCommands::paste);
}

void ClipboardCommands::copy() {
  if (!clipboard_.copy()) return;
  try {
    publish();
  } catch (const std::exception&) {
    // Copy goes on past failures, the system clipboard's too.
  }
}

void ClipboardCommands::cut() {
  // The canvas keeps whatever the cut did before it failed.
  reported(window_.commandWindow(), [this] {
    if (clipboard_.cut()) publish();
  });
}

void ClipboardCommands::cutByDeleteKey() {
  reported(window_.commandWindow(), [this] {
    if (clipboard_.cut()) system_.passOverForeign();
  });
}

void ClipboardCommands::paste() {
  const bool taken = reported(window_.commandWindow(), [this] {
    if (std::optional<QImage> image = system_.takeForeignImage()) {
      Clipboard::checkBufferSize(image->width(), image->height());
      clipboard_.takePicture(pictureOf(std::move(*image)));
    }
  });
  if (taken) clipboard_.paste();
}

void ClipboardCommands::publish() { system_.publish(imageOf(clipboard_.copiedPicture())); }

}  // namespace pictavo
