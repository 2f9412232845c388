#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel label("Pictavo2012");
  label.show();
  return app.exec();
}
