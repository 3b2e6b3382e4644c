// sarvexa-cli's conventions, run as a user runs it: the Swiss Ephemeris's
// longitudes against the table swetest wrote (tests/swiss/swiss_reference.csv,
// scripts/swiss-reference), the signs, vargas and dashas following those
// positions, the refusals of conventions that do not apply or go out of
// range, and the library loaded only by a run that uses it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "cli/json_members.h"
#include "engine/calendar.h"
#include "engine/dasha.h"
#include "engine/text_format.h"
#include "engine/varga.h"

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

class CliConventions : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / (std::string("sarvexa-cli-conventions-") +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "config");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // The program with its settings in the scratch folder; `env` before it.
  CliRun Cli(const std::string& args, const std::string& env = "") {
    const std::string cmd = "cd '" + dir_.string() + "' && XDG_CONFIG_HOME='" +
                            (dir_ / "config").string() + "' " + env + " '" + SARVEXA_CLI_PATH +
                            "' " + args + " >out 2>err";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "out"), Slurp(dir_ / "err")};
  }
  void StoreSettings(const std::string& text) {
    fs::create_directories(dir_ / "config" / "Sarvexa");
    std::ofstream(dir_ / "config" / "Sarvexa" / "Sarvexa.conf") << "[Settings]\n" << text;
  }
  fs::path dir_;
};

// Every number of a JSON text by its path ("positions.1.longitude").
std::map<std::string, double> Numbers(const std::string& json) {
  std::map<std::string, double> out;
  EXPECT_TRUE(ForEachScalar(json, [&out](std::string_view path, std::string_view token) {
    if (!token.empty() && (token[0] == '-' || (token[0] >= '0' && token[0] <= '9')))
      out[std::string(path)] = std::strtod(std::string(token).c_str(), nullptr);
  }));
  return out;
}

double Separation(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360.0 - d);
}

// A row of swetest's table: the moment and place, and its longitudes in the
// chart's order (Ascendant, Sun .. Saturn) with both nodes.
struct Reference {
  std::string line, ayanamsa;
  double julianCenturies = 0, west = 0, north = 0;
  bool files = false;
  double points[8] = {};  // Ascendant, Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn
  double meanNode = 0, trueNode = 0;
};

std::vector<Reference> ReadReference() {
  std::ifstream in(fs::path(SARVEXA_SOURCE_DIR) / "tests/swiss/swiss_reference.csv");
  std::vector<Reference> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#' || line.rfind("chart,", 0) == 0) continue;
    std::vector<std::string> c;
    std::stringstream s(line);
    for (std::string cell; std::getline(s, cell, ',');) c.push_back(cell);
    if (c.size() != 17) {
      ADD_FAILURE() << "malformed row: " << line;
      continue;
    }
    Reference r{line, c[4], std::stod(c[1]), std::stod(c[2]), std::stod(c[3]), c[5] == "files"};
    r.points[0] = std::stod(c[15]);
    for (int k = 0; k < 7; ++k) r.points[k + 1] = std::stod(c[6 + k]);
    r.meanNode = std::stod(c[13]);
    r.trueNode = std::stod(c[14]);
    rows.push_back(r);
  }
  return rows;
}

// The chart options of a moment in Julian centuries of UT (a whole minute)
// and a place in degrees (whole arc-minutes, west and north positive).
std::string ChartOptions(double julianCenturies, double west, double north) {
  const long long minutes = std::llround((julianCenturies * 36525.0 + 2451544.5) * 1440.0);
  const CivilDate date = DateFromDayNumber(static_cast<std::int32_t>(minutes / 1440 + 1));
  const int ofDay = static_cast<int>(minutes % 1440);
  const long lon = std::lround(std::fabs(west) * 60), lat = std::lround(std::fabs(north) * 60);
  return FormatText("--date %04d-%02d-%02d --time %02d:%02d --zone 00:00 --dst 0 ", date.year,
                    date.month, date.day, ofDay / 60, ofDay % 60) +
         FormatText("--lon %03ld:%02ld%c --lat %02ld:%02ld%c", lon / 60, lon % 60,
                    west >= 0 ? 'W' : 'E', lat / 60, lat % 60, north >= 0 ? 'N' : 'S');
}

// Every chart of the table inside the ephemeris files (1800-2300, so inside
// the birth dates the options take), each ayanamsa, the true node for odd
// charts and the mean node for even ones: each longitude within 1".
TEST_F(CliConventions, SwissLongitudesLieWithinOneArcSecondOfSwetest) {
  const std::vector<Reference> rows = ReadReference();
  int compared = 0;
  for (const Reference& r : rows) {
    if (!r.files) continue;
    SCOPED_TRACE(r.line);
    const bool mean = std::stoi(r.line) % 2 == 0;
    const CliRun run = Cli("chart --json --now 2024-06-15T12:00 --ephemeris swiss --ayanamsa " +
                           r.ayanamsa + " --node " + (mean ? "mean " : "true ") +
                           ChartOptions(r.julianCenturies, r.west, r.north));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::map<std::string, double> json = Numbers(run.out);
    const double node = mean ? r.meanNode : r.trueNode;
    for (int g = 0; g < 10; ++g) {
      const double expected = g < 8 ? r.points[g] : std::fmod(node + (g == 9 ? 180 : 0), 360.0);
      EXPECT_LT(Separation(json.at("positions." + std::to_string(g) + ".longitude"), expected),
                1.0 / 3600)
          << "point " << g;
    }
    ++compared;
  }
  EXPECT_EQ(compared, 30 * 6);  // the table's charts inside the files, six ayanamsas each
}

// What the chart derives from its positions follows them exactly, whatever
// computed them: each point's sign in every printed division is the division
// of its shown longitude, the dashas start from the Moon's nakshatra, and
// every Maha dasha after the first lasts its years of the chosen length.
TEST_F(CliConventions, DerivationsFollowThePositionsAndTheDashaYear) {
  struct Case {
    const char* options;
    double yearDays;
  };
  const Case kCases[] = {
      {"", 365.25},
      {"--dasha-year 360", 360.0},
      {"--ephemeris swiss", 365.25},
      {"--ephemeris swiss --ayanamsa raman --node mean --dasha-year 365.256363", 365.256363},
      {"--ephemeris swiss --ayanamsa yukteshwar --dasha-year 365.2425", 365.2425},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.options);
    const CliRun run = Cli(std::string("chart --json --now 2024-06-15T12:00 ") + c.options +
                           " --date 1987-11-23 --time 03:41 --zone 05:30 --lon 080:16E"
                           " --lat 13:05N");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::map<std::string, double> json = Numbers(run.out);
    EXPECT_EQ(json.at("dashaYearDays"), c.yearDays);
    for (int g = 0; g < 10; ++g) {
      const double lon = json.at("positions." + std::to_string(g) + ".longitude");
      for (int n : kPrintDivisions) {
        EXPECT_EQ(json.at(FormatText("vargaSigns.%d.%d", n, g)), VargaSignOf(lon, n))
            << "point " << g << ", division " << n;
      }
    }
    const int first = NakshatraLord(NakshatraOf(json.at("positions.2.longitude")));
    for (int k = 0; k < dasha::kLordCount; ++k) {
      const int lord = (first + k) % dasha::kLordCount;
      EXPECT_EQ(json.at(FormatText("dashaTable.%d.lord", k)), lord);
      if (k > 0) {
        EXPECT_NEAR(json.at(FormatText("dashaTable.%d.lengthDays", k)),
                    kDashaYears[lord] * c.yearDays, 1e-6);
      }
    }
  }
}

// A convention that does not apply, a value not among those allowed and a
// moment outside the years the Swiss Ephemeris computes: one line naming the
// option and what it takes, exit code 2, on every command that casts.
TEST_F(CliConventions, RefusalsNameTheOptionAndWhatItTakes) {
  const std::string birth =
      "--date 2000-01-01 --time 17:30 --zone 05:30 --lon 077:12E --lat 28:36N";
  std::ofstream(dir_ / "rows.csv") << "date,time,zone,lon,lat\n2000-01-01,12:00,05:30,077:12E,"
                                      "28:36N\n";
  ASSERT_EQ(Cli("chart --svx chart.svx " + birth).exitCode, 0);
  struct Case {
    std::string stored;  // [Settings] lines
    std::string args;
    std::vector<std::string> said;
  };
  const std::string swissOnly = "applies only with --ephemeris swiss";
  const std::string years = "computes the years 3000 BC to AD 3000";
  const Case kCases[] = {
      {"", "chart --ayanamsa raman " + birth, {"--ayanamsa raman", swissOnly}},
      {"Ephemeris=builtin\n", "open chart.svx --node mean", {"--node mean", swissOnly}},
      {"", "batch rows.csv --ayanamsa krishnamurti", {"--ayanamsa krishnamurti", swissOnly}},
      {"", "chart --ayanamsa ramen " + birth, {"--ayanamsa takes lahiri, true-chitra", "ramen"}},
      {"", "transits --ephemeris moshier " + birth, {"--ephemeris takes builtin or swiss"}},
      {"", "chart --dasha-year 299.99 " + birth, {"--dasha-year takes", "300 to 400", "360"}},
      {"", "prasna --dasha-year 365,25", {"--dasha-year takes", "365.25"}},
      {"", "chart --dasha-year \"$(printf '36\\n0')\" " + birth, {"--dasha-year takes", "36?0"}},
      {"", "transits --ephemeris swiss --at 3001-01-01T00:00 " + birth, {"--at: ", years}},
      {"Ephemeris=swiss\n", "prasna --now 4000-06-01T12:00", {"--now: ", years, "4000-06-01"}},
      {"",
       "ephemeris --ephemeris swiss --from 2100-01-01 --interval yearly --rows 1000 " + birth,
       {"--rows: ", years}},
      {"",
       "render --ephemeris swiss --page transits --at 3500-01-01T00:00 --png p.png " + birth,
       {"--at: ", years}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args);
    StoreSettings(c.stored);
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    for (const std::string& part : c.said) EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

// transits --json names the library's fallback to its analytical theory,
// as chart --json does, for either chart: the transit moment's or the
// birth's; the ephemeris's text does for any of its rows.
TEST_F(CliConventions, OutputsSayWhenTheLibraryFellBackToItsAnalyticalTheory) {
  const std::string place = " --time 17:30 --zone 05:30 --lon 077:12E --lat 28:36N";
  struct Case {
    std::string args;
    bool fallback;
    const char* source;
  };
  const Case kCases[] = {
      {"transits --json --date 2000-01-01" + place + " --at 2024-06-15T12:00", false,
       "both charts inside the files (1800..2400)"},
      {"transits --json --date 2000-01-01" + place + " --at 2500-06-15T12:00", true,
       "a transit moment after the files"},
      {"transits --json --date 1750-01-01" + place + " --at 2024-06-15T12:00", true,
       "a birth before the files"},
      {"ephemeris --date 2000-01-01" + place + " --from 2000-12-01 --rows 3", false,
       "ephemeris rows inside the files"},
      {"ephemeris --date 2000-01-01" + place + " --from 2100-12-01 --interval yearly --rows 400",
       true, "ephemeris rows running past the files"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const CliRun r = Cli(c.args + " --ephemeris swiss");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    if (c.args.find("--json") != std::string::npos) {
      const std::vector<std::string> members = ObjectMemberNames(r.out);
      EXPECT_EQ(std::count(members.begin(), members.end(), "ephemerisFallback"), c.fallback);
    } else {
      EXPECT_EQ(r.out.find("analytical theory") != std::string::npos, c.fallback);
    }
  }
}

// Without options the stored settings hold; an ayanamsa stored with the
// Swiss Ephemeris gives way to the default when the command line chooses
// the built-in theory; a stored value that cannot be taken is said once,
// naming its key, and the default holds.
TEST_F(CliConventions, StoredSettingsHoldUnlessGivenOrUnreadable) {
  struct Case {
    std::string stored, args;
    const char* json;  // the four members, as written
    bool told;
  };
  const Case kCases[] = {
      {"", "",
       "\"ephemeris\": \"builtin\",\n  \"ayanamsa\": \"lahiri\",\n  \"node\": \"true\",\n"
       "  \"dashaYearDays\": 365.25",
       false},
      {"Ephemeris=swiss\nAyanamsa=raman\nNode=mean\nDasha%20Year=360\n", "",
       "\"ephemeris\": \"swiss\",\n  \"ayanamsa\": \"raman\",\n  \"node\": \"mean\",\n"
       "  \"dashaYearDays\": 360",
       false},
      {"Ephemeris=swiss\nAyanamsa=raman\nDasha%20Year=360\n", "--ephemeris builtin",
       "\"ephemeris\": \"builtin\",\n  \"ayanamsa\": \"lahiri\",\n  \"node\": \"true\",\n"
       "  \"dashaYearDays\": 360",
       false},
      {"Ephemeris=swiss\nAyanamsa=raman\n", "--ayanamsa krishnamurti",
       "\"ephemeris\": \"swiss\",\n  \"ayanamsa\": \"krishnamurti\"", false},
      {"Ephemeris=swiss\nAyanamsa=ramen\n", "",
       "\"ephemeris\": \"swiss\",\n  \"ayanamsa\": \"lahiri\"", true},
      // A value the run would not use is not a failure of the run: the
      // option given for its key, or another ephemeris than the stored one
      // (the stored ayanamsa and node go with it).
      {"Ephemeris=swiss\nAyanamsa=ramen\n", "--ayanamsa raman",
       "\"ephemeris\": \"swiss\",\n  \"ayanamsa\": \"raman\"", false},
      {"Ephemeris=swiss\nAyanamsa=ramen\n", "--ephemeris builtin",
       "\"ephemeris\": \"builtin\",\n  \"ayanamsa\": \"lahiri\"", false},
      {"Dasha%20Year=0x170\n", "--dasha-year 360", "\"dashaYearDays\": 360", false},
      {"Ephemeris=SWISS\n", "--ephemeris swiss", "\"ephemeris\": \"swiss\"", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.stored + c.args);
    StoreSettings(c.stored);
    const CliRun r =
        Cli("chart --json --date 2000-01-01 --time 17:30 --zone 05:30 --lon 077:12E "
            "--lat 28:36N --now 2024-06-15T12:00 " +
            c.args);
    // A stored value not taken is said, and the exit code tells a script
    // that a default stood in for it.
    ASSERT_EQ(r.exitCode, c.told ? 1 : 0) << r.err;
    EXPECT_NE(r.out.find(c.json), std::string::npos) << r.out;
    if (c.told) {
      EXPECT_EQ(r.err,
                "sarvexa-cli chart: the stored setting \"Ayanamsa\" takes lahiri, true-chitra, "
                "raman, krishnamurti, yukteshwar or fagan-bradley, not \"ramen\"; the default, "
                "lahiri, is used\n");
    } else {
      EXPECT_TRUE(r.err.empty()) << r.err;
    }
  }
}

// The library is opened by a run that casts with it, and only by such a run
// (the dynamic loader lists every object it maps).
TEST_F(CliConventions, TheSwissEphemerisIsLoadedOnlyWhenUsed) {
  const std::string chart =
      "chart --json --date 2000-01-01 --time 17:30 --zone 05:30 --lon 077:12E --lat 28:36N";
  for (const bool swiss : {false, true}) {
    SCOPED_TRACE(swiss ? "swiss" : "builtin");
    const CliRun r = Cli(chart + (swiss ? " --ephemeris swiss" : ""), "LD_DEBUG=files");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err.find("libsarvexa-swiss.so") != std::string::npos, swiss);
    EXPECT_EQ(r.err.find("libswe.so") != std::string::npos, swiss);
  }
}

}  // namespace
}  // namespace sarvexa::cli
