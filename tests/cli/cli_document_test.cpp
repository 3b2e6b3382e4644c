// sarvexa-cli open, prasna and --svx: the built program run as a user runs it,
// with its settings folder pointed at a scratch folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "document/chart_file.h"

namespace sarvexa::cli {
namespace {

struct CliRun {
  int exitCode = -1;
  std::string out, err;
};

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliDocument : public testing::Test {
 public:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("sarvexa-cli-doc-") +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "config");
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // `tz`: the computer's zone for the run (the tests' own otherwise).
  CliRun Cli(const std::string& args, const std::string& tz = "") {
    const auto outPath = dir_ / "out", errPath = dir_ / "err";
    const std::string cmd = "cd '" + dir_.string() + "' && " +
                            (tz.empty() ? "" : "TZ='" + tz + "' ") + "XDG_CONFIG_HOME='" +
                            (dir_ / "config").string() + "' '" + SARVEXA_CLI_PATH + "' " + args +
                            " >'" + outPath.string() + "' 2>'" + errPath.string() + "'";
    const int status = std::system(cmd.c_str());
    CliRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(outPath);
    r.err = Slurp(errPath);
    return r;
  }

  void StoreSettings(const std::string& text) {
    std::filesystem::create_directories(dir_ / "config" / "Sarvexa");
    std::ofstream(dir_ / "config" / "Sarvexa" / "Sarvexa.conf") << text;
  }
  std::filesystem::path conf() const { return dir_ / "config" / "Sarvexa" / "Sarvexa.conf"; }
  void WriteRows() {
    std::ofstream(dir_ / "rows.csv") << "date,time,zone,lon,lat\n"
                                        "2000-01-01,12:00,05:30,077:12E,28:36N\n";
  }

  std::filesystem::path dir_;
};

const char* kAnnLee =
    "--first Ann --last Lee --place 'Pune, India' --date 1962-03-07 --time 4:05PM "
    "--zone 05:30 --lon 073:51E --lat 18:31N";

TEST_F(CliDocument, ChartSavedWithSvxOpensToTheSameChart) {
  CliRun saved = Cli(std::string("chart ") + kAnnLee + " --json --svx ann.svx");
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  const std::string bytes = Slurp(dir_ / "ann.svx");
  // 70 bytes plus the three strings: "Ann", "Lee", "Pune, India".
  EXPECT_EQ(bytes.size(), 70u + 3 + 3 + 11);
  auto record = DecodeChartFile(bytes);
  ASSERT_TRUE(record.ok());
  EXPECT_EQ(record->place, "Pune, India");
  EXPECT_DOUBLE_EQ(record->horoscope.zone, -5.5);

  CliRun opened = Cli("open ann.svx --json");
  ASSERT_EQ(opened.exitCode, 0) << opened.err;
  EXPECT_NE(opened.out.find("\"isPrasna\": false"), std::string::npos);
  EXPECT_NE(opened.out.find("\"firstName\": \"Ann\""), std::string::npos);
  // Same positions: the JSON from the positions on compare equal.
  const auto from = [](const std::string& s) {
    const auto start = s.find("\"positions\"");
    return s.substr(start, s.find("\n  ]", start) - start);
  };
  EXPECT_EQ(from(opened.out), from(saved.out));

  // Re-saving from `open` writes the same bytes.
  CliRun again = Cli("open ann.svx --svx - ");
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out, bytes);
}

TEST_F(CliDocument, OpenPrintsTheChartExactlyAsChartDoes) {
  // The saved chart, opened again, prints the same table (positions,
  // nakshatras, Maha dasha dates, current period) and the same JSON,
  // derivations included, as the chart it was saved from.
  const std::string now = " --now 2024-03-15T14:07";
  CliRun table = Cli(std::string("chart ") + kAnnLee + now + " --svx ann.svx");
  ASSERT_EQ(table.exitCode, 0) << table.err;
  CliRun openedTable = Cli("open ann.svx" + now);
  ASSERT_EQ(openedTable.exitCode, 0) << openedTable.err;
  EXPECT_NE(openedTable.out.find("Nakshatras"), std::string::npos) << openedTable.out;
  EXPECT_EQ(openedTable.out, table.out);

  CliRun json = Cli(std::string("chart ") + kAnnLee + now + " --json");
  CliRun openedJson = Cli("open ann.svx --json" + now);
  ASSERT_EQ(openedJson.exitCode, 0) << openedJson.err;
  EXPECT_NE(openedJson.out.find("\"dashaTable\""), std::string::npos);
  EXPECT_NE(openedJson.out.find("\"saAnalysis\""), std::string::npos);
  EXPECT_EQ(openedJson.out, json.out);
}

TEST_F(CliDocument, ClockReadingsMustBeRealDates) {
  for (const char* args : {"prasna --now 2024-02-30T10:00", "open x.svx --now 2023-02-29T10:00",
                           "prasna --now 2024-04-31T00:00"}) {
    SCOPED_TRACE(args);
    CliRun r = Cli(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no such date"), std::string::npos) << r.err;
  }
  CliRun leap = Cli("prasna --now 2024-02-29T10:00 --json");
  EXPECT_EQ(leap.exitCode, 0) << leap.err;
  EXPECT_NE(leap.out.find("\"isPrasna\": true"), std::string::npos);
}

TEST_F(CliDocument, UnreadableFilesExitWithOne) {
  std::ofstream(dir_ / "short.svx") << "\x04SRVX";
  struct Case {
    const char* args;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {"open missing.svx", 1, "missing.svx"},
      {"open short.svx", 1, "Unexpected file format"},
      {"open .", 1, "folder"},
      {"open", 2, "required"},
      {"open a.svx b.svx", 2, "only one"},
      {"open short.svx --bogus", 2, "unknown option"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    CliRun r = Cli(c.args);
    EXPECT_EQ(r.exitCode, c.code);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(CliDocument, PrasnaAtTheDefaultLocation) {
  CliRun r = Cli("prasna --now 2024-03-15T14:07 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"firstName\": \"Prasna\""), std::string::npos);
  EXPECT_NE(r.out.find("\"isPrasna\": true"), std::string::npos);
  // 122 W 03, 37 N 54, zone 8 hours west.
  EXPECT_NE(r.out.find("\"longitude\": 122.05"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"zone\": 8"), std::string::npos) << r.out;
}

TEST_F(CliDocument, PrasnaAtTheStoredLocation) {
  StoreSettings(
      "[Settings]\n"
      "Prasna%20Loc=Galle\n"
      "Prasna%20Long=080 E 13\n"
      "Prasna%20Lat=06 N 02\n"
      "Prasna%20TZone=05 30\n"
      "Prasna%20DST=00 00\n");
  CliRun r = Cli("prasna --now 2024-03-15T14:07 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"place\": \"Galle\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"zone\": -5.5"), std::string::npos) << r.out;
  // The settings file is only read.
  EXPECT_NE(Slurp(dir_ / "config" / "Sarvexa" / "Sarvexa.conf").find("080 E 13"),
            std::string::npos);
}

TEST_F(CliDocument, PrasnaAtAGivenPlaceAndItsChecks) {
  CliRun r = Cli(
      "prasna --now 2024-03-15T14:07 --place Pune --lon 073:51E --lat 18:31N --zone 05:30 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"place\": \"Pune\""), std::string::npos);
  EXPECT_NE(r.out.find("\"zone\": -5.5"), std::string::npos) << r.out;

  struct Case {
    const char* args;
    const char* message;
  };
  const Case cases[] = {
      {"prasna --now 2024-13-01T10:00", "--now"},
      {"prasna --now 2024-03-15", "--now"},
      {"prasna --dst 12", "prasna: --dst: "},  // the Prasna location admits 0..11
      {"prasna --place 'a place text longer than thirty chars'", "prasna: --place: "},
      {"prasna --lon 200:00E", "--lon"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    CliRun bad = Cli(c.args);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find(c.message), std::string::npos) << bad.err;
  }
}

TEST_F(CliDocument, SvxToAFolderThatDoesNotExistFails) {
  CliRun r = Cli(std::string("chart ") + kAnnLee + " --svx no/such/folder/x.svx");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("x.svx"), std::string::npos) << r.err;
}

TEST_F(CliDocument, AtlasCommandsAsAUserRunsThem) {
  const struct {
    const char* args;
    int exitCode;
    const char* inOut;  // must appear on standard output
    const char* inErr;  // must appear on standard error (one line)
  } cases[] = {
      {"places Bogota --limit 1", 0,
       "Bogotá, Bogota D.C., Colombia  074:05W 04:37N  America/Bogota", ""},
      {"places 'sao paulo' --json --limit 1", 0, "\"zoneName\": \"America/Sao_Paulo\"", ""},
      {"places Xqzzy", 1, "", ""},
      {"places Bogota --limit 0", 2, "", "--limit"},
      {"chart --city 'Kolkata, India' --date 1943-06-01 --time 12:00 --json", 0,
       "\"zoneLabel\": \"Asia/Kolkata, +0630 war time\"", ""},
      {"chart --city 'New York' --date 2021-03-14 --time 02:30", 2, "",
       "does not exist in America/New_York"},
      {"chart --city 'New York' --date 2021-11-07 --time 01:30", 2, "",
       "occurs twice in America/New_York"},
      {"chart --city 'New York' --date 2021-11-07 --time 01:30 --fold earlier --json", 0,
       "\"dst\": 1", ""},
      {"chart --city Madrid --date 2020-01-15 --time 12:00 --json", 0, "\"universalTime\": 11", ""},
      {"chart --city Madrid --date 2020-07-15 --time 12:00 --json", 0, "\"universalTime\": 10", ""},
      {"chart --city 'Kolkata, India' --date 1943-06-01 --time 12:00 --svx k.svx --json && "
       "'" SARVEXA_CLI_PATH "' open k.svx --json",
       0, "\"zoneName\": \"Asia/Kolkata\",\n  \"isPrasna\"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_NE(r.out.find(c.inOut), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(c.inErr), std::string::npos) << r.err;
    if (*c.inErr) {
      EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line";
    }
  }
}

// ---- the present and the settings file ----

// A number member of the JSON ("zone": 5).
double MemberOf(const CliRun& r, const std::string& name) {
  const std::size_t at = r.out.find("\"" + name + "\": ");
  return at == std::string::npos ? -1e300 : std::stod(r.out.substr(at + name.size() + 4));
}

// The chart's moment in seconds since 1970 (day number 2440588 is
// 1 January 1970, counted from 0h UT). Instants by `date -u -d ... +%s`.
double MomentOf(const CliRun& r) {
  return (MemberOf(r, "julianDay") - 2440588) * 86400.0 + MemberOf(r, "universalTime") * 3600.0;
}

// One line on standard error, holding `a` and `b`.
bool OneErrorLineWith(const CliRun& r, const std::string& a, const std::string& b = "") {
  return r.err.find('\n') == r.err.size() - 1 && r.err.find(a) != std::string::npos &&
         r.err.find(b) != std::string::npos;
}

const char* kComputerZones[] = {"UTC", "Asia/Kolkata", "America/Los_Angeles"};

TEST_F(CliDocument, OneInstantGivesOneChartWhateverTheComputersZone) {
  StoreSettings(
      "[Settings]\nPrasna%20Loc=New York\nPrasna%20Long=074 W 00\nPrasna%20Lat=40 N 43\n"
      "Prasna%20TZone=05 00\nPrasna%20DST=00 00\nPrasna%20Zone%20Name=America/New_York\n");
  const struct {
    const char* now;
    double instant;
    int dst;  // in New York at that instant
  } cases[] = {{"2024-06-15T12:00+05:30", 1718433000, 1},
               {"2024-07-01T16:00Z", 1719849600, 1},
               {"2024-01-15T17:00Z", 1705338000, 0},
               {"2024-01-15T12:00", 1705338000, 0}};  // New York's own clock
  for (const auto& c : cases) {
    std::string first;
    for (const char* tz : kComputerZones) {
      SCOPED_TRACE(std::string(c.now) + " " + tz);
      const CliRun r = Cli(std::string("prasna --json --now ") + c.now, tz);
      ASSERT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(MomentOf(r), c.instant);
      EXPECT_EQ(MemberOf(r, "dst"), c.dst);
      if (first.empty()) first = r.out;
      EXPECT_EQ(r.out, first);
    }
  }
  // The system clock's present, too, is the same moment in every zone.
  for (const char* tz : kComputerZones) {
    SCOPED_TRACE(tz);
    const std::time_t before = std::time(nullptr);
    EXPECT_NEAR(MomentOf(Cli("prasna --json", tz)), double(before), 90.0);
  }
}

TEST_F(CliDocument, AFirstStartTakesTheComputersZoneAndWritesNothing) {
  const struct {
    const char* tz;
    const char* place;  // "" for the default location
    double zone;
  } cases[] = {{"Asia/Kolkata", "Kolkata", -5.5},
               {"America/Los_Angeles", "Los Angeles", 8},
               {"UTC", "", 8},
               {"Etc/GMT-3", "", 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tz);
    const CliRun r = Cli("prasna --json --now 2024-06-15T12:00Z", c.tz);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("\"place\": \"") + c.place + "\""), std::string::npos);
    EXPECT_EQ(MemberOf(r, "zone"), c.zone);
    EXPECT_EQ(MomentOf(r), 1718452800);
    EXPECT_TRUE(*c.place ? OneErrorLineWith(r, c.place, c.tz) : r.err.empty()) << r.err;
    EXPECT_FALSE(std::filesystem::exists(conf()));
  }
}

TEST_F(CliDocument, EveryCommandReadsMomentsByOneRule) {
  WriteRows();
  const std::string birth =
      " --date 2000-01-01 --time 12:00 --zone 05:30 --lon 077:12E --lat 28:36N";
  ASSERT_EQ(Cli("chart" + birth + " --svx a.svx").exitCode, 0);
  const struct {
    const char* moment;
    const char* message;  // nullptr: taken
  } moments[] = {
      {"2024-02-30T12:00", "no such date (day 01..28, 29, 30 or 31 as the month has)"},
      {"2023-02-29T12:00", "no such date (day 01..28, 29, 30 or 31 as the month has)"},
      {"1582-10-14T12:00", "dates from 1582-10-15 to 9999-12-31"},
      {"1582-10-15T12:00", nullptr},  // the first Gregorian day
      {"9999-12-31T23:59", nullptr},
  };
  for (const std::string& command :
       {"chart" + birth + " --now ", std::string("open a.svx --now "),
        std::string("batch rows.csv --now "), std::string("prasna --now "),
        "transits" + birth + " --at ", std::string("render --prasna --png p.png --now "),
        "render" + birth + " --page transits --png t.png --at "}) {
    for (const auto& m : moments) {
      SCOPED_TRACE(command + m.moment);
      const CliRun r = Cli(command + m.moment);
      EXPECT_EQ(r.exitCode, m.message ? 2 : 0) << r.err;
      if (m.message) {
        EXPECT_TRUE(OneErrorLineWith(r, m.message)) << r.err;
      }
    }
  }
}

// Each command that reads the settings says in one line which file it
// cannot read and why, goes on with the defaults, and exits 1 so that a
// script can tell the output from one made with the stored settings.
void ExpectUnreadableSaidOnce(CliDocument& t, const std::filesystem::path& conf,
                              const char* reason) {
  t.WriteRows();
  for (const char* command : {"prasna --json", "batch rows.csv --now 2024-06-15T12:00Z"}) {
    SCOPED_TRACE(command);
    const CliRun r = t.Cli(command);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.out.find("julianDay"), std::string::npos);
    EXPECT_TRUE(OneErrorLineWith(r, conf.string(), reason)) << r.err;
  }
}

TEST_F(CliDocument, ASettingsFileThatCannotBeReadIsSaidOnce) {
  std::filesystem::create_directories(conf());
  ExpectUnreadableSaidOnce(*this, conf(), "Is a directory");
  std::filesystem::remove_all(conf().parent_path());
  std::ofstream(conf().parent_path()) << "x";
  ExpectUnreadableSaidOnce(*this, conf(), "Not a directory");
}

TEST_F(CliDocument, ASettingsFileWithoutReadPermissionIsSaidOnce) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root, which reads a file without permissions";
  StoreSettings("[Settings]\nPrasna%20Loc=Pune\n");
  chmod(conf().c_str(), 0);
  ExpectUnreadableSaidOnce(*this, conf(), "Permission denied");
}

}  // namespace
}  // namespace sarvexa::cli
