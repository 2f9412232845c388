// main() of the test programs that need Qt: a QApplication on the offscreen
// platform, so tests run without a display.
#include "windows/WebEngineSetup.h"
#include "windows/WebWindow.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  pictavo::prepareWebEngine();  // links open the embedded web view
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  pictavo::WebWindow::discard();
  return status;
}
