// The yardstick of scripts/bench-startup: the least a Qt Widgets program
// pays to open a main window of the program's first-start size, from exec to
// the window shown and painted once, then quit.

#include <QApplication>
#include <QMainWindow>

#include "bench/first_paint.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(578, 478);
  new sarvexa::QuitAfterFirstPaint(window);
  window.show();
  return app.exec();
}
