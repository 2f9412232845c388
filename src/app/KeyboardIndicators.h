#pragma once
// The keyboard's lock indicators as the X server reports them. Kept apart
// from any Qt header that X11's macros (KeyPress, None, ...) would break.

namespace pictavo {

struct LockStates {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// True and the states when the program runs on X11 with the keyboard
// extension; false elsewhere (offscreen, Wayland).
bool readKeyboardIndicators(LockStates& states);

}  // namespace pictavo
