#include "replay/ReplayCommands.h"

#include "app/CanvasView.h"
#include "app/ChangeScope.h"
#include "app/FileArgument.h"
#include "app/GripWidget.h"
#include "app/MainWindow.h"
#include "app/QtSettingsSandbox.h"
#include "app/ToolBar.h"
#include "controls/ColorPalette.h"
#include "documents/Draft.h"
#include "formats/BmpWriter.h"
#include "formats/PictureDecoder.h"
#include "replay/DialogAnswers.h"
#include "replay/InputEvents.h"
#include "replay/OutsideCommands.h"
#include "replay/StateDump.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace pictavo::replay {

void printLine(const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
  std::fflush(stdout);
}

void finishRun(int status, const QString& message) {
  if (!message.isEmpty()) printLine(message);
  std::fflush(stdout);
  std::fflush(stderr);
  // Nested dialog loops may be running: leave at once rather than unwind
  // them, tidying up what the destructors would have.
  QtSettingsSandbox::discard();
  std::_Exit(status);
}

// ---- reading the words ------------------------------------------------------

CommandContext::CommandContext(const ScriptLine& line, MainWindow& w, DialogAnswers& a, bool& s)
    : window(w), answers(a), started(s), line_(line) {}

const std::string& CommandContext::word(std::size_t i) const {
  if (i >= line_.tokens.size()) scriptError(QStringLiteral("%1: missing argument").arg(QString::fromStdString(name())));
  return line_.tokens[i];
}

double CommandContext::number(std::size_t i) const {
  const auto v = parseNumber(word(i));
  if (!v) scriptError(QStringLiteral("not a number: %1").arg(text(i)));
  return *v;
}

int CommandContext::integer(std::size_t i) const {
  const auto v = parseInteger(word(i));
  if (!v) scriptError(QStringLiteral("not an integer: %1").arg(text(i)));
  return *v;
}

Rgb CommandContext::colour(std::size_t i) const {
  const auto rgb = parseHexColor(word(i));
  if (!rgb) scriptError(QStringLiteral("not a colour"));
  return *rgb;
}

namespace {

Qt::MouseButton buttonNamed(const std::string& word, bool* ok) {
  *ok = true;
  if (word == "left") return Qt::LeftButton;
  if (word == "right") return Qt::RightButton;
  if (word == "middle") return Qt::MiddleButton;
  if (word == "none") return Qt::NoButton;
  *ok = false;
  return Qt::NoButton;
}

bool addModifier(const std::string& word, Qt::KeyboardModifiers& modifiers) {
  if (word == "alt") {
    modifiers |= Qt::AltModifier;
  } else if (word == "shift") {
    modifiers |= Qt::ShiftModifier;
  } else if (word == "ctrl") {
    modifiers |= Qt::ControlModifier;
  } else {
    return false;
  }
  return true;
}

}  // namespace

PointerWords CommandContext::pointerWords(std::size_t from, bool allowSteps) const {
  PointerWords p;
  for (std::size_t i = from; i <= wordCount(); ++i) {
    bool ok = false;
    const Qt::MouseButton b = buttonNamed(word(i), &ok);
    if (ok) {
      p.button = b;
    } else if (addModifier(word(i), p.modifiers)) {
    } else if (allowSteps && word(i) == "steps") {
      p.steps = integer(++i);
      if (p.steps < 1 || p.steps > 100000) scriptError(QStringLiteral("steps out of range"));
    } else {
      scriptError(QStringLiteral("unknown word %1").arg(text(i)));
    }
  }
  return p;
}

Qt::KeyboardModifiers CommandContext::modifierWords(std::size_t from) const {
  Qt::KeyboardModifiers modifiers;
  for (std::size_t i = from; i <= wordCount(); ++i) {
    if (!addModifier(word(i), modifiers)) scriptError(QStringLiteral("unknown word %1").arg(text(i)));
  }
  return modifiers;
}

void CommandContext::scriptError(const QString& message) const {
  finishRun(2, QStringLiteral("script error line %1: %2").arg(line_.number).arg(message));
}

void CommandContext::fail(const QString& what) const {
  finishRun(1, QStringLiteral("FAIL line %1: %2").arg(line_.number).arg(what));
}

QString canvasPixelText(MainWindow& window, int x, int y) {
  const Surface& s = window.canvas();
  if (x < 0 || y < 0 || x >= s.Width() || y >= s.Height()) return QStringLiteral("none");
  const std::uint32_t word = s.bits(Surface::Layer::Persistent)[std::size_t(y) * std::size_t(s.stride()) + std::size_t(x)];
  const Color c = colorFromPixel(word);
  return QString::fromStdString(hexColor(redOf(c), greenOf(c), blueOf(c)));
}

namespace {

// ---- the window's controls ----------------------------------------------------

// The widget a window's activation gives the focus when none of its widgets
// had it: the first one along the tab chain that takes Tab focus.
QWidget* firstTabStop(QWidget* window) {
  for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
    if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() &&
        !w->focusProxy()) {
      return w;
    }
  }
  return nullptr;
}

QWidget* toolButton(CommandContext& c, int index) {
  QWidget* b = c.window.toolBar()->button(index);
  if (!b) c.scriptError(QStringLiteral("no tool button %1").arg(index));
  return b;
}

void start(CommandContext& c) {
  // "start FILE": the program started with FILE as its argument.
  MainWindow& w = c.window;
  c.started = true;
  w.startUp(c.wordCount() == 1 ? fullFilePath(c.word(1)) : std::string());
  // A user works in the active window; without a window manager nothing
  // activates it, and focus would then never leave a clicked tool button.
  w.activateWindow();
  QApplication::processEvents();
  // A display activates the window only once start-up has closed the
  // new-canvas dialog, and the focus then goes to its first tab stop (the
  // list cboDW). Offscreen the window was active from its first showing,
  // while the option lists were still hidden.
  if (QWidget* first = firstTabStop(&w)) first->setFocus(Qt::ActiveWindowFocusReason);
}

void tool(CommandContext& c) { clickWidget(toolButton(c, c.integer(1))); }

void toolbutton(CommandContext& c) {
  QWidget* b = toolButton(c, c.integer(1));
  bool ok = false;
  const Qt::MouseButton button = buttonNamed(c.word(2), &ok);
  if (!ok || button == Qt::NoButton) c.scriptError(QStringLiteral("unknown button"));
  clickAt(b, QPointF(b->width() / 2.0, b->height() / 2.0), button);
}

void button(CommandContext& c) {
  // Any other button of the main window, by object name (pSpacer).
  auto* b = c.window.findChild<QAbstractButton*>(c.text(1));
  if (!b) c.scriptError(QStringLiteral("no button %1").arg(c.text(1)));
  clickWidget(b);
}

// ---- the mouse on the canvas ----------------------------------------------------

QPointF pointAt(CommandContext& c, std::size_t first) { return QPointF(c.number(first), c.number(first + 1)); }

void down(CommandContext& c) {
  const PointerWords pw = c.pointerWords(3, false);
  sendMouse(c.window.canvasView(), QEvent::MouseButtonPress, pointAt(c, 1), pw.button, pw.button, pw.modifiers);
}

void up(CommandContext& c) {
  const PointerWords pw = c.pointerWords(3, false);
  sendMouse(c.window.canvasView(), QEvent::MouseButtonRelease, pointAt(c, 1), pw.button, Qt::NoButton, pw.modifiers);
}

void click(CommandContext& c) {
  const PointerWords pw = c.pointerWords(3, false);
  clickAt(c.window.canvasView(), pointAt(c, 1), pw.button, pw.modifiers);
}

void move(CommandContext& c) {
  const PointerWords pw = c.pointerWords(3, false);
  sendMouse(c.window.canvasView(), QEvent::MouseMove, pointAt(c, 1), Qt::NoButton, pw.button, pw.modifiers);
}

void dblclick(CommandContext& c) {
  const PointerWords pw = c.pointerWords(3, false);
  doubleClickAt(c.window.canvasView(), pointAt(c, 1), pw.button, pw.modifiers);
}

void drag(CommandContext& c) {
  const QPointF a = pointAt(c, 1), b = pointAt(c, 3);
  const PointerWords pw = c.pointerWords(5, true);
  CanvasView* canvas = c.window.canvasView();
  sendMouse(canvas, QEvent::MouseButtonPress, a, pw.button, pw.button, pw.modifiers);
  for (int i = 1; i <= pw.steps; ++i) {
    const QPointF p = a + (b - a) * (double(i) / pw.steps);
    sendMouse(canvas, QEvent::MouseMove, p, Qt::NoButton, pw.button, pw.modifiers);
  }
  sendMouse(canvas, QEvent::MouseButtonRelease, b, pw.button, Qt::NoButton, pw.modifiers);
}

void wheel(CommandContext& c) {
  // wheel X Y up|down [MOD...] [N]
  const QPointF at = pointAt(c, 1);
  if (c.word(3) != "up" && c.word(3) != "down") c.scriptError(QStringLiteral("wheel X Y up|down [MOD...] [N]"));
  const bool up = c.word(3) == "up";
  std::size_t last = c.wordCount();
  int notches = 1;
  if (last >= 4 && parseInteger(c.word(last))) {
    notches = c.integer(last);
    if (notches < 1 || notches > 1000) c.scriptError(QStringLiteral("notches out of range"));
    --last;
  }
  Qt::KeyboardModifiers modifiers;
  for (std::size_t i = 4; i <= last; ++i) {
    if (!addModifier(c.word(i), modifiers)) c.scriptError(QStringLiteral("unknown word %1").arg(c.text(i)));
  }
  // The pointer stays where it is while the canvas moves under it: each
  // notch lands at the same place of the viewport.
  CanvasView* canvas = c.window.canvasView();
  const QPointF inViewport = at + QPointF(canvas->pos());
  for (int i = 0; i < notches; ++i) sendWheelNotch(canvas, inViewport - QPointF(canvas->pos()), up, modifiers);
}

// ---- keys, menus, lists -----------------------------------------------------------

void key(CommandContext& c) {
  const Qt::KeyboardModifiers modifiers = c.modifierWords(2);
  // To the focus widget of the active window, as a display sends it.
  // Offscreen nothing gives the activation back when a dialog closes: the
  // window's own focus widget, which a display would restore, stands in.
  QWidget* window = QApplication::activeModalWidget();
  if (!window) window = QApplication::activeWindow();
  if (!window) window = &c.window;
  QWidget* target = QApplication::focusWidget();
  if (!target) target = window->focusWidget();
  if (!target) target = window;
  if (!sendKey(target, c.text(1), modifiers)) c.scriptError(QStringLiteral("unknown key"));
}

void menu(CommandContext& c) {
  const QString name = c.text(1);
  QAction* a = c.window.menu().action(name);
  if (!a) a = c.window.menu().actionByCaption(name);
  if (!a) c.scriptError(QStringLiteral("no menu item %1").arg(name));
  if (!a->isEnabled()) return;  // a disabled item ignores clicks
  // Triggered directly, not through an event: the scope a click would open.
  const ChangeScope scope;
  a->trigger();
}

void choose(CommandContext& c) {
  QComboBox* list = c.window.optionList(c.text(1));
  if (!list) c.scriptError(QStringLiteral("no list %1").arg(c.text(1)));
  const int index = c.integer(2);
  if (index < 0 || index >= list->count()) c.scriptError(QStringLiteral("no item %1").arg(index));
  if (!list->isVisibleTo(&c.window)) c.scriptError(QStringLiteral("list %1 is hidden").arg(list->objectName()));
  // Picked with the mouse: the list keeps the focus afterwards.
  list->setFocus(Qt::MouseFocusReason);
  list->setCurrentIndex(index);
}

void palette(CommandContext& c) {
  QWidget* palette = c.window.colorPalette();
  const QPointF p = pointAt(c, 2);
  bool ok = true;
  const Qt::MouseButton button = c.wordCount() == 4 ? buttonNamed(c.word(4), &ok) : Qt::LeftButton;
  if (!ok || button == Qt::NoButton) c.scriptError(QStringLiteral("unknown button"));
  if (c.word(1) == "down") {
    clickAt(palette, p, button);
  } else if (c.word(1) == "dblclick") {
    doubleClickAt(palette, p, button);
  } else {
    c.scriptError(QStringLiteral("palette down or dblclick"));
  }
}

// ---- the viewport and the window ----------------------------------------------------

void grip(CommandContext& c) {
  const int slot = c.word(1) == "itouch3" ? ViewportLayout::kItouch3 : c.integer(1);
  GripWidget* g = c.window.gripWidget(slot);
  if (!g) c.scriptError(QStringLiteral("no grip %1").arg(c.text(1)));
  const QPointF from(3, 3);
  const QPointF to = from + pointAt(c, 2);
  sendMouse(g, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  sendMouse(g, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  sendMouse(g, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void scroll(CommandContext& c) {
  QScrollBar* bar = c.word(1) == "h" ? c.window.hBar() : c.word(1) == "v" ? c.window.vBar() : nullptr;
  if (!bar) c.scriptError(QStringLiteral("scroll h or v"));
  bar->setValue(c.integer(2));
}

void resize(CommandContext& c) {
  const int cw = c.integer(1), ch = c.integer(2);
  if (cw < 1 || ch < 1 || cw > 10000 || ch > 10000) c.scriptError(QStringLiteral("size out of range"));
  c.window.resize(cw, ch + c.window.menuBar()->height());
}

void close(CommandContext& c) { c.window.close(); }

void wait(CommandContext& c) {
  const int ms = c.integer(1);
  if (ms < 0 || ms > 600000) c.scriptError(QStringLiteral("wait out of range"));
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Paints the window at once, as the screen's next refresh would, and prints
// the milliseconds since the previous `time` (0 the first time): what a
// user waits for, measured through the whole program.
void time(CommandContext& c) {
  static QElapsedTimer since;
  c.window.repaint();
  const double ms = since.isValid() ? double(since.nsecsElapsed()) / 1e6 : 0.0;
  printLine(QStringLiteral("time %1 %2 ms").arg(c.text(1)).arg(ms, 0, 'f', 2));
  since.start();
}

// ---- what the window shows ------------------------------------------------------------

void dump(CommandContext& c) {
  for (const auto& [key, value] : dumpState(c.window, c.answers.openWindows())) printLine(key + QLatin1Char('=') + value);
}

void expect(CommandContext& c) {
  const QString key = c.text(1);
  const QString expected = c.wordCount() == 2 ? c.text(2) : QString();
  for (const auto& [k, value] : dumpState(c.window, c.answers.openWindows())) {
    if (k != key) continue;
    const bool colour = expected.startsWith(QLatin1Char('#'));
    if (value.compare(expected, colour ? Qt::CaseInsensitive : Qt::CaseSensitive) != 0) {
      c.fail(QStringLiteral("%1 is %2, expected %3").arg(key, value, expected));
    }
    return;
  }
  c.scriptError(QStringLiteral("unknown key %1").arg(key));
}

void pixel(CommandContext& c) {
  const int x = c.integer(1), y = c.integer(2);
  printLine(QStringLiteral("pixel %1 %2 %3").arg(x).arg(y).arg(canvasPixelText(c.window, x, y)));
}

void expectPixel(CommandContext& c) {
  const int x = c.integer(1), y = c.integer(2);
  // A mistyped colour is the script's fault, not a failed expectation.
  const QString expected = c.text(3);
  if (expected != QLatin1String("none")) c.colour(3);
  const QString value = canvasPixelText(c.window, x, y);
  if (value.compare(expected, Qt::CaseInsensitive) != 0) {
    c.fail(QStringLiteral("pixel %1,%2 is %3, expected %4").arg(x).arg(y).arg(value, expected));
  }
}

// What the canvas widget shows at its pixel (x, y), outlines and grid
// included: "#RRGGBB", or "none" outside it. On a display of a higher pixel
// ratio the widget pixel is several device pixels; should they differ (a
// smoothed view), every one is given, joined by "/".
QString viewPixelText(CommandContext& c, int x, int y) {
  CanvasView* view = c.window.canvasView();
  if (x < 0 || y < 0 || x >= view->width() || y >= view->height()) return QStringLiteral("none");
  const QImage shown = view->grab(QRect(x, y, 1, 1)).toImage();
  if (shown.isNull()) return QStringLiteral("none");
  QStringList colours;
  for (int dy = 0; dy < shown.height(); ++dy)
    for (int dx = 0; dx < shown.width(); ++dx) {
      const QRgb rgb = shown.pixel(dx, dy);
      const QString colour = QString::fromStdString(hexColor(qRed(rgb), qGreen(rgb), qBlue(rgb)));
      if (!colours.contains(colour)) colours << colour;
    }
  return colours.join('/');
}

void viewPixel(CommandContext& c) {
  const int x = c.integer(1), y = c.integer(2);
  printLine(QStringLiteral("view-pixel %1 %2 %3").arg(x).arg(y).arg(viewPixelText(c, x, y)));
}

void expectViewPixel(CommandContext& c) {
  const int x = c.integer(1), y = c.integer(2);
  const QString expected = c.text(3);
  if (expected != QLatin1String("none")) c.colour(3);
  const QString value = viewPixelText(c, x, y);
  if (value.compare(expected, Qt::CaseInsensitive) != 0) {
    c.fail(QStringLiteral("view pixel %1,%2 is %3, expected %4").arg(x).arg(y).arg(value, expected));
  }
}

void expectRect(CommandContext& c) {
  const int x1 = c.integer(1), y1 = c.integer(2), x2 = c.integer(3), y2 = c.integer(4);
  const Rgb rgb = c.colour(5);
  const QString want = QString::fromStdString(hexColor(rgb.red, rgb.green, rgb.blue));
  for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
      const QString found = canvasPixelText(c.window, x, y);
      if (found == want) continue;
      c.fail(QStringLiteral("pixel %1,%2 is %3, expected %4").arg(x).arg(y).arg(found, c.text(5)));
    }
  }
}

void expectFilePixel(CommandContext& c) {
  const std::string path = c.word(1) == "draft" ? draftPath() : c.word(1);
  const int x = c.integer(2), y = c.integer(3);
  c.colour(4);
  QString value = QStringLiteral("none");
  try {
    const Picture p = decodePictureFile(path);
    if (x >= 0 && y >= 0 && x < p.width && y < p.height)
      value = QStringLiteral("#%1").arg(p.at(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
  } catch (const std::exception&) {
    value = QStringLiteral("(no picture)");
  }
  if (value.compare(c.text(4), Qt::CaseInsensitive) != 0) {
    c.fail(QStringLiteral("pixel %1,%2 of %3 is %4, expected %5")
               .arg(x).arg(y).arg(QString::fromStdString(path), value, c.text(4)));
  }
}

void snapshot(CommandContext& c) {
  try {
    writeBmpFile(c.word(1), c.window.canvas(), false);
  } catch (const std::exception& e) {
    c.scriptError(QStringLiteral("snapshot failed: %1").arg(QString::fromUtf8(e.what())));
  }
}

void screenshot(CommandContext& c) {
  if (!c.window.grab().save(c.text(1), "PNG")) c.scriptError(QStringLiteral("screenshot failed"));
}

// ---- other programs and the dialogs ------------------------------------------------------

void drop(CommandContext& c) {
  const QString problem = dropFile(&c.window, c.text(1));
  if (!problem.isEmpty()) c.scriptError(problem);
}

void clipboard(CommandContext& c) {
  QString problem;
  if (c.word(1) == "put") {
    problem = putOnClipboard(c.text(2));
  } else if (c.word(1) == "save") {
    problem = saveClipboard(c.text(2));
  } else {
    problem = QStringLiteral("clipboard put or save");
  }
  if (!problem.isEmpty()) c.scriptError(problem);
}

void answer(CommandContext& c) {
  Answer a{c.lineNumber(), {}};
  for (std::size_t i = 1; i <= c.wordCount(); ++i) a.words << c.text(i);
  const QString problem = c.answers.queue(a);
  if (!problem.isEmpty()) c.scriptError(problem);
}

// The answer the question before New, Open or a drop gets when no "keep"
// answer is queued for it: "discard", "cancel", or "none" (queue one).
void keepDefault(CommandContext& c) {
  const QString word = c.text(1);
  if (word != QLatin1String("discard") && word != QLatin1String("cancel") && word != QLatin1String("none"))
    c.scriptError(QStringLiteral("keep-default wants discard, cancel or none"));
  c.answers.setKeepDefault(word == QLatin1String("none") ? QString() : word);
}

constexpr int kAny = std::numeric_limits<int>::max();

// name, fewest and most words after it, handler (docs/replay.md describes each).
constexpr ReplayCommand kCommands[] = {
    {"start", 0, 1, start},
    {"tool", 1, 1, tool},
    {"toolbutton", 2, 2, toolbutton},
    {"button", 1, 1, button},
    {"down", 2, kAny, down},
    {"up", 2, kAny, up},
    {"click", 2, kAny, click},
    {"move", 2, kAny, move},
    {"dblclick", 2, kAny, dblclick},
    {"drag", 4, kAny, drag},
    {"wheel", 3, kAny, wheel},
    {"key", 1, kAny, key},
    {"menu", 1, 1, menu},
    {"choose", 2, 2, choose},
    {"palette", 3, 4, palette},
    {"grip", 3, 3, grip},
    {"scroll", 2, 2, scroll},
    {"resize", 2, 2, resize},
    {"close", 0, 0, close},
    {"wait", 1, 1, wait},
    {"time", 1, 1, time},
    {"dump", 0, 0, dump},
    {"expect", 1, 2, expect},
    {"pixel", 2, 2, pixel},
    {"expect-pixel", 3, 3, expectPixel},
    {"expect-rect", 5, 5, expectRect},
    {"view-pixel", 2, 2, viewPixel},
    {"expect-view-pixel", 3, 3, expectViewPixel},
    {"expect-file-pixel", 4, 4, expectFilePixel},
    {"snapshot", 1, 1, snapshot},
    {"screenshot", 1, 1, screenshot},
    {"drop", 1, 1, drop},
    {"clipboard", 2, 2, clipboard},
    {"answer", 0, kAny, answer},
    {"keep-default", 1, 1, keepDefault},
};

}  // namespace

const ReplayCommand* findReplayCommand(std::string_view name) {
  for (const ReplayCommand& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

}  // namespace pictavo::replay
