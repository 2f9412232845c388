#include "app/MainWindow.h"

#include "app/CanvasView.h"
#include "app/ChangeScope.h"
#include "app/FileArgument.h"
#include "app/ClipboardCommands.h"
#include "base/Errors.h"
#include "base/Globals.h"
#include "app/GripWidget.h"
#include "app/HintPanel.h"
#include "base/NumberEntry.h"
#include "app/OptionRow.h"
#include "app/StatusBar.h"
#include "app/ToolBar.h"
#include "canvas/PixelPool.h"
#include "canvas/TextTool.h"
#include "controls/ColorPalette.h"
#include "documents/FileCommands.h"
#include "documents/NewCanvasDialog.h"
#include "documents/StartFolder.h"
#include "formats/PictureDecoder.h"
#include "effects/EffectCommands.h"
#include "windows/AboutBox.h"
#include "windows/ErrorWindow.h"
#include "windows/HintWindow.h"
#include "windows/Links.h"
#include "windows/TextDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace pictavo {

namespace {

// The system window-background colour, the designed canvas colour.
Color systemWindowColor() {
  const QColor c = QApplication::palette().color(QPalette::Base);
  return composeColor(c.red(), c.green(), c.blue());
}

}  // namespace

MainWindow::MainWindow(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(programFolder),
      canvas_(500, 400, systemWindowColor()),
      history_(canvas_),
      pSrc21_(Surface::hiddenBuffer()),
      pMask_(Surface::hiddenBuffer()),
      srcBrush1_(Surface::hiddenBuffer()),
      srcBrush2_(Surface::hiddenBuffer()),
      imgPatten_(Surface::hiddenBuffer()),
      engine_(*this) {
  setObjectName("frmmain");
  QMainWindow::setWindowTitle(QString::fromUtf8(kTitle));
  menu_ = std::make_unique<MainMenu>(menuBar());
  createClientArea();
  connectCommands();
  files_ = new FileCommands(*this);  // Open, Save As, Exit and the exit confirmation
  new EffectCommands(*this);  // owned by the window
  clipboard_ = new ClipboardCommands(*this);
  // Text needs the font engine, which the core's tool catalog does without.
  engine_.setTool(kTextTool, std::make_unique<TextTool>());
  connectHistory();
  // The designed client area lies below the menu bar.
  resize(kDesignWidth, kDesignHeight + menuBar()->sizeHint().height());
  setAcceptDrops(true);
}

MainWindow::~MainWindow() {
  ChangeScope::setSettle(nullptr);
  if (qApp) qApp->removeEventFilter(this);
  // The view must stop listening before the canvas goes away.
  canvasView_->setSurface(nullptr);
}

// ---- building the window ----------------------------------------------------

void MainWindow::createClientArea() {
  client_ = new QWidget(this);
  client_->setObjectName("frmmainClient");
  setCentralWidget(client_);
  // A form that previews keys: the window sees them before its controls.
  // It also sees the client's resizes: a filter on the client as well ran
  // the layout twice per resize.
  qApp->installEventFilter(this);

  top_ = new QFrame(client_);
  top_->setObjectName("pTop");
  top_->setGeometry(0, 0, kDesignWidth, ViewportLayout::kTopHeight);
  options_ = std::make_unique<OptionRow>(top_);

  toolBar_ = new ToolBar(client_);
  toolBar_->setGeometry(0, ViewportLayout::kTopHeight, ViewportLayout::kToolsWidth, 500);
  toolBar_->setClickHandler([this](int i) { engine_.chooseTool(i); });

  createViewport();

  statusBar_ = new StatusBar(client_);
  statusBar_->setPanelText(1, QStringLiteral("未保存的新文档"));

  hint_ = new HintPanel(client_);
  // Until the pointer first moves over the canvas, a hint shows where the
  // canvas's top-left corner would put it.
  hint_->move(ViewportLayout::kToolsWidth + 10, ViewportLayout::kTopHeight + 10);
}

void MainWindow::createViewport() {
  holder_ = new QWidget(client_);
  holder_->setObjectName("pHolder");
  holder_->setAutoFillBackground(true);
  QPalette pal = holder_->palette();
  pal.setColor(QPalette::Window, QColor(128, 128, 128));
  holder_->setPalette(pal);
  holder_->move(ViewportLayout::kHolderLeft, ViewportLayout::kHolderTop);

  canvasView_ = new CanvasView(holder_);
  canvasView_->setViewport(&viewport_);
  canvasView_->setSurface(&canvas_);
  canvasView_->move(ViewportLayout::kCanvasDesignLeft, ViewportLayout::kCanvasDesignTop);
  CanvasView::Listener canvasListener;
  canvasListener.mouseDown = [this](const PointerEvent& e) { engine_.mouseDown(pictureEvent(e)); };
  canvasListener.mouseMove = [this](const PointerEvent& e) { engine_.mouseMove(pictureEvent(e)); };
  canvasListener.mouseUp = [this](const PointerEvent& e) { engine_.mouseUp(pictureEvent(e)); };
  canvasListener.doubleClick = [this] { engine_.doubleClick(); };
  canvasListener.keyUp = [this](int key) { engine_.keyUp(key); };
  canvasView_->setListener(std::move(canvasListener));

  GripWidget::Listener gripListener;
  gripListener.press = [this](int slot, int button, float x, float y) { gripPressed(slot, button, x, y); };
  gripListener.move = [this](int slot, int buttons, float x, float y) { gripMoved(slot, buttons, x, y); };
  gripListener.release = [this](int slot) {
    viewport_.gripRelease(slot);
    gripHeld_ = false;
  };
  for (int slot = 0; slot <= ViewportLayout::kItouch3; ++slot) {
    if (!ViewportLayout::gripExists(slot)) continue;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    if (slot == 0) cursor = Qt::SizeHorCursor;
    if (slot == 1) cursor = Qt::SizeFDiagCursor;
    if (slot == 2) cursor = Qt::SizeVerCursor;
    auto* grip = new GripWidget(slot, cursor, holder_);
    grip->setListener(gripListener);
    grips_[std::size_t(slot)] = grip;
  }

  vBar_ = new QScrollBar(Qt::Vertical, holder_);
  vBar_->setObjectName("vBar");
  hBar_ = new QScrollBar(Qt::Horizontal, holder_);
  hBar_->setObjectName("hBar");
  vBar_->setSingleStep(16);
  hBar_->setSingleStep(16);
  // The wheel over the canvas, the grips and the corner reaches the viewport.
  holder_->installEventFilter(this);
  connect(hBar_, &QScrollBar::valueChanged, this, [this](int v) {
    viewport_.setHValue(v);
    applyViewport();
  });
  connect(vBar_, &QScrollBar::valueChanged, this, [this](int v) {
    viewport_.setVValue(v);
    applyViewport();
  });
  spacer_ = new QPushButton(QStringLiteral("S"), holder_);
  spacer_->setObjectName("pSpacer");
  spacer_->setFocusPolicy(Qt::NoFocus);
  // The corner button runs the stretch command of the Canvas menu.
  connect(spacer_, &QPushButton::clicked, this, [this] {
    if (QAction* stretch = action("mnuScale")) stretch->trigger();
  });
  applyViewport();
}

QAction* MainWindow::action(const char* name) const { return menu_->action(QString::fromLatin1(name)); }

void MainWindow::connectCommands() {
  connect(action("mnuNew"), &QAction::triggered, this, &MainWindow::newCanvas);
  connect(action("mnuClear"), &QAction::triggered, this, &MainWindow::clearPicture);
  connect(action("mnuUpdate"), &QAction::triggered, this, [] { openLink(Link::UpdateNews); });
  connect(action("mnuWeiboSohu"), &QAction::triggered, this, [] { openLink(Link::MicroblogFirst); });
  connect(action("mnuWeiboTencent"), &QAction::triggered, this, [] { openLink(Link::MicroblogSecond); });
  connect(action("mnuAbout"), &QAction::triggered, this, [this] { AboutBox::ask(this); });
  connect(action("mnuZoomIn"), &QAction::triggered, this, &MainWindow::zoomIn);
  connect(action("mnuZoomOut"), &QAction::triggered, this, &MainWindow::zoomOut);
  connect(action("mnuZoomActual"), &QAction::triggered, this, &MainWindow::zoomActual);
  connect(action("mnuZoomFit"), &QAction::triggered, this, &MainWindow::zoomFit);
  connect(action("mnuGrid"), &QAction::toggled, canvasView_, &CanvasView::setGridShown);

  QComboBox* dw = optionList("cboDW");
  connect(dw, &QComboBox::currentIndexChanged, this, [this, dw](int i) {
    if (i >= 0) engine_.chooseDrawWidth(dw->itemText(i).toStdString());
  });
  connect(optionList("cboStyle"), &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) engine_.chooseDrawStyle(i);
  });
  connect(optionList("cboPatten"), &QComboBox::currentIndexChanged, this, &MainWindow::choosePattern);
  connect(optionList("cboBrush"), &QComboBox::currentIndexChanged, this, &MainWindow::chooseBrush);
  QComboBox* cloneSize = optionList("cboCloneSize");
  connect(cloneSize, &QComboBox::currentIndexChanged, this, [this, cloneSize](int i) {
    if (i < 0) return;
    OutlineShape marker = cloneMarker();
    marker.width = marker.height = float(leadingInteger(cloneSize->itemText(i).toStdString()));
    setCloneMarker(marker);
  });
}

void MainWindow::connectHistory() {
  connect(action("mnuUndo"), &QAction::triggered, this, &MainWindow::undo);
  connect(action("mnuRedo"), &QAction::triggered, this, &MainWindow::redo);
  ChangeScope::setSettle([this] { settleChanges(); });
  updateHistoryItems();
}

// ---- start-up -----------------------------------------------------------------

void MainWindow::startUp(const std::string& file) {
  show();
  const std::string programFolder = QDir::cleanPath(programFolder_).toStdString() + "/";
  globals().dataPath = programFolder + "Data/";
  lastFolder_ = startFolder(programFolder);
  files_->setStartFolder(lastFolder_);
  globals().dlgResult = 2;
  // A file to open takes the new-canvas dialog's place, unless it fails.
  std::optional<Picture> opened;
  if (!file.empty()) opened = files_->readPicture(file);
  if (!opened) NewCanvasDialog::ask(this, [this] { return std::pair{color1(), color2()}; });
  if (globals().dlgResult == 1) {
    resizeCanvas(globals().canvasWidth, globals().canvasHeight);
    canvas_.SetBackColor(globals().canvasBackColor);
    hideSelection();
    runLayout();
  }
  placeGrips();
  statusBar_->setPanelText(3, startupSizeText(canvas_.Width(), canvas_.Height()));
  globals().dlgResult = 2;
  fillOptionLists();
  chooseStartupItems();
  loadPatternList();
  loadBrushList();
  engine_.chooseTool(kPencilTool);
  action("MnuDQue")->trigger();
  startFreshHistory();
  if (opened) files_->showPicture(file, std::move(*opened));
}

namespace {

// Adds items without running the list's choice action; nothing is chosen
// afterwards, as in a list that was only filled.
void addItems(QComboBox* list, const QStringList& items) {
  const QSignalBlocker quiet(list);
  list->addItems(items);
  list->setCurrentIndex(-1);
}

QStringList numberItems(int last) {
  QStringList items;
  for (int i = 1; i <= last; ++i) items << QString::number(i);
  return items;
}

// A choice exactly as a user's: the list's action runs.
void choose(QComboBox* list, int index) {
  if (list->currentIndex() == index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(-1);
  }
  list->setCurrentIndex(index);
}

}  // namespace

void MainWindow::fillOptionLists() {
  addItems(optionList("cboFillType"), {QStringLiteral("纯色"), QStringLiteral("纹理")});
  addItems(optionList("cboStyle"), {QStringLiteral("—"), QStringLiteral("- -"), QStringLiteral("."),
                                    QStringLiteral("- ."), QStringLiteral("- . .")});
  addItems(optionList("cboEraseType"), {QStringLiteral("正方形"), QStringLiteral("圆形")});
  addItems(optionList("cboGrade"), {QStringLiteral("从左到右"), QStringLiteral("从上到下")});
  addItems(optionList("cboTextStyle"), {QStringLiteral("正常"), QStringLiteral("3D 重影特效")});
  addItems(optionList("cboDW"), numberItems(200));
  addItems(optionList("cboWidth"), numberItems(200));
  addItems(optionList("cboCloneSize"), numberItems(90));
}

void MainWindow::chooseStartupItems() {
  choose(optionList("cboFillType"), 0);
  choose(optionList("cboEraseType"), 0);
  choose(optionList("cboDW"), 2);
  choose(optionList("cboStyle"), 0);
  choose(optionList("cboGrade"), 0);
  choose(optionList("cboTextStyle"), 0);
  choose(optionList("cboWidth"), 9);
  choose(optionList("cboCloneSize"), 9);
}

namespace {

// The names of the "*.bmp" files of a folder, in the order the file system
// lists them; empty when the folder is missing.
QStringList bitmapNames(const QString& folder) {
  QDir dir(folder);
  if (!dir.exists()) return {};
  dir.setNameFilters({QStringLiteral("*.bmp")});
  dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
  dir.setSorting(QDir::Unsorted);
  return dir.entryList();
}

void fillFileList(QComboBox* list, const QStringList& names) {
  for (const QString& name : names) {
    {
      const QSignalBlocker quiet(list);
      list->addItem(name);
      list->setCurrentIndex(-1);
    }
    QCoreApplication::processEvents();
  }
  if (list->count() > 0) choose(list, 0);
}

}  // namespace

void MainWindow::loadPatternList() {
  const QString folder = QString::fromStdString(globals().dataPath) + QStringLiteral("pattens/");
  fillFileList(optionList("cboPatten"), bitmapNames(folder));
}

void MainWindow::loadBrushList() {
  const QString folder = QString::fromStdString(globals().dataPath) + QStringLiteral("brushs/");
  fillFileList(optionList("cboBrush"), bitmapNames(folder));
}

// A listed file that cannot be read as a picture counts as no picture.
void MainWindow::choosePattern(int index) {
  if (index < 0) return;
  const std::string path = globals().dataPath + "pattens/" + optionList("cboPatten")->itemText(index).toStdString();
  try {
    Picture picture = decodePictureFile(path);
    imgPatten_.SetPicture(picture);
    patternPicture_ = std::move(picture);
  } catch (const std::exception&) {
    // The fill then uses the solid colour rather than the previous pattern.
    patternPicture_.reset();
  }
}

void MainWindow::chooseBrush(int index) {
  if (index < 0) return;
  const std::string path = globals().dataPath + "brushs/" + optionList("cboBrush")->itemText(index).toStdString();
  try {
    srcBrush1_.SetPicture(decodePictureFile(path));
    brushLoaded_ = true;
  } catch (const std::exception&) {
    // The magic bag then leaves no mark rather than stamping the previous brush.
    brushLoaded_ = false;
  }
}

// ---- commands -----------------------------------------------------------------

void MainWindow::newCanvas() {
  if (!files_->mayDiscardDrawing()) return;
  NewCanvasDialog::ask(this, [this] { return std::pair{color1(), color2()}; });
  if (globals().dlgResult == 1) {
    files_->forgetDocument();
    canvas_.Cls();
    resizeCanvas(globals().canvasWidth, globals().canvasHeight);
    canvas_.SetBackColor(globals().canvasBackColor);
    action("MnuDQue")->setChecked(false);
    hideSelection();
    layoutCanvas(Zoom::ActualSize);
    notePictureInFile();
    startFreshHistory();
  }
  statusBar_->setPanelText(3, sizeText(canvas_.Width(), canvas_.Height()));
  globals().dlgResult = 2;
}

void MainWindow::clearPicture() { HintWindow::ask(this, canvas_); }

// A gesture and a grip drag change the picture at every move but are one
// undo step each, recorded once they end.
void MainWindow::settleChanges() {
  if (engine_.state().mouseIsDown || gripHeld_) return;
  history_.commit();
  updateHistoryItems();
}

void MainWindow::notePictureInFile() {
  history_.commit();
  savedState_ = history_.state();
  updateHistoryItems();
}

bool MainWindow::drawingInNoFile() const { return history_.state() != savedState_ || history_.pending(); }

void MainWindow::startFreshHistory() {
  history_.clear();
  savedState_ = history_.state();
  // A new picture: keep at most one spare buffer of its size for the next.
  PixelPool::shared().trim(std::size_t(canvas_.Width()) * std::size_t(canvas_.Height()) * sizeof(std::uint32_t));
  updateHistoryItems();
}

void MainWindow::undo() { stepHistory(false); }
void MainWindow::redo() { stepHistory(true); }

// Only the picture goes back or forth: palette, tool, options, the copy
// buffer and the clone source stay as they are.
void MainWindow::stepHistory(bool forward) {
  DrawingState& state = engine_.state();
  if (state.mouseIsDown || gripHeld_) return;  // not in the middle of a gesture or a drag
  endPendingPaste();
  hideSelection();
  const int oldWidth = canvas_.Width(), oldHeight = canvas_.Height();
  const bool stepped = forward ? history_.redo() : history_.undo();
  if (stepped) {
    if (canvas_.Width() != oldWidth || canvas_.Height() != oldHeight) {
      layoutCanvas(Zoom::Keep);
      statusBar_->setPanelText(3, sizeText(canvas_.Width(), canvas_.Height()));
    }
    canvas_.Refresh();
    if (windowTitle() == kTitle) setWindowTitle(std::string(kModifiedTitle));
  }
  updateHistoryItems();
}

void MainWindow::updateHistoryItems() {
  action("mnuUndo")->setEnabled(history_.canUndo());
  action("mnuRedo")->setEnabled(history_.canRedo());
}

void MainWindow::endProgram() {
  emit programEnded();
  QApplication::closeAllWindows();
  QApplication::quit();
}

// A size the surface refuses (beyond the canvas limit, or no memory) is
// reported and the canvas keeps its size.
bool MainWindow::resizeCanvas(int width, int height) {
  bool resized = true;
  try {
    canvas_.Resize(width, height);
  } catch (const Error& e) {
    ErrorWindow::report(this, e);
    resized = false;
  }
  canvasView_->syncSize();
  return resized;
}

// ---- layout -----------------------------------------------------------------------

void MainWindow::runLayout() {
  const QSize client = client_->size();
  viewport_.layout(client.width(), client.height(), StatusBar::kHeight, canvas_.Width(), canvas_.Height());
  // The docked panels follow the window.
  top_->setGeometry(0, 0, client.width(), ViewportLayout::kTopHeight);
  statusBar_->setGeometry(0, client.height() - StatusBar::kHeight, client.width(), StatusBar::kHeight);
  applyViewport();
}

void MainWindow::placeGrips() {
  viewport_.placeGrips(canvas_.Width(), canvas_.Height());
  applyViewport();
}

void MainWindow::layoutCanvas(Zoom zoom) {
  if (zoom == Zoom::ActualSize) {
    // A new picture: the reduced levels of the old one are of no more use.
    // Kept otherwise, so that going back and forth between Fit and actual
    // size costs no rebuilding.
    canvasView_->releaseReducedLevels();
    if (!viewport_.zoom().isActualSize()) {
      viewport_.setZoom(ZoomFactor{});
      statusBar_->setPanelText(10, QString::fromStdString(viewport_.zoom().percentText()));
    }
  }
  canvasView_->syncSize();
  placeGrips();
  runLayout();
}

// ---- zoom -------------------------------------------------------------------------

void MainWindow::setZoom(ZoomFactor z, QPointF anchor) {
  if (z == viewport_.zoom() || z.levelIndex() < 0) return;
  const auto [h, v] = viewport_.valuesKeeping(anchor.x(), anchor.y(), z);
  viewport_.setZoom(z);
  canvasView_->syncSize();
  viewport_.placeGrips(canvas_.Width(), canvas_.Height());
  runLayout();  // the bars' ranges and visibility for the new displayed size
  // As far as the bars reach: a canvas that fits goes back to their start.
  viewport_.setHValue(std::clamp(h, 0, std::max(0, viewport_.hBar().maximum)));
  viewport_.setVValue(std::clamp(v, 0, std::max(0, viewport_.vBar().maximum)));
  applyViewport();
  statusBar_->setPanelText(10, QString::fromStdString(z.percentText()));
}

QPointF MainWindow::visibleCentre() const {
  const int w = viewport_.holderWidth() - (viewport_.vBar().visible ? ViewportLayout::kBarThickness : 0);
  const int h = viewport_.holderHeight() - (viewport_.hBar().visible ? ViewportLayout::kBarThickness : 0);
  return QPointF(w / 2.0, h / 2.0);
}

namespace {
// The level `steps` away from z (clamped to the list).
ZoomFactor levelFrom(ZoomFactor z, int steps) {
  const int index = std::clamp(z.levelIndex() + steps, 0, ZoomFactor::kLevelCount - 1);
  return ZoomFactor::levels()[std::size_t(index)];
}
}  // namespace

void MainWindow::zoomIn() { setZoom(levelFrom(viewport_.zoom(), 1), visibleCentre()); }
void MainWindow::zoomOut() { setZoom(levelFrom(viewport_.zoom(), -1), visibleCentre()); }
void MainWindow::zoomActual() { setZoom(ZoomFactor{}, visibleCentre()); }
void MainWindow::zoomFit() { setZoom(viewport_.fitZoom(canvas_.Width(), canvas_.Height()), visibleCentre()); }

void MainWindow::wheelOverViewport(QWheelEvent* event) {
  event->accept();
  // Whole notches of 120; finer wheels add up until they make one.
  const QPoint delta = event->angleDelta();
  const bool zoom = event->modifiers() & Qt::ControlModifier;
  const bool sideways = !zoom && ((event->modifiers() & Qt::ShiftModifier) || delta.y() == 0);
  int& rest = sideways && delta.y() == 0 ? wheelRest_.rx() : wheelRest_.ry();
  rest += delta.y() != 0 ? delta.y() : delta.x();
  const int notches = rest / 120;
  rest -= notches * 120;
  if (notches == 0) return;
  if (zoom) {
    const QPointF pointer = event->position();
    for (int i = 0; i < std::abs(notches); ++i) setZoom(levelFrom(viewport_.zoom(), notches > 0 ? 1 : -1), pointer);
    return;
  }
  // Three lines of the bars' arrow step a notch; up and left scroll back.
  QScrollBar* bar = sideways ? hBar_ : vBar_;
  bar->setValue(bar->value() - notches * 3 * bar->singleStep());
}

PointerEvent MainWindow::pictureEvent(const PointerEvent& e) const {
  if (viewport_.zoom().isActualSize()) return e;
  PointerEvent p = e;
  p.x = float(viewport_.pictureX(e.x));
  p.y = float(viewport_.pictureY(e.y));
  p.shown = PointerEvent::ViewPoint{e.x, e.y};
  return p;
}

void MainWindow::applyViewport() {
  const ViewportLayout& v = viewport_;
  holder_->resize(v.holderWidth(), v.holderHeight());
  toolBar_->resize(ViewportLayout::kToolsWidth, v.toolsHeight());
  canvasView_->move(v.canvasLeft(), v.canvasTop());
  for (int slot = 0; slot <= ViewportLayout::kItouch3; ++slot) {
    if (GripWidget* g = grips_[std::size_t(slot)]) {
      const GripPosition p = *v.grip(slot);
      g->move(p.left, p.top);
      g->raise();
    }
  }
  vBar_->setGeometry(v.vBarLeft(), 0, ViewportLayout::kBarThickness, v.vBarHeight());
  hBar_->setGeometry(0, v.hBarTop(), v.hBarWidth(), ViewportLayout::kBarThickness);
  spacer_->setGeometry(v.spacerLeft(), v.spacerTop(), ViewportLayout::kBarThickness, ViewportLayout::kBarThickness);
  auto applyBar = [](QScrollBar* bar, const ScrollBarState& s, int page) {
    const QSignalBlocker quiet(bar);
    bar->setRange(0, std::max(0, s.maximum));
    bar->setPageStep(std::max(1, page));
    bar->setValue(s.value);
    bar->setEnabled(s.enabled);
    bar->setVisible(s.visible);
    bar->raise();
  };
  applyBar(hBar_, v.hBar(), v.holderWidth() - ViewportLayout::kBarThickness);
  applyBar(vBar_, v.vBar(), v.holderHeight() - ViewportLayout::kBarThickness);
  spacer_->raise();
}

void MainWindow::gripPressed(int slot, int button, float x, float y) {
  gripHeld_ = true;
  viewport_.gripPress(slot, button, x, y);
}

void MainWindow::gripMoved(int slot, int buttons, float x, float y) {
  const GripDragResult r = viewport_.gripMove(slot, buttons, x, y, canvas_.Width(), canvas_.Height());
  if (r.dragged) {
    if (r.canvasWidth != canvas_.Width() || r.canvasHeight != canvas_.Height()) {
      if (!resizeCanvas(r.canvasWidth, r.canvasHeight)) {
        // The error window took the mouse: the release never reaches the
        // grip, so the drag ends here.
        viewport_.gripRelease(slot);
        gripHeld_ = false;
      }
    }
    viewport_.placeGrips(canvas_.Width(), canvas_.Height());
    viewport_.updateScrollBars(canvas_.Width(), canvas_.Height());
    statusBar_->setPanelText(3, sizeText(canvas_.Width(), canvas_.Height()));
  }
  viewport_.syncScrollBarVisibility();
  applyViewport();
}

QString MainWindow::startupSizeText(int w, int h) {
  return QStringLiteral("画布:宽 ") + QString::number(w) + QStringLiteral(" 高 ") + QString::number(h);
}

QString MainWindow::sizeText(int w, int h) {
  return QStringLiteral("画布大小:宽 ") + QString::number(w) + QStringLiteral(" 高 ") + QString::number(h) +
         QStringLiteral("(32位色元)");
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) runLayout();
  if (watched == holder_ && event->type() == QEvent::Wheel) {
    wheelOverViewport(static_cast<QWheelEvent*>(event));
    return true;
  }
  // Key presses meant for any control of this window pass here first.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && previewKeyPress(static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::previewKeyPress(const QKeyEvent* event) {
  // Only the lower-case x swaps, whichever control has the focus, and the
  // control then never sees it; X and every other key go on as usual.
  const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (event->text() != QStringLiteral("x") || (event->modifiers() & chords)) return false;
  colorPalette()->SwapColors();
  return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::string file = droppedFile(event->mimeData());
  if (file.empty()) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the error window is modal, and the file
  // manager waits for the drop to finish.
  QMetaObject::invokeMethod(this, [this, file] { files_->openFile(file); }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  files_->queryUnload();
  event->accept();
}

// ---- parts ------------------------------------------------------------------------

ColorPalette* MainWindow::colorPalette() const { return options_->palette(); }

GripWidget* MainWindow::gripWidget(int slot) const {
  if (slot < 0 || slot > ViewportLayout::kItouch3) return nullptr;
  return grips_[std::size_t(slot)];
}

QComboBox* MainWindow::optionList(const QString& name) const { return options_->list(name); }

// ---- CommandHost ------------------------------------------------------------------

QAction* MainWindow::menuItem(const QString& objectName) const { return menu_->action(objectName); }

QString MainWindow::statusPanelText(int panel) const { return statusBar_->panelText(panel); }

void MainWindow::showCanvasSize() {
  setStatusPanelText(3, sizeText(canvas_.Width(), canvas_.Height()).toStdString());
}


void MainWindow::whenProgramEnds(std::function<void()> callback) {
  connect(this, &MainWindow::programEnded, this, std::move(callback));
}

// ---- ToolHost ---------------------------------------------------------------------

Color MainWindow::color1() const { return colorPalette()->Color1(); }
Color MainWindow::color2() const { return colorPalette()->Color2(); }
void MainWindow::setColor1(Color c) { colorPalette()->setColor1(c); }
void MainWindow::setColor2(Color c) { colorPalette()->setColor2(c); }

void MainWindow::setWidgetVisible(const std::string& objectName, bool visible) {
  if (auto* w = top_->findChild<QWidget*>(QString::fromStdString(objectName))) w->setVisible(visible);
}

void MainWindow::setMenuItemEnabled(const std::string& objectName, bool enabled) {
  if (QAction* a = menu_->action(QString::fromStdString(objectName))) a->setEnabled(enabled);
}

void MainWindow::setStatusPanelText(int panel, const std::string& text) {
  statusBar_->setPanelText(panel, QString::fromStdString(text));
}

std::string MainWindow::windowTitle() const { return QMainWindow::windowTitle().toStdString(); }

void MainWindow::setWindowTitle(const std::string& title) { QMainWindow::setWindowTitle(QString::fromStdString(title)); }

void MainWindow::showHint(const std::string& text) {
  hint_->setText(QString::fromStdString(text));
  hint_->show();
  hint_->raise();
}

void MainWindow::hideHint() { hint_->hide(); }
bool MainWindow::isHintVisible() const { return !hint_->isHidden(); }
void MainWindow::moveHint(int left, int top) { hint_->place(left, top); }
int MainWindow::toolsPanelWidth() const { return toolBar_->width(); }
int MainWindow::topPanelHeight() const { return top_->height(); }

OutlineShape MainWindow::selection() const { return canvasView_->selection(); }
// Crop follows the outline itself, not only the releases as Cut and Copy do.
void MainWindow::setSelection(const OutlineShape& shape) {
  canvasView_->setSelection(shape);
  if (QAction* crop = action("mnuCrop")) crop->setEnabled(shape.visible);
}
OutlineShape MainWindow::cloneMarker() const { return canvasView_->cloneMarker(); }
void MainWindow::setCloneMarker(const OutlineShape& shape) { canvasView_->setCloneMarker(shape); }

// The Delete key cuts whatever the menu item's enabled state, into the copy
// buffer only: the system clipboard is for Copy and Cut.
void MainWindow::cut() { clipboard_->cutByDeleteKey(); }

int MainWindow::listIndex(const std::string& listName) const {
  const QComboBox* list = optionList(QString::fromStdString(listName));
  return list ? list->currentIndex() : -1;
}

std::string MainWindow::listText(const std::string& listName) const {
  const QComboBox* list = optionList(QString::fromStdString(listName));
  return list ? list->currentText().toStdString() : std::string();
}

const Picture* MainWindow::patternPicture() const { return patternPicture_ ? &*patternPicture_ : nullptr; }

bool MainWindow::transparentPaste() const { return action("MnuDQue")->isChecked(); }

void MainWindow::previewPaste(float x, float y) { clipboard_->clipboard().previewPaste(x, y); }
void MainWindow::commitPaste(float x, float y) { clipboard_->clipboard().commitPaste(x, y); }
void MainWindow::showTextDialog() { TextDialog::ask(this); }

}  // namespace pictavo
