// The present and the settings as sarvexa-cli finds them, run as a user runs
// it: one instant gives one Prasna whatever the computer's zone, a stored
// IANA zone takes the DST of the instant, a first start takes the
// computer's zone, every command reads dates by one rule, and a settings
// file that cannot be read is said once. Instants by `date -u -d ... +%s`.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sarvexa::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int exitCode = -1;
  std::string out, err;
};

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A number member of the JSON text ("universalTime": 6.5).
double Member(const std::string& json, const std::string& name) {
  const std::size_t at = json.find("\"" + name + "\": ");
  if (at == std::string::npos) return -1e300;
  return std::stod(json.substr(at + name.size() + 4));
}

// The moment a chart stands for, in seconds since 1970 (day number 2440588
// is 1 January 1970, counted from 0h UT).
double MomentOf(const std::string& json) {
  return (Member(json, "julianDay") - 2440588) * 86400.0 + Member(json, "universalTime") * 3600.0;
}

class CliPresent : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) /
           ("sarvexa-present-" + std::to_string(getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "config");
  }
  void TearDown() override {
    std::error_code ec;
    chmod(conf().c_str(), 0600);
    fs::remove_all(dir_, ec);
  }
  fs::path conf() const { return dir_ / "config" / "Sarvexa" / "Sarvexa.conf"; }
  void Store(const std::string& settings) {
    fs::create_directories(conf().parent_path());
    std::ofstream(conf()) << "[Settings]\n" << settings;
  }
  CliRun Cli(const std::string& args, const std::string& tz = "UTC") {
    const fs::path out = dir_ / "out", err = dir_ / "err";
    const std::string cmd = "cd '" + dir_.string() + "' && TZ='" + tz + "' XDG_CONFIG_HOME='" +
                            (dir_ / "config").string() + "' '" + SARVEXA_CLI_PATH + "' " + args +
                            " >'" + out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
  }
  void ExpectUnreadableSaidOnce(const std::function<void(const fs::path&)>& breakIt,
                                const char* reason);
  fs::path dir_;
};

const char* kComputerZones[] = {"UTC", "Asia/Kolkata", "America/Los_Angeles"};

// The default location, stored as the desktop program writes it.
const char* kStoredDefault =
    "Prasna%20Loc=Home\nPrasna%20Long=122 W 03\nPrasna%20Lat=37 N 54\n"
    "Prasna%20TZone=08 00\nPrasna%20DST=00 00\n";

TEST_F(CliPresent, OneInstantGivesOneChartWhateverTheComputersZone) {
  Store(kStoredDefault);
  std::string first;
  for (const char* tz : kComputerZones) {
    SCOPED_TRACE(tz);
    const CliRun r = Cli("prasna --json --now 2024-06-15T12:00+05:30", tz);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(MomentOf(r.out), 1718433000.0);  // 2024-06-15T06:30Z
    const std::string record = r.out.substr(r.out.find("\"julianDay\""), 120);
    if (first.empty()) first = record;
    EXPECT_EQ(record, first);  // the same julianDay and universalTime

    // The system clock's present, too, is the same moment in every zone.
    const std::time_t before = std::time(nullptr);
    const CliRun now = Cli("prasna --json", tz);
    ASSERT_EQ(now.exitCode, 0) << now.err;
    EXPECT_NEAR(MomentOf(now.out), static_cast<double>(before), 90.0);
  }
}

TEST_F(CliPresent, AStoredZoneTakesTheDaylightSavingOfTheInstant) {
  Store(
      "Prasna%20Loc=New York\nPrasna%20Long=074 W 00\nPrasna%20Lat=40 N 43\n"
      "Prasna%20TZone=05 00\nPrasna%20DST=00 00\nPrasna%20Zone%20Name=America/New_York\n");
  const struct {
    const char* now;
    double instant;
    int dst;
  } cases[] = {{"2024-07-01T16:00Z", 1719849600.0, 1}, {"2024-01-15T17:00Z", 1705338000.0, 0}};
  for (const auto& c : cases) {
    for (const char* tz : kComputerZones) {
      SCOPED_TRACE(std::string(c.now) + " " + tz);
      const CliRun r = Cli(std::string("prasna --json --now ") + c.now, tz);
      ASSERT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(Member(r.out, "dst"), c.dst);
      EXPECT_EQ(Member(r.out, "zone"), 5.0);
      EXPECT_EQ(MomentOf(r.out), c.instant);
    }
  }
}

TEST_F(CliPresent, AFirstStartTakesTheComputersZoneAndWritesNothing) {
  const struct {
    const char* tz;
    const char* place;  // "" for the default location
    double zone;
  } cases[] = {{"Asia/Kolkata", "Kolkata", -5.5},
               {"America/Los_Angeles", "Los Angeles", 8.0},
               {"UTC", "", 8.0},
               {"Etc/GMT-3", "", 8.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tz);
    const CliRun r = Cli("prasna --json --now 2024-06-15T12:00Z", c.tz);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("\"place\": \"") + c.place + "\""), std::string::npos);
    EXPECT_EQ(Member(r.out, "zone"), c.zone);
    EXPECT_EQ(MomentOf(r.out), 1718452800.0);  // 2024-06-15T12:00Z
    if (*c.place) {
      // One line that names the place and the zone.
      EXPECT_NE(r.err.find(c.place), std::string::npos) << r.err;
      EXPECT_NE(r.err.find(c.tz), std::string::npos) << r.err;
      EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    } else {
      EXPECT_EQ(r.err, "");
    }
    EXPECT_FALSE(fs::exists(conf()));
  }
}

TEST_F(CliPresent, EveryCommandReadsMomentsByOneRule) {
  ASSERT_EQ(Cli("chart --date 2000-01-01 --time 12:00 --zone 05:30 --lon 077:12E "
                "--lat 28:36N --svx a.svx")
                .exitCode,
            0);
  std::ofstream(dir_ / "rows.csv")
      << "date,time,zone,lon,lat\n2000-01-01,12:00,05:30,077:12E,28:36N\n";
  const std::string birth =
      " --date 2000-01-01 --time 12:00 --zone 05:30 --lon 077:12E --lat 28:36N";
  const std::string commands[] = {
      "chart" + birth + " --now ",
      "open a.svx --now ",
      "batch rows.csv --now ",
      "prasna --now ",
      "transits" + birth + " --at ",
      "render --prasna --png p.png --now ",
      "render" + birth + " --page transits --png t.png --at ",
  };
  const struct {
    const char* moment;
    int exitCode;
    const char* message;
  } moments[] = {
      {"2024-02-30T12:00", 2, "no such date (day 01..28, 29, 30 or 31 as the month has)"},
      {"2023-02-29T12:00", 2, "no such date (day 01..28, 29, 30 or 31 as the month has)"},
      {"1582-10-14T12:00", 2, "dates from 1582-10-15 to 9999-12-31"},
      {"1582-10-15T12:00", 0, ""},  // the first Gregorian day
      {"9999-12-31T23:59", 0, ""},
  };
  for (const std::string& command : commands) {
    for (const auto& m : moments) {
      SCOPED_TRACE(command + m.moment);
      const CliRun r = Cli(command + m.moment);
      EXPECT_EQ(r.exitCode, m.exitCode) << r.err;
      if (m.exitCode != 0) {
        EXPECT_NE(r.err.find(m.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
      }
    }
  }
}

// A settings file that `breakIt` made unreadable: each command that reads
// the settings says so in one line with the path and `reason`, and goes on
// with the defaults.
void CliPresent::ExpectUnreadableSaidOnce(const std::function<void(const fs::path&)>& breakIt,
                                          const char* reason) {
  fs::remove_all(dir_ / "config");
  fs::create_directories(dir_ / "config");
  breakIt(conf());
  std::ofstream(dir_ / "rows.csv")
      << "date,time,zone,lon,lat\n2000-01-01,12:00,05:30,077:12E,28:36N\n";
  for (const char* command : {"prasna --json", "batch rows.csv --now 2024-06-15T12:00Z"}) {
    SCOPED_TRACE(command);
    const CliRun r = Cli(command);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("julianDay"), std::string::npos);
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
    EXPECT_NE(r.err.find(conf().string()), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
  }
}

TEST_F(CliPresent, ASettingsFileThatCannotBeReadIsSaidOnce) {
  const struct {
    const char* source;
    std::function<void(const fs::path& conf)> breakIt;
    const char* reason;
  } cases[] = {
      {"the file is a folder", [](const fs::path& c) { fs::create_directories(c); },
       "Is a directory"},
      {"the settings folder is a file",
       [](const fs::path& c) { std::ofstream(c.parent_path()) << "x"; }, "Not a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    ExpectUnreadableSaidOnce(c.breakIt, c.reason);
  }
}

TEST_F(CliPresent, ASettingsFileWithoutReadPermissionIsSaidOnce) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root, which reads a file without permissions";
  ExpectUnreadableSaidOnce(
      [](const fs::path& c) {
        fs::create_directories(c.parent_path());
        std::ofstream(c) << "[Settings]\nPrasna%20Loc=Pune\n";
        chmod(c.c_str(), 0);
      },
      "Permission denied");
}

}  // namespace
}  // namespace sarvexa::cli
