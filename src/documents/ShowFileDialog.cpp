#include "documents/ShowFileDialog.h"

#include "documents/FileFilter.h"
#include "documents/PathHelpers.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

#include <algorithm>
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

// The list's sizes, types of folders and dates in Chinese whatever the
// system's locale, which Qt's own model would follow.
class ChineseFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() < 1 || index.column() > 3)
      return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    switch (index.column()) {
      case 1:
        return info.isDir() ? QString() : chinese.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
      case 2:
        return info.isDir() ? QStringLiteral("文件夹") : QIdentityProxyModel::data(index, role);
      default:
        return chinese.toString(info.lastModified(), QStringLiteral("yyyy/M/d H:mm"));
    }
  }
};

// Room for whole column texts: the name takes what the others leave.
void layOutColumns(QFileDialog* dialog) {
  dialog->resize(std::max(dialog->width(), kFileDialogMinimumWidth), std::max(dialog->height(), kFileDialogMinimumHeight));
  if (auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
  }
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
  if (!isOpen) {
    // A name typed without an extension under the PNG entry gets ".png".
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
      dialog->setDefaultSuffix(filter.startsWith(QString::fromUtf8(kPngFilterEntry)) ? QStringLiteral("png") : QString());
    });
  }
  dialog->setProxyModel(new ChineseFileColumns(dialog));
  layOutColumns(dialog);
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
