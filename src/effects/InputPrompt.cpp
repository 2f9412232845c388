#include "effects/InputPrompt.h"

#include <QInputDialog>

namespace pictavo {

QString askInput(QWidget* owner, const QString& message, const QString& title, const QString& preset) {
  QInputDialog prompt(owner);
  prompt.setObjectName(QStringLiteral("InputBox"));
  prompt.setInputMode(QInputDialog::TextInput);
  prompt.setWindowTitle(title);
  prompt.setLabelText(message);
  prompt.setTextValue(preset);
  prompt.setModal(true);
  if (prompt.exec() != QDialog::Accepted) return {};
  return prompt.textValue();
}

}  // namespace pictavo
