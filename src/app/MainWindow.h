#pragma once
// MainWindow: the main window frmmain. It owns the canvas SrcDc and the
// hidden buffers for the whole run, lays out its panels itself (absolute
// places, see ViewportLayout), feeds the canvas's mouse events to the tool
// engine and is the engine's ToolHost. startUp() is the program's start-up.
//
// Client area below the menu bar (designed 892 x 582): the top panel pTop
// (43 high) with the option panels and the palette, the tool bar pTools
// (112 wide), the viewport pHolder at (113, 42) with the canvas, the grips,
// the scroll bars hBar/vBar and the corner button pSpacer, the status bar
// sbar1 at the bottom, and the floating hint panel Picture1.

#include "app/MainMenu.h"
#include "app/ViewportLayout.h"
#include "canvas/Picture.h"
#include "canvas/Surface.h"
#include "canvas/ToolEngine.h"
#include "canvas/ToolHost.h"
#include "canvas/UndoHistory.h"
#include "windows/CommandHost.h"

#include <QMainWindow>
#include <QPointF>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QKeyEvent;
class QPushButton;
class QScrollBar;
class QWheelEvent;

namespace pictavo {

class CanvasView;
class ClipboardCommands;
class ColorPalette;
class FileCommands;
class GripWidget;
class HintPanel;
class OptionRow;
class StatusBar;
class ToolBar;

class MainWindow : public QMainWindow, public CommandHost {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 892;
  static constexpr int kDesignHeight = 582;

  // programFolder: where the program lives (its Data folder is below it).
  explicit MainWindow(const QString& programFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up: shows the window, asks for the canvas (modal new-canvas
  // dialog), fills and chooses the option lists, loads the pattern and
  // brush lists, makes the pencil current and switches transparent paste off.
  // With a file (a full path), the file is opened as Open does instead of
  // the dialog; one that fails is reported and the dialog follows.
  void startUp(const std::string& file = {});

  // ---- commands ------------------------------------------------------------
  void newCanvas();          // mnuNew
  void clearPicture();       // mnuClear: the delete hint window
  // The layout routine, for a resize of the window.
  void runLayout();
  // View menu: one level in or out (nothing at the ends), actual size, the
  // largest level that needs no scroll bar; each keeps the picture point at
  // the centre of the visible part of the viewport there.
  void zoomIn();
  void zoomOut();
  void zoomActual();
  void zoomFit();
  // The zoom becomes z, keeping the picture point shown at viewport position
  // `anchor` there as far as the scroll range allows.
  void setZoom(ZoomFactor z, QPointF anchor);
  // The centre of the part of the viewport the scroll bars leave visible.
  QPointF visibleCentre() const;
  // Ends the program at once (the exit commands).
  void endProgram() override;
  // Open and New: nothing to undo or redo in the picture now shown.
  void startFreshHistory() override;
  void undo();  // mnuUndo
  void redo();  // mnuRedo
  const UndoHistory& history() const { return history_; }

  // ---- the drawing that is in no file ----------------------------------------
  // The end of every user action (ChangeScope): what changed since the last
  // one becomes one undo step, unless a gesture on the canvas or a grip drag
  // is still under way; the Undo and Redo items follow.
  void settleChanges();
  // Save As: the picture as it is now is in a file.
  void notePictureInFile() override;
  // Whether closing now would lose drawing, whatever the title and panel 1
  // say: the picture differs from the state last opened, saved or made new.
  bool drawingInNoFile() const override;

  // ---- parts ----------------------------------------------------------------
  ToolEngine& engine() override { return engine_; }
  const ToolEngine& engine() const { return engine_; }
  ColorPalette* colorPalette() const;
  StatusBar* statusBar1() const { return statusBar_; }
  CanvasView* canvasView() const { return canvasView_; }
  ToolBar* toolBar() const { return toolBar_; }
  QWidget* clientArea() const { return client_; }
  const MainMenu& menu() const { return *menu_; }
  const ViewportLayout& viewport() const { return viewport_; }
  GripWidget* gripWidget(int slot) const;
  QScrollBar* hBar() const { return hBar_; }
  QScrollBar* vBar() const { return vBar_; }
  QComboBox* optionList(const QString& name) const;
  HintPanel* hintPanel() const { return hint_; }
  const std::string& lastFolder() const override { return lastFolder_; }
  void setLastFolder(const std::string& folder) override { lastFolder_ = folder; }

  // Hidden buffers.
  Surface& pSrc21() override { return pSrc21_; }
  Surface& pMask() override { return pMask_; }
  Surface& srcBrush1() { return srcBrush1_; }
  Surface& srcBrush2() override { return srcBrush2_; }
  Surface& imgPatten() { return imgPatten_; }

  // Status panel 3 texts.
  static QString startupSizeText(int w, int h);
  static QString sizeText(int w, int h);

  // ---- CommandHost -------------------------------------------------------------
  QWidget* commandWindow() override { return this; }
  QAction* menuItem(const QString& objectName) const override;
  QString statusPanelText(int panel) const override;
  void showCanvasSize() override;
  void layoutCanvas(Zoom zoom) override;
  void whenProgramEnds(std::function<void()> callback) override;

  // ---- ToolHost ---------------------------------------------------------------
  Surface& canvas() override { return canvas_; }
  Color color1() const override;
  Color color2() const override;
  void setColor1(Color c) override;
  void setColor2(Color c) override;
  void setWidgetVisible(const std::string& objectName, bool visible) override;
  void setMenuItemEnabled(const std::string& objectName, bool enabled) override;
  void setStatusPanelText(int panel, const std::string& text) override;
  std::string windowTitle() const override;
  void setWindowTitle(const std::string& title) override;
  void showHint(const std::string& text) override;
  void hideHint() override;
  bool isHintVisible() const override;
  void moveHint(int left, int top) override;
  int toolsPanelWidth() const override;
  int topPanelHeight() const override;
  OutlineShape selection() const override;
  void setSelection(const OutlineShape& shape) override;
  OutlineShape cloneMarker() const override;
  void setCloneMarker(const OutlineShape& shape) override;
  void cut() override;
  int listIndex(const std::string& listName) const override;
  std::string listText(const std::string& listName) const override;
  const Picture* patternPicture() const override;
  // Null while no brush file has been read (empty folder, or the chosen one did not decode).
  Surface* brushPicture() override { return brushLoaded_ ? &srcBrush1_ : nullptr; }
  Surface* brushStamp() override { return &srcBrush2_; }
  Surface* copyBuffer() override { return &pSrc21_; }
  bool transparentPaste() const override;
  void previewPaste(float x, float y) override;
  void commitPaste(float x, float y) override;
  void showTextDialog() override;

 signals:
  // The program ends (an exit command); the window is closing.
  void programEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The query-unload step (the exit confirmation) runs before every close.
  void closeEvent(QCloseEvent* event) override;
  // One picture file dropped on the window opens as Open opens it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createClientArea();
  void createViewport();
  void connectCommands();
  void connectHistory();
  void stepHistory(bool forward);
  void updateHistoryItems();
  void fillOptionLists();
  void chooseStartupItems();
  void loadPatternList();
  void loadBrushList();
  void choosePattern(int index);
  void chooseBrush(int index);
  void applyViewport();
  void placeGrips();  // PlaceGrips for the canvas's current size
  // False when the size was refused (the error window told the user).
  bool resizeCanvas(int width, int height);
  // The wheel over the canvas or the viewport: scrolls, or zooms with Ctrl.
  void wheelOverViewport(QWheelEvent* event);
  PointerEvent pictureEvent(const PointerEvent& viewEvent) const;
  void gripPressed(int slot, int button, float x, float y);
  void gripMoved(int slot, int buttons, float x, float y);
  QAction* action(const char* name) const;
  // Runs a key press meant for this window or one of its controls; true
  // when the window took it.
  bool previewKeyPress(const QKeyEvent* event);

  QString programFolder_;
  std::string lastFolder_;
  Surface canvas_;
  UndoHistory history_;
  Surface pSrc21_, pMask_, srcBrush1_, srcBrush2_, imgPatten_;
  std::optional<Picture> patternPicture_;
  bool brushLoaded_ = false;
  std::uint64_t savedState_ = 0;  // the history's state last opened, saved or made new
  bool gripHeld_ = false;  // between a grip's press and release
  QPoint wheelRest_;       // wheel turns short of a whole notch
  ToolEngine engine_;
  ViewportLayout viewport_;

  std::unique_ptr<MainMenu> menu_;
  QWidget* client_ = nullptr;
  QWidget* top_ = nullptr;
  std::unique_ptr<OptionRow> options_;
  ToolBar* toolBar_ = nullptr;
  QWidget* holder_ = nullptr;
  CanvasView* canvasView_ = nullptr;
  std::array<GripWidget*, ViewportLayout::kItouch3 + 1> grips_{};
  QScrollBar* hBar_ = nullptr;
  QScrollBar* vBar_ = nullptr;
  QPushButton* spacer_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  HintPanel* hint_ = nullptr;
  FileCommands* files_ = nullptr;
  ClipboardCommands* clipboard_ = nullptr;
};

}  // namespace pictavo
