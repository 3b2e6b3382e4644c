// A chart file may carry any finite number. Every text a loaded chart is
// shown in (text and CSV exports, the information panel, the ephemeris) must
// then stay sound: magnitudes never wrap to a negative number, and the
// ephemeris never jumps back from the last representable day. Under the
// sanitizer build the same cases catch any undefined arithmetic.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "document/chart_document.h"
#include "document/chart_file.h"
#include "document/csv_export.h"
#include "document/ephemeris_series.h"
#include "document/settings_store.h"
#include "document/text_export.h"
#include "view/info_panel.h"

namespace sarvexa {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max();
constexpr std::int32_t kLastDay = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kFirstDay = std::numeric_limits<std::int32_t>::min();

struct ExtremeCase {
  double universalTime, zone, longitude, latitude, ayanamsa;
  std::int16_t dst;
  std::int32_t julianDay;
  const char* source;
};

const ExtremeCase kExtremes[] = {
    {1e300, -1e300, kHuge, -kHuge, -1e200, -32768, kLastDay, "largest magnitudes, last day"},
    {-kHuge, kHuge, -1e300, 1e300, kHuge, 32767, kFirstDay, "signs swapped, first day"},
    {-2147483648.5, 2147483648.0, -2147483649.0, 2147483647.9, -2147483648.0, -1, 0,
     "just past the integer range"},
};

Instant Clock() { return PrasnaInstantOf(PrasnaLocation{}, {2024, 3, 15, 14, 7}, nullptr); }

ChartFileRecord RecordOf(const ExtremeCase& c) {
  ChartFileRecord r{"Ann", "Lee", "Far", {}, {}};
  Horoscope& h = r.horoscope;
  h.universalTime = c.universalTime;
  h.zone = c.zone;
  h.longitude = c.longitude;
  h.latitude = c.latitude;
  h.ayanamsaCorrection = c.ayanamsa;
  h.dst = c.dst;
  h.julianDay = c.julianDay;
  h.julianCenturies = 0.25;
  return r;
}

// Zone, longitude, latitude and ayanamsa are shown as magnitudes (the side
// is a letter); a minus sign there is the wrapped negation or magnitude of
// the smallest int.
bool ShowsWrappedMagnitude(const std::string& text) {
  for (const char* label : {"Zone: ", "Longitude: ", "Latitude: ", "Ayanamsa: "}) {
    for (auto at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
      const auto start = at + std::string(label).size();
      if (text.substr(start, text.find(':', start) - start).find('-') != std::string::npos)
        return true;
    }
  }
  return false;
}

TEST(ExtremeChartValues, EveryTextOfALoadedChartStaysSound) {
  for (const ExtremeCase& c : kExtremes) {
    SCOPED_TRACE(c.source);
    MemorySettingsStore store;
    ChartDocument doc(store, Clock);
    ASSERT_TRUE(doc.loadBytes(EncodeChartFile(RecordOf(c))).ok());
    const InfoPanelTexts panel = InfoPanelTextsOf(InfoPanelDataOf(doc.snapshot()));
    const std::vector<std::pair<const char*, std::string>> outputs = {
        {"text export, North", TextExportText(doc.snapshot(), CharChartStyle::North)},
        {"text export, South", TextExportText(doc.snapshot(), CharChartStyle::South)},
        {"panel",
         panel.nameAndDate + panel.time + panel.longitude + panel.latitude + panel.ayanamsa},
    };
    for (const auto& [name, text] : outputs) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(ShowsWrappedMagnitude(text)) << text;
    }
    // The CSV record keeps its 20 fields whatever the numbers, the zone
    // (field 5) as a magnitude.
    const std::string csv = CsvExportText(doc.snapshot());
    EXPECT_EQ(std::count(csv.begin(), csv.end(), ','), 20) << csv;
    std::size_t field5 = 0;
    for (int i = 0; i < 4; ++i) field5 = csv.find(',', field5) + 1;
    EXPECT_NE(csv[field5], '-') << csv;
  }
}

TEST(ExtremeChartValues, TheEphemerisNeverStepsPastTheLastDay) {
  struct Case {
    std::int32_t day;
    EphemerisInterval interval;
    const char* source;
  };
  const Case kCases[] = {
      {kLastDay, EphemerisInterval::Daily, "daily from the last day"},
      {kLastDay - 3, EphemerisInterval::Weekly, "weekly, three days before it"},
      {kLastDay - 20, EphemerisInterval::Monthly, "monthly, twenty days before it"},
      {kLastDay - 200, EphemerisInterval::Yearly, "yearly, two hundred days before it"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const std::int32_t next = NextEphemerisDay(c.day, c.interval);
    EXPECT_GE(next, c.day);
    Horoscope chart = RecordOf(kExtremes[0]).horoscope;
    const auto rows = ComputeEphemerisSeries(chart, c.day, c.interval, 4).value();
    ASSERT_EQ(rows.size(), 4u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
      EXPECT_GE(rows[i].julianDay, rows[i - 1].julianDay);
      EXPECT_GE(rows[i].date.year, rows[0].date.year) << "the series wrapped to a negative year";
    }
  }
  // Ordinary days still advance by the interval.
  EXPECT_EQ(NextEphemerisDay(2451545, EphemerisInterval::Daily), 2451546);
  EXPECT_EQ(NextEphemerisDay(2451545, EphemerisInterval::Weekly), 2451552);
}

}  // namespace
}  // namespace sarvexa
