// `sarvexa-cli chart`: birth options in, the calculated chart out.

#include <ostream>
#include <string>

#include "cli/birth_options.h"
#include "cli/chart_json.h"
#include "cli/chart_output.h"
#include "cli/city_option.h"
#include "cli/cmd_document.h"
#include "cli/commands.h"
#include "cli/convention_options.h"
#include "cli/export_options.h"
#include "cli/prasna_clock.h"
#include "document/notation.h"
#include "document/settings.h"

namespace sarvexa::cli {
namespace {

struct ChartOptions {
  BirthOptions birth;
  std::optional<CheckedChartData> checked;  // the birth options through the dialog's checks
  ExportOptions exports;                    // --text, --csv, --style
  ConventionOptions conventions;            // --ephemeris, --ayanamsa, --node, --dasha-year
  std::optional<WrittenMoment> now;         // --now; the present otherwise
  std::optional<std::string> svxPath;       // --svx: save the chart file
  bool json = false;
  bool help = false;
};

using Row = Option<ChartOptions>;

constexpr Row kChartRows[] = {
    Row("--svx", "FILE", "save the chart file ('-' for standard output)",
        TakeOutputPath<ChartOptions, &ChartOptions::svxPath>)
        .EmptyIsMissing()
        .MissingText(kSvxNeedsFileName),
    {"--json", "",
     "print the chart as one JSON object instead of the\n"
     "table: firstName, lastName, place, isPrasna, the\n"
     "chart record (julianDay, universalTime, zone, dst,\n"
     "longitude, latitude, julianCenturies,\n"
     "ayanamsaCorrection and ten positions with longitude,\n"
     "retrograde, signDegrees, minutes, dailyMotion, in the\n"
     "order Ascendant, Sun, Moon, Mars, Mercury, Jupiter,\n"
     "Venus, Saturn, Rahu, Ketu), birthDayCount, dashaTable\n"
     "(nine objects: lord, lengthDays, buktiStart),\n"
     "currentPeriod (maha, bukti, pratyantar as dasha lords\n"
     "0 Ketu .. 8 Mercury; null before the first Maha\n"
     "dasha), vargaSigns (keyed \"2\" .. \"12\" and \"24\", ten\n"
     "signs each) and saAnalysis (mep, houseConjunction,\n"
     "houseConjunctionStrength, conjunctions, aspects,\n"
     "flags, ageStrength, colorClass; sets as GrahaIndex\n"
     "arrays); doubles with 17 significant digits",
     SetFlag<ChartOptions, &ChartOptions::json>},
    {"--now", "YYYY-MM-DDTHH:MM",
     "local clock reading for the current period;\n"
     "ending in Z or +HH:MM/-HH:MM, an exact instant, read\n"
     "on the clock of the stored Prasna location\n"
     "(default: the present, read the same way)",
     TakeMoment<ChartOptions, &ChartOptions::now>},
    Row("--help", "", "this text", SetFlag<ChartOptions, &ChartOptions::help>).Alias("-h"),
};

constexpr CommandRules kRules{"chart"};

// The options of the arguments; a bad or unknown option fails with a
// one-line message.
Result<ChartOptions> ParseChartArguments(const Arguments& args) {
  ChartOptions options;
  if (auto parsed =
          ParseArguments(args, kRules, nullptr, Group(BirthOptionRows(), options.birth),
                         Group(ExportOptionRows(), options.exports), Group(kChartRows, options),
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

void PrintChartHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli chart --date YYYY-MM-DD --time HH:MM --lon DDD:MM{E|W}\n"
         "                         --lat DD:MM{N|S} --zone HH:MM [--dst H]\n"
         "                         [--first TEXT] [--last TEXT] [--place TEXT]\n"
         "                         [--now YYYY-MM-DDTHH:MM] [--json] [--svx FILE]\n"
         "                         [--text FILE] [--csv FILE] [--style north|south]\n"
         "                         [--ephemeris builtin|swiss] [--ayanamsa NAME]\n"
         "                         [--node true|mean] [--dasha-year DAYS]\n"
         "\n"
         "Casts the sidereal chart of a birth and prints the Ascendant and the\n"
         "nine grahas (sign, degrees, minutes, retrograde mark, longitude, daily\n"
         "motion), the nakshatra of each point, the Vimshottari Maha dasha dates and\n"
         "the current period (\"--/--/--\" for a chart dated after the clock). The\n"
         "options mirror the Chart Data dialog: numbers are magnitudes, the E/W\n"
         "letter of --lon signs both the longitude and the zone.\n"
         "\n";
  PrintOptionHelp(out, {HelpOf(BirthOptionRows(), 22), HelpOf(ExportOptionRows(), 24),
                        HelpOf(ConventionOptionRows(), 24), HelpOf(kChartRows, 22)});
  out << "\n"
         "A bad or missing option prints one line naming it and exits with code 2;\n"
         "a file that cannot be written gives exit code 1. Standard output carries\n"
         "one thing: the table, the JSON, or one file sent there with '-'.\n"
         "Example:\n"
         "  sarvexa-cli chart --date 2000-01-01 --time 17:30 --zone 05:30 \\\n"
         "                    --lon 077:12E --lat 28:36N --dst 0\n";
}

int RunChartCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  Result<ChartOptions> parsed = ParseChartArguments(args);
  if (!parsed) {
    err << "sarvexa-cli chart: " << parsed.error() << '\n';
    return kExitUsage;
  }
  ChartOptions& options = *parsed;
  if (options.help) {
    PrintChartHelp(out);
    return 0;
  }
  if (auto outputs = StandardOutputConflict(options.json, options.exports, options.svxPath);
      !outputs) {
    err << "sarvexa-cli chart: " << outputs.error() << '\n';
    return kExitUsage;
  }
  PrintCityNote(options.birth, "chart", err);
  // The settings hold the conventions, the Prasna location (whose clock
  // reads an instant) and the chart style of the exports.
  const IniFileSettingsStore stored = ReadStoredSettings("chart", err);
  BirthCast cast = CastBirthOptions(options.birth, *options.checked, options.conventions,
                                    options.now, stored, "chart", err);
  if (!cast.chart) return cast.exitCode;
  ChartSnapshot& chart = *cast.chart;
  const Horoscope& h = chart.horoscope;
  // An export sent to standard output replaces the table there (and never
  // shares it with the JSON: checked above).
  const bool exportToStdout = options.exports.textPath == std::string("-") ||
                              options.exports.csvPath == std::string("-") ||
                              options.svxPath == std::string("-");
  if (options.json || !exportToStdout) {
    out << (options.json ? ChartSnapshotJson(chart) : ChartTable(chart) + DerivationTable(chart));
  }
  if (options.svxPath) {
    const ChartFileRecord record{chart.firstName, chart.lastName, chart.place, h, chart.zoneName};
    if (auto written = SaveChartFile(*options.svxPath, record, out); !written) {
      err << "sarvexa-cli chart: " << written.error() << '\n';
      return 1;
    }
  }
  if (options.exports.any()) {
    chart.chartStyle = ChartStyleFromSetting(ReadDisplaySettings(stored).chartStyle);
    if (auto written = WriteExports(options.exports, chart, out); !written) {
      err << "sarvexa-cli chart: " << written.error() << '\n';
      return 1;
    }
  }
  return out ? 0 : 1;
}

}  // namespace sarvexa::cli
