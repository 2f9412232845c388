#include "documents/ShowFileDialog.h"

#include "documents/FileFilter.h"
#include "documents/PathHelpers.h"

#include <QFileDialog>

#include <memory>

namespace pictavo {

namespace {

// The dialog reads the patterns of an entry from the last parentheses of
// its text, separated by blanks. The display texts carry their own
// ";"-separated list in parentheses, so the real patterns follow in a
// second pair, and the dialog is told to hide that pair: the type list then
// shows exactly the display text.
QStringList nameFilters(const std::string& filterText) {
  QStringList filters;
  for (const FilterEntry& entry : parseFilterText(filterText)) {
    QStringList patterns;
    for (const std::string& p : entry.patterns) patterns << QString::fromStdString(p);
    filters << QString::fromStdString(entry.display) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
  }
  return filters;
}

}  // namespace

QFileDialog* makeFileDialog(QWidget* owner, bool isOpen, const std::string& filterText, const QString& title,
                            const std::string& lastFolder) {
  auto* dialog = new QFileDialog(owner, title);
  dialog->setObjectName(QStringLiteral("CD1"));
  dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                     QFileDialog::DontConfirmOverwrite);
  dialog->setAcceptMode(isOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  const QStringList filters = nameFilters(filterText);
  dialog->setNameFilters(filters);
  if (!filters.isEmpty()) dialog->selectNameFilter(filters.front());
  // Without a folder of its own the dialog starts where the platform's
  // dialogs last were.
  if (!lastFolder.empty()) dialog->setDirectory(QString::fromStdString(lastFolder));
  dialog->selectFile(QString());
  dialog->setModal(true);
  return dialog;
}

std::string ShowFileDialog(QWidget* owner, bool isOpen, const std::string& filterText, const QString& title,
                           std::string& lastFolder) {
  std::unique_ptr<QFileDialog> dialog(makeFileDialog(owner, isOpen, filterText, title, lastFolder));
  if (dialog->exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog->selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return {};
  // A typed "../name" comes back as the full path it stands for.
  const std::string path = QDir::toNativeSeparators(QDir::cleanPath(chosen.front())).toStdString();
  lastFolder = FolderOf(path);
  return path;
}

}  // namespace pictavo
