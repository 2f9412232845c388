#pragma once
// What other programs do to ours, for the replay driver: a file manager
// dropping a file on the main window, another program putting a picture on
// the system clipboard, and reading back what is on the clipboard. Each
// returns an empty text, or what went wrong (a script error).

#include <QString>

class QWidget;

namespace pictavo::replay {

// Drops the file (relative to the working folder) in the middle of the
// window, through the widget there that takes drops, as the window system
// delivers a drop: enter, move, drop.
QString dropFile(QWidget* window, const QString& path);
// The picture in that file on the system clipboard, as another program
// would put it there.
QString putOnClipboard(const QString& path);
// The clipboard's image as a PNG file; an error when it holds none.
QString saveClipboard(const QString& path);

}  // namespace pictavo::replay
