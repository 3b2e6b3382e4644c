// What opening the window costs: the program's main window (settings read,
// the Prasna cast, the window built, shown and painted once) against an empty
// Qt main window shown and painted the same way, in one process with one
// QApplication. The target: the program's window within 1.2 times the empty
// one's time on top of what every Qt program pays to start. The atlas is not
// read here: it waits for the first keystroke in a place field.
// scripts/bench-startup times the same as whole processes, from exec on.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>

#include "app/application.h"
#include "app/main_window.h"

namespace sarvexa {
namespace {

void ShowAndPaint(QWidget& w) {
  w.show();
  // The first paint of every widget, as the window system would ask for it.
  benchmark::DoNotOptimize(w.grab());
  QApplication::processEvents();
}

void BM_EmptyMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    QMainWindow window;
    window.resize(578, 478);
    ShowAndPaint(window);
  }
}
BENCHMARK(BM_EmptyMainWindow)->Unit(benchmark::kMillisecond);

void BM_ProgramWindow(benchmark::State& state) {
  for (auto _ : state) {
    AppSession session;
    session.start({});
    ShowAndPaint(session.window());
  }
}
BENCHMARK(BM_ProgramWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sarvexa

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings of a fresh user, kept away from the real ones.
  QTemporaryDir config;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Sarvexa"));
  QApplication::setApplicationName(QStringLiteral("Sarvexa"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
