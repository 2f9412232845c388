// The file dialog as Open and Save As use it: starting folder, filter
// entries and which files they list, the folder a chosen file leaves
// behind; and a Save As whose write fails part-way.
#include "windows/qt/ModalDriver.h"

#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "documents/FileFilter.h"
#include "documents/ShowFileDialog.h"
#include "support/QtFiles.h"

#include <QAction>

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QAbstractProxyModel>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

void touch(const QString& path, const QByteArray& bytes = "x") {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The names the dialog's list offers (enabled) in its folder. The listing
// and the filtering arrive in the background: waits a while for `want`.
QStringList listed(QFileDialog* dialog, const QStringList& want) {
  auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
  if (!view) return {QStringLiteral("<no list>")};
  QStringList names;
  for (int tries = 0; tries < 300; ++tries) {
    names.clear();
    const QAbstractItemModel* model = view->model();
    const QModelIndex root = view->rootIndex();
    for (int r = 0; r < model->rowCount(root); ++r) {
      const QModelIndex i = model->index(r, 0, root);
      if (model->flags(i) & Qt::ItemIsEnabled) names << i.data().toString();
    }
    names.sort();
    if (names == want) break;
    spin(10);
  }
  return names;
}

TEST(FileDialog, ShowsTheDisplayTextsAndStartsOnTheFirstEntryInLastFolder) {
  QTemporaryDir dir;
  touch(dir.filePath("a.tpf"));
  touch(dir.filePath("c.BMP"));
  touch(dir.filePath("b.txt"));
  touch(dir.filePath("d.Tiff"));
  std::unique_ptr<QFileDialog> dialog(makeFileDialog(nullptr, true, openFilterText(), "Open", dir.path().toStdString()));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Open"));
  EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
  auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->count(), 9);
  EXPECT_EQ(types->currentIndex(), 0);
  EXPECT_EQ(types->itemText(0),
            QStringLiteral("所有支持的格式(*.tpf;*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jpe;*.gif;*.ico;*.cur;*.wmf;*.emf)"));
  EXPECT_EQ(types->itemText(1), QStringLiteral("Vellora通用(*.tpf)"));

  // Each ";"-separated pattern counts, in any letter case; the first entry
  // also takes the formats its text does not name.
  dialog->show();
  const QStringList all{"a.tpf", "c.BMP", "d.Tiff"};
  EXPECT_EQ(listed(dialog.get(), all), all);
  dialog->selectNameFilter(dialog->nameFilters().at(1));
  EXPECT_EQ(listed(dialog.get(), {"a.tpf"}), QStringList{"a.tpf"});
  dialog->selectNameFilter(dialog->nameFilters().at(8));
  EXPECT_EQ(listed(dialog.get(), {"d.Tiff"}), QStringList{"d.Tiff"});
  dialog->hide();
}

// Picks a type entry as a user does (the dialog reacts to activation only).
void chooseType(QFileDialog* dialog, int index) {
  auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  ASSERT_NE(types, nullptr);
  types->setCurrentIndex(index);
  emit types->activated(index);
  emit types->textActivated(types->itemText(index));
}

QString savedName(QFileDialog* dialog, const QString& typed) {
  auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (!box) return QStringLiteral("<no box>");
  box->setText(typed);
  const QStringList chosen = dialog->selectedFiles();
  return chosen.isEmpty() ? QString() : QFileInfo(chosen.front()).fileName();
}

TEST(FileDialog, SaveEndsWithThePngEntryWhichAddsItsExtension) {
  QTemporaryDir dir;
  std::unique_ptr<QFileDialog> dialog(
      makeFileDialog(nullptr, false, saveFilterText("tpf"), "另存为", dir.path().toStdString()));
  auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->count(), 9);
  EXPECT_EQ(types->currentIndex(), 0);
  EXPECT_EQ(types->itemText(8), QStringLiteral("PNG图片(*.png)"));
  dialog->show();
  EXPECT_EQ(savedName(dialog.get(), "drawing"), QStringLiteral("drawing"));
  chooseType(dialog.get(), 8);
  EXPECT_EQ(savedName(dialog.get(), "drawing"), QStringLiteral("drawing.png"));
  EXPECT_EQ(savedName(dialog.get(), "drawing.bmp"), QStringLiteral("drawing.bmp"));
  chooseType(dialog.get(), 2);
  EXPECT_EQ(savedName(dialog.get(), "drawing"), QStringLiteral("drawing"));
  dialog->hide();
}

TEST(FileDialog, OpensLargeWithChineseColumnsWhateverTheLocale) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("folder");
  touch(dir.filePath("big.bmp"), QByteArray(800 * 1000, 'x'));
  std::unique_ptr<QFileDialog> dialog(makeFileDialog(nullptr, true, openFilterText(), "Open", dir.path().toStdString()));
  dialog->show();
  EXPECT_GE(dialog->width(), 820);
  EXPECT_GE(dialog->height(), 520);
  auto* proxy = dialog->proxyModel();
  ASSERT_NE(proxy, nullptr);
  auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
  ASSERT_NE(files, nullptr);
  const QModelIndex big = proxy->mapFromSource(files->index(dir.filePath("big.bmp")));
  const QModelIndex folder = proxy->mapFromSource(files->index(dir.filePath("folder")));
  for (int tries = 0; tries < 300 && proxy->index(big.row(), 1, big.parent()).data().toString().isEmpty(); ++tries)
    spin(10);
  EXPECT_EQ(proxy->index(big.row(), 1, big.parent()).data().toString(), QStringLiteral("781.3 kB"));
  EXPECT_EQ(proxy->index(folder.row(), 2, folder.parent()).data().toString(), QStringLiteral("文件夹"));
  const QDateTime modified = QFileInfo(dir.filePath("big.bmp")).lastModified();
  EXPECT_EQ(proxy->index(big.row(), 3, big.parent()).data().toString(),
            QStringLiteral("%1/%2/%3 %4").arg(modified.date().year()).arg(modified.date().month())
                .arg(modified.date().day()).arg(modified.time().toString(QStringLiteral("H:mm"))));
  dialog->hide();
  QLocale::setDefault(before);
}

TEST(FileDialog, ChosenFileMovesLastFolderAndCancelLeavesIt) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("sub");
  std::string lastFolder = dir.path().toStdString();
  Watchdog watchdog;
  whenModal("CD1", [](QWidget* d) { static_cast<QFileDialog*>(d)->reject(); });
  EXPECT_EQ(ShowFileDialog(nullptr, false, pictureFilterText("tpf"), "另存为", lastFolder), "");
  EXPECT_EQ(lastFolder, dir.path().toStdString());

  // A name typed relative to the dialog's folder comes back as a full path.
  whenModal("CD1", [](QWidget* d) {
    auto* dialog = static_cast<QFileDialog*>(d);
    dialog->selectFile(QStringLiteral("sub/../sub/new picture.jpg"));
    static_cast<QDialog*>(dialog)->accept();
  });
  const std::string chosen = ShowFileDialog(nullptr, false, pictureFilterText("tpf"), "另存为", lastFolder);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(chosen, dir.filePath("sub/new picture.jpg").toStdString());
  EXPECT_EQ(lastFolder, dir.filePath("sub").toStdString());
}

// The disk fills up part-way through the file: as root a read-only folder
// refuses nothing, so a file size limit stands in for it.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

TEST(FileDialog, FailedSaveAsReportsAndChangesNothing) {
  QTemporaryDir dir;
  const QString target = dir.filePath("old.bmp");
  touch(target, "the old file");
  MainWindow w(dir.path());
  w.setLastFolder(dir.path().toStdString());
  w.setWindowTitle(std::string("Pictavo2012*"));
  QString code;
  Watchdog watchdog;
  whenModal("CD1", [&](QWidget* d) {
    static_cast<QFileDialog*>(d)->selectFile(target);
    static_cast<QDialog*>(d)->accept();
  });
  whenModal("errbox", [&](QWidget* e) {
    code = labelText(e, "Label2");
    click(e, "Command1");
  });
  {
    FileSizeLimit limit(4096);  // the 500 x 400 canvas needs 800 054 bytes
    w.menu().action(QStringLiteral("mnuSave"))->trigger();
  }
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(code, QStringLiteral("错误代码:61"));
  EXPECT_EQ(fileBytes(target), QByteArray("the old file"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"});  // no temporary left
  EXPECT_EQ(w.windowTitle(), "Pictavo2012*");
  EXPECT_EQ(w.statusBar1()->panelText(1), QStringLiteral("未保存的新文档"));
  // The folder of the chosen file is remembered even though the write failed.
  EXPECT_EQ(w.lastFolder(), dir.path().toStdString());
}

}  // namespace
}  // namespace pictavo
