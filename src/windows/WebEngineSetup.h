#pragma once
// The embedded web view runs Chromium, which refuses to start as root (as
// in containers) unless its sandbox is switched off; without it the whole
// program would exit at the first link. Call before QApplication exists.

#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace pictavo {

inline void prepareWebEngine() {
#ifndef _WIN32
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
#endif
}

}  // namespace pictavo
