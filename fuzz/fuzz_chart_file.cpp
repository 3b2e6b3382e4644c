// Feeds arbitrary bytes to the chart-file reader and, when they decode, loads
// them into a chart document (which computes the chart) and writes them back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/chart_document.h"
#include "document/chart_file.h"

namespace {

sarvexa::LocalClockReading FixedClock() { return {2024, 3, 15, 14, 7}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const sarvexa::ChartFileReadResult result = sarvexa::DecodeChartFile(bytes);
  if (!result.record) {
    if (result.error.empty()) __builtin_trap();  // a failure must say why
    return 0;
  }
  // What was read must come back from a write and a second read unchanged.
  const std::string again = sarvexa::EncodeChartFile(*result.record);
  const sarvexa::ChartFileReadResult second = sarvexa::DecodeChartFile(again);
  if (!second.record || second.record->firstName != result.record->firstName ||
      second.record->lastName != result.record->lastName ||
      second.record->place != result.record->place)
    __builtin_trap();

  sarvexa::MemorySettingsStore store;
  sarvexa::ChartDocument doc(store, FixedClock);
  if (doc.loadBytes(std::string(bytes))) __builtin_trap();
  (void)doc.chartDataDialogValues();
  return 0;
}
