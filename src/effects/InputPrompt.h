#pragma once
// The input prompt of the Effects menu: a modal question with a message, a
// title and a preset answer, as a Qt widget dialog.

#include <QString>

#include <optional>

class QWidget;

namespace pictavo {

// Shows the prompt modally over `owner`; returns the answer text, or an
// empty text when the user cancels or closes it.
QString askInput(QWidget* owner, const QString& message, const QString& title, const QString& preset);
// The same, telling a cancel (nullopt) from an empty answer.
std::optional<QString> promptInput(QWidget* owner, const QString& message, const QString& title,
                                   const QString& preset);

}  // namespace pictavo
