#pragma once
// Input as the window system delivers it: mouse and key events sent to a
// widget as spontaneous events, so Qt treats them like a user's (focus on
// click, propagation to the parent when ignored).

#include <QPointF>
#include <QString>

class QWidget;

namespace pictavo::replay {

void sendMouse(QWidget* widget, int type, QPointF local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Press and release (a click) with one button.
void clickAt(QWidget* widget, QPointF local, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Down, up, double-click, up.
void doubleClickAt(QWidget* widget, QPointF local, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// One notch of the mouse wheel (up: away from the user) at a point of the
// widget, with the modifiers held; it goes on to the parents the widget
// leaves it to, as the window system's does.
void sendWheelNotch(QWidget* widget, QPointF local, bool up, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A click in the middle of a widget (buttons, pictures).
void clickWidget(QWidget* widget);

// Press and release of a named key ("x", "X", "Delete", "Return", "Escape",
// "Insert", "CapsLock", ...) with the modifiers held; false when the name is
// unknown. The press is offered to the shortcuts first (menu items' Ctrl+Z),
// as the window system does.
bool sendKey(QWidget* widget, const QString& name, Qt::KeyboardModifiers held = Qt::NoModifier);

}  // namespace pictavo::replay
