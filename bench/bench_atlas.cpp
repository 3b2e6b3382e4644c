// Atlas timings: the search run on every keystroke in a place field, the
// first search (which reads the place list), and one zone lookup turned into
// the dialog's fields.

#include <benchmark/benchmark.h>

#include <array>

#include "atlas/system_atlas.h"

namespace sarvexa {
namespace {

// What a user types, one keystroke after the other.
constexpr std::array<const char*, 12> kKeystrokes = {
    "M", "Mu", "Mum", "Mumb", "S", "Sa", "San", "Sant", "Bogo", "Bogot", "Lon", "Londo"};

void BM_PlaceSearchPerKeystroke(benchmark::State& state) {
  const auto atlas = OpenSystemAtlas();
  atlas->Places();  // read once, as after the first keystroke
  std::size_t k = 0;
  for (auto _ : state) {
    auto found = atlas->Places().Search(kKeystrokes[k++ % kKeystrokes.size()], 12);
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_PlaceSearchPerKeystroke)->Unit(benchmark::kMillisecond);

void BM_FirstSearchReadsThePlaces(benchmark::State& state) {
  for (auto _ : state) {
    const auto atlas = OpenSystemAtlas();
    auto found = atlas->Places().Search("Mumbai", 12);
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_FirstSearchReadsThePlaces)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ZoneLookup(benchmark::State& state) {
  const auto atlas = OpenSystemAtlas();
  const struct {
    const char* zone;
    LocalMoment moment;
  } kMoments[] = {{"Asia/Kolkata", {1943, 6, 1, 12, 0}},
                  {"America/New_York", {1974, 1, 15, 9, 30}},
                  {"Europe/London", {1970, 1, 1, 0, 0}},
                  {"Australia/Sydney", {2020, 1, 15, 18, 45}}};
  for (const auto& m : kMoments) atlas->ZoneAt(m.zone, m.moment);  // zone files read once
  std::size_t k = 0;
  for (auto _ : state) {
    const auto& m = kMoments[k++ % std::size(kMoments)];
    const auto info = atlas->ZoneAt(m.zone, m.moment);
    ZoneFields fields = ZoneFieldsFor(*info, m.zone, 80.0, FoldChoice::Unresolved);
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(BM_ZoneLookup)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sarvexa

BENCHMARK_MAIN();
