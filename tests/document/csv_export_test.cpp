// The comma-separated record: field order and formats, the place split,
// quoting of names that would otherwise shift the later fields, and the file
// writer's failure report.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/csv_export.h"
#include "document/export_file.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "tests/support/worked_chart.h"

namespace sarvexa {
namespace {

// A small RFC 4180 reader for one record whose every field ends in a comma:
// used to prove that quoted names come back whole and the field count holds.
std::vector<std::string> ReadRecord(const std::string& text) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  EXPECT_TRUE(field.empty()) << "text after the last comma: " << field;
  return fields;
}

// Ann Lee, 7 March 1962, 4:05 PM, zone 5:30 East, no daylight saving,
// 73 deg 51 min East, 18 deg 31 min North, as the data entry stores it.
using test_support::AnnLeeChart;

// A chart whose longitudes are set directly, to pin the number format.
Horoscope FixedLongitudes() {
  Horoscope h = test_support::WorkedChartBirthData();
  const double lons[10] = {10.123, 359.996, 0.0, 0.004, 0.005, 99.994, 199.99, 45.5, 300.0, 120.0};
  for (int i = 0; i < 10; ++i) h.positions[static_cast<std::size_t>(i)].longitude = lons[i];
  return h;
}

TEST(CsvExport, AnnLeeExampleRecord) {
  const Horoscope h = AnnLeeChart();
  const std::string text = CsvExportText("Ann", "Lee", "Pune, India", h);
  const std::string head = "Ann,Lee,03/07/1962,16:05,05:30,0,-73.84,18.52,Pune, India,";
  ASSERT_GE(text.size(), head.size());
  EXPECT_EQ(text.substr(0, head.size()), head);
  // Ten longitudes follow, each with two decimals and a comma; no line end.
  const std::vector<std::string> fields = ReadRecord(text);
  ASSERT_EQ(fields.size(), 20u);
  for (int i = 0; i < 10; ++i) {
    const std::string& f = fields[static_cast<std::size_t>(10 + i)];
    SCOPED_TRACE(f);
    ASSERT_GE(f.size(), 4u);
    EXPECT_EQ(f[f.size() - 3], '.');
    // Two decimals of longitude + 0.005.
    EXPECT_NEAR(std::stod(f), h.positions[static_cast<std::size_t>(i)].longitude + 0.005, 0.0051);
  }
  EXPECT_EQ(text.back(), ',');
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(CsvExport, LongitudeFormatAddsHalfHundredth) {
  struct Case {
    int index;
    const char* expected;
    const char* source;
  };
  const Case cases[] = {
      {0, "10.13", "10.123 + 0.005 rounds up"},
      {1, "360.00", "359.996 is written as 360.00"},
      {2, "0.01", "0 + 0.005: the double 0.005 lies just above one half hundredth"},
      {3, "0.01", "0.004 + 0.005 = 0.009"},
      {5, "100.00", "99.994 + 0.005 = 99.999"},
      {6, "200.00", "199.99 + 0.005: the double sum lies just above 199.995"},
      {7, "45.51", "45.5 + 0.005"},
      {8, "300.00", "300 + 0.005"},
  };
  const std::vector<std::string> fields =
      ReadRecord(CsvExportText("A", "B", "X", FixedLongitudes()));
  ASSERT_EQ(fields.size(), 20u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(fields[static_cast<std::size_t>(10 + c.index)], c.expected);
  }
  // Coordinates: longitude gets the 0.005, latitude does not.
  EXPECT_EQ(fields[6], "-77.20");  // -77.2 + 0.005: the double lies just beyond -77.195
  EXPECT_EQ(fields[7], "28.60");
}

TEST(CsvExport, DateClockZoneAndDaylightSaving) {
  struct Case {
    int month, day, year, hour, minute, zoneH, zoneM, dst;
    const char* expected;
  };
  const Case cases[] = {
      {3, 7, 1962, 16, 5, -5, -30, 0, "03/07/1962,16:05,05:30,0"},
      {12, 31, 1999, 0, 0, 5, 0, 1, "12/31/1999,00:00,05:00,1"},
      {1, 1, 2000, 23, 59, 5, 30, 0, "01/01/2000,23:59,05:30,0"},
      {7, 4, 1776, 9, 1, 0, 0, 2, "07/04/1776,09:01,00:00,2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Horoscope h;
    SetBirthDate(h, c.month, c.day, c.year);
    SetBirthTime(h, c.hour, c.minute, c.zoneH, c.zoneM, c.dst, 0);
    const std::vector<std::string> f = ReadRecord(CsvExportText("a", "b", "p", h));
    ASSERT_EQ(f.size(), 20u);
    EXPECT_EQ(f[2] + "," + f[3] + "," + f[4] + "," + f[5], c.expected);
  }
}

TEST(CsvExport, EastAndWestZoneWriteTheSameField) {
  Horoscope east, west;
  SetBirthDate(east, 1, 1, 2000);
  SetBirthDate(west, 1, 1, 2000);
  SetBirthTime(east, 10, 0, -5, -30, 0, 0);
  SetBirthTime(west, 10, 0, 5, 30, 0, 0);
  EXPECT_EQ(ReadRecord(CsvExportText("a", "b", "p", east))[4], "05:30");
  EXPECT_EQ(ReadRecord(CsvExportText("a", "b", "p", west))[4], "05:30");
}

TEST(CsvExport, PlaceParts) {
  struct Case {
    const char* place;
    const char* part1;
    const char* part2;
    const char* raw;  // the two fields as they appear in the record
  };
  const Case cases[] = {
      {"Pune, India", "Pune", " India", "Pune, India,"},
      {"New Delhi", "New Delhi", "", "New Delhi,,"},
      {"a,b,c", "a", "b", "a,b,"},
      {",", "", "", ",,"},
      {"", "", "", ",,"},
      {"Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch, Wales",
       "Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch", " Wales",
       "Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch, Wales,"},
      {"Chennai, \xe0\xae\xa4\xe0\xae\xae\xe0\xae\xbf\xe0\xae\xb4\xe0\xaf\x8d", "Chennai",
       " \xe0\xae\xa4\xe0\xae\xae\xe0\xae\xbf\xe0\xae\xb4\xe0\xaf\x8d",
       "Chennai, \xe0\xae\xa4\xe0\xae\xae\xe0\xae\xbf\xe0\xae\xb4\xe0\xaf\x8d,"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    const PlaceParts parts = SplitPlace(c.place);
    EXPECT_EQ(parts.first, c.part1);
    EXPECT_EQ(parts.second, c.part2);
    const std::string text = CsvExportText("F", "L", c.place, FixedLongitudes());
    EXPECT_NE(text.find(std::string(",28.60,") + c.raw), std::string::npos) << text;
    EXPECT_EQ(ReadRecord(text).size(), 20u);
  }
}

TEST(CsvExport, NamesThatWouldShiftFieldsAreQuoted) {
  struct Case {
    const char* first;
    const char* last;
    const char* head;  // how the two name fields are written
  };
  const Case cases[] = {
      {"Ann", "Lee", "Ann,Lee,"},
      {"Lee, Ann", "Jr", "\"Lee, Ann\",Jr,"},
      {"Say \"Hi\"", "", "\"Say \"\"Hi\"\"\",,"},
      {"Two\nLines", "X", "\"Two\nLines\",X,"},
      {"Cr\rOnly", "Y", "\"Cr\rOnly\",Y,"},
      {"", "a,b,c", ",\"a,b,c\","},
      {"O'Brien", "d'Arc", "O'Brien,d'Arc,"},
      {"\xe0\xa4\xb0\xe0\xa4\xbe\xe0\xa4\xae", "Lal", "\xe0\xa4\xb0\xe0\xa4\xbe\xe0\xa4\xae,Lal,"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head);
    const std::string text = CsvExportText(c.first, c.last, "Pune, India", FixedLongitudes());
    EXPECT_EQ(text.rfind(c.head, 0), 0u) << text;
    const std::vector<std::string> f = ReadRecord(text);
    ASSERT_EQ(f.size(), 20u);
    EXPECT_EQ(f[0], c.first);
    EXPECT_EQ(f[1], c.last);
    EXPECT_EQ(f[2], "01/01/2000");
    EXPECT_EQ(f[8], "Pune");
  }
}

TEST(CsvExport, PlacePartWithQuoteOrLineBreakIsQuoted) {
  const std::string text = CsvExportText("A", "B", "Fort \"Old\", Line\nTwo", FixedLongitudes());
  EXPECT_NE(text.find(",\"Fort \"\"Old\"\"\",\" Line\nTwo\","), std::string::npos) << text;
  const std::vector<std::string> f = ReadRecord(text);
  ASSERT_EQ(f.size(), 20u);
  EXPECT_EQ(f[8], "Fort \"Old\"");
  EXPECT_EQ(f[9], " Line\nTwo");
}

TEST(CsvExport, CsvFieldRules) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {{"", ""},           {"plain", "plain"},       {"a,b", "\"a,b\""},
                        {"\"", "\"\"\"\""}, {"x\r\ny", "\"x\r\ny\""}, {" lead", " lead"}};
  for (const Case& c : cases) EXPECT_EQ(CsvField(c.in), c.out) << c.in;
}

TEST(CsvExport, DefaultFileName) {
  EXPECT_EQ(CsvDefaultFileName("Ann", "Lee"), "Ann Lee.csv");
  EXPECT_EQ(CsvDefaultFileName("", ""), " .csv");
}

TEST(ExportFile, WritesBytesExactly) {
  const auto dir = std::filesystem::temp_directory_path() / "sarvexa_export_file_test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "out.txt";
  const std::string bytes = std::string("a\r\nb\n\0c", 7) + "\xff";
  ASSERT_TRUE(WriteExportFile(path.string(), bytes).ok());
  std::ifstream in(path, std::ios::binary);
  const std::string back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(back, bytes);
  // A second write truncates.
  ASSERT_TRUE(WriteExportFile(path.string(), "x").ok());
  EXPECT_EQ(std::filesystem::file_size(path), 1u);
  std::filesystem::remove_all(dir);
}

TEST(ExportFile, ReportsFailureWithThePath) {
  const std::string missing = "/nonexistent-folder-for-sarvexa/x.csv";
  const auto error = WriteExportFile(missing, "data");
  ASSERT_FALSE(error.ok());
  EXPECT_NE(error.error().find(missing), std::string::npos) << error.error();
  EXPECT_FALSE(WriteExportFile("", "data").ok());
  // A folder cannot be written as a file.
  EXPECT_FALSE(WriteExportFile(std::filesystem::temp_directory_path().string(), "d").ok());
}

#ifdef __linux__
TEST(ExportFile, ReportsAFullDevice) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const auto error = WriteExportFile("/dev/full", std::string(1 << 16, 'x'));
  ASSERT_FALSE(error.ok());
  EXPECT_NE(error.error().find("/dev/full"), std::string::npos);
}
#endif

}  // namespace
}  // namespace sarvexa
