// The desktop program: settings, the chart document, the window, start-up.

#include <QApplication>

#include "app/application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return sarvexa::RunApplication(app);
}
