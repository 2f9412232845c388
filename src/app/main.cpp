// Pictavo: a raster paint program. The main window's start-up does the rest;
// a file named on the command line is opened instead of asking for a canvas.
#include "app/ChangeScope.h"
#include "app/FileArgument.h"
#include "app/MainWindow.h"
#include "base/ProgramFolder.h"
#include "app/QtDialogTexts.h"
#include "app/QtSettingsSandbox.h"
#include "windows/WebEngineSetup.h"
#include "windows/WebWindow.h"


int main(int argc, char* argv[]) {
  const pictavo::QtSettingsSandbox qtSettings;  // outlives the application
  pictavo::prepareWebEngine();
  pictavo::PictavoApplication app(argc, argv);
  pictavo::useChineseQtDialogTexts(app);
  pictavo::MainWindow window(pictavo::programFolder(argc, argv));
  window.startUp(pictavo::fileArgument(argc, argv));
  const int status = app.exec();
  pictavo::WebWindow::discard();
  return status;
}
