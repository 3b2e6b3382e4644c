// sarvexa-cli: the clock option, the dasha/varga/SA members of `chart` and
// the `transits` subcommand, as pieces and as the built program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "cli/chart_json.h"
#include "document/notation.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "tests/support/worked_chart.h"

namespace sarvexa::cli {
namespace {

using test_support::WorkedChart;

TEST(ClockOption, Parsing) {
  struct Case {
    const char* text;
    bool ok;
    int y, mo, d, h, mi;
    const char* source;
  };
  const Case cases[] = {
      {"2024-06-15T10:45", true, 2024, 6, 15, 10, 45, "plain"},
      {"2024-06-15 23:59", true, 2024, 6, 15, 23, 59, "space for T, last minute"},
      {"2000-02-29T00:00", true, 2000, 2, 29, 0, 0, "leap day"},
      {"1900-02-29T00:00", false, 0, 0, 0, 0, 0, "1900 had no leap day"},
      {"2024-02-30T10:45", false, 0, 0, 0, 0, 0, "no such date"},
      {"2024-13-01T10:45", false, 0, 0, 0, 0, 0, "month 13"},
      {"2024-06-15T24:00", false, 0, 0, 0, 0, 0, "hour 24"},
      {"2024-06-15T10:60", false, 0, 0, 0, 0, 0, "minute 60"},
      {"2024-6-15T10:45", false, 0, 0, 0, 0, 0, "one-digit month"},
      {"2024-06-15T10:45x", false, 0, 0, 0, 0, 0, "trailing text"},
      {"", false, 0, 0, 0, 0, 0, "empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Result<WrittenMoment> r = ReadMoment("--now", c.text);
    ASSERT_EQ(r.ok(), c.ok);
    if (c.ok) {
      EXPECT_EQ(r->clock.year, c.y);
      EXPECT_EQ(r->clock.month, c.mo);
      EXPECT_EQ(r->clock.day, c.d);
      EXPECT_EQ(r->clock.hour, c.h);
      EXPECT_EQ(r->clock.minute, c.mi);
    } else {
      EXPECT_NE(r.error().find("--now"), std::string::npos);
    }
  }
}

TEST(ClockOption, RangeFailuresNameTheRanges) {
  struct Case {
    const char* text;
    const char* mustContain;
  };
  const Case cases[] = {
      {"2024-13-01T10:45", "month 01..12"},   {"2024-06-15T24:00", "hour 00..23"},
      {"2024-06-15T10:60", "minutes 00..59"}, {"2024-06-00T10:00", "day 01..31"},
      {"2023-02-29T10:00", "no such date"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Result<WrittenMoment> r = ReadMoment("--at", c.text);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().rfind("--at: ", 0), 0u) << r.error();
    EXPECT_NE(r.error().find(c.mustContain), std::string::npos) << r.error();
  }
}

TEST(ChartDerivations, WorkedChartTable) {
  ChartSnapshot chart;
  chart.horoscope = WorkedChart();
  const Horoscope& h = chart.horoscope;
  chart.derivations = Derive(h, {2000, 1, 1, 0, 0});
  const std::string text = DerivationTable(chart);
  for (const char* line :
       {"Moon        Swati       Ra\n", "Rahu      Sep 21,1982\n", "Jupiter   Sep 20,2000\n",
        "Mars      Sep 21,2095\n", "Current Period: Ra/Ma/Ju\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
  // Before the table's start there is no current period.
  chart.derivations = Derive(h, {1980, 1, 1, 0, 0});
  EXPECT_FALSE(chart.derivations.period.has_value());
  EXPECT_NE(DerivationTable(chart).find("Current Period: --/--/--\n"), std::string::npos);
}

TEST(ChartDerivations, JsonMembers) {
  const Horoscope h = WorkedChart();
  const ChartDerivations d = Derive(h, {1980, 1, 1, 0, 0});
  JsonWriter json;
  json.BeginObject();
  WriteDerivationFields(json, d);
  json.EndObject();
  const std::string& text = json.Text();
  EXPECT_NE(text.find("\"birthDayCount\": 2451545.5"), std::string::npos);
  EXPECT_NE(text.find("\"currentPeriod\": null"), std::string::npos);
  EXPECT_NE(text.find("\"lord\": 5"), std::string::npos);
  for (const char* key : {"\"2\"", "\"9\"", "\"12\"", "\"24\"", "\"houseConjunctionStrength\"",
                          "\"conjunctions\"", "\"colorClass\"", "\"ageStrength\""}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
  EXPECT_EQ(text.find("\"1\""), std::string::npos);
  EXPECT_EQ(text.find("\"13\""), std::string::npos);
}

TEST(ChartDerivations, GrahaSetAsArray) {
  JsonWriter json;
  WriteGrahaSet(json, GrahaBit(1) | GrahaBit(8) | GrahaBit(9));
  EXPECT_EQ(json.Text(), "[\n  1,\n  8,\n  9\n]\n");
}

// ---- the built program ---------------------------------------------------

struct ProgramRun {
  int exitCode = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ProgramRun RunProgram(const std::string& args) {
  const std::string base = testing::TempDir() + "/sarvexa_transits_" + std::to_string(getpid());
  const std::string outPath = base + ".out", errPath = base + ".err";
  const std::string cmd =
      std::string("'") + SARVEXA_CLI_PATH + "' " + args + " >'" + outPath + "' 2>'" + errPath + "'";
  const int status = std::system(cmd.c_str());
  ProgramRun r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(outPath);
  r.err = Slurp(errPath);
  return r;
}

const std::string kBirth =
    " --date 2000-01-01 --time 17:30 --zone 05:30 --lon 077:12E --lat 28:36N --dst 0";

TEST(TransitsProgram, SameMomentStandsOnItsOwnPlaces) {
  const ProgramRun r = RunProgram("transits" + kBirth + " --at 2000-01-01T17:30");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Transits of 2000-01-01 17:30"), std::string::npos);
  // Every transiting graha is conjunct its own natal place.
  for (const char* row : {"Su   ", "Mo   ", "Ke   "}) {
    EXPECT_NE(r.out.find(row), std::string::npos) << row;
  }
}

TEST(TransitsProgram, JsonHasTheAnalysis) {
  const ProgramRun r = RunProgram("transits" + kBirth +
                                  " --at 2024-06-15T10:45 --at-lon 000:10W --at-lat 51:30N "
                                  "--at-zone 00:00 --at-dst 1 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* key : {"\"transit\"", "\"saTransitAnalysis\"", "\"mep\"", "\"transitHouse\"",
                          "\"transitHouseStrength\"", "\"natalConjunctions\"", "\"natalAspects\"",
                          "\"universalTime\": 9.75", "\"latitude\": 51.5", "\"dst\": 1"}) {
    EXPECT_NE(r.out.find(key), std::string::npos) << key;
  }
  // The natal MEP of house 1 is the natal Ascendant.
  EXPECT_NE(r.out.find("76.32663213911"), std::string::npos);
}

TEST(TransitsProgram, ZoneTakesTheSideOfTheTransitLongitude) {
  // Natal chart in New Delhi (77E12, zone 5:30 East). --at-zone is a
  // magnitude like --zone: East or West as the transit longitude is.
  struct Case {
    std::string at;
    const char* zone;
    const char* ut;
    const char* source;
  };
  const Case cases[] = {
      {" --at-zone 05:30", "\"zone\": -5.5", "\"universalTime\": 6.5,",
       "zone alone: the side of the natal --lon (East)"},
      {"", "\"zone\": -5.5", "\"universalTime\": 6.5,", "nothing given: the natal zone"},
      {" --at-lon 000:10W --at-zone 01:00", "\"zone\": 1,", "\"universalTime\": 13,",
       "western transit place"},
      {" --at-lon 010:00E --at-zone 01:00", "\"zone\": -1,", "\"universalTime\": 11,",
       "eastern transit place"},
      {" --at-lon 000:10W", "\"zone\": -5.5", "\"universalTime\": 6.5,",
       "zone not given: the natal zone as it was"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const ProgramRun r =
        RunProgram("transits" + kBirth + " --at 2024-06-01T12:00" + c.at + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(c.zone), std::string::npos) << r.out.substr(0, 200);
    EXPECT_NE(r.out.find(c.ut), std::string::npos) << r.out.substr(0, 200);
  }
}

TEST(TransitsProgram, OneInstantInEveryFormGivesOneTransitChart) {
  // 12:00 on the natal place's clock (zone 5:30 East) is 06:30 UT.
  const std::string local = RunProgram("transits" + kBirth + " --at 2024-06-15T12:00 --json").out;
  ASSERT_NE(local.find("\"transit\""), std::string::npos);
  for (const char* at : {"2024-06-15T12:00+05:30", "2024-06-15T06:30Z", "2024-06-14T23:30-07:00"}) {
    SCOPED_TRACE(at);
    const ProgramRun r = RunProgram("transits" + kBirth + " --at " + at + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, local);
  }
}

TEST(TransitsProgram, HelpDocumentsEveryOption) {
  const ProgramRun r = RunProgram("transits --help");
  EXPECT_EQ(r.exitCode, 0);
  for (const char* opt :
       {"--date", "--time", "--lon", "--lat", "--zone", "--dst", "--at ", "--at-lon", "--at-lat",
        "--at-zone", "--at-dst", "--json", "--help", "1700..2300", "code 2"}) {
    EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
  }
}

TEST(TransitsProgram, BadInput) {
  struct Case {
    std::string args;
    const char* message;
  };
  const Case cases[] = {
      {"transits" + kBirth + " --at 2024-02-30T10:45", "no such date"},
      {"transits" + kBirth + " --at", "a value is required"},
      {"transits" + kBirth + " --at-lat 95:00N", "--at-lat"},
      {"transits" + kBirth + " --bogus 1", "unknown option"},
      {"transits --at 2024-06-15T10:45", "--date"},
      // The one range of every moment: from the first Gregorian day.
      {"transits" + kBirth + " --at 1582-10-14T23:59", "dates from 1582-10-15 to 9999-12-31"},
      {"transits" + kBirth + " --at 2024-06-15T24:00", "hour 00..23"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const ProgramRun r = RunProgram(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace sarvexa::cli

namespace sarvexa::cli {
namespace {

const std::string kChart =
    "chart --date 2000-01-01 --time 17:30 --zone 05:30 --lon 077:12E --lat 28:36N --dst 0";

TEST(ChartProgram, NowFixesTheCurrentPeriod) {
  struct Case {
    const char* now;
    const char* period;
    const char* json;
    const char* source;
  };
  const Case cases[] = {
      {"2000-01-01T00:00", "Current Period: Ra/Ma/Ju", "\"pratyantar\": 6", "Rahu/Mars/Jupiter"},
      {"1980-01-01T00:00", "Current Period: --/--/--", "\"currentPeriod\": null",
       "before the first Maha dasha"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const ProgramRun table = RunProgram(kChart + " --now " + c.now);
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_NE(table.out.find(c.period), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("Rahu      Sep 21,1982"), std::string::npos);
    EXPECT_NE(table.out.find("Moon        Swati"), std::string::npos);
    const ProgramRun json = RunProgram(kChart + " --json --now " + c.now);
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_NE(json.out.find(c.json), std::string::npos);
    EXPECT_NE(json.out.find("\"birthDayCount\": 2451545.5"), std::string::npos);
    EXPECT_NE(json.out.find("\"saAnalysis\""), std::string::npos);
    EXPECT_NE(json.out.find("\"vargaSigns\""), std::string::npos);
  }
  const ProgramRun bad = RunProgram(kChart + " --now 2000-01-01");
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("--now"), std::string::npos);
}

}  // namespace
}  // namespace sarvexa::cli
