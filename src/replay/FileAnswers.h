#pragma once
// Replay answers for the exit confirmation and the About box:
//   answer exit save PATH     "保存", its file dialog returns PATH
//   answer exit save-cancel   "保存", its file dialog is cancelled (the
//                             window stays open for the next answer)
//   answer exit slider        drag the slider's thumb to its right end
//   answer exit step          click the slider's right arrow once; the
//                             window stays open for the next answer
//   answer exit close         the window's close box
//   answer exit label TEXT    a script error unless Label1 reads TEXT; the
//                             window stays open for the next answer
//   answer about ok           "确定(&O)"
//   answer about link         click the link picture Image1
// A relative PATH after "exit save" is taken from the driver's working
// folder (that dialog's starting folder is the platform's choice); for
// "answer file" it is typed into the dialog, so it is relative to the
// folder the dialog opened in.

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace pictavo::replay {

// Types PATH into a Qt file dialog's file name box and accepts, as a user
// would; a relative PATH names a file of the folder the dialog shows.
void chooseFile(QFileDialog* dialog, const QString& path);

bool exitAnswerWellFormed(const QStringList& args);
QString answerExit(QWidget* dialog, const QStringList& args);
bool aboutAnswerWellFormed(const QStringList& args);
QString answerAbout(QWidget* dialog, const QStringList& args);

}  // namespace pictavo::replay
