// Feeds arbitrary bytes to the chart-file reader and, when they decode, loads
// them into a chart document (which computes the chart), writes them back,
// and then produces the outputs a loaded chart reaches: the text and CSV
// exports, the JSON and the readable table of the command-line tool, the
// ephemeris listing, and the pages drawn to the recording canvas. The reader
// accepts any finite number, so each of these must be sound for all of them.
//
// Drawing every page for every input would cut the fuzzer's pace twentyfold,
// so the last byte of the input picks the ephemeris interval, the page, its
// style and colouring and the Pratyantar lord; both variants of that page are
// drawn. Every choice is reached as the fuzzer varies that byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/sa_transits.h"
#include "cli/chart_json.h"
#include "cli/chart_output.h"
#include "cli/cmd_document.h"
#include "cli/cmd_ephemeris.h"
#include "document/chart_document.h"
#include "document/chart_file.h"
#include "document/convention_text.h"
#include "document/csv_export.h"
#include "document/ephemeris_series.h"
#include "document/text_export.h"
#include "view/display.h"
#include "view/recording_canvas.h"

namespace {

using namespace sarvexa;

Instant FixedClock() { return Instant{1710536820}; }  // 2024-03-15T21:07Z

// Keeps a produced text alive so that the work is not optimised away.
void Use(const std::string& text) {
  volatile std::size_t sink = text.size();
  (void)sink;
}

// What the input's last byte selects.
struct Choice {
  int interval = 0;  ///< ephemeris step 0..3
  DisplayMode page = DisplayMode::Chart;
  int style = 1;  ///< 1 North, 2 South
  int colour = 0;
  int pratyantarLord = 0;
};

Choice ChoiceOf(std::uint8_t b) {
  Choice c;
  c.interval = b & 3;
  c.page = static_cast<DisplayMode>(static_cast<int>(DisplayMode::Chart) + (b >> 2) % 8);
  c.style = 1 + ((b >> 5) & 1);
  c.colour = (b >> 6) & 1;
  c.pratyantarLord = (b >> 2) % 9;
  return c;
}

void ProduceTextOutputs(const ChartDocument& doc, const Choice& choice) {
  const ChartSnapshot& chart = doc.snapshot();
  for (CharChartStyle style : {CharChartStyle::North, CharChartStyle::South})
    Use(TextExportText(chart, style));
  Use(CsvExportText(chart));
  Use(cli::ChartSnapshotJson(chart));
  const Horoscope& h = chart.horoscope;
  Use(cli::ChartTable(chart) + cli::DerivationTable(chart));
  // The conventions' line of any stored ayanamsa, as the Swiss Ephemeris's
  // pages would show it.
  Use(AyanamsaLine(h, Conventions{EphemerisKind::Swiss, Ayanamsa::Raman}, PositionSource{}));
  EphemerisOptions options;
  options.interval = *EphemerisIntervalFromIndex(choice.interval);
  options.rows = 12;
  Use(EphemerisReport(chart.place, h, options).value());
  // A start taken from the file's own day number reaches the last days of
  // the range, where the next row's day must not wrap.
  options.startDay = h.julianDay;
  Use(EphemerisReport(chart.place, h, options).value());
}

void DrawChosenPage(ChartDocument& doc, const Choice& choice) {
  doc.setChartStyle(choice.style == 2 ? ChartStyle::South : ChartStyle::North);
  doc.setColorCharts(choice.colour);
  ChartSnapshot chart = doc.snapshot();
  // The transit page judges the chart against itself: the same extreme
  // values reach the transit analysis and its page.
  if (choice.page == DisplayMode::SaTransits) {
    chart.transitHoroscope = chart.horoscope;
    chart.transitAnalysis = AnalyseTransits(chart.horoscope, chart.horoscope);
  }
  ViewState view;
  view.displayMode = choice.page;
  view.pratyantarLord = choice.pratyantarLord;
  view.ephemerisStartDay = choice.colour == 0 ? 0 : chart.horoscope.julianDay;
  view.ephemerisInterval = *EphemerisIntervalFromIndex(choice.interval);
  RecordingCanvas screen;
  DrawScreenPage(screen, chart, view);
  RecordingCanvas print;
  DrawPrintPage(print, chart, view);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Result<ChartFileRecord> result = DecodeChartFile(bytes);
  if (!result) {
    if (result.error().empty()) __builtin_trap();  // a failure must say why
    return 0;
  }
  // What was read must come back from a write and a second read unchanged.
  const std::string again = EncodeChartFile(*result);
  const Result<ChartFileRecord> second = DecodeChartFile(again);
  if (!second || second->firstName != result->firstName || second->lastName != result->lastName ||
      second->place != result->place)
    __builtin_trap();

  MemorySettingsStore store;
  ChartDocument doc(store, FixedClock);
  if (!doc.loadBytes(std::string(bytes))) __builtin_trap();
  (void)doc.chartDataDialogValues();
  const Choice choice = ChoiceOf(size > 0 ? data[size - 1] : 0);
  ProduceTextOutputs(doc, choice);
  DrawChosenPage(doc, choice);
  return 0;
}
