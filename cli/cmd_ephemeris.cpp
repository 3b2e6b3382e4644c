#include "cli/cmd_ephemeris.h"
#include "cli/city_option.h"

#include <cctype>
#include <ostream>

#include "cli/birth_options.h"
#include "cli/chart_output.h"
#include "cli/commands.h"
#include "document/chart_document.h"
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

Result<OptionMatch> TakeEphemerisOption(const std::vector<std::string>& args, std::size_t& i,
                                        EphemerisOptions& options) {
  const std::string& name = args[i];
  if (name != "--from" && name != "--interval" && name != "--rows") return OptionMatch::NotMine;
  if (i + 1 >= args.size()) return Fail(cli::NeedsValue(name));
  const std::string& value = args[i + 1];
  if (name == "--from") {
    const Result<std::int32_t> day = ParseEphemerisStart(value);
    if (!day) return Fail(day.error());
    options.startDay = *day;
  } else if (name == "--interval") {
    const auto interval = EphemerisIntervalFromName(value);
    if (!interval)
      return Fail("--interval must be daily, weekly, monthly or yearly, not '" + value + "'");
    options.interval = *interval;
  } else {
    const std::optional<int> rows = ReadDigits(value, 5);
    if (!rows || *rows < 1 || *rows > 10000)
      return Fail("--rows must be a number from 1 to 10000, not '" + value + "'");
    options.rows = *rows;
  }
  i += 2;
  return OptionMatch::Taken;
}

Result<std::string> EphemerisReport(const std::string& place, const Horoscope& chart,
                                    const EphemerisOptions& options, const CastContext& context) {
  const Result<std::vector<EphemerisRow>> rows =
      ComputeEphemerisSeries(chart, options.startDay, options.interval, options.rows, context);
  if (!rows) return Fail(rows.error());
  return "Ephemeris for " + cli::TerminalText(place) + "   " + TextExportPlaceLine(chart) +
         " 12:00 AM\n" + EphemerisSeriesText(*rows);
}

namespace cli {

void PrintEphemerisHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli ephemeris (BIRTH OPTIONS | --open FILE.svx) [OPTIONS]\n"
         "Lists the sidereal positions of Sun .. Rahu at local midnight of a run of\n"
         "dates, for the chart's place, zone and daylight saving.\n\n"
         "  --open FILE           take the chart from a chart file\n"
      << kEphemerisOptionsHelp << "\nBirth options:\n"
      << BirthOptionsHelp();
}

int RunEphemerisCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  BirthOptions birth;
  bool anyBirthOption = false;
  std::optional<std::string> openPath;
  EphemerisOptions options;
  for (std::size_t i = 0; i < args.size();) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      PrintEphemerisHelp(out);
      return 0;
    }
    const Result<OptionMatch> match = TakeEphemerisOption(args, i, options);
    if (!match) {
      err << "sarvexa-cli ephemeris: " << match.error() << "\n";
      return kExitUsage;
    }
    if (*match == OptionMatch::Taken) continue;
    if (name == "--open" || IsBirthOption(name)) {
      if (i + 1 >= args.size()) {
        err << "sarvexa-cli ephemeris: " << NeedsValue(name) << "\n";
        return kExitUsage;
      }
      if (name == "--open") {
        openPath = args[i + 1];
      } else {
        std::string error;
        if (ParseBirthOption(name, args[i + 1], birth, error) == OptionStatus::Rejected) {
          err << "sarvexa-cli ephemeris: " << error << "\n";
          return kExitUsage;
        }
        anyBirthOption = true;
      }
      i += 2;
      continue;
    }
    err << "sarvexa-cli ephemeris: unknown option '" << name << "'\n";
    return kExitUsage;
  }

  if (openPath) {
    if (anyBirthOption) {
      err << "sarvexa-cli ephemeris: give either birth options or --open, not both\n";
      return kExitUsage;
    }
    MemorySettingsStore store;
    ChartDocument document(store, ReadSystemInstant);
    if (auto opened = document.open(*openPath); !opened) {
      err << "sarvexa-cli ephemeris: " << opened.error() << "\n";
      return 1;
    }
    const Result<std::string> report = EphemerisReport(document.place(), document.horoscope(),
                                                       options, document.snapshot().context);
    if (!report) {
      err << "sarvexa-cli ephemeris: " << report.error() << "\n";
      return 1;
    }
    out << *report;
    return 0;
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
  const CastContext context;
  const Result<CastChart> chart = CastChartData(*checked, context, CastDepth::Positions);
  const Result<std::string> report =
      chart ? EphemerisReport(birth.fields.place, chart->horoscope, options, context)
            : Fail(chart.error());
  if (!report) {
    err << "sarvexa-cli ephemeris: " << report.error() << "\n";
    return 1;
  }
  out << *report;
  return out ? 0 : 1;
}

}  // namespace cli
}  // namespace sarvexa
