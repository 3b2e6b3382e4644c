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

#include "analysis/sensitivity.h"
#include "document/chart_document.h"
#include "document/settings_store.h"
#include "view/display.h"
#include "view/pages.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa {
namespace {

/// A Delhi birth, zone 5:30 east: the dialog's fields for `name` born at
/// `hour`:`minute` (AM or PM) on `day` `monthIndex` `year`, at 77 E `lonMinutes`,
/// 28 N `latMinutes`.
ChartDataFields DelhiBirth(const char* first, const char* last, int hour, int minute, bool pm,
                           int day, int monthIndex, int year, int lonMinutes, int latMinutes) {
  ChartDataFields f;
  f.firstName = first;
  f.lastName = last;
  f.hour = hour;
  f.minute = minute;
  f.isPm = pm;
  f.day = day;
  f.monthIndex = monthIndex;
  f.year = year;
  f.place = "Delhi";
  f.lonDegrees = 77;
  f.lonMinutes = lonMinutes;
  f.isEast = true;
  f.latDegrees = 28;
  f.latMinutes = latMinutes;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  return f;
}

/// One document with one chart for every run.
struct Fixture {
  MemorySettingsStore settings;
  std::unique_ptr<ChartDocument> doc;
  Fixture(const ChartDataFields& birth, ChartStyle style, int colour) {
    // 1 March 2024, 12:00 on the (default) Prasna location's clock.
    const Instant now = PrasnaInstantOf(PrasnaLocation{}, {2024, 3, 1, 12, 0}, nullptr);
    doc = std::make_unique<ChartDocument>(settings, [now] { return now; });
    // A refused chart would time the Prasna instead: stop at once.
    if (!doc->newChart(birth)) std::abort();
    doc->setChartStyle(style);
    doc->setColorCharts(colour);
  }
};

/// 12 June 1985, 5:40 PM, 77°13' E 28°40' N, South Indian style with colours.
Fixture& TheFixture() {
  static Fixture fixture(DelhiBirth("Ann", "Lee", 5, 40, true, 12, 5, 1985, 13, 40),
                         ChartStyle::South, 1);
  return fixture;
}

/// A crowded chart, so that the house label layout does its full work:
/// 5 February 1962, 5:30 AM, 77°12' E 28°36' N (eight points in Capricorn),
/// North Indian style.
Fixture& CrowdedFixture() {
  static Fixture fixture(DelhiBirth("Crowded", "Sky", 5, 30, false, 5, 1, 1962, 12, 36),
                         ChartStyle::North, 1);
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

/// The Birth-Time Sensitivity screen page of the crowded chart, searched
/// and drawn afresh each time, as a stepped birth time would repaint it.
void BM_SensitivityScreenPage(benchmark::State& state) {
  Fixture& fx = CrowdedFixture();
  BuiltInPositions source;
  const LocalClockReading clock{2024, 3, 1, 12, 0};
  for (auto _ : state) {
    const ChartSnapshot& snap = fx.doc->snapshot();
    const auto table = FindBirthTimeSensitivity({snap.horoscope, clock}, source);
    QImage image = RenderToImage(QSize(1024, 800),
                                 [&](Canvas& c) { DrawSensitivityPageScreen(c, snap, *table); });
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SensitivityScreenPage)->Unit(benchmark::kMillisecond);

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
  view.ephemerisInterval = EphemerisInterval::Daily;
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
