#include "cli/cmd_ephemeris.h"
#include "cli/city_option.h"

#include <cctype>
#include <ostream>

#include "cli/birth_options.h"
#include "cli/chart_output.h"
#include "cli/commands.h"
#include "cli/convention_options.h"
#include "cli/prasna_clock.h"
#include "document/chart_document.h"
#include "document/convention_text.h"
#include "document/notation.h"
#include "document/settings_store.h"

#include "document/text_export.h"
#include "engine/calendar.h"

namespace sarvexa {
Result<std::int32_t> ParseEphemerisStart(const std::string& text) {
  // The Ephemeris dialog's dates: years 1800..2100, day 0..31 in any month.
  const Result<CivilDate> date = ReadCivilDate(text, kEphemerisStartDates);
  if (!date) return Fail("--from: " + date.error() + " (got '" + text + "')");
  return DayNumberFromDate(date->year, date->month, date->day);
}

namespace {

using EphemerisRow_ = cli::Option<EphemerisOptions>;

constexpr EphemerisRow_ kEphemerisRows[] = {
    {"--from", "YYYY-MM-DD",
     "first date: year 1800..2100, month 1..12, day 0..31\n"
     "(default: the chart's own date and moment)",
     [](EphemerisOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const Result<std::int32_t> day = ParseEphemerisStart(std::string(value));
       if (!day) return Fail(day.error());
       o.startDay = *day;
       return Ok();
     }},
    EphemerisRow_(
        "--interval", "daily|weekly|monthly|yearly", "step between rows (default daily)",
        [](EphemerisOptions& o, std::string_view, std::string_view value) -> Result<void> {
          const auto interval = EphemerisIntervalFromName(std::string(value));
          if (!interval) {
            return Fail("--interval must be daily, weekly, monthly or yearly, not '" +
                        std::string(value) + "'");
          }
          o.interval = *interval;
          return Ok();
        })
        .HelpColumn(43),
    {"--rows", "N", "number of rows, 1..10000 (default 24)",
     [](EphemerisOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const std::optional<int> rows = ReadDigits(value, 5);
       if (!rows || *rows < 1 || *rows > 10000)
         return Fail("--rows must be a number from 1 to 10000, not '" + std::string(value) + "'");
       o.rows = *rows;
       return Ok();
     }},
};

}  // namespace

std::span<const cli::Option<EphemerisOptions>> EphemerisOptionRows() { return kEphemerisRows; }

Result<std::string> EphemerisReport(const std::string& place, const Horoscope& chart,
                                    const EphemerisOptions& options, const CastContext& context) {
  const Result<std::vector<EphemerisRow>> rows =
      ComputeEphemerisSeries(chart, options.startDay, options.interval, options.rows, context);
  if (!rows) return Fail(rows.error());
  // Rows outside the library's files fall back to its analytical theory.
  const std::string note = ConventionsNote(
      context.conventions, EphemerisSeriesSource(*rows, context.conventions.ephemeris));
  return "Ephemeris for " + cli::TerminalText(place) + "   " + TextExportPlaceLine(chart) +
         " 12:00 AM\n" + (note.empty() ? "" : note + "\n") + EphemerisSeriesText(*rows);
}

namespace cli {
namespace {

// The command's own options: where the chart comes from, and --help.
struct EphemerisCommandOptions {
  std::optional<std::string> openPath;  // --open FILE
  bool help = false;
};

using Own = Option<EphemerisCommandOptions>;

constexpr Own kOwnRows[] = {
    {"--open", "FILE", "take the chart from a chart file",
     [](EphemerisCommandOptions& o, std::string_view, std::string_view value) -> Result<void> {
       o.openPath = std::string(value);
       return Ok();
     }},
    Own("--help", "", "", SetFlag<EphemerisCommandOptions, &EphemerisCommandOptions::help>)
        .Alias("-h")
        .Hidden()
        .StopsParsing(),
};

constexpr CommandRules kRules{"ephemeris", MissingValue::NeedsValue, false};

// Fails when the last row falls outside the years the ephemeris computes.
Result<void> CheckLastRow(const Horoscope& chart, const EphemerisOptions& o,
                          const Conventions& conventions) {
  std::int32_t day = o.startDay != 0 ? o.startDay : chart.julianDay;
  for (int i = 1; i < o.rows; ++i) day = NextEphemerisDay(day, o.interval);
  const CivilDate last = DateFromDayNumber(day);
  return CheckCastDate(conventions, last.year, last.month, last.day, "--rows");
}

// The report of `chart`, or the exit code after saying why there is none.
int Report(const std::string& place, const Horoscope& chart, const EphemerisOptions& options,
           const CastContext& context, std::ostream& out, std::ostream& err) {
  if (auto inRange = CheckLastRow(chart, options, context.conventions); !inRange) {
    err << "sarvexa-cli ephemeris: " << inRange.error() << "\n";
    return kExitUsage;
  }
  const Result<std::string> report = EphemerisReport(place, chart, options, context);
  if (!report) {
    err << "sarvexa-cli ephemeris: " << report.error() << "\n";
    return 1;
  }
  out << *report;
  return out ? 0 : 1;
}

}  // namespace

void PrintEphemerisHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli ephemeris (BIRTH OPTIONS | --open FILE.svx) [OPTIONS]\n"
         "Lists the sidereal positions of Sun .. Rahu at local midnight of a run of\n"
         "dates, for the chart's place, zone and daylight saving.\n\n";
  PrintOptionHelp(out, {HelpOf(kOwnRows, 24), HelpOf(EphemerisOptionRows(), 24),
                        HelpOf(ConventionOptionRows(), 24),
                        HelpOf(BirthOptionRows(), 22, "\nBirth options:\n")});
}

int RunEphemerisCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  EphemerisCommandOptions own;
  BirthOptions birth;
  bool anyBirthOption = false;
  EphemerisOptions options;
  ConventionOptions givenConventions;
  if (auto parsed = ParseArguments(args, kRules, nullptr, Group(kOwnRows, own),
                                   Group(EphemerisOptionRows(), options),
                                   Group(ConventionOptionRows(), givenConventions),
                                   Group(BirthOptionRows(), birth, &anyBirthOption));
      !parsed) {
    err << "sarvexa-cli ephemeris: " << parsed.error() << "\n";
    return kExitUsage;
  }
  if (own.help) {
    PrintEphemerisHelp(out);
    return 0;
  }
  const std::optional<std::string>& openPath = own.openPath;
  if (openPath && anyBirthOption) {
    err << "sarvexa-cli ephemeris: give either birth options or --open, not both\n";
    return kExitUsage;
  }
  const IniFileSettingsStore stored = ReadStoredSettings("ephemeris", err);
  const Result<Conventions> conventions =
      ResolveConventions(givenConventions, stored, "ephemeris", err);
  if (!conventions) {
    err << "sarvexa-cli ephemeris: " << conventions.error() << "\n";
    return kExitUsage;
  }

  if (openPath) {
    MemorySettingsStore store;
    ChartDocument document(store, ReadSystemInstant);
    Result<void> opened = UseConventions(document, *conventions);
    if (opened) opened = document.open(*openPath);
    if (!opened) {
      err << "sarvexa-cli ephemeris: " << opened.error() << "\n";
      return 1;
    }
    return Report(document.place(), document.horoscope(), options, document.snapshot().context, out,
                  err);
  }
  if (auto placed = ResolveCity(birth); !placed) {
    err << "sarvexa-cli ephemeris: " << placed.error() << "\n";
    return kExitUsage;
  }
  PrintCityNote(birth, "ephemeris", err);
  if (auto given = RequireBirthOptions(birth); !given) {
    err << "sarvexa-cli ephemeris: " << given.error() << "\n";
    return kExitUsage;
  }
  Result<CheckedChartData, FieldError> checked = CheckChartData(birth.fields);
  if (!checked) {
    err << "sarvexa-cli ephemeris: " << checked.error().field << ": " << checked.error().message
        << "\n";
    return kExitUsage;
  }
  const CastContext context = ConventionContext(*conventions);
  const Result<CastChart> chart = CastChartData(*checked, context, CastDepth::Positions);
  if (!chart) {
    err << "sarvexa-cli ephemeris: " << chart.error() << "\n";
    return 1;
  }
  return Report(birth.fields.place, chart->horoscope, options, context, out, err);
}

}  // namespace cli
}  // namespace sarvexa
