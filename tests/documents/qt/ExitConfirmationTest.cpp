// The exit confirmation: when it is offered, the slider that only counts
// at its right end, the draft it writes (also for its close box and Esc),
// and "保存" with its file dialog (Cancel returns to the window; a failed
// write keeps it open).
#include "windows/qt/ModalDriver.h"

#include "canvas/Surface.h"
#include "formats/BmpWriter.h"
#include "documents/Draft.h"
#include "documents/ExitConfirmation.h"
#include "support/QtFiles.h"

#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

using namespace pictavo::test;

QByteArray bmpOf(const Surface& s) {
  const std::vector<std::uint8_t> bytes = encodeBmp(s.bits(Surface::Layer::Persistent), s.Width(), s.Height(), s.stride());
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

Surface drawnCanvas() {
  Surface canvas(6, 4, 0x00FFFFFF);
  canvas.Line(0, 0, 5, 3, Color(0x000000FF));
  return canvas;
}

// Points the user's data folder at a temporary one for the test's lifetime.
class DataHome {
 public:
  DataHome() : old_(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", dir_.path().toUtf8()); }
  ~DataHome() { qputenv("XDG_DATA_HOME", old_); }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray old_;
};

TEST(ExitConfirmation, OfferedForAModifiedNewDocumentOrAnyDrawingInNoFile) {
  const QString fresh = QStringLiteral("未保存的新文档");
  EXPECT_TRUE(ExitConfirmation::needed(QStringLiteral("Pictavo2012*"), fresh, false));
  EXPECT_FALSE(ExitConfirmation::needed(QStringLiteral("Pictavo2012"), fresh, false));
  EXPECT_FALSE(ExitConfirmation::needed(QStringLiteral("pictavo2012*"), fresh, false));
  EXPECT_FALSE(ExitConfirmation::needed(QStringLiteral("Pictavo2012* "), fresh, false));
  EXPECT_FALSE(ExitConfirmation::needed(QStringLiteral("Pictavo2012*"), QString(), false));
  // Drawing in no file asks whatever the texts say: after a cancelled Open
  // (no mark, empty panel), a cancelled Save As, or drawing on an opened file.
  EXPECT_TRUE(ExitConfirmation::needed(QStringLiteral("Pictavo2012"), QString(), true));
  EXPECT_TRUE(ExitConfirmation::needed(QStringLiteral("Pictavo2012*"), QString(), true));
  EXPECT_TRUE(ExitConfirmation::needed(QStringLiteral("Pictavo2012*"), QStringLiteral("/tmp/a.bmp"), true));
}

TEST(ExitConfirmation, SliderStepsBackUnlessDraggedToTheEnd) {
  DataHome home;
  const Surface canvas = drawnCanvas();
  int ended = 0;
  int afterStep = -1, afterMiddleDrag = -1;
  bool openAfterSteps = false;
  Watchdog watchdog;
  whenModal("save", [&](QWidget* w) {
    auto* slider = child<QScrollBar>(w, "HScroll1");
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the right arrow
    afterStep = slider->value();
    dragSlider(w, "HScroll1", 2);
    afterMiddleDrag = slider->value();
    openAfterSteps = w->isVisible();
    w->close();
  });
  ExitConfirmation::ask(nullptr, canvas, [&] { ++ended; });
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(afterStep, 0);
  EXPECT_EQ(afterMiddleDrag, 0);
  EXPECT_TRUE(openAfterSteps);
  // The close box leaves as the slider's end does: the draft, then the end.
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fileBytes(QString::fromStdString(draftPath())), bmpOf(canvas));
}

TEST(ExitConfirmation, EscapeWritesTheDraftAndEnds) {
  DataHome home;
  const Surface canvas = drawnCanvas();
  int ended = 0;
  Watchdog watchdog;
  whenModal("save", [&](QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w->focusWidget() ? w->focusWidget() : w, &press);
  });
  ExitConfirmation::ask(nullptr, canvas, [&] { ++ended; });
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fileBytes(QString::fromStdString(draftPath())), bmpOf(canvas));
}

TEST(ExitConfirmation, SliderAtItsEndWritesTheDraftIntoANewFolderAndEnds) {
  DataHome home;
  const Surface canvas = drawnCanvas();
  const QString draft = QString::fromStdString(draftPath());
  EXPECT_EQ(draft, home.path() + QStringLiteral("/brandwick/file/autosave.bmp"));
  // An old draft is replaced.
  QDir().mkpath(home.path() + QStringLiteral("/brandwick/file"));
  QFile old(draft);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old draft");
  old.close();

  int ended = 0;
  Watchdog watchdog;
  whenModal("save", [&](QWidget* w) {
    dragSlider(w, "HScroll1", 3);  // the draft
  });
  ExitConfirmation::ask(nullptr, canvas, [&] { ++ended; });
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fileBytes(draft), bmpOf(canvas));
}

TEST(ExitConfirmation, DraftThatCannotBeWrittenStillEnds) {
  DataHome home;
  // A file where the draft's folder should be: no folder can be made.
  QFile blocker(home.path() + QStringLiteral("/brandwick"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  int ended = 0;
  Watchdog watchdog;
  whenModal("save", [&](QWidget* w) {
    dragSlider(w, "HScroll1", 3);  // the draft
  });
  ExitConfirmation::ask(nullptr, drawnCanvas(), [&] { ++ended; });
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // nothing reported
}

TEST(ExitConfirmation, SaveCancelReturnsAndAFailedWriteKeepsTheWindowOpen) {
  QTemporaryDir dir;
  const Surface canvas = drawnCanvas();
  const QString good = dir.filePath(QStringLiteral("kept.otsp"));
  const QString bad = dir.filePath(QStringLiteral("missing/kept.otsp"));
  int ended = 0;
  bool openAfterCancel = false, openAfterError = false;
  QString errorCode, title, firstFilter;
  Watchdog watchdog(15000);
  whenModal("save", [&](QWidget* w) {
    whenModal("CD1", [&](QWidget* d) {
      title = d->windowTitle();
      firstFilter = static_cast<QFileDialog*>(d)->selectedNameFilter();
      static_cast<QFileDialog*>(d)->reject();
    });
    click(w, "Command1");
    openAfterCancel = w->isVisible();

    whenModal("CD1", [&](QWidget* d) {
      static_cast<QFileDialog*>(d)->selectFile(bad);
      static_cast<QDialog*>(d)->accept();
    });
    whenModal("errbox", [&](QWidget* e) {
      errorCode = labelText(e, "Label2");
      click(e, "Command1");
    });
    click(w, "Command1");
    openAfterError = w->isVisible();

    whenModal("CD1", [&](QWidget* d) {
      static_cast<QFileDialog*>(d)->selectFile(good);
      static_cast<QDialog*>(d)->accept();
    });
    click(w, "Command1");
  });
  ExitConfirmation::ask(nullptr, canvas, [&] { ++ended; });
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(title, QStringLiteral("Save"));
  EXPECT_TRUE(firstFilter.startsWith(QStringLiteral("所有支持的格式(*.otsp;")));
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(errorCode, QStringLiteral("错误代码:76"));
  EXPECT_TRUE(openAfterError);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fileBytes(good), bmpOf(canvas));
}

}  // namespace
}  // namespace pictavo
