// The present as an instant, its reading on a clock, and the computer's
// zone at a first start.

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
