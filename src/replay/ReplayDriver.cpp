#include "replay/ReplayDriver.h"

#include "app/CanvasView.h"
#include "app/FileArgument.h"
#include "app/GripWidget.h"
#include "app/MainWindow.h"
#include "app/QtSettingsSandbox.h"
#include "app/ToolBar.h"
#include "controls/ColorPalette.h"
#include "replay/DialogAnswers.h"
#include "replay/InputEvents.h"
#include "replay/OutsideCommands.h"
#include "replay/StateDump.h"
#include "formats/BmpWriter.h"
#include "documents/Draft.h"
#include "formats/PictureDecoder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

namespace pictavo::replay {

namespace {

void print(const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
  std::fflush(stdout);
}

[[noreturn]] void finish(int status, const QString& message) {
  if (!message.isEmpty()) print(message);
  std::fflush(stdout);
  std::fflush(stderr);
  // Nested dialog loops may be running: leave at once rather than unwind
  // them, tidying up what the destructors would have.
  QtSettingsSandbox::discard();
  std::_Exit(status);
}

Qt::MouseButton buttonNamed(const std::string& word, bool* ok) {
  *ok = true;
  if (word == "left") return Qt::LeftButton;
  if (word == "right") return Qt::RightButton;
  if (word == "middle") return Qt::MiddleButton;
  if (word == "none") return Qt::NoButton;
  *ok = false;
  return Qt::NoButton;
}

// Optional BUTTON and MOD words after the fixed arguments.
struct PointerWords {
  Qt::MouseButton button = Qt::LeftButton;
  Qt::KeyboardModifiers modifiers;
  int steps = 8;
};

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

QString joined(const std::vector<std::string>& t) {
  QStringList l;
  for (const auto& s : t) l << QString::fromStdString(s);
  return l.join(' ');
}

}  // namespace

bool readScript(const QString& path, std::vector<ScriptLine>& lines, QString& error) {
  QFile file;
  if (path == QLatin1String("-")) {
    if (!file.open(stdin, QIODevice::ReadOnly)) {
      error = QStringLiteral("cannot read standard input");
      return false;
    }
  } else {
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
      error = QStringLiteral("cannot read %1").arg(path);
      return false;
    }
  }
  int number = 0;
  while (!file.atEnd()) {
    const QByteArray raw = file.readLine();
    ++number;
    std::string problem;
    ScriptLine line{number, tokenize(raw.toStdString(), &problem)};
    if (!problem.empty()) {
      error = QStringLiteral("line %1: %2").arg(number).arg(QString::fromStdString(problem));
      return false;
    }
    if (!line.tokens.empty()) lines.push_back(std::move(line));
  }
  return true;
}

ReplayDriver::ReplayDriver(const QString& programFolder) {
  answers_ = std::make_unique<DialogAnswers>([](int status, const QString& message) {
    finish(status, QStringLiteral("script error: ") + message);
  });
  window_ = std::make_unique<MainWindow>(programFolder);
  QObject::connect(window_.get(), &MainWindow::programEnded, [this] { ended_ = true; });
  QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [this] { ended_ = true; });
}

ReplayDriver::~ReplayDriver() = default;

void ReplayDriver::scriptError(const QString& message) {
  finish(2, QStringLiteral("script error line %1: %2").arg(line_).arg(message));
}

// Lets posted events (repaints, layout, deferred deletes) run.
void ReplayDriver::settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

void ReplayDriver::checkEnded() {
  if (!ended_ && started_) {
    bool anyOpen = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip) anyOpen = true;
    }
    if (!anyOpen) ended_ = true;
  }
}

int ReplayDriver::run(const std::vector<ScriptLine>& lines) {
  for (const ScriptLine& line : lines) {
    line_ = line.number;
    // Only the files the program left behind can still be checked.
    if (ended_ && line.tokens[0] != "expect-file-pixel")
      scriptError(QStringLiteral("command after the program ended: %1").arg(joined(line.tokens)));
    execute(line);
    settle();
    checkEnded();
    if (ended_ && !endPrinted_) {
      print(QStringLiteral("ended"));
      endPrinted_ = true;
    }
  }
  if (!answers_->empty()) {
    finish(2, QStringLiteral("script error: answer %1 of line %2 was never used")
                  .arg(answers_->front().words.join(' '))
                  .arg(answers_->front().line));
  }
  return 0;
}

void ReplayDriver::execute(const ScriptLine& line) {
  const std::vector<std::string>& t = line.tokens;
  const std::string& cmd = t[0];
  auto arg = [&](std::size_t i) -> const std::string& {
    if (i >= t.size()) scriptError(QStringLiteral("%1: missing argument").arg(QString::fromStdString(cmd)));
    return t[i];
  };
  auto number = [&](std::size_t i) {
    auto v = parseNumber(arg(i));
    if (!v) scriptError(QStringLiteral("not a number: %1").arg(QString::fromStdString(t[i])));
    return *v;
  };
  auto integer = [&](std::size_t i) {
    auto v = parseInteger(arg(i));
    if (!v) scriptError(QStringLiteral("not an integer: %1").arg(QString::fromStdString(t[i])));
    return *v;
  };
  auto pointerWords = [&](std::size_t from, bool allowSteps) {
    PointerWords p;
    for (std::size_t i = from; i < t.size(); ++i) {
      bool ok = false;
      const Qt::MouseButton b = buttonNamed(t[i], &ok);
      if (ok) {
        p.button = b;
      } else if (t[i] == "alt") {
        p.modifiers |= Qt::AltModifier;
      } else if (t[i] == "shift") {
        p.modifiers |= Qt::ShiftModifier;
      } else if (t[i] == "ctrl") {
        p.modifiers |= Qt::ControlModifier;
      } else if (allowSteps && t[i] == "steps") {
        p.steps = integer(++i);
        if (p.steps < 1 || p.steps > 100000) scriptError(QStringLiteral("steps out of range"));
      } else {
        scriptError(QStringLiteral("unknown word %1").arg(QString::fromStdString(t[i])));
      }
    }
    return p;
  };
  auto exactly = [&](std::size_t count) {
    if (t.size() != count) scriptError(QStringLiteral("%1 takes %2 arguments").arg(QString::fromStdString(cmd)).arg(count - 1));
  };
  MainWindow& w = *window_;
  CanvasView* canvas = w.canvasView();
  auto toolButton = [&](int index) {
    QWidget* b = w.toolBar()->button(index);
    if (!b) scriptError(QStringLiteral("no tool button %1").arg(index));
    return b;
  };

  if (cmd == "start") {
    // "start FILE": the program started with FILE as its argument.
    if (t.size() > 2) scriptError(QStringLiteral("start takes at most 1 argument"));
    started_ = true;
    w.startUp(t.size() == 2 ? fullFilePath(t[1]) : std::string());
    // A user works in the active window; without a window manager nothing
    // activates it, and focus would then never leave a clicked tool button.
    w.activateWindow();
    QApplication::processEvents();
    // A display activates the window only once start-up has closed the
    // new-canvas dialog, and the focus then goes to its first tab stop (the
    // list cboDW). Offscreen the window was active from its first showing,
    // while the option lists were still hidden.
    if (QWidget* first = firstTabStop(&w)) first->setFocus(Qt::ActiveWindowFocusReason);
  } else if (cmd == "tool") {
    exactly(2);
    clickWidget(toolButton(integer(1)));
  } else if (cmd == "toolbutton") {
    exactly(3);
    QWidget* b = toolButton(integer(1));
    bool ok = false;
    const Qt::MouseButton button = buttonNamed(arg(2), &ok);
    if (!ok || button == Qt::NoButton) scriptError(QStringLiteral("unknown button"));
    clickAt(b, QPointF(b->width() / 2.0, b->height() / 2.0), button);
  } else if (cmd == "button") {
    // Any other button of the main window, by object name (pSpacer).
    exactly(2);
    auto* b = w.findChild<QAbstractButton*>(QString::fromStdString(arg(1)));
    if (!b) scriptError(QStringLiteral("no button %1").arg(QString::fromStdString(arg(1))));
    clickWidget(b);
  } else if (cmd == "down" || cmd == "up" || cmd == "click" || cmd == "move") {
    const QPointF p(number(1), number(2));
    const PointerWords pw = pointerWords(3, false);
    if (cmd == "down") {
      sendMouse(canvas, QEvent::MouseButtonPress, p, pw.button, pw.button, pw.modifiers);
    } else if (cmd == "up") {
      sendMouse(canvas, QEvent::MouseButtonRelease, p, pw.button, Qt::NoButton, pw.modifiers);
    } else if (cmd == "click") {
      clickAt(canvas, p, pw.button, pw.modifiers);
    } else {
      sendMouse(canvas, QEvent::MouseMove, p, Qt::NoButton, pw.button, pw.modifiers);
    }
  } else if (cmd == "dblclick") {
    const QPointF p(number(1), number(2));
    const PointerWords pw = pointerWords(3, false);
    doubleClickAt(canvas, p, pw.button, pw.modifiers);
  } else if (cmd == "drag") {
    const QPointF a(number(1), number(2)), b(number(3), number(4));
    const PointerWords pw = pointerWords(5, true);
    sendMouse(canvas, QEvent::MouseButtonPress, a, pw.button, pw.button, pw.modifiers);
    for (int i = 1; i <= pw.steps; ++i) {
      const QPointF p = a + (b - a) * (double(i) / pw.steps);
      sendMouse(canvas, QEvent::MouseMove, p, Qt::NoButton, pw.button, pw.modifiers);
    }
    sendMouse(canvas, QEvent::MouseButtonRelease, b, pw.button, Qt::NoButton, pw.modifiers);
  } else if (cmd == "key") {
    arg(1);
    Qt::KeyboardModifiers modifiers;
    for (std::size_t i = 2; i < t.size(); ++i) {
      if (t[i] == "ctrl") {
        modifiers |= Qt::ControlModifier;
      } else if (t[i] == "shift") {
        modifiers |= Qt::ShiftModifier;
      } else if (t[i] == "alt") {
        modifiers |= Qt::AltModifier;
      } else {
        scriptError(QStringLiteral("unknown word %1").arg(QString::fromStdString(t[i])));
      }
    }
    // To the focus widget of the active window, as a display sends it.
    // Offscreen nothing gives the activation back when a dialog closes: the
    // window's own focus widget, which a display would restore, stands in.
    QWidget* window = QApplication::activeModalWidget();
    if (!window) window = QApplication::activeWindow();
    if (!window) window = &w;
    QWidget* target = QApplication::focusWidget();
    if (!target) target = window->focusWidget();
    if (!target) target = window;
    if (!sendKey(target, QString::fromStdString(arg(1)), modifiers)) scriptError(QStringLiteral("unknown key"));
  } else if (cmd == "menu") {
    exactly(2);
    const QString name = QString::fromStdString(arg(1));
    QAction* a = w.menu().action(name);
    if (!a) a = w.menu().actionByCaption(name);
    if (!a) scriptError(QStringLiteral("no menu item %1").arg(name));
    if (a->isEnabled()) a->trigger();  // a disabled item ignores clicks
  } else if (cmd == "choose") {
    exactly(3);
    QComboBox* list = w.optionList(QString::fromStdString(arg(1)));
    if (!list) scriptError(QStringLiteral("no list %1").arg(QString::fromStdString(t[1])));
    const int index = integer(2);
    if (index < 0 || index >= list->count()) scriptError(QStringLiteral("no item %1").arg(index));
    if (!list->isVisibleTo(&w)) scriptError(QStringLiteral("list %1 is hidden").arg(list->objectName()));
    // Picked with the mouse: the list keeps the focus afterwards.
    list->setFocus(Qt::MouseFocusReason);
    list->setCurrentIndex(index);
  } else if (cmd == "palette") {
    if (t.size() < 4 || t.size() > 5) scriptError(QStringLiteral("palette down|dblclick X Y [BUTTON]"));
    QWidget* palette = w.colorPalette();
    const QPointF p(number(2), number(3));
    bool ok = true;
    const Qt::MouseButton button = t.size() == 5 ? buttonNamed(t[4], &ok) : Qt::LeftButton;
    if (!ok || button == Qt::NoButton) scriptError(QStringLiteral("unknown button"));
    if (t[1] == "down") {
      clickAt(palette, p, button);
    } else if (t[1] == "dblclick") {
      doubleClickAt(palette, p, button);
    } else {
      scriptError(QStringLiteral("palette down or dblclick"));
    }
  } else if (cmd == "grip") {
    exactly(4);
    const int slot = t[1] == "itouch3" ? ViewportLayout::kItouch3 : integer(1);
    GripWidget* g = w.gripWidget(slot);
    if (!g) scriptError(QStringLiteral("no grip %1").arg(QString::fromStdString(t[1])));
    const QPointF from(3, 3);
    const QPointF to = from + QPointF(number(2), number(3));
    sendMouse(g, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(g, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(g, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  } else if (cmd == "scroll") {
    exactly(3);
    QScrollBar* bar = t[1] == "h" ? w.hBar() : t[1] == "v" ? w.vBar() : nullptr;
    if (!bar) scriptError(QStringLiteral("scroll h or v"));
    bar->setValue(integer(2));
  } else if (cmd == "resize") {
    exactly(3);
    const int cw = integer(1), ch = integer(2);
    if (cw < 1 || ch < 1 || cw > 10000 || ch > 10000) scriptError(QStringLiteral("size out of range"));
    w.resize(cw, ch + w.menuBar()->height());
  } else if (cmd == "close") {
    exactly(1);
    w.close();
  } else if (cmd == "wait") {
    exactly(2);
    const int ms = integer(1);
    if (ms < 0 || ms > 600000) scriptError(QStringLiteral("wait out of range"));
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  } else if (cmd == "dump") {
    exactly(1);
    for (const auto& [key, value] : dumpState(w, answers_->openWindows())) print(key + QLatin1Char('=') + value);
  } else if (cmd == "pixel" || cmd == "expect-pixel") {
    exactly(cmd == "pixel" ? 3 : 4);
    const int x = integer(1), y = integer(2);
    const Surface& s = w.canvas();
    QString value = QStringLiteral("none");
    if (x >= 0 && y >= 0 && x < s.Width() && y < s.Height()) {
      const Color c = colorFromPixel(s.bits(Surface::Layer::Persistent)[std::size_t(y) * std::size_t(s.stride()) + std::size_t(x)]);
      value = QString::fromStdString(hexColor(redOf(c), greenOf(c), blueOf(c)));
    }
    if (cmd == "pixel") {
      print(QStringLiteral("pixel %1 %2 %3").arg(x).arg(y).arg(value));
    } else {
      // A mistyped colour is the script's fault, not a failed expectation.
      const QString expected = QString::fromStdString(t[3]);
      if (expected != QLatin1String("none") && !parseHexColor(t[3])) scriptError(QStringLiteral("not a colour"));
      if (value.compare(expected, Qt::CaseInsensitive) != 0) {
        finish(1, QStringLiteral("FAIL line %1: pixel %2,%3 is %4, expected %5").arg(line_).arg(x).arg(y).arg(value, expected));
      }
    }
  } else if (cmd == "expect-file-pixel") {
    exactly(5);
    const std::string path = arg(1) == "draft" ? draftPath() : arg(1);
    const int x = integer(2), y = integer(3);
    if (!parseHexColor(t[4])) scriptError(QStringLiteral("not a colour"));
    QString value = QStringLiteral("none");
    try {
      const Picture p = decodePictureFile(path);
      if (x >= 0 && y >= 0 && x < p.width && y < p.height)
        value = QStringLiteral("#%1").arg(p.at(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
    } catch (const std::exception&) {
      value = QStringLiteral("(no picture)");
    }
    if (value.compare(QString::fromStdString(t[4]), Qt::CaseInsensitive) != 0) {
      finish(1, QStringLiteral("FAIL line %1: pixel %2,%3 of %4 is %5, expected %6")
                    .arg(line_).arg(x).arg(y).arg(QString::fromStdString(path), value, QString::fromStdString(t[4])));
    }
  } else if (cmd == "expect-rect") {
    exactly(6);
    const int x1 = integer(1), y1 = integer(2), x2 = integer(3), y2 = integer(4);
    const auto rgb = parseHexColor(arg(5));
    if (!rgb) scriptError(QStringLiteral("not a colour"));
    const Surface& s = w.canvas();
    const Color want = composeColor(rgb->red, rgb->green, rgb->blue);
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
      for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
        QString found = QStringLiteral("none");
        if (x >= 0 && y >= 0 && x < s.Width() && y < s.Height()) {
          const Color c = colorFromPixel(s.bits(Surface::Layer::Persistent)[std::size_t(y) * std::size_t(s.stride()) + std::size_t(x)]);
          if (c == want) continue;
          found = QString::fromStdString(hexColor(redOf(c), greenOf(c), blueOf(c)));
        }
        finish(1, QStringLiteral("FAIL line %1: pixel %2,%3 is %4, expected %5")
                      .arg(line_).arg(x).arg(y).arg(found, QString::fromStdString(t[5])));
      }
    }
  } else if (cmd == "snapshot") {
    exactly(2);
    try {
      writeBmpFile(arg(1), w.canvas(), false);
    } catch (const std::exception& e) {
      scriptError(QStringLiteral("snapshot failed: %1").arg(QString::fromUtf8(e.what())));
    }
  } else if (cmd == "screenshot") {
    exactly(2);
    if (!w.grab().save(QString::fromStdString(arg(1)), "PNG")) scriptError(QStringLiteral("screenshot failed"));
  } else if (cmd == "expect") {
    if (t.size() < 2 || t.size() > 3) scriptError(QStringLiteral("expect KEY VALUE"));
    const QString key = QString::fromStdString(t[1]);
    const QString expected = t.size() == 3 ? QString::fromStdString(t[2]) : QString();
    for (const auto& [k, value] : dumpState(w, answers_->openWindows())) {
      if (k != key) continue;
      const bool colour = expected.startsWith(QLatin1Char('#'));
      if (value.compare(expected, colour ? Qt::CaseInsensitive : Qt::CaseSensitive) != 0) {
        finish(1, QStringLiteral("FAIL line %1: %2 is %3, expected %4").arg(line_).arg(key, value, expected));
      }
      return;
    }
    scriptError(QStringLiteral("unknown key %1").arg(key));
  } else if (cmd == "drop") {
    exactly(2);
    const QString problem = dropFile(&w, QString::fromStdString(arg(1)));
    if (!problem.isEmpty()) scriptError(problem);
  } else if (cmd == "clipboard") {
    exactly(3);
    const QString path = QString::fromStdString(arg(2));
    QString problem;
    if (t[1] == "put") {
      problem = putOnClipboard(path);
    } else if (t[1] == "save") {
      problem = saveClipboard(path);
    } else {
      problem = QStringLiteral("clipboard put or save");
    }
    if (!problem.isEmpty()) scriptError(problem);
  } else if (cmd == "answer") {
    Answer a{line_, {}};
    for (std::size_t i = 1; i < t.size(); ++i) a.words << QString::fromStdString(t[i]);
    const QString problem = answers_->queue(a);
    if (!problem.isEmpty()) scriptError(problem);
  } else {
    scriptError(QStringLiteral("unknown command %1").arg(QString::fromStdString(cmd)));
  }
}

}  // namespace pictavo::replay
