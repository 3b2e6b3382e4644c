// Rendering cost of the pages: every screen page into a 1024 x 800 image
// (the window repaint) and the printed Ephemeris page (58 rows of charts)
// into a one-page PDF (printing). Targets: under 20 ms and 100 ms.

#include <cstdlib>

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <memory>

#include "document/chart_document.h"
#include "document/settings_store.h"
#include "view/display.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa {
namespace {

/// One chart for every run: 12 June 1985, 5:40 PM, 77°13' E 28°40' N,
/// zone 5:30 east, South Indian style with colours.
struct Fixture {
  MemorySettingsStore settings;
  std::unique_ptr<ChartDocument> doc;
  Fixture() {
    doc = std::make_unique<ChartDocument>(settings, [] {
      LocalClockReading now;
      now.year = 2024;
      now.month = 3;
      now.day = 1;
      now.hour = 12;
      return now;
    });
    ChartDataFields f;
    f.firstName = "Ann";
    f.lastName = "Lee";
    f.hour = 5;
    f.minute = 40;
    f.isPm = true;
    f.day = 12;
    f.monthIndex = 5;
    f.year = 1985;
    f.place = "Delhi";
    f.lonDegrees = 77;
    f.lonMinutes = 13;
    f.isEast = true;
    f.latDegrees = 28;
    f.latMinutes = 40;
    f.zoneHours = 5;
    f.zoneMinutes = 30;
    // A refused chart would time the Prasna instead: stop at once.
    if (!doc->newChart(f)) std::abort();
    doc->setChartStyle(ChartStyle::South);
    doc->setColorCharts(1);
  }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

/// A crowded chart, so that the house label layout does its full work:
/// 5 February 1962, 5:30 AM, zone 5:30 east, 77°12' E 28°36' N (eight
/// points in Capricorn), North Indian style.
struct Crowded : Fixture {
  Crowded() {
    ChartDataFields c;
    c.firstName = "Crowded";
    c.lastName = "Sky";
    c.hour = 5;
    c.minute = 30;
    c.isPm = false;
    c.day = 5;
    c.monthIndex = 1;
    c.year = 1962;
    c.place = "Delhi";
    c.lonDegrees = 77;
    c.lonMinutes = 12;
    c.isEast = true;
    c.latDegrees = 28;
    c.latMinutes = 36;
    c.zoneHours = 5;
    c.zoneMinutes = 30;
    if (!doc->newChart(c)) std::abort();
    doc->setChartStyle(ChartStyle::North);
  }
};

Fixture& CrowdedFixture() {
  static Crowded fixture;
  return fixture;
}

void BM_ScreenPage(benchmark::State& state) {
  Fixture& fx = TheFixture();
  ViewState view;
  view.displayMode = static_cast<DisplayMode>(state.range(0));
  view.pratyantarLord = 1;
  for (auto _ : state) {
    QImage image = RenderToImage(QSize(1024, 800),
                                 [&](Canvas& c) { DrawScreenPage(c, fx.doc->snapshot(), view); });
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ScreenPage)->DenseRange(1, 7)->Unit(benchmark::kMillisecond);

/// The pages that draw charts, for the crowded chart (screen Chart and
/// Divisional pages; then the printed Chart page into a PDF).
void BM_CrowdedScreenPage(benchmark::State& state) {
  Fixture& fx = CrowdedFixture();
  ViewState view;
  view.displayMode = static_cast<DisplayMode>(state.range(0));
  for (auto _ : state) {
    QImage image = RenderToImage(QSize(1024, 800),
                                 [&](Canvas& c) { DrawScreenPage(c, fx.doc->snapshot(), view); });
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_CrowdedScreenPage)
    ->Arg(static_cast<int>(DisplayMode::Chart))
    ->Arg(static_cast<int>(DisplayMode::Divisional))
    ->Unit(benchmark::kMillisecond);

void BM_CrowdedPrintedChartPdf(benchmark::State& state) {
  Fixture& fx = CrowdedFixture();
  ViewState view;
  view.displayMode = DisplayMode::Chart;
  const QString path = QDir::temp().filePath("sarvexa_bench_chart.pdf");
  for (auto _ : state) {
    auto saved = RenderSheetToPdf(path, SheetLayout{},
                                  [&](Canvas& c) { DrawPrintPage(c, fx.doc->snapshot(), view); });
    if (!saved) state.SkipWithError(saved.error().toStdString().c_str());
  }
  QFile::remove(path);
}
BENCHMARK(BM_CrowdedPrintedChartPdf)->Unit(benchmark::kMillisecond);

void BM_PrintedEphemerisPdf(benchmark::State& state) {
  Fixture& fx = TheFixture();
  ViewState view;
  view.displayMode = DisplayMode::Ephemeris;
  view.ephemerisInterval = 0;
  const QString path = QDir::temp().filePath("sarvexa_bench_ephemeris.pdf");
  for (auto _ : state) {
    auto saved = RenderSheetToPdf(path, SheetLayout{},
                                  [&](Canvas& c) { DrawPrintPage(c, fx.doc->snapshot(), view); });
    if (!saved) state.SkipWithError(saved.error().toStdString().c_str());
  }
  QFile::remove(path);
}
BENCHMARK(BM_PrintedEphemerisPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sarvexa

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
