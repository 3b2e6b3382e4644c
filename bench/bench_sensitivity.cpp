// The birth-time search: the whole table for one chart (target: 20 ms), and
// over many charts (about 1 ms each, so that a batch with the table can keep
// 500 charts a second), with the program's own theory asked for single
// points, and with a source that casts a whole chart for every position it
// gives (how a theory without single-point positions would be used). Each
// reports the casts a chart took. Then the same with the Swiss Ephemeris.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "analysis/derivations.h"
#include "analysis/sensitivity.h"
#include "analysis/theory_positions.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "swiss/swiss_ephemeris.h"

namespace sarvexa {
namespace {

const LocalClockReading kClock{2024, 6, 15, 12, 0};

/// 256 births from 1900 to 2020 between 66 degrees south and north.
const std::vector<Horoscope>& Births() {
  static const std::vector<Horoscope> births = [] {
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> year(1900, 2020), month(1, 12), day(1, 28), hour(0, 23),
        minute(0, 59), zone(-12, 12), lon(-179, 179), lat(-66, 66);
    std::vector<Horoscope> out;
    for (int i = 0; i < 256; ++i) {
      Horoscope h;
      SetBirthDate(h, month(rng), day(rng), year(rng));
      SetBirthTime(h, hour(rng), minute(rng), zone(rng), 0, 0, 0);
      SetBirthPlace(h, lon(rng), 0, lat(rng), 0);
      out.push_back(h);
    }
    return out;
  }();
  return births;
}

/// Every position from a full CalculateHoroscope.
class FullCasts final : public BirthPositionSource {
 public:
  void Longitudes(const Horoscope& birth, PointSet, PointLongitudes& out) override {
    Horoscope h = birth;
    CalculateHoroscope(h);
    for (int g = 0; g < graha::kCount; ++g)
      out[static_cast<std::size_t>(g)] = h.positions[g].longitude;
  }
  PointMotion Motion(const Horoscope& birth, GrahaIndex point, int range) override {
    return bounds_.Motion(birth, point, range);
  }

 private:
  BuiltInPositions bounds_;
};

// The table of each random birth in turn, its positions from `source`.
void RunOverBirths(benchmark::State& state, BirthPositionSource& source) {
  const auto& births = Births();
  std::size_t i = 0;
  double casts = 0;
  for (auto _ : state) {
    const auto t = FindBirthTimeSensitivity({births[i], kClock}, source);
    benchmark::DoNotOptimize(t);
    casts += t->counts.sourceCalls;
    i = (i + 1) % births.size();
  }
  state.counters["casts"] = benchmark::Counter(casts, benchmark::Counter::kAvgIterations);
}

void BM_SensitivityWorkedChart(benchmark::State& state) {
  Horoscope h;
  SetBirthDate(h, 1, 1, 2000);
  SetBirthTime(h, 17, 30, -5, -30, 0, 0);
  SetBirthPlace(h, -77, -12, 28, 36);
  BuiltInPositions source;
  int casts = 0;
  for (auto _ : state) {
    const auto t = FindBirthTimeSensitivity({h, kClock}, source);
    benchmark::DoNotOptimize(t);
    casts = t->counts.sourceCalls;
  }
  state.counters["casts"] = casts;
}
BENCHMARK(BM_SensitivityWorkedChart)->Unit(benchmark::kMicrosecond);

void BM_SensitivityBuiltIn(benchmark::State& state) {
  BuiltInPositions source;
  RunOverBirths(state, source);
}
BENCHMARK(BM_SensitivityBuiltIn)->Unit(benchmark::kMicrosecond);

void BM_SensitivityFullCasts(benchmark::State& state) {
  FullCasts source;
  RunOverBirths(state, source);
}
BENCHMARK(BM_SensitivityFullCasts)->Unit(benchmark::kMicrosecond);

/// The Swiss Ephemeris: every position a whole chart cast by the library,
/// bounded by the real sky's motions (the module loaded before timing).
void BM_SensitivitySwiss(benchmark::State& state) {
  static const std::unique_ptr<PositionTheory> swiss = OpenSwissEphemeris();
  Conventions conventions;
  conventions.ephemeris = EphemerisKind::Swiss;
  TheoryPositions source(*swiss, conventions);
  Horoscope probe = Births()[0];
  if (!swiss->Calculate(probe, conventions)) {
    state.SkipWithError("the Swiss Ephemeris module cannot be loaded");
    return;
  }
  RunOverBirths(state, source);
}
BENCHMARK(BM_SensitivitySwiss)->Unit(benchmark::kMillisecond);

/// What a batch row with the table computes: the chart, its derivations and
/// the table (the JSON text, about 3 us a row, aside).
void BM_ChartDerivationsAndSensitivity(benchmark::State& state) {
  BuiltInPositions source;
  const auto& births = Births();
  std::size_t i = 0;
  for (auto _ : state) {
    Horoscope h = births[i];
    CalculateHoroscope(h);
    const ChartDerivations d = Derive(h, kClock);
    const auto t = FindBirthTimeSensitivity({h, kClock}, source);
    benchmark::DoNotOptimize(d);
    benchmark::DoNotOptimize(t);
    i = (i + 1) % births.size();
  }
}
BENCHMARK(BM_ChartDerivationsAndSensitivity)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sarvexa

BENCHMARK_MAIN();
