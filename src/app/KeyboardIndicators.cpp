#include "app/KeyboardIndicators.h"

#ifdef PICTAVO_HAVE_X11
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace pictavo {

#ifdef PICTAVO_HAVE_X11
namespace {
bool indicatorOn(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  if (atom == None) return false;
  Bool on = False;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
  return on;
}
}  // namespace

bool readKeyboardIndicators(LockStates& states) {
  auto* app = qGuiApp;
  auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return false;
  states.caps = indicatorOn(display, "Caps Lock");
  states.num = indicatorOn(display, "Num Lock");
  states.scroll = indicatorOn(display, "Scroll Lock");
  return true;
}
#else
bool readKeyboardIndicators(LockStates&) { return false; }
#endif

}  // namespace pictavo
