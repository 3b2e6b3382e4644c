// `sarvexa-cli sensitivity` as a script reads it: every reported `from` and
// `to`, cast again with `chart --json` at that clock time, has the reported
// value, and the minute outside it another; the JSON's shape; a range
// outside 1..48 hours; and `batch --sensitivity` adding the same object.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/sensitivity.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/json_members.h"
#include "document/notation.h"
#include "engine/calendar.h"

namespace sarvexa::cli {
namespace {

const char* kNow = "2024-06-15T12:00";

struct CliRun {
  int code = 0;
  std::string out, err;
};

CliRun Cli(int (*command)(const Arguments&, std::ostream&, std::ostream&), Arguments args) {
  std::ostringstream out, err;
  CliRun r;
  r.code = command(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

// Every scalar of a JSON text by path, as plain text ("" for null).
std::map<std::string, std::string> Scalars(const std::string& json) {
  std::map<std::string, std::string> out;
  EXPECT_TRUE(ForEachScalar(json, [&](std::string_view path, std::string_view token) {
    out[std::string(path)] = ScalarText(token);
  }));
  return out;
}

const Arguments kDelhi = {"--zone", "05:30", "--lon", "077:12E", "--lat", "28:36N"};

// The birth options of a chart born at `date` `time` at `place`, then `more`.
Arguments BirthArgs(const std::string& date, const std::string& time, const Arguments& place,
                    const Arguments& more = {"--json", "--now", kNow}) {
  Arguments a = {"--date", date, "--time", time};
  a.insert(a.end(), place.begin(), place.end());
  a.insert(a.end(), more.begin(), more.end());
  return a;
}

// The scalars of what `command` writes for those options.
std::map<std::string, std::string> JsonOf(int (*command)(const Arguments&, std::ostream&,
                                                         std::ostream&),
                                          const Arguments& args) {
  const CliRun r = Cli(command, args);
  EXPECT_EQ(r.code, 0) << r.err;
  return Scalars(r.out);
}

// The value of factor `f` of point `g` in a chart --json: the sign,
// nakshatra and pada from its longitude, a division's sign from vargaSigns.
std::string ChartValue(const std::map<std::string, std::string>& chart, int g, int f) {
  const SensitivityFactor& factor = SensitivityFactors()[f];
  if (factor.kind == FactorKind::Division) {
    const int sign = std::stoi(
        chart.at("vargaSigns." + std::to_string(factor.division) + "." + std::to_string(g)));
    return FactorValueText(factor, sign);
  }
  const double lon = std::stod(chart.at("positions." + std::to_string(g) + ".longitude"));
  return FactorValueText(factor, FactorValue(factor, lon));
}

// The chart --json scalars at a clock reading "YYYY-MM-DDTHH:MM".
std::map<std::string, std::string> ChartAt(const LocalClockReading& at, const Arguments& place) {
  const std::string moment = WriteMoment(at);
  return JsonOf(RunChartCommand, BirthArgs(moment.substr(0, 10), moment.substr(11), place));
}

LocalClockReading Reading(const std::string& moment) {
  return ReadMoment("moment", moment).value().clock;
}

// A clock reading moved by whole minutes (the date rolling over).
LocalClockReading Moved(LocalClockReading c, int minutes) {
  long total =
      (DayNumberFromDate(c.year, c.month, c.day) * 1440L) + c.hour * 60 + c.minute + minutes;
  const CivilDate d = DateFromDayNumber(static_cast<std::int32_t>(total / 1440));
  return {d.year, d.month, d.day, static_cast<int>(total % 1440 / 60),
          static_cast<int>(total % 60)};
}

TEST(CliSensitivity, EveryFromAndToCastWithChartJsonHoldsAndTheMinuteOutsideDoesNot) {
  struct Row {
    const char *date, *time, *zone, *lon, *lat, *source;
  };
  const Row rows[] = {
      {"2000-01-01", "17:30", "05:30", "077:12E", "28:36N", "the worked chart"},
      {"1999-12-31", "23:40", "03:00", "058:22W", "34:36S", "Buenos Aires: into another year"},
      // Drawn at random once (years 1750..2250, within 60 degrees of the equator).
      {"2187-04-19", "03:14", "09:00", "141:00E", "43:00S", "random chart"},
      {"1769-10-08", "21:52", "05:00", "079:00W", "57:00N", "random chart"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.source) + " " + row.date + " " + row.time);
    const Arguments place = {"--zone", row.zone, "--lon", row.lon, "--lat", row.lat};
    const auto found =
        JsonOf(RunSensitivityCommand,
               BirthArgs(row.date, row.time, place, {"--json", "--range", "2", "--now", kNow}));
    int checked = 0;
    for (int g = 0; g < graha::kCount; ++g) {
      for (int f = 0; f < kFactorCount; ++f) {
        const std::string cell =
            "points." + std::to_string(g) + ".factors." + std::to_string(f) + ".";
        const std::string value = found.at(cell + "value");
        for (const auto& [end, outside] : {std::pair{"from", -1}, {"to", 1}}) {
          const std::string at = found.at(cell + end);
          if (at.empty()) continue;  // the range ended first
          SCOPED_TRACE(cell + end + " " + at);
          EXPECT_EQ(ChartValue(ChartAt(Reading(at), place), g, f), value);
          EXPECT_NE(ChartValue(ChartAt(Moved(Reading(at), outside), place), g, f), value);
          ++checked;
        }
      }
    }
    // The running period, from chart --json's currentPeriod at the same clock.
    const auto period = [&](const LocalClockReading& at) {
      const auto chart = ChartAt(at, place);
      if (chart.count("currentPeriod")) return std::string();  // null: none yet
      return FormatCurrentPeriod(CurrentPeriod{std::stoi(chart.at("currentPeriod.maha")),
                                               std::stoi(chart.at("currentPeriod.bukti")),
                                               std::stoi(chart.at("currentPeriod.pratyantar"))});
    };
    for (const auto& [end, outside] : {std::pair{"from", -1}, {"to", 1}}) {
      const std::string at = found.at(std::string("runningPeriod.") + end);
      if (at.empty()) continue;
      EXPECT_EQ(period(Reading(at)), found.at("runningPeriod.value")) << end;
      EXPECT_NE(period(Moved(Reading(at), outside)), found.at("runningPeriod.value")) << end;
    }
    EXPECT_GT(checked, 10);
  }
}

TEST(CliSensitivity, TheJsonHasTheShapeScriptsRead) {
  const CliRun r = Cli(RunSensitivityCommand, BirthArgs("2000-01-01", "17:30", kDelhi));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ObjectMemberNames(r.out),
            (std::vector<std::string>{"points", "runningPeriod", "daysPerMinute", "dashaBalance"}));
  const auto s = Scalars(r.out);
  const char* points[] = {"As", "Su", "Mo", "Ma", "Me", "Ju", "Ve", "Sa", "Ra", "Ke"};
  for (int g = 0; g < graha::kCount; ++g) {
    EXPECT_EQ(s.at("points." + std::to_string(g) + ".point"), points[g]);
    for (int f = 0; f < kFactorCount; ++f) {
      EXPECT_EQ(s.at("points." + std::to_string(g) + ".factors." + std::to_string(f) + ".factor"),
                FactorKey(SensitivityFactors()[f]));
    }
  }
  EXPECT_EQ(s.count("points.10.point"), 0u);
  EXPECT_EQ(s.count("points.0.factors.15.factor"), 0u);
  EXPECT_GT(std::stod(s.at("daysPerMinute")), 0.0);  // a later birth: earlier dates
  // The balance is the one chart --json gives.
  const auto chart = JsonOf(RunChartCommand, BirthArgs("2000-01-01", "17:30", kDelhi));
  for (const char* part : {"lord", "years", "months", "days"})
    EXPECT_EQ(s.at(std::string("dashaBalance.") + part),
              chart.at(std::string("dashaBalance.") + part));
}

TEST(CliSensitivity, TheTextNamesThePersonAsChartDoesAndTheConventions) {
  struct Row {
    Arguments more;
    const char* said;  // in the text's first two lines, as chart's header says it
    const char* source;
  };
  const Row rows[] = {
      {{}, "sensitivity of (no name), born", "no name"},
      {{"--first", "A\x1b]0;x\x07", "--last", "B"},
       "of A\\x1B]0;x\\x07 B, born",
       "terminal controls in a name"},
      {{"--ephemeris", "swiss", "--node", "mean"},
       "\nEphemeris: Swiss Ephemeris",
       "the conventions, when not the defaults"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    Arguments more = row.more;
    more.insert(more.end(), {"--now", kNow});
    const CliRun r = Cli(RunSensitivityCommand, BirthArgs("2000-01-01", "17:30", kDelhi, more));
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string head = r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1));
    EXPECT_NE(head.find(row.said), std::string::npos) << head;
  }
}

TEST(CliSensitivity, ARangeOutsideOneToFortyEightHoursIsOneLineAndExitTwo) {
  for (const char* range : {"0", "49", "-3", "24.5", "", "x", "3\n"}) {
    SCOPED_TRACE(range);
    const CliRun r =
        Cli(RunSensitivityCommand, BirthArgs("2000-01-01", "17:30", kDelhi, {"--range", range}));
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST(CliSensitivity, BatchAddsTheSameObjectToEachRow) {
  const std::string csv =
      "first,date,time,zone,lon,lat\n"
      "Ann,2000-01-01,17:30,05:30,077:12E,28:36N\n"
      "Bo,1962-02-05,05:30,05:30,077:12E,28:36N\n";
  std::istringstream in(csv);
  std::ostringstream out, err;
  BatchSettings settings;
  settings.now = Reading(kNow);
  settings.sensitivity = true;
  ASSERT_EQ(RunBatch(in, out, err, settings), 0) << err.str();
  std::istringstream lines(out.str());
  const char* births[][2] = {{"2000-01-01", "17:30"}, {"1962-02-05", "05:30"}};
  for (const auto& birth : births) {
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    const auto alone = JsonOf(RunSensitivityCommand, BirthArgs(birth[0], birth[1], kDelhi));
    std::map<std::string, std::string> inRow;
    for (const auto& [path, value] : Scalars(line))
      if (path.rfind("sensitivity.", 0) == 0) inRow[path.substr(12)] = value;
    EXPECT_EQ(inRow, alone) << birth[0];
  }
}

}  // namespace
}  // namespace sarvexa::cli
