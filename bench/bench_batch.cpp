// sarvexa-cli batch inside one process: rows of birth data in, JSON Lines
// (every member of chart --json, all derivations) or CSV out, counted in
// charts per second. The output is formatted in full and then dropped, so
// the figure covers everything but the disk.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/batch.h"

namespace sarvexa::cli {
namespace {

// Rows spread over the program's date range and the globe, as a research
// file would be.
std::string BirthRows(int count) {
  std::mt19937 rng(7);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::string csv = "first,last,place,date,time,zone,dst,lon,lat\n";
  char line[160];
  for (int i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line,
                  "P%d,Q%d,Town %d,%04d-%02d-%02d,%02d:%02d,%02d:%02d,%d,%03d:%02d%c,%02d:%02d%c\n",
                  i, i, i % 500, pick(1900, 2099), pick(1, 12), pick(1, 28), pick(0, 23),
                  pick(0, 59), pick(0, 12), pick(0, 59), pick(0, 1), pick(0, 179), pick(0, 59),
                  pick(0, 1) ? 'E' : 'W', pick(0, 69), pick(0, 59), pick(0, 1) ? 'N' : 'S');
    csv += line;
  }
  return csv;
}

// Takes the output and keeps only its length.
class CountingBuffer : public std::streambuf {
 public:
  std::size_t bytes = 0;

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    bytes += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    ++bytes;
    return traits_type::not_eof(c);
  }
};

void RunRows(benchmark::State& state, BatchSettings settings) {
  const int rows = 4096;
  const std::string input = BirthRows(rows);
  settings.now = LocalClockReading{2024, 6, 15, 12, 0};
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::istringstream in(input);
    CountingBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    if (RunBatch(in, out, err, settings) != 0) state.SkipWithError("a row failed");
    bytes += sink.bytes;
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_BatchJsonLinesAllMembers(benchmark::State& state) { RunRows(state, BatchSettings{}); }
BENCHMARK(BM_BatchJsonLinesAllMembers)->Unit(benchmark::kMillisecond);

void BM_BatchCsvDefaultColumns(benchmark::State& state) {
  BatchSettings settings;
  settings.format = BatchFormat::Csv;
  RunRows(state, settings);
}
BENCHMARK(BM_BatchCsvDefaultColumns)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sarvexa::cli

BENCHMARK_MAIN();
