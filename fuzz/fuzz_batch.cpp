// sarvexa-cli batch on arbitrary input: it never crashes, and whenever the
// header is usable there is exactly one output line per input record, each a
// complete JSON object, good or an error in the row's place; with the
// birth-time table (--sensitivity) as without.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/batch.h"
#include "cli/csv_records.h"
#include "cli/json_members.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sarvexa::cli;
  const std::string input(reinterpret_cast<const char*>(data), size);
  BatchSettings settings;
  settings.now = sarvexa::LocalClockReading{2024, 6, 15, 12, 0};
  // A third of the inputs add the birth-time table to every good row.
  settings.sensitivity = size % 3 == 0;
  std::istringstream in(input);
  std::ostringstream out, err;
  const int code = RunBatch(in, out, err, settings);
  if (code == 2) {
    if (!out.str().empty()) std::abort();  // a refused header writes nothing
    return 0;
  }
  std::istringstream again(input);
  CsvRecordReader reader(again);
  CsvRecord record;
  std::size_t records = 0;
  while (reader.Next(record)) ++records;
  const std::string text = out.str();
  std::size_t lines = 0, start = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
    const std::string line = text.substr(start, nl - start);
    if (!ForEachScalar(line, [](std::string_view, std::string_view) {})) std::abort();
    ++lines;
  }
  if (start != text.size() || lines + 1 != records) std::abort();  // the header gives no line
  if ((code == 0) != err.str().empty()) std::abort();
  return 0;
}
