#include "replay/InputEvents.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

// Qt's own entry for offering a key press to the shortcut map (QtGui exports
// it for its test library, which delivers keys this way too).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace pictavo::replay {

void sendMouse(QWidget* widget, int type, QPointF local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
  if (!widget) return;
  QMouseEvent event(QEvent::Type(type), local, widget->mapToGlobal(local), button, buttons, modifiers);
  QSpontaneKeyEvent::setSpontaneous(&event);
  QApplication::instance()->notify(widget, &event);
}

void sendWheelNotch(QWidget* widget, QPointF local, bool up, Qt::KeyboardModifiers modifiers) {
  if (!widget) return;
  QWheelEvent event(local, widget->mapToGlobal(local), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&event);
  QApplication::instance()->notify(widget, &event);
}

void clickAt(QWidget* widget, QPointF local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QPointer<QWidget> guard(widget);
  sendMouse(widget, QEvent::MouseButtonPress, local, button, button, modifiers);
  if (guard) sendMouse(widget, QEvent::MouseButtonRelease, local, button, Qt::NoButton, modifiers);
}

void doubleClickAt(QWidget* widget, QPointF local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QPointer<QWidget> guard(widget);
  sendMouse(widget, QEvent::MouseButtonPress, local, button, button, modifiers);
  if (guard) sendMouse(widget, QEvent::MouseButtonRelease, local, button, Qt::NoButton, modifiers);
  if (guard) sendMouse(widget, QEvent::MouseButtonDblClick, local, button, button, modifiers);
  if (guard) sendMouse(widget, QEvent::MouseButtonRelease, local, button, Qt::NoButton, modifiers);
}

void clickWidget(QWidget* widget) {
  if (widget) clickAt(widget, QPointF(widget->width() / 2.0, widget->height() / 2.0));
}

bool sendKey(QWidget* widget, const QString& name, Qt::KeyboardModifiers held) {
  if (!widget) return false;
  int key = 0;
  QString text;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  static const struct {
    const char* name;
    int key;
    const char* text;
  } kNamed[] = {{"Delete", Qt::Key_Delete, "\x7f"}, {"Return", Qt::Key_Return, "\r"},
                {"Enter", Qt::Key_Enter, "\r"},     {"Escape", Qt::Key_Escape, "\x1b"},
                {"Tab", Qt::Key_Tab, "\t"},         {"Space", Qt::Key_Space, " "},
                {"Insert", Qt::Key_Insert, ""},     {"CapsLock", Qt::Key_CapsLock, ""},
                {"NumLock", Qt::Key_NumLock, ""},   {"ScrollLock", Qt::Key_ScrollLock, ""},
                {"Backspace", Qt::Key_Backspace, "\b"}, {"Up", Qt::Key_Up, ""},
                {"Down", Qt::Key_Down, ""},         {"Left", Qt::Key_Left, ""},
                {"Right", Qt::Key_Right, ""}};
  for (const auto& k : kNamed) {
    if (name == QLatin1String(k.name)) {
      key = k.key;
      text = QString::fromLatin1(k.text);
    }
  }
  if (!key) {
    if (name.size() != 1) return false;
    const QChar c = name.at(0);
    text = name;
    key = c.toUpper().unicode();
    if (c.isUpper()) modifiers = Qt::ShiftModifier;
  }
  modifiers |= held;
  // With Ctrl a letter types its control character, as on X11 (Ctrl+Z is "\x1a").
  if ((held & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) text = QChar(key - Qt::Key_A + 1);
  QPointer<QWidget> guard(widget);
  if (qt_sendShortcutOverrideEvent(widget, 0, key, modifiers, text, false, 1)) return true;
  if (!guard) return true;
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QSpontaneKeyEvent::setSpontaneous(&press);
  QApplication::instance()->notify(widget, &press);
  if (!guard) return true;
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QSpontaneKeyEvent::setSpontaneous(&release);
  QApplication::instance()->notify(widget, &release);
  return true;
}

}  // namespace pictavo::replay
