// No lost data through the windows: Save As, the exit confirmation's save and
// the draft on a disk that is full. The old file keeps every byte, Save As and
// the confirmation report the error (the draft stays silent), and the program
// goes on working: the next save elsewhere succeeds.
#include "windows/qt/ModalDriver.h"

#include "SmallDisk.h"

#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "canvas/Surface.h"
#include "formats/BmpWriter.h"
#include "documents/Draft.h"
#include "documents/ExitConfirmation.h"
#include "support/QtFiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray bmpOf(const Surface& s) {
  const std::vector<std::uint8_t> b = encodeBmp(s.bits(Surface::Layer::Persistent), s.Width(), s.Height(), s.stride());
  return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

QString pathOf(const SmallDisk& disk, const char* name) {
  return QString::fromStdString((disk.path() / name).string());
}

// Answers the next file dialog with `path`.
void chooseFile(const QString& path) {
  whenModal("CD1", [path](QWidget* d) {
    static_cast<QFileDialog*>(d)->selectFile(path);
    static_cast<QDialog*>(d)->accept();
  });
}

// Reads the code line of the next error window into `code` and closes it.
void expectErrorWindow(QString& code) {
  whenModal("errbox", [&code](QWidget* e) {
    code = labelText(e, "Label2");
    click(e, "Command1");
  });
}

TEST(NoLostData, SaveAsOnAFullDiskReportsKeepsTheOldFileAndTheNextSaveWorks) {
  SmallDisk disk(256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const QString target = pathOf(disk, "old.bmp");
  writeFile(target, "the old picture");
  disk.fill();
  QTemporaryDir elsewhere;

  MainWindow w(elsewhere.path());
  w.setLastFolder(disk.path().string());
  w.setWindowTitle(std::string("Pictavo2012*"));
  QString code;
  Watchdog watchdog;
  chooseFile(target);
  expectErrorWindow(code);
  w.menu().action(QStringLiteral("mnuSave"))->trigger();
  EXPECT_EQ(code, QStringLiteral("错误代码:61"));
  EXPECT_EQ(fileBytes(target), QByteArray("the old picture"));
  EXPECT_EQ(QDir(pathOf(disk, "")).entryList(QDir::Files), (QStringList{"filler", "old.bmp"}));
  EXPECT_EQ(w.windowTitle(), "Pictavo2012*");
  EXPECT_EQ(w.statusBar1()->panelText(1), QStringLiteral("未保存的新文档"));

  // The window goes on: a drawing saved somewhere with room.
  w.canvas().Line(0, 0, 30, 20, Color(0x000000FF));
  const QString good = elsewhere.filePath(QStringLiteral("new.bmp"));
  chooseFile(good);
  w.menu().action(QStringLiteral("mnuSave"))->trigger();
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(fileBytes(good), bmpOf(w.canvas()));
  EXPECT_EQ(w.windowTitle(), "Pictavo2012");
  EXPECT_EQ(w.statusBar1()->panelText(1), good);
}

TEST(NoLostData, ExitConfirmationSaveOnAFullDiskStaysOpenAndKeepsTheOldFile) {
  SmallDisk disk(256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const QString target = pathOf(disk, "kept.otsp");
  writeFile(target, "the old picture");
  disk.fill();
  QTemporaryDir elsewhere;
  const QString good = elsewhere.filePath(QStringLiteral("kept.otsp"));

  Surface canvas(40, 30, kWhite);
  canvas.Line(0, 0, 39, 29, Color(0x00FF0000));
  int ended = 0;
  bool openAfterError = false;
  QString code;
  Watchdog watchdog(15000);
  whenModal("save", [&](QWidget* w) {
    chooseFile(target);
    expectErrorWindow(code);
    click(w, "Command1");
    openAfterError = w->isVisible();
    chooseFile(good);
    click(w, "Command1");
  });
  ExitConfirmation::ask(nullptr, canvas, [&] { ++ended; });
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(code, QStringLiteral("错误代码:61"));
  EXPECT_TRUE(openAfterError);
  EXPECT_EQ(fileBytes(target), QByteArray("the old picture"));
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fileBytes(good), bmpOf(canvas));
}

TEST(NoLostData, DraftOnAFullDiskIsSilentKeepsTheOldDraftAndStillEnds) {
  SmallDisk disk(256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(disk.path().string()));
  const QString draft = QString::fromStdString(draftPath());
  ASSERT_TRUE(draft.startsWith(QString::fromStdString(disk.path().string())));
  QDir().mkpath(QFileInfo(draft).path());
  writeFile(draft, "the old draft");
  disk.fill();

  int ended = 0;
  bool errorShown = false;
  Watchdog watchdog;
  whenModal("save", [&](QWidget* w) {
    whenModal("errbox", [&](QWidget* e) {
      errorShown = true;
      e->close();
    });
    dragSlider(w, "HScroll1", 3);  // the draft
  });
  ExitConfirmation::ask(nullptr, Surface(64, 64, kWhite), [&] { ++ended; });
  spin(50);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_FALSE(errorShown);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fileBytes(draft), QByteArray("the old draft"));
  EXPECT_EQ(QDir(QFileInfo(draft).path()).entryList(QDir::Files), QStringList{"autosave.bmp"});
  qputenv("XDG_DATA_HOME", oldHome);
}

}  // namespace
}  // namespace pictavo
