// The program's own start-up for scripts/bench-startup: what app/main.cpp
// does (the same QApplication and the same StartApplication: settings, the
// chart document, the window, shown), then quit once the page has been
// painted for the first time. The quit closes the window as the user's
// would, so the settings are written as at every exit.

#include <QApplication>

#include "app/application.h"
#include "app/chart_view.h"
#include "bench/first_paint.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::unique_ptr<sarvexa::AppSession> session = sarvexa::StartApplication(app);
  new sarvexa::QuitAfterFirstPaint(*session->window().chartView());
  return app.exec();
}
