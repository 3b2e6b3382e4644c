// Timings of a chart cast with the Swiss Ephemeris (its module loaded before
// the timing starts): the positions alone, and the positions with every
// derivation the program makes of a chart (dasha table, current period, SA
// analysis, the signs of the twelve printed divisions). Moments cycle through
// 64 random dates from 1900 to 2100, as the rows of a batch would.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "analysis/derivations.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/varga.h"
#include "swiss/swiss_ephemeris.h"

namespace sarvexa {
namespace {

std::vector<Horoscope> Births() {
  std::mt19937 rng(19);
  std::uniform_int_distribution<int> day(DayNumberFromDate(1900, 1, 1),
                                         DayNumberFromDate(2099, 12, 31));
  std::uniform_int_distribution<int> hour(0, 23), degrees(0, 60);
  std::vector<Horoscope> births;
  for (int k = 0; k < 64; ++k) {
    const CivilDate date = DateFromDayNumber(day(rng));
    Horoscope h;
    SetBirthDate(h, date.month, date.day, date.year);
    SetBirthTime(h, hour(rng), 30, -5, -30, 0, 0);
    SetBirthPlace(h, -degrees(rng), -12, degrees(rng), 36);
    births.push_back(h);
  }
  return births;
}

const Conventions kSwiss{EphemerisKind::Swiss};

void BM_SwissChart(benchmark::State& state) {
  const std::unique_ptr<PositionTheory> swiss = OpenSwissEphemeris();
  std::vector<Horoscope> births = Births();
  if (!swiss->Calculate(births[0], kSwiss)) state.SkipWithError("no Swiss Ephemeris");
  std::size_t k = 0;
  for (auto _ : state) {
    Horoscope& h = births[k++ % births.size()];
    benchmark::DoNotOptimize(swiss->Calculate(h, kSwiss));
  }
}
BENCHMARK(BM_SwissChart);

void BM_SwissChartWithDerivations(benchmark::State& state) {
  const std::unique_ptr<PositionTheory> swiss = OpenSwissEphemeris();
  std::vector<Horoscope> births = Births();
  if (!swiss->Calculate(births[0], kSwiss)) state.SkipWithError("no Swiss Ephemeris");
  const LocalClockReading now{2024, 6, 15, 10, 45};
  std::size_t k = 0;
  for (auto _ : state) {
    Horoscope& h = births[k++ % births.size()];
    benchmark::DoNotOptimize(swiss->Calculate(h, kSwiss));
    const ChartDerivations d = Derive(h, now);
    benchmark::DoNotOptimize(d);
    for (int n : kPrintDivisions) benchmark::DoNotOptimize(DivisionalSigns(h, n));
  }
}
BENCHMARK(BM_SwissChartWithDerivations);

// The built-in theory on the same moments, for comparison.
void BM_BuiltinChartWithDerivations(benchmark::State& state) {
  std::vector<Horoscope> births = Births();
  const LocalClockReading now{2024, 6, 15, 10, 45};
  std::size_t k = 0;
  for (auto _ : state) {
    Horoscope& h = births[k++ % births.size()];
    CalculateHoroscope(h);
    const ChartDerivations d = Derive(h, now);
    benchmark::DoNotOptimize(d);
    for (int n : kPrintDivisions) benchmark::DoNotOptimize(DivisionalSigns(h, n));
  }
}
BENCHMARK(BM_BuiltinChartWithDerivations);

}  // namespace
}  // namespace sarvexa

BENCHMARK_MAIN();
