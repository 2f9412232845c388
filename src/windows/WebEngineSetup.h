#pragma once
// The embedded web view runs Chromium, which refuses to start as root (as
// in containers) unless its sandbox is switched off; without it the whole
// program would exit at the first link. Its OpenGL drawing on a display
// would also leave compiled shaders in ~/.cache, and the program stores
// nothing between runs. Call before QApplication exists.

#include <QCoreApplication>

#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace pictavo {

inline void prepareWebEngine() {
  QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
#ifndef _WIN32
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
#endif
}

}  // namespace pictavo
