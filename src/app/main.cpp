// Pictavo: a raster paint program. The main window's start-up does the rest.
#include "app/MainWindow.h"
#include "app/ProgramFolder.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  pictavo::MainWindow window(pictavo::programFolder(argc, argv));
  window.startUp();
  return app.exec();
}
