#include "effects/InputPrompt.h"

#include <QInputDialog>

namespace pictavo {

std::optional<QString> promptInput(QWidget* owner, const QString& message, const QString& title,
                                   const QString& preset) {
  QInputDialog prompt(owner);
  prompt.setObjectName(QStringLiteral("InputBox"));
  prompt.setInputMode(QInputDialog::TextInput);
  prompt.setWindowTitle(title);
  prompt.setLabelText(message);
  prompt.setTextValue(preset);
  prompt.setModal(true);
  if (prompt.exec() != QDialog::Accepted) return std::nullopt;
  return prompt.textValue();
}

QString askInput(QWidget* owner, const QString& message, const QString& title, const QString& preset) {
  return promptInput(owner, message, title, preset).value_or(QString());
}

}  // namespace pictavo
