// Timings of what a chart refresh adds after the chart calculation (dasha
// table, current period, SA analysis), of the transit comparison, and of the
// SA text block.

#include <benchmark/benchmark.h>

#include "analysis/derivations.h"
#include "analysis/sa_analysis.h"
#include "analysis/sa_report.h"
#include "analysis/sa_transits.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/dasha.h"

namespace sarvexa {
namespace {

Horoscope ChartAt(int month, int day, int year, int hour) {
  Horoscope h;
  SetBirthDate(h, month, day, year);
  SetBirthTime(h, hour, 30, -5, -30, 0, 0);
  SetBirthPlace(h, -77, -12, 28, 36);
  CalculateHoroscope(h);
  return h;
}

void BM_RefreshDerivations(benchmark::State& state) {
  const Horoscope h = ChartAt(1, 1, 2000, 17);
  const LocalClockReading now{2024, 6, 15, 10, 45};
  for (auto _ : state) {
    const ChartDerivations d = Derive(h, now);
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(BM_RefreshDerivations);

void BM_DashaTableAndPeriod(benchmark::State& state) {
  const Horoscope h = ChartAt(1, 1, 2000, 17);
  const LocalClockReading now{2024, 6, 15, 10, 45};
  for (auto _ : state) {
    const DashaState dashas = ComputeDashaTable(h);
    const auto period = FindCurrentPeriod(dashas.table, dashas.birthDayCount, now);
    benchmark::DoNotOptimize(dashas);
    benchmark::DoNotOptimize(period);
  }
}
BENCHMARK(BM_DashaTableAndPeriod);

void BM_SaAnalysis(benchmark::State& state) {
  const Horoscope h = ChartAt(1, 1, 2000, 17);
  for (auto _ : state) {
    const SaAnalysis sa = AnalyseChart(h);
    benchmark::DoNotOptimize(sa);
  }
}
BENCHMARK(BM_SaAnalysis);

void BM_AnalyseTransits(benchmark::State& state) {
  const Horoscope natal = ChartAt(1, 1, 2000, 17);
  const Horoscope transit = ChartAt(6, 15, 2024, 10);
  for (auto _ : state) {
    const SaTransitAnalysis r = AnalyseTransits(natal, transit);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_AnalyseTransits);

void BM_SaBlockText(benchmark::State& state) {
  const Horoscope h = ChartAt(1, 1, 2000, 17);
  for (auto _ : state) {
    std::string text = SaBlockText(h, AnalyseChart(h));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_SaBlockText);

}  // namespace
}  // namespace sarvexa

BENCHMARK_MAIN();
