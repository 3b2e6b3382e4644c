// The present as an instant, its reading on a clock, the moment notation
// every command reads, and the computer's zone at a first start. Expected
// instants were computed with `date -u -d MOMENT +%s`.

#include <gtest/gtest.h>

#include "document/notation.h"
#include "document/present.h"
#include "document/system_zone.h"
#include "engine/calendar.h"

namespace sarvexa {
namespace {

TEST(Present, ClockReadingsFollowTheDayNumberCalendarOverTheWholeRange) {
  // The engine's day numbers are proleptic Gregorian from 15 October 1582
  // on: every 97th day from then to the end of 9999, at noon UT.
  const std::int64_t first = DayNumberFromDate(1582, 10, 16) - 1;
  const std::int64_t last = DayNumberFromDate(9999, 12, 31);
  for (std::int64_t day = first; day <= last; day += 97) {
    const Instant noon{(day - 2440588) * 86400 + 12 * 3600};
    const LocalClockReading r = ClockReadingAt(noon, 0);
    const CivilDate expected = DateFromDayNumber(static_cast<std::int32_t>(day));
    ASSERT_EQ((CivilDate{r.month, r.day, r.year}), expected) << day;
    ASSERT_EQ(r.hour, 12);
    ASSERT_EQ(InstantOfReading(r, 0), noon) << day;
  }
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

TEST(ComputerZone, ZoneNamesFromTzAndTheLocaltimeLink) {
  struct Case {
    const char* text;
    bool isTzValue;    // else a link target
    const char* zone;  // nullptr: no zone
  };
  const Case cases[] = {
      {":Europe/Paris", true, "Europe/Paris"},
      {"/usr/share/zoneinfo/Asia/Kolkata", true, "Asia/Kolkata"},
      {"EST5EDT,M3.2.0,M11.1.0", true, nullptr},  // a rule, no zone name
      {"../etc/passwd", true, nullptr},
      {"/usr/share/zoneinfo/posix/Europe/Berlin", false, "Europe/Berlin"},
      {"/etc/zoneinfo-copy", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<std::string> zone =
        c.isTzValue ? ZoneNameFromTzValue(c.text) : ZoneNameFromZoneinfoPath(c.text);
    EXPECT_EQ(zone, c.zone ? std::optional<std::string>(c.zone) : std::nullopt);
  }
}

TEST(ComputerZone, ThePrincipalPlaceFromTheZoneTable) {
  // Lines of the tz database's zone1970.tab, as shipped.
  const char* table =
      "# tzdb timezone descriptions\n"
      "#country-\n"
      "#codes\tcoordinates\tTZ\tcomments\n"
      "AR\t-3436-05827\tAmerica/Argentina/Buenos_Aires\tBuenos Aires (BA, CF)\n"
      "IN\t+2232+08822\tAsia/Kolkata\n"
      "US\t+404251-0740023\tAmerica/New_York\tEastern (most areas)\r\n"
      "XX\t+4024-341\tBroken/Coordinates\n";
  struct Case {
    const char* zone;
    std::optional<ZoneTableEntry> entry;  // seconds of arc, by hand from the table
  };
  const Case cases[] = {
      {"Asia/Kolkata", ZoneTableEntry{"Asia/Kolkata", 81120, 318120}},
      {"America/New_York", ZoneTableEntry{"America/New_York", 146571, -266423}},
      {"America/Argentina/Buenos_Aires",
       ZoneTableEntry{"America/Argentina/Buenos_Aires", -124560, -210420}},
      {"Etc/UTC", std::nullopt},
      {"Broken/Coordinates", std::nullopt},
      {"Asia", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    EXPECT_EQ(FindZoneTableEntry(table, c.zone), c.entry);
  }
  EXPECT_EQ(ZonePlaceText("America/Argentina/Buenos_Aires"), "Buenos Aires");
  EXPECT_EQ(ZonePlaceText("Asia/Kolkata"), "Kolkata");
}

}  // namespace
}  // namespace sarvexa
