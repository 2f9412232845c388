// pictavo-replay [--program-dir DIR] [--show] SCRIPT: plays a script against
// the program's real main window, headless unless --show.
#include "app/ChangeScope.h"
#include "app/QtDialogTexts.h"
#include "base/ProgramFolder.h"
#include "app/QtSettingsSandbox.h"
#include "replay/ReplayDriver.h"
#include "windows/WebEngineSetup.h"
#include "windows/WebWindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
  bool show = false;
  const char* script = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--show") == 0) {
      show = true;
    } else if (std::strcmp(argv[i], "--program-dir") == 0) {
      ++i;
    } else {
      script = argv[i];
    }
  }
  if (!script) {
    std::fputs("usage: pictavo-replay [--program-dir DIR] [--show] SCRIPT\n", stderr);
    return 2;
  }
  if (!show) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const pictavo::QtSettingsSandbox qtSettings;  // outlives the application
  pictavo::prepareWebEngine();
  pictavo::PictavoApplication app(argc, argv);
  pictavo::useChineseQtDialogTexts(app);
  std::vector<pictavo::replay::ScriptLine> lines;
  QString error;
  if (!pictavo::replay::readScript(QString::fromLocal8Bit(script), lines, error)) {
    std::fprintf(stdout, "script error: %s\n", error.toUtf8().constData());
    return 2;
  }
  pictavo::replay::ReplayDriver driver(pictavo::programFolder(argc, argv));
  const int status = driver.run(lines);
  pictavo::WebWindow::discard();
  return status;
}
