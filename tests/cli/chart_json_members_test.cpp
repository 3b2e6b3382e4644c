// `sarvexa-cli chart --json` on the worked chart: every member a reader of
// the document relies on is present under its exact name, once where it
// belongs once, and the dasha and divisional values are the engine's own.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/dasha.h"
#include "engine/dasha_balance.h"
#include "engine/varga.h"
#include "tests/support/worked_chart.h"

namespace sarvexa::cli {
namespace {

std::string RunJson(const std::string& args) {
  const std::string path =
      testing::TempDir() + "/sarvexa_members_" + std::to_string(getpid()) + ".json";
  const std::string cmd = std::string("'") + SARVEXA_CLI_PATH + "' " + args + " >'" + path + "'";
  const int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << args;
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  return text;
}

std::size_t Count(const std::string& text, const std::string& needle) {
  std::size_t n = 0;
  for (auto pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1))
    ++n;
  return n;
}

// The numbers of the array that follows the first `"key": ` at or after `from`.
std::vector<double> ArrayAfter(const std::string& text, const std::string& key,
                               std::size_t from = 0) {
  std::vector<double> values;
  auto pos = text.find("\"" + key + "\": [", from);
  if (pos == std::string::npos) return values;
  pos = text.find('[', pos) + 1;
  const auto end = text.find(']', pos);
  while (pos < end) {
    char* after = nullptr;
    const double v = std::strtod(text.c_str() + pos, &after);
    const auto next = static_cast<std::size_t>(after - text.c_str());
    if (next == pos) {
      ++pos;  // comma, space or line break
      continue;
    }
    values.push_back(v);
    pos = next;
  }
  return values;
}

const char* kWorked =
    "chart --first Ann --last Lee --place Delhi --date 2000-01-01 --time 17:30 --zone 05:30 "
    "--lon 077:12E --lat 28:36N --dst 0 --now 2024-06-01T12:00 --json";

using test_support::WorkedChart;

TEST(ChartJsonMembers, EveryNameExactlyAsManyTimesAsItBelongs) {
  const std::string json = RunJson(kWorked);
  struct Row {
    const char* key;
    std::size_t count;
  };
  const Row kRows[] = {
      {"firstName", 1},
      {"lastName", 1},
      {"place", 1},
      {"isPrasna", 1},
      {"julianDay", 1},
      {"universalTime", 1},
      {"zone", 1},
      {"dst", 1},
      {"longitude", 11},  // the place, then the ten positions
      {"latitude", 1},
      {"julianCenturies", 1},
      {"ayanamsaCorrection", 1},
      {"positions", 1},
      {"retrograde", 10},
      {"signDegrees", 10},
      {"minutes", 10},
      {"dailyMotion", 10},
      {"birthDayCount", 1},
      {"dashaTable", 1},
      {"lord", 10},  // the nine Maha dashas, then the balance
      {"lengthDays", 9},
      {"buktiStart", 9},
      {"currentPeriod", 1},
      {"maha", 1},
      {"bukti", 1},
      {"pratyantar", 1},
      {"dashaBalance", 1},
      {"years", 1},
      {"months", 1},
      {"days", 1},
      {"vargaSigns", 1},
      {"saAnalysis", 1},
      {"mep", 1},
      {"houseConjunction", 1},
      {"houseConjunctionStrength", 1},
      {"conjunctions", 1},
      {"aspects", 1},
      {"flags", 1},
      {"ageStrength", 1},
      {"colorClass", 1},
  };
  for (const Row& r : kRows) {
    EXPECT_EQ(Count(json, std::string("\"") + r.key + "\": "), r.count) << r.key;
  }
  for (const char* key : {"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "24"}) {
    EXPECT_EQ(Count(json, std::string("\"") + key + "\": ["), 1u) << key;
  }
  for (const char* key : {"1", "13", "0"}) {
    EXPECT_EQ(Count(json, std::string("\"") + key + "\": "), 0u) << key;
  }
  EXPECT_NE(json.find("\"isPrasna\": false"), std::string::npos);
  EXPECT_NE(json.find("\"firstName\": \"Ann\""), std::string::npos);
  // Saturn/Venus/Moon on 1 June 2024 as dasha lords 7, 1, 3.
  EXPECT_NE(json.find("\"maha\": 7,"), std::string::npos);
  EXPECT_NE(json.find("\"bukti\": 1,"), std::string::npos);
  EXPECT_NE(json.find("\"pratyantar\": 3\n"), std::string::npos);
}

TEST(ChartJsonMembers, DashaTableAndVargaSignsAreTheEngines) {
  const std::string json = RunJson(kWorked);
  const Horoscope h = WorkedChart();
  const DashaState d = ComputeDashaTable(h);

  std::size_t at = json.find("\"dashaTable\"");
  ASSERT_NE(at, std::string::npos);
  for (int k = 0; k < 9; ++k) {
    SCOPED_TRACE(k);
    at = json.find("\"lord\": ", at);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(std::atoi(json.c_str() + at + 8), d.table[k].lord);
    const std::vector<double> starts = ArrayAfter(json, "buktiStart", at);
    ASSERT_EQ(starts.size(), 9u);
    for (int j = 0; j < 9; ++j) EXPECT_EQ(starts[j], d.table[k].buktiStart[j]) << j;
    ++at;
  }
  // Rahu first, started 21 September 1982 (2445233.98).
  EXPECT_EQ(d.table[0].lord, 5);
  EXPECT_NEAR(d.table[0].buktiStart[0], 2445233.98, 1e-6);
  // The balance at birth is the engine's, of the same table.
  const DashaBalance balance = BalanceAtBirth(d, dasha::kDaysPerYear);
  const std::size_t held = json.find("\"dashaBalance\"");
  ASSERT_NE(held, std::string::npos);
  for (const auto& [key, value] : {std::pair{"\"lord\": ", balance.lord},
                                   {"\"years\": ", balance.years},
                                   {"\"months\": ", balance.months},
                                   {"\"days\": ", balance.wholeDays}}) {
    const std::size_t k = json.find(key, held);
    ASSERT_NE(k, std::string::npos) << key;
    EXPECT_EQ(std::atoi(json.c_str() + k + std::strlen(key)), value) << key;
  }

  const std::size_t vargas = json.find("\"vargaSigns\"");
  ASSERT_NE(vargas, std::string::npos);
  for (int n : kPrintDivisions) {
    SCOPED_TRACE(n);
    VargaSignArray expected{};
    VargaSigns(h, expected, n);
    const std::vector<double> signs = ArrayAfter(json, std::to_string(n), vargas);
    ASSERT_EQ(signs.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(signs[i], expected[i]) << i;
  }
  // Navamsa of the worked Ascendant: 16 19 Gemini is 4579 arc-minutes,
  // part 4579 / 200 = 22 counted from Aries, 22 mod 12 = 10, Aquarius.
  EXPECT_EQ(ArrayAfter(json, "9", vargas).at(0), 10.0);

  const std::vector<double> mep = ArrayAfter(json, "mep");
  ASSERT_EQ(mep.size(), 12u);
  EXPECT_EQ(mep[0], h.positions[graha::Ascendant].longitude);
}

}  // namespace
}  // namespace sarvexa::cli
