// sarvexa-cli chart: birth options, the JSON writer, and the built program
// run on the worked chart and on bad input.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "cli/birth_options.h"
#include "cli/json_writer.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "tests/support/worked_chart.h"

namespace sarvexa::cli {
namespace {

// ---- birth options -------------------------------------------------------

BirthOptions Parse(const std::vector<std::pair<std::string, std::string>>& opts) {
  BirthOptions o;
  for (const auto& [name, value] : opts) {
    const Result<void> taken = TakeBirthOption(o, name, value);
    EXPECT_TRUE(taken) << name << " " << value << ": " << taken.error();
  }
  return o;
}

TEST(BirthOptions, TimeIntoTheDialogsTwelveHourForm) {
  struct Case {
    const char* time;
    int hour, isPm, minute, hour24;
    const char* source;
  };
  const Case kCases[] = {
      {"00:15", 12, 0, 15, 0, "midnight hour is 12 AM"},
      {"12:15AM", 12, 0, 15, 0, "12:15 AM is hour 0"},
      {"12:15PM", 12, 1, 15, 12, "12:15 PM is hour 12"},
      {"11:59pm", 11, 1, 59, 23, "11:59 PM, lower case"},
      {"23:59", 11, 1, 59, 23, "24-hour form"},
      {"12:00", 12, 1, 0, 12, "noon"},
      {"5:30PM", 5, 1, 30, 17, "worked chart in 12-hour form"},
      {"17:30", 5, 1, 30, 17, "worked chart in 24-hour form"},
      {"9:05", 9, 0, 5, 9, "one-digit hour"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    BirthOptions o = Parse({{"--time", c.time}, {"--date", "2000-01-01"}});
    EXPECT_EQ(o.fields.hour, c.hour);
    EXPECT_EQ(o.fields.isPm, c.isPm);
    EXPECT_EQ(o.fields.minute, c.minute);
    Horoscope h;
    ChartDataToRecord(o.fields, h);
    EXPECT_DOUBLE_EQ(h.universalTime, c.hour24 + c.minute / 60.0);
  }
}

TEST(BirthOptions, EastSignsLongitudeAndZoneSouthSignsLatitude) {
  struct Case {
    const char *lon, *lat, *zone;
    double longitude, latitude, zone_;
    const char* source;
  };
  const Case kCases[] = {
      {"077:12E", "28:36N", "05:30", -77.2, 28.6, -5.5, "New Delhi"},
      {"74:00W", "40:42N", "5:00", 74.0, 40.7, 5.0, "western place, positive zone"},
      {"000:30E", "0:30S", "0:00", -0.5, -0.5, 0.0, "0 degrees 30 minutes East and South"},
      {"179:59w", "89:59s", "12:59", 179.98333333333333, -89.98333333333333, 12.983333333333333,
       "range limits, lower-case sides"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    BirthOptions o = Parse({{"--lon", c.lon}, {"--lat", c.lat}, {"--zone", c.zone}});
    Horoscope h;
    ChartDataToRecord(o.fields, h);
    EXPECT_NEAR(h.longitude, c.longitude, 1e-12);
    EXPECT_NEAR(h.latitude, c.latitude, 1e-12);
    EXPECT_NEAR(h.zone, c.zone_, 1e-12);
  }
}

TEST(BirthOptions, DateAcceptsAnyDayUpTo31) {
  BirthOptions o = Parse({{"--date", "2001-02-31"}});
  EXPECT_EQ(o.fields.year, 2001);
  EXPECT_EQ(o.fields.monthIndex, 1);
  EXPECT_EQ(o.fields.day, 31);
}

TEST(BirthOptions, RejectionsNameTheOptionAndItsRange) {
  struct Case {
    const char *name, *value, *mustContain;
  };
  const Case kCases[] = {
      {"--date", "1699-12-31", "1700..2300"},
      {"--date", "2301-01-01", "1700..2300"},
      {"--date", "2000-13-01", "month 01..12"},
      {"--date", "2000-02-32", "day 01..31"},
      {"--date", "2000-02-00", "day 01..31"},
      {"--date", "20000101", "YYYY-MM-DD"},
      {"--time", "24:00", "hour 0..23"},
      {"--time", "12:60", "00..59"},
      {"--time", "0:30AM", "hour 1..12"},
      {"--time", "13:00PM", "hour 1..12"},
      {"--time", "-1:30", "HH:MM"},
      {"--lon", "180:00E", "0..179"},
      {"--lon", "077:60E", "0..59"},
      {"--lon", "077:12", "E or W"},
      {"--lon", "077:12X", "E or W"},
      {"--lat", "90:00N", "0..89"},
      {"--lat", "28:36E", "N or S"},
      {"--zone", "13:00", "0..12"},
      {"--zone", "5:30X", "0..12"},
      {"--dst", "13", "0..12"},
      {"--dst", "-1", "0..12"},
      {"--dst", "", "0..12"},
      {"--place", "A place name that is longer than 32 characters", "32 characters"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.value);
    BirthOptions o;
    const Result<void> taken = TakeBirthOption(o, c.name, c.value);
    ASSERT_FALSE(taken);
    const std::string& message = taken.error();
    EXPECT_NE(message.find(c.name), std::string::npos) << message;
    EXPECT_NE(message.find(c.mustContain), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << "one line only";
  }
}

TEST(BirthOptions, ControlCharactersDoNotBreakTheMessageLine) {
  BirthOptions o;
  const Result<void> taken = TakeBirthOption(o, "--date", "2000-01\n-01");
  ASSERT_FALSE(taken);
  EXPECT_EQ(taken.error().find('\n'), std::string::npos);
}

TEST(BirthOptions, OtherOptionsAreLeftToTheSubcommand) {
  // With only the birth options' group, another option is no option of the
  // command; an option of the group is taken.
  BirthOptions o;
  const CommandRules rules{"chart"};
  const Result<void> other = ParseArguments({"--date", "2000-01-01", "--json"}, rules, nullptr,
                                            Group(BirthOptionRows(), o));
  ASSERT_FALSE(other);
  EXPECT_EQ(other.error(), "unknown option \"--json\" (see sarvexa-cli chart --help)");
  EXPECT_TRUE(o.hasDate);
}

TEST(BirthOptions, RequiredOptionsInOrder) {
  BirthOptions o;
  ASSERT_FALSE(RequireBirthOptions(o).ok());
  EXPECT_NE(RequireBirthOptions(o).error().find("--date"), std::string::npos);
  o = Parse({{"--date", "2000-01-01"}, {"--time", "1:00"}, {"--lon", "1:00E"}, {"--lat", "1:00N"}});
  ASSERT_FALSE(RequireBirthOptions(o).ok());
  EXPECT_NE(RequireBirthOptions(o).error().find("--zone"), std::string::npos);
  ASSERT_TRUE(TakeBirthOption(o, "--zone", "0:00"));
  EXPECT_TRUE(RequireBirthOptions(o).ok());
}

// ---- JSON writer ---------------------------------------------------------

TEST(JsonWriter, DoublesReadBackExactly) {
  const double kValues[] = {0.0,
                            12.0,
                            -5.5,
                            -77.2,
                            28.6,
                            -23.853725713528487,
                            76.326632139115901,
                            1e-300,
                            -1.7976931348623157e308,
                            0.1,
                            1.0 / 3.0,
                            5e-324};
  for (double v : kValues) {
    const std::string text = FormatDouble17(v);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
  }
  EXPECT_EQ(FormatDouble17(-77.2), "-77.200000000000003");
  EXPECT_EQ(FormatDouble17(12.0), "12");
}

TEST(JsonWriter, EscapesStrings) {
  struct Case {
    std::string in, out;
    const char* source;
  };
  const Case kCases[] = {
      {"New Delhi", "New Delhi", "plain"},
      {"a\"b\\c", "a\\\"b\\\\c", "quote and backslash"},
      {"l1\nl2\tx\r", "l1\\nl2\\tx\\r", "control escapes"},
      {std::string("\x01\x1f", 2), "\\u0001\\u001f", "other control characters"},
      {"Zürich", "Zürich", "valid UTF-8 passes"},
      {"\xff"
       "ab\xc3",
       "\\ufffdab\\ufffd", "invalid bytes replaced"},
      {"\xed\xa0\x80", "\\ufffd\\ufffd\\ufffd", "encoded surrogate is invalid"},
      {"\xc0\xaf", "\\ufffd\\ufffd", "overlong form is invalid"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(EscapeJsonString(c.in), c.out);
  }
}

TEST(JsonWriter, NestingCommasAndNull) {
  JsonWriter w;
  w.BeginObject();
  w.Field("a", 1);
  w.Key("list");
  w.BeginArray();
  w.Double(std::numeric_limits<double>::quiet_NaN());
  w.Bool(true);
  w.BeginObject();
  w.EndObject();
  w.BeginArray();
  w.EndArray();
  w.EndArray();
  w.Field("s", "x");
  w.EndObject();
  EXPECT_EQ(w.Text(),
            "{\n  \"a\": 1,\n  \"list\": [\n    null,\n    true,\n    {},\n    []\n  ],\n"
            "  \"s\": \"x\"\n}\n");
}

// ---- the built program ---------------------------------------------------

struct RunResult {
  int exitCode = -1;
  std::string out, err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

RunResult RunCli(const std::string& args) {
  // ctest runs each test as its own process, in parallel: keep the capture
  // files of one process apart from another's.
  const std::string base = testing::TempDir() + "/sarvexa_cli_" + std::to_string(getpid());
  const std::string outPath = base + "_out.txt", errPath = base + "_err.txt";
  const std::string cmd =
      std::string("'") + SARVEXA_CLI_PATH + "' " + args + " >'" + outPath + "' 2>'" + errPath + "'";
  const int status = std::system(cmd.c_str());
  RunResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadFile(outPath);
  r.err = ReadFile(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return r;
}

const char* kWorkedArgs =
    "chart --first Worked --last Chart --place 'New Delhi' --date 2000-01-01 --time 17:30 "
    "--zone 05:30 --lon 077:12E --lat 28:36N --dst 0";

// Every number following `"key": ` in document order.
std::vector<double> NumbersAfterKey(const std::string& json, const std::string& key) {
  std::vector<double> values;
  const std::string needle = "\"" + key + "\": ";
  for (auto pos = json.find(needle); pos != std::string::npos; pos = json.find(needle, pos + 1)) {
    values.push_back(std::strtod(json.c_str() + pos + needle.size(), nullptr));
  }
  return values;
}

TEST(CliProgram, WorkedChartAsJson) {
  const RunResult r = RunCli(std::string(kWorkedArgs) + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_NE(r.out.find("\"firstName\": \"Worked\""), std::string::npos);
  EXPECT_NE(r.out.find("\"place\": \"New Delhi\""), std::string::npos);

  // The program's output agrees bit for bit with the engine called directly.
  const Horoscope h = test_support::WorkedChart();
  EXPECT_EQ(NumbersAfterKey(r.out, "julianDay"), std::vector<double>{2451545});
  EXPECT_EQ(NumbersAfterKey(r.out, "universalTime"), std::vector<double>{12.0});
  EXPECT_EQ(NumbersAfterKey(r.out, "zone"), std::vector<double>{-5.5});
  EXPECT_EQ(NumbersAfterKey(r.out, "julianCenturies"), std::vector<double>{0.0});
  EXPECT_EQ(NumbersAfterKey(r.out, "ayanamsaCorrection"),
            std::vector<double>{h.ayanamsaCorrection});

  // The first "longitude" is the place, then the ten positions.
  const std::vector<double> lon = NumbersAfterKey(r.out, "longitude");
  ASSERT_EQ(lon.size(), 11u);
  EXPECT_EQ(lon[0], -77.2);
  const double kWorked[10] = {76.3266321391159,   256.53674991898646, 199.4732334069272,
                              304.1286126253049,  248.06233234642292, 1.4271261211011503,
                              217.73432922773452, 16.537554647375135, 100.09637865675413,
                              280.09637865675415};
  const std::vector<double> retro = NumbersAfterKey(r.out, "retrograde");
  const std::vector<double> deg = NumbersAfterKey(r.out, "signDegrees");
  const std::vector<double> min = NumbersAfterKey(r.out, "minutes");
  const std::vector<double> motion = NumbersAfterKey(r.out, "dailyMotion");
  ASSERT_EQ(retro.size(), 10u);
  ASSERT_EQ(motion.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(lon[i + 1], kWorked[i], 1e-9);
    EXPECT_EQ(lon[i + 1], h.positions[i].longitude);
    EXPECT_EQ(retro[i], i == 7 ? 1 : 0);
    EXPECT_EQ(deg[i], h.positions[i].signDegrees);
    EXPECT_EQ(min[i], h.positions[i].minutes);
    EXPECT_EQ(motion[i], h.positions[i].dailyMotion);
  }
}

TEST(CliProgram, WorkedChartAsTable) {
  const RunResult r = RunCli(kWorkedArgs);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Chart of Worked Chart, New Delhi"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Lahiri Ayanamsa 23:51"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Ascendant   Ge     16   19"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Saturn      Ar     16   32  R"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Ketu        Cp     10    5"), std::string::npos) << r.out;
}

TEST(CliProgram, BadOrMissingOptionExitsWithTwo) {
  struct Case {
    const char* args;
    const char* mustContain;
  };
  const Case kCases[] = {
      {"chart --date 2000-01-01 --time 17:30 --zone 13:00 --lon 077:12E --lat 28:36N",
       "--zone: expected HH:MM with hours 0..12"},
      {"chart --date 2000-01-01 --time 17:30 --zone 05:30 --lat 28:36N", "--lon is required"},
      {"chart --date", "--date: a value is required"},
      {"chart --bogus 1", "unknown option \"--bogus\""},
      {"frobnicate", "unknown command"},
      {"", "a command is required"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args);
    const RunResult r = RunCli(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(c.mustContain), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
  }
}

TEST(CliProgram, HelpDocumentsEveryOption) {
  const RunResult r = RunCli("chart --help");
  EXPECT_EQ(r.exitCode, 0);
  for (const char* opt : {"--first", "--last", "--place", "--date", "--time", "--lon", "--lat",
                          "--zone", "--dst", "--json", "--help"}) {
    EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
  }
  const RunResult top = RunCli("--help");
  EXPECT_EQ(top.exitCode, 0);
  EXPECT_NE(top.out.find("chart"), std::string::npos);
}

}  // namespace
}  // namespace sarvexa::cli
