// What the readable table shows of texts read from files, and of numbers a
// chart file may carry.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "cli/chart_json.h"
#include "cli/chart_output.h"

namespace sarvexa::cli {
namespace {

TEST(TerminalText, ControlCharactersAreShownEscaped) {
  struct Case {
    std::string in;
    std::string out;
    const char* source;
  };
  const Case kCases[] = {
      {"Ann Lee", "Ann Lee", "plain text"},
      {"A\x1B]0;title\x07", "A\\x1B]0;title\\x07", "window-title sequence"},
      {"\x1B[2J\x7F", "\\x1B[2J\\x7F", "clear screen and DEL"},
      {"a\tb\nc\r\nd", "a\tb\nc\r\nd", "tab and line ends stay"},
      {"cr\ralone", "cr\\x0Dalone", "a lone carriage return would overwrite the line"},
      {"\xC2\x9B"
       "31m",
       "\\u009B31m", "C1 control sequence introducer"},
      {"Z\xC3\xBCrich \xE2\x80\xBA", "Z\xC3\xBCrich \xE2\x80\xBA", "other UTF-8 kept"},
      {std::string("nul\0x", 5), "nul\\x00x", "NUL"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(TerminalText(c.in), c.out);
  }
}

TEST(ChartTableOutput, NamesAreEscapedAndExtremeNumbersShownAsMagnitudes) {
  ChartSnapshot chart;
  chart.firstName = "\x1B[31mAnn";
  chart.place = std::string(1, 'X') + '\x07';
  Horoscope& h = chart.horoscope;
  h.zone = -std::numeric_limits<double>::max();
  h.longitude = 1e300;
  h.latitude = -1e300;
  const std::string table = ChartTable(chart);
  EXPECT_EQ(table.rfind("Chart of \\x1B[31mAnn, X\\x07\n", 0), 0u) << table;
  EXPECT_EQ(table.find('\x1B'), std::string::npos);
  EXPECT_EQ(table.find("-2147483648"), std::string::npos) << table;
  // The JSON keeps the exact texts; its writer escapes them itself.
  EXPECT_NE(ChartSnapshotJson(chart).find("\\u001b[31mAnn"), std::string::npos);
}

}  // namespace
}  // namespace sarvexa::cli
