#pragma once
// The program speaks Simplified Chinese whatever the system's language, so
// the dialogs Qt supplies (input prompts, message boxes, file and colour
// dialogs) must too: their button captions and labels come from Qt's own
// Chinese translation, where it is installed.

class QCoreApplication;

namespace pictavo {

// Installs Qt's Simplified Chinese texts on the application; false when the
// translation is not installed (Qt's dialogs then keep their English).
bool useChineseQtDialogTexts(QCoreApplication& app);

}  // namespace pictavo
