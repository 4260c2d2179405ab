// The yardstick for the window's start-up: an empty Qt Widgets window, shown
// the same way, so the difference is what the program itself adds.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("vcurve bare window");
  window.resize(480, 360);
  window.show();
  return QApplication::exec();
}
