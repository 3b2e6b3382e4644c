// The command-line export options (--text, --csv, --style) and the
// ephemeris options and report.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cmd_ephemeris.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "document/chart_document.h"
#include "document/csv_export.h"
#include "document/settings_store.h"
#include "document/text_export.h"
#include "engine/calendar.h"
#include "tests/support/worked_chart_fields.h"

namespace sarvexa {
namespace {

// 15 June 2024, 12:00 on the default Prasna location's clock.
const Instant kFixedClock = PrasnaInstantOf(PrasnaLocation{}, {2024, 6, 15, 12, 0}, nullptr);

// The worked chart entered as on the "Chart Data" dialog: 1 January 2000,
// 5:30 PM, zone 5:30 East, 77 deg 12 min East, 28 deg 36 min North.
ChartDataFields WorkedChartFields() { return test_support::WorkedChartFields("Worked", "Chart"); }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Another command's own option beside the export options.
struct JsonFlag {
  bool json = false;
};
const cli::Option<JsonFlag> kJsonRow[] = {
    {"--json", "", "", cli::SetFlag<JsonFlag, &JsonFlag::json>}};
const cli::CommandRules kChartRules{"chart"};

TEST(CliExportOptions, TakesItsOptionsAndLeavesOthers) {
  ExportOptions options;
  JsonFlag other;
  ASSERT_TRUE(cli::ParseArguments({"--text", "a.txt", "--json", "--csv", "-", "--style", "South"},
                                  kChartRules, nullptr, cli::Group(ExportOptionRows(), options),
                                  cli::Group(kJsonRow, other)));
  EXPECT_TRUE(other.json);
  EXPECT_EQ(options.textPath, "a.txt");
  EXPECT_EQ(options.csvPath, "-");
  EXPECT_EQ(options.style, CharChartStyle::South);
}

TEST(CliExportOptions, BadValuesAreReported) {
  struct Case {
    std::vector<std::string> args;
    const char* messagePart;
  };
  const Case cases[] = {
      {{"--text"}, "--text needs a value"},
      {{"--csv", ""}, "--csv needs a value"},
      {{"--style", "east"}, "north or south"},
      {{"--style"}, "--style needs a value"},
  };
  for (const Case& c : cases) {
    ExportOptions options;
    const Result<void> taken =
        cli::ParseArguments(c.args, kChartRules, nullptr, cli::Group(ExportOptionRows(), options));
    ASSERT_FALSE(taken.ok());
    EXPECT_NE(taken.error().find(c.messagePart), std::string::npos) << taken.error();
  }
}

TEST(CliExportOptions, WritesFilesAndStandardOutput) {
  MemorySettingsStore store;
  ASSERT_TRUE(store.writeInt("Chart Style", 1).ok());
  ChartDocument doc(store, [] { return kFixedClock; });
  ASSERT_TRUE(doc.newChart(WorkedChartFields()).ok());

  const auto dir = std::filesystem::temp_directory_path() / "sarvexa_cli_export_test";
  std::filesystem::create_directories(dir);
  ExportOptions options;
  options.textPath = (dir / "w.txt").string();
  options.csvPath = "-";
  std::ostringstream out;
  ASSERT_TRUE(WriteExports(options, doc.snapshot(), out).ok());
  EXPECT_EQ(out.str(), CsvExportText(doc.snapshot()));
  EXPECT_EQ(out.str().rfind("Worked,Chart,01/01/2000,17:30,05:30,0,-77.20,28.60,New Delhi,,", 0),
            0u)
      << out.str();
  // The stored style (1) is North: the Rashi chart carries sign numbers.
  const std::string text = ReadFile(dir / "w.txt");
  EXPECT_EQ(text, TextExportText(doc.snapshot(), CharChartStyle::North));

  // --style overrides the stored setting.
  options.style = CharChartStyle::South;
  ASSERT_TRUE(WriteExports(options, doc.snapshot(), out).ok());
  EXPECT_EQ(ReadFile(dir / "w.txt"), TextExportText(doc.snapshot(), CharChartStyle::South));
  std::filesystem::remove_all(dir);
}

TEST(CliExportOptions, UnwritablePathFails) {
  MemorySettingsStore store;
  ChartDocument doc(store, [] { return kFixedClock; });
  ASSERT_TRUE(doc.newChart(WorkedChartFields()).ok());
  ExportOptions options;
  options.csvPath = "/nonexistent-folder-for-sarvexa/x.csv";
  std::ostringstream out;
  const auto error = WriteExports(options, doc.snapshot(), out);
  ASSERT_FALSE(error.ok());
  EXPECT_NE(error.error().find("/nonexistent-folder-for-sarvexa/x.csv"), std::string::npos);
}

TEST(CliEphemerisOptions, StartDates) {
  struct Case {
    const char* text;
    std::int32_t expected;  // 0: refused
    const char* source;
  };
  const Case cases[] = {
      {"2000-01-01", 2451545, "JDN of 1 January 2000"},
      {"2000-1-1", 2451545, "single digits"},
      {"2000-03-00", 2451545 + 59, "day 0 is 29 February 2000"},
      {"1800-01-01", 2378497, "lowest year"},
      {"2101-01-01", 0, "year above 2100"},
      {"1799-12-31", 0, "year below 1800"},
      {"2000-13-01", 0, "month 13"},
      {"2000-00-10", 0, "month 0"},
      {"2000-01-32", 0, "day 32"},
      {"2000/01/01", 0, "wrong separator"},
      {"2000-01", 0, "no day"},
      {"-2000-01-01", 0, "sign"},
      {"20x0-01-01", 0, "letter"},
      {"", 0, "empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Result<std::int32_t> day = ParseEphemerisStart(c.text);
    ASSERT_EQ(day.ok(), c.expected != 0) << (day ? "" : day.error());
    if (day) {
      EXPECT_EQ(*day, c.expected);
    }
  }
}

TEST(CliEphemerisOptions, IntervalAndRows) {
  const cli::CommandRules rules{"ephemeris", cli::MissingValue::NeedsValue, false};
  EphemerisOptions options;
  const Result<void> taken =
      cli::ParseArguments({"--interval", "monthly", "--rows", "5", "--from", "2001-01-31"}, rules,
                          nullptr, cli::Group(EphemerisOptionRows(), options));
  ASSERT_TRUE(taken.ok()) << taken.error();
  EXPECT_EQ(options.interval, EphemerisInterval::Monthly);
  EXPECT_EQ(options.rows, 5);
  EXPECT_EQ(options.startDay, 2451911 + 30);

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--rows", "0"},
                                              {"--rows", "10001"},
                                              {"--rows", "x"},
                                              {"--interval", "hourly"},
                                              {"--from"}}) {
    EphemerisOptions o;
    const Result<void> refused =
        cli::ParseArguments(bad, rules, nullptr, cli::Group(EphemerisOptionRows(), o));
    ASSERT_FALSE(refused.ok()) << bad[0];
    EXPECT_FALSE(refused.error().empty());
  }
}

TEST(CliEphemerisReport, HeaderAndRows) {
  MemorySettingsStore store;
  ChartDocument doc(store, [] { return kFixedClock; });
  ASSERT_TRUE(doc.newChart(WorkedChartFields()).ok());
  EphemerisOptions options;
  options.startDay = 2451911 + 30;  // 31 January 2001
  options.interval = EphemerisInterval::Monthly;
  options.rows = 3;
  const std::string report = EphemerisReport(doc.place(), doc.horoscope(), options).value();
  std::istringstream in(report);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u) << report;
  EXPECT_EQ(lines[0], "Ephemeris for New Delhi   Longitude: 77E12  Latitude: 28N36 12:00 AM");
  EXPECT_EQ(lines[1].rfind("Date          Sun     Moon", 0), 0u);
  EXPECT_EQ(lines[2].rfind("Jan 31,2001: ", 0), 0u);
  EXPECT_EQ(lines[3].rfind("Mar  3,2001: ", 0), 0u);
  EXPECT_EQ(lines[4].rfind("Apr  3,2001: ", 0), 0u);
}

const std::vector<std::string> kWorkedBirthOptions = {
    "--date",  "2000-01-01", "--time", "17:30", "--zone", "05:30",   "--lon",
    "077:12E", "--lat",      "28:36N", "--dst", "0",      "--place", "New Delhi"};

TEST(CliEphemerisCommand, FromBirthOptions) {
  std::vector<std::string> args = kWorkedBirthOptions;
  for (const char* a : {"--from", "2000-02-29", "--interval", "yearly", "--rows", "2"})
    args.push_back(a);
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunEphemerisCommand(args, out, err), 0) << err.str();
  std::istringstream in(out.str());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4u) << out.str();
  EXPECT_EQ(lines[0], "Ephemeris for New Delhi   Longitude: 77E12  Latitude: 28N36 12:00 AM");
  EXPECT_EQ(lines[2].rfind("Feb 29,2000: ", 0), 0u);
  EXPECT_EQ(lines[3].rfind("Mar  1,2001: ", 0), 0u);
}

TEST(CliEphemerisCommand, FromAChartFileAndFailures) {
  MemorySettingsStore store;
  ChartDocument doc(store, [] { return kFixedClock; });
  ASSERT_TRUE(doc.newChart(WorkedChartFields()).ok());
  const auto dir = std::filesystem::temp_directory_path() / "sarvexa_cli_ephemeris_test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "w.svx";
  ASSERT_TRUE(doc.save(path).ok());

  std::ostringstream out, err;
  ASSERT_EQ(cli::RunEphemerisCommand({"--open", path.string(), "--rows", "1"}, out, err), 0)
      << err.str();
  // Without --from the first row is the chart's own date and moment.
  EXPECT_NE(out.str().find("\nJan  1,2000: "), std::string::npos) << out.str();

  struct Case {
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {{"--open", (dir / "missing.svx").string()}, 1},
      {{"--open"}, 2},
      {{"--rows", "3"}, 2},  // no chart given
      {{"--bogus"}, 2},
      {{"--open", path.string(), "--date", "2000-01-01"}, 2},
  };
  for (const Case& c : cases) {
    std::ostringstream o, e;
    EXPECT_EQ(cli::RunEphemerisCommand(c.args, o, e), c.code) << c.args[0];
    EXPECT_FALSE(e.str().empty());
  }
  std::filesystem::remove_all(dir);
}

TEST(CliChartExports, StandardOutputFilesAndFailures) {
  // CSV to standard output replaces the table.
  std::vector<std::string> args = kWorkedBirthOptions;
  for (const char* a : {"--first", "Worked", "--last", "Chart", "--csv", "-"}) args.push_back(a);
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunChartCommand(args, out, err), 0) << err.str();
  EXPECT_EQ(
      out.str().rfind("Worked,Chart,01/01/2000,17:30,05:30,0,-77.20,28.60,New Delhi,,76.33,", 0),
      0u)
      << out.str();
  EXPECT_EQ(out.str().back(), ',');

  // The text report in the South style, written to a file, beside the table.
  const auto dir = std::filesystem::temp_directory_path() / "sarvexa_cli_chart_export_test";
  std::filesystem::create_directories(dir);
  args = kWorkedBirthOptions;
  for (const std::string& a : {std::string("--text"), (dir / "r.txt").string(),
                               std::string("--style"), std::string("south")})
    args.push_back(a);
  std::ostringstream out2, err2;
  ASSERT_EQ(cli::RunChartCommand(args, out2, err2), 0) << err2.str();
  EXPECT_FALSE(out2.str().empty());
  const std::string text = ReadFile(dir / "r.txt");
  EXPECT_NE(
      text.find(
          "\r\nRashi Chart\r\n*********************************************************  \r\n"),
      std::string::npos);
  EXPECT_NE(text.find("New Delhi\r\nLongitude: 77E12  Latitude: 28N36\r\n"), std::string::npos);
  std::filesystem::remove_all(dir);

  struct Case {
    std::vector<std::string> extra;
    int code;
  };
  const Case cases[] = {
      {{"--style", "west"}, 2},
      {{"--text"}, 2},
      {{"--csv", "/nonexistent-folder-for-sarvexa/x.csv"}, 1},
      // Standard output carries one thing: two claimants would interleave.
      {{"--json", "--text", "-"}, 2},
      {{"--csv", "-", "--svx", "-"}, 2},
  };
  for (const Case& c : cases) {
    std::vector<std::string> a = kWorkedBirthOptions;
    a.insert(a.end(), c.extra.begin(), c.extra.end());
    std::ostringstream o, e;
    EXPECT_EQ(cli::RunChartCommand(a, o, e), c.code) << c.extra[0];
    EXPECT_FALSE(e.str().empty());
    if (c.code == 2) {
      EXPECT_TRUE(o.str().empty()) << "nothing is printed on a usage error";
    }
  }
}

TEST(CliExportOptions, StandardOutputHasOneUser) {
  struct Case {
    bool json;
    const char* text;
    const char* csv;
    const char* svx;
    const char* complaint;  // nullptr: no conflict
  };
  const Case cases[] = {
      {false, nullptr, nullptr, nullptr, nullptr},
      {true, "r.txt", "r.csv", "r.svx", nullptr},
      {false, "-", "r.csv", nullptr, nullptr},
      {true, "-", nullptr, nullptr, "--json and --text - would both write"},
      {false, "-", "-", nullptr, "--text - and --csv - would both write"},
      {true, "-", "-", "-", "--json, --text -, --csv - and --svx - would all write"},
      {false, "same.txt", nullptr, "same.txt", "--svx and --text name the same file"},
      {false, "r.txt", "./r.txt", nullptr, "--text and --csv name the same file"},
      {false, nullptr, "d/../r.csv", "r.csv", "--svx and --csv name the same file"},
  };
  for (const Case& c : cases) {
    ExportOptions e;
    if (c.text) e.textPath = c.text;
    if (c.csv) e.csvPath = c.csv;
    std::optional<std::string> svx;
    if (c.svx) svx = c.svx;
    const auto conflict = StandardOutputConflict(c.json, e, svx);
    if (c.complaint == nullptr) {
      EXPECT_TRUE(conflict.ok()) << conflict.error();
    } else {
      ASSERT_FALSE(conflict.ok()) << c.complaint;
      EXPECT_EQ(conflict.error().rfind(c.complaint, 0), 0u) << conflict.error();
    }
  }
}

}  // namespace
}  // namespace sarvexa
