#pragma once
// Replay answers for the dialogs of the Canvas and Colour menus:
//   answer rgb R G B          frmRgb: set the three bars, "确定"
//   answer bright V           frmBright: set the bar, "确定"
//   answer scale W H          frmScale: type W and H, "确定"
//   answer stroke WIDTH [#RRGGBB]
//                             frmStroke: type WIDTH; with a colour, click the
//                             swatch and pick it in the colour dialog; "确定"
//   answer mask PATH          frmMask: "...", the file dialog returns PATH, "确定"
// Each pair: a check of the words after the kind, and the action on the
// dialog (an error text when the dialog lacks what the answer needs).

#include <QString>
#include <QStringList>

class QWidget;

namespace pictavo::replay {

bool rgbAnswerWellFormed(const QStringList& args);
QString answerRgb(QWidget* dialog, const QStringList& args);
bool brightAnswerWellFormed(const QStringList& args);
QString answerBright(QWidget* dialog, const QStringList& args);
bool scaleAnswerWellFormed(const QStringList& args);
QString answerScale(QWidget* dialog, const QStringList& args);
bool strokeAnswerWellFormed(const QStringList& args);
QString answerStroke(QWidget* dialog, const QStringList& args);
bool maskAnswerWellFormed(const QStringList& args);
QString answerMask(QWidget* dialog, const QStringList& args);

}  // namespace pictavo::replay
