// Engine timings: the two theories alone, one chart, and the 58 consecutive
// daily charts of a printed ephemeris page.

#include <benchmark/benchmark.h>

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/moon.h"
#include "engine/planets.h"

namespace sarvexa {
namespace {

Horoscope WorkedChart() {
  Horoscope h;
  SetBirthDate(h, 1, 1, 2000);
  SetBirthTime(h, 17, 30, -5, -30, 0, 0);
  SetBirthPlace(h, -77, -12, 28, 36);
  return h;
}

void BM_MoonPosition(benchmark::State& state) {
  double t = 0.0123;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MoonAndNode r = MoonPosition(t);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_MoonPosition);

void BM_PlanetPositions(benchmark::State& state) {
  double t = 0.0123;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    PlanetLongitudes r = PlanetPositions(t);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_PlanetPositions);

void BM_CalculateHoroscope(benchmark::State& state) {
  Horoscope h = WorkedChart();
  for (auto _ : state) {
    benchmark::DoNotOptimize(h.julianCenturies);
    CalculateHoroscope(h);
    benchmark::DoNotOptimize(h);
  }
}
BENCHMARK(BM_CalculateHoroscope);

// The ephemeris page: a copy of the chart moved one day at a time.
void BM_EphemerisPage58Days(benchmark::State& state) {
  const Horoscope base = WorkedChart();
  for (auto _ : state) {
    Horoscope h = base;
    for (int day = 0; day < 58; ++day) {
      h.julianDay = base.julianDay + day;
      h.julianCenturies =
          (h.julianDay - 2451545.0 + h.universalTime / 24.0 - 0.5) * (1.0 / 36525.0);
      CalculateHoroscope(h);
      benchmark::DoNotOptimize(h);
    }
  }
  state.SetItemsProcessed(state.iterations() * 58);
}
BENCHMARK(BM_EphemerisPage58Days);

}  // namespace
}  // namespace sarvexa

BENCHMARK_MAIN();
