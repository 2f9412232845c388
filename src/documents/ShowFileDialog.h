#pragma once
// ShowFileDialog: asks for a file name with the program's own file dialog,
// modal over its owner. The dialog opens in `lastFolder` with an empty name
// and the first entry of the filter chosen; a chosen file moves
// `lastFolder` to that file's folder. Neither dialog insists that the file
// exists or asks before an existing file is replaced: the command that
// reads or writes the file reports what goes wrong. The save dialog adds
// ".png" to a name without an extension when the PNG entry is chosen. The
// dialog opens at least 820 x 520 with its columns as wide as their texts,
// and shows sizes, dates and folders in Chinese whatever the system locale.

#include <QString>

#include <string>

class QFileDialog;
class QWidget;

namespace pictavo {

inline constexpr int kFileDialogMinimumWidth = 820;
inline constexpr int kFileDialogMinimumHeight = 520;

// The chosen full path (UTF-8), or empty when the user cancelled; a cancel
// leaves lastFolder as it was and is never reported.
std::string ShowFileDialog(QWidget* owner, bool isOpen, const std::string& filterText, const QString& title,
                           std::string& lastFolder);

// The dialog ShowFileDialog shows, configured but not shown (for tests of
// its filter and folder).
QFileDialog* makeFileDialog(QWidget* owner, bool isOpen, const std::string& filterText, const QString& title,
                            const std::string& lastFolder);

}  // namespace pictavo
