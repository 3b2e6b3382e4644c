// `sarvexa-cli sensitivity`: birth options in, the birth-time table out:
// for every point and factor the window of birth minutes in which its value
// holds, the running period's window, the dates' rate and the dasha balance.

#include <ostream>
#include <string>

#include "cli/birth_options.h"
#include "cli/city_option.h"
#include "cli/commands.h"
#include "cli/convention_options.h"
#include "cli/prasna_clock.h"
#include "cli/sensitivity_output.h"
#include "document/chart_sensitivity.h"
#include "document/notation.h"

namespace sarvexa::cli {
namespace {

struct SensitivityOptions {
  BirthOptions birth;
  ConventionOptions conventions;
  std::optional<CheckedChartData> checked;  // the birth options through the dialog's checks
  std::optional<WrittenMoment> now;         // --now; the present otherwise
  int rangeHours = kDefaultRangeHours;
  bool json = false;
  bool help = false;
};

Result<void> TakeRange(SensitivityOptions& o, std::string_view name, std::string_view value) {
  const std::optional<int> hours = ReadDigits(value, 3);
  if (!hours || *hours < kMinRangeHours || *hours > kMaxRangeHours) {
    return Fail(std::string(name) + " must be a whole number of hours from " +
                std::to_string(kMinRangeHours) + " to " + std::to_string(kMaxRangeHours) +
                ", not '" + std::string(value) + "'");
  }
  o.rangeHours = *hours;
  return Ok();
}

using Row = Option<SensitivityOptions>;

constexpr Row kSensitivityRows[] = {
    {"--range", "HOURS",
     "how far to search either way of the entered time, 1..48\n"
     "hours (default 24)",
     TakeRange},
    {"--json", "",
     "print the table as one JSON object: points (As, Su, Mo,\n"
     "Ma, Me, Ju, Ve, Sa, Ra, Ke), each with factors (sign,\n"
     "nakshatra, pada, navamsa, then hora, decante,\n"
     "turyamsa, panchamsa, shashtamsa, saptamsa, ashtamsa,\n"
     "dasamsa, ekadasamsa, dwadasmsa, chaturvimsamsa) with\n"
     "value, from and to: the first and last\n"
     "birth minute with the value, YYYY-MM-DDTHH:MM on the\n"
     "chart's clock, null where the range ends first;\n"
     "runningPeriod (value \"Me/Ve/Ju\", null before the first\n"
     "Maha dasha; from; to); daysPerMinute (days every dasha\n"
     "date moves earlier for a birth one minute later);\n"
     "dashaBalance (lord 0 Ketu .. 8 Mercury, years, months,\n"
     "days)",
     SetFlag<SensitivityOptions, &SensitivityOptions::json>},
    {"--now", "YYYY-MM-DDTHH:MM",
     "local clock reading for the running period; ending\n"
     "in Z or +HH:MM/-HH:MM, an exact instant, read on the\n"
     "clock of the stored Prasna location (default: the\n"
     "present, read the same way)",
     TakeMoment<SensitivityOptions, &SensitivityOptions::now>},
    Row("--help", "", "this text", SetFlag<SensitivityOptions, &SensitivityOptions::help>)
        .Alias("-h"),
};

constexpr CommandRules kRules{"sensitivity"};

Result<SensitivityOptions> ParseSensitivityArguments(const Arguments& args) {
  SensitivityOptions options;
  if (auto parsed = ParseArguments(args, kRules, nullptr, Group(BirthOptionRows(), options.birth),
                                   Group(kSensitivityRows, options),
                                   Group(ConventionOptionRows(), options.conventions));
      !parsed) {
    return Fail(parsed.error());
  }
  if (options.help) return options;
  Result<CheckedChartData> checked = CheckBirthOptions(options.birth);
  if (!checked) return Fail(checked.error());
  options.checked = std::move(*checked);
  return options;
}

}  // namespace

void PrintSensitivityHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli sensitivity --date YYYY-MM-DD --time HH:MM --lon DDD:MM{E|W}\n"
         "                               --lat DD:MM{N|S} --zone HH:MM [--dst H]\n"
         "                               [--range HOURS] [--json] [--now YYYY-MM-DDTHH:MM]\n"
         "                               [--ephemeris builtin|swiss] [--ayanamsa NAME]\n"
         "                               [--node true|mean] [--dasha-year DAYS]\n"
         "\n"
         "Tells which placements of a chart a few minutes of birth time would change.\n"
         "For the Ascendant and the nine grahas it finds, for the sign, the nakshatra,\n"
         "the pada and the sign in every divisional chart, the birth minutes before and\n"
         "after the entered time in which the value holds, searched to the minute up to\n"
         "--range hours either way with the zone and DST of the chart; likewise for the\n"
         "Maha/Bukti/Pratyantar running at the clock. Then how many days one minute of\n"
         "birth time moves the dasha dates, and the dasha balance at birth.\n"
         "\n";
  PrintOptionHelp(out, {HelpOf(BirthOptionRows(), 22), HelpOf(ConventionOptionRows(), 24),
                        HelpOf(kSensitivityRows, 22)});
  out << "\n"
         "A bad or missing option (a --range outside 1..48 among them) prints one line\n"
         "naming it and exits with code 2.\n"
         "Example:\n"
         "  sarvexa-cli sensitivity --date 2000-01-01 --time 17:30 --zone 05:30 \\\n"
         "                          --lon 077:12E --lat 28:36N --range 6 --json\n";
}

int RunSensitivityCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  Result<SensitivityOptions> parsed = ParseSensitivityArguments(args);
  if (!parsed) {
    err << "sarvexa-cli sensitivity: " << parsed.error() << '\n';
    return kExitUsage;
  }
  SensitivityOptions& options = *parsed;
  if (options.help) {
    PrintSensitivityHelp(out);
    return 0;
  }
  PrintCityNote(options.birth, "sensitivity", err);
  // The settings hold the conventions and the Prasna location, whose clock
  // reads an instant.
  const IniFileSettingsStore stored = ReadStoredSettings("sensitivity", err);
  BirthCast cast = CastBirthOptions(options.birth, *options.checked, options.conventions,
                                    options.now, stored, "sensitivity", err);
  if (!cast.chart) return cast.exitCode;
  const ChartSnapshot& chart = *cast.chart;
  const Result<BirthTimeSensitivity> table = ChartSensitivity(chart, options.rangeHours);
  if (!table) {
    err << "sarvexa-cli sensitivity: " << table.error() << '\n';
    return 1;
  }
  out << (options.json ? SensitivityJson(*table, chart.horoscope)
                       : SensitivityTable(chart, *table));
  return out ? 0 : 1;
}

}  // namespace sarvexa::cli
