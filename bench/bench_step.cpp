// Holding Birth Time Earlier or Later: one step of the birth time and the
// repaint of the page shown, as the window does it (the chart cast, its
// page measured again for the new chart and drawn into the client area of
// the window's first-start size). Target: 16 ms, one frame of a key held
// down. Every page is measured under both ephemerides; the Birth-Time
// Sensitivity page searches its table again at each step.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <memory>

#include "app/chart_view.h"
#include "document/chart_document.h"
#include "document/settings_store.h"
#include "swiss/swiss_ephemeris.h"

namespace sarvexa {
namespace {

void BM_StepAndRepaint(benchmark::State& state) {
  MemorySettingsStore settings;
  // 15 June 2024, 12:00 on the (default) Prasna location's clock.
  const Instant now = PrasnaInstantOf(PrasnaLocation{}, {2024, 6, 15, 12, 0}, nullptr);
  ChartDocument doc(settings, [now] { return now; });
  doc.setTheories(PositionTheoryFor);
  ChartDataFields birth;  // a crowded chart: 5 February 1962, 5:30 AM, Delhi
  birth.firstName = "Crowded";
  birth.lastName = "Sky";
  birth.hour = 5;
  birth.minute = 30;
  birth.day = 5;
  birth.monthIndex = 1;
  birth.year = 1962;
  birth.lonDegrees = 77;
  birth.lonMinutes = 12;
  birth.isEast = true;
  birth.latDegrees = 28;
  birth.latMinutes = 36;
  birth.zoneHours = 5;
  birth.zoneMinutes = 30;
  if (state.range(1) != 0) {
    Conventions swiss;
    swiss.ephemeris = EphemerisKind::Swiss;
    if (!doc.setConventions(swiss)) {
      state.SkipWithError("the Swiss Ephemeris could not be loaded");
      return;
    }
  }
  if (!doc.newChart(birth)) std::abort();
  doc.setChartStyle(ChartStyle::North);
  doc.setColorCharts(true);
  ChartView view(doc);
  view.state().displayMode = static_cast<DisplayMode>(state.range(0));
  // The client area of the window at its first start: the Chart page at one
  // pixel per unit, with its margin.
  const QSize client = view.chartPageRoom(1.0);
  view.resize(client);
  QImage image(client, QImage::Format_ARGB32_Premultiplied);
  bool later = true;
  for (auto _ : state) {
    if (!doc.stepBirthTime(later)) std::abort();
    later = !later;
    view.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetLabel(std::to_string(client.width()) + "x" + std::to_string(client.height()));
}
BENCHMARK(BM_StepAndRepaint)
    ->ArgsProduct({benchmark::CreateDenseRange(static_cast<int>(DisplayMode::Chart),
                                               static_cast<int>(DisplayMode::Sensitivity), 1),
                   {0, 1}})
    ->ArgNames({"page", "swiss"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sarvexa

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
