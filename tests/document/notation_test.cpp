// The notations every command, dialog and the settings file read and
// write (document/notation.h). Expected instants were computed with
// `date -u -d MOMENT +%s`.

#include <gtest/gtest.h>

#include <climits>

#include "document/notation.h"

namespace sarvexa {
namespace {

TEST(IntegerAt, ReadsLikeTheCLibraryConversionWithoutRunningPastTheEnd) {
  struct Case {
    const char* text;
    std::size_t pos;
    int expected;
    const char* why;
  };
  const Case cases[] = {
      {"122 W 03", 0, 122, "three-digit degrees"},
      {"122 W 03", 6, 3, "minutes with a leading zero"},
      {"122 W 03", 4, 0, "a letter gives no digits"},
      {"  -7x", 0, -7, "blanks skipped, sign, digits up to the first other character"},
      {"+15", 0, 15, "explicit plus sign"},
      {"12", 5, 0, "position past the end"},
      {"12", 2, 0, "position exactly at the end"},
      {"", 0, 0, "empty text"},
      {"- 5", 0, 0, "a sign not followed by digits"},
      {"99999999999999", 0, INT_MAX, "saturates above the 32-bit range"},
      {"-99999999999999", 0, INT_MIN, "saturates below the 32-bit range"},
      {"\t\n 8", 0, 8, "every C blank is skipped"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(IntegerAt(c.text, c.pos), c.expected);
  }
}

TEST(StoredPlaceTexts, WritesAsStoredBytes) {
  EXPECT_EQ(WriteStoredLongitude(5, 30, true), "005 E 30");
  EXPECT_EQ(WriteStoredLongitude(122, 3, false), "122 W 03");
  EXPECT_EQ(WriteStoredLatitude(10, 5, true), "10 S 05");
  EXPECT_EQ(WriteStoredLatitude(37, 54, false), "37 N 54");
  EXPECT_EQ(WriteStoredHoursMinutes(5, 30), "05 30");
  EXPECT_EQ(WriteStoredHoursMinutes(8, 0), "08 00");
}

TEST(StoredPlaceTexts, ReadsFixedPositionsAndShortTexts) {
  struct Case {
    const char* text;
    int kind;  // 0 longitude, 1 latitude, 2 hours/minutes
    StoredCoordinate expected;
    const char* why;
  };
  const Case cases[] = {
      {"005 E 30", 0, {5, 30, true}, "eastern longitude"},
      {"122 W 03", 0, {122, 3, false}, "western longitude"},
      {"122 e 03", 0, {122, 3, false}, "only a capital E means East"},
      {"122", 0, {122, 0, false}, "text ends before the letter: missing parts are 0"},
      {"122 E", 0, {122, 0, true}, "text ends before the minutes"},
      {"1", 0, {1, 0, false}, "one character"},
      {"10 S 05", 1, {10, 5, true}, "southern latitude"},
      {"37 N 54", 1, {37, 54, false}, "northern latitude"},
      {"37 S", 1, {37, 0, true}, "latitude without minutes"},
      {"05 30", 2, {5, 30, false}, "zone"},
      {"05", 2, {5, 0, false}, "zone without minutes"},
      {"xx yy", 2, {0, 0, false}, "no digits anywhere"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    StoredCoordinate got = c.kind == 0   ? ReadStoredLongitude(c.text)
                           : c.kind == 1 ? ReadStoredLatitude(c.text)
                                         : ReadStoredHoursMinutes(c.text);
    EXPECT_EQ(got, c.expected);
  }
}

TEST(WholeNumbers, SignedWithBlanksAroundWithinThe32BitRange) {
  EXPECT_EQ(ParseWholeNumber("2"), 2);
  EXPECT_EQ(ParseWholeNumber(" -3 "), -3);
  EXPECT_EQ(ParseWholeNumber("2147483647"), INT_MAX);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("1.5"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("+"), std::nullopt);
}

TEST(MomentNotation, LocalReadingsAndInstants) {
  struct Case {
    const char* text;
    const char* error;            // part of the message, or nullptr when accepted
    std::optional<long long> at;  // the instant, for a moment with an offset
  };
  const Case cases[] = {
      {"2024-06-15 12:00", nullptr, std::nullopt},      // a local clock reading
      {"2024-06-15T12:00+05:30", nullptr, 1718433000},  // 06:30 UT
      {"2024-06-15T12:00-08:00", nullptr, 1718481600},  // 20:00 UT
      {"1582-10-15T12:00Z", nullptr, -12219249600},     // the first Gregorian day
      {"1582-10-14T12:00", "dates from 1582-10-15 to 9999-12-31", std::nullopt},
      {"2023-02-29T12:00Z", "no such date", std::nullopt},
      {"2024-06-15T12:00+24:00", "offset hours 00..23", std::nullopt},
      {"2024-06-15T12:00+5:30", "expected YYYY-MM-DDTHH:MM", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Result<WrittenMoment> m = ReadMoment("--now", c.text);
    ASSERT_EQ(m.ok(), c.error == nullptr) << (m ? "" : m.error());
    if (!m) {
      EXPECT_EQ(m.error().rfind("--now: ", 0), 0u) << m.error();
      EXPECT_NE(m.error().find(c.error), std::string::npos) << m.error();
      continue;
    }
    EXPECT_EQ(m->instant().has_value(), c.at.has_value());
    if (c.at) {
      EXPECT_EQ(m->instant()->unixSeconds, *c.at);
    }
  }
}

TEST(ClockTime, TwelveAndTwentyFourHourClocks) {
  struct Case {
    int hour12;
    bool pm;
    int hour24;
  };
  const Case cases[] = {{12, true, 12}, {12, false, 0}, {11, true, 23},
                        {1, false, 1},  {1, true, 13},  {9, false, 9}};
  for (const Case& c : cases) EXPECT_EQ(To24Hour(c.hour12, c.pm), c.hour24) << c.hour12 << c.pm;
}

// The 12-hour texts of the pages and of the status bar.
TEST(ClockTime, TwelveHourTexts) {
  struct Case {
    ClockTime time;
    const char* page;
    const char* statusBar;
  };
  const Case cases[] = {{{0, 5}, "12:05AM", "12:05 AM"},
                        {{12, 0}, "12:00PM", "12:00 PM"},
                        {{23, 59}, "11:59PM", "11:59 PM"},
                        {{9, 7}, "9:07AM", "9:07 AM"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    EXPECT_EQ(WriteTwelveHourClock(c.time, false), c.page);
    EXPECT_EQ(WriteTwelveHourClock(c.time, true), c.statusBar);
  }
}

}  // namespace
}  // namespace sarvexa
