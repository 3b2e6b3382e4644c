#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

#include "document/chart_file.h"
#include "document/chart_snapshot.h"
#include "document/csv_export.h"
#include "document/text_export.h"

namespace sarvexa {
namespace {

std::string Hex(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::string FromHex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size() + 1;) {
    while (i < hex.size() && hex[i] == ' ') ++i;
    if (i >= hex.size()) break;
    out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    i += 2;
  }
  return out;
}

// The chart record fields, values chosen so their IEEE bit patterns are easy
// to write down by hand.
ChartFileRecord SimpleRecord() {
  ChartFileRecord r;
  r.place = "X";
  r.horoscope.universalTime = 12.0;  // 40 28 00.. (1.5 x 2^3)
  r.horoscope.zone = -5.5;           // C0 16 00..
  r.horoscope.dst = 1;
  r.horoscope.julianDay = 2451545;         // 0x00256859
  r.horoscope.julianCenturies = 0.0;       // stored as 1.0
  r.horoscope.ayanamsaCorrection = -23.5;  // C0 37 80 00..
  r.horoscope.longitude = -73.5;           // C0 52 60 00..
  r.horoscope.latitude = 18.5;             // 40 32 80 00..
  return r;
}

const char* kSimpleFileHex =
    "04 53 52 56 58 "           // tag "SRVX"
    "7B 14 AE 47 E1 7A 84 3F "  // version 0.01
    "00 00 01 58 "              // "", "", "X"
    "00 00 00 00 00 00 28 40 "  // universalTime 12
    "00 00 00 00 00 00 16 C0 "  // zone -5.5
    "01 00 "                    // dst 1
    "59 68 25 00 "              // julianDay 2451545
    "00 00 00 00 00 00 F0 3F "  // julianCenturies + 1 = 1.0
    "00 00 00 00 00 80 37 C0 "  // ayanamsaCorrection -23.5
    "00 00 00 00 00 60 52 C0 "  // longitude -73.5
    "00 00 00 00 00 80 32 40";  // latitude 18.5

TEST(ChartFileWrite, SeventyOneByteExampleByteForByte) {
  const std::string bytes = EncodeChartFile(SimpleRecord());
  EXPECT_EQ(bytes.size(), 71u);
  EXPECT_EQ(Hex(bytes), kSimpleFileHex);
  EXPECT_EQ(Hex(bytes.substr(0, 17)), "04 53 52 56 58 7B 14 AE 47 E1 7A 84 3F 00 00 01 58");
}

TEST(ChartFileWrite, LengthPrefixes) {
  struct Case {
    std::size_t length;
    const char* prefix;
  };
  const Case cases[] = {
      {0, "00"},
      {1, "01"},
      {254, "FE"},
      {255, "FF FF 00"},
      {300, "FF 2C 01"},
      {65533, "FF FD FF"},
      {65534, "FF FF FF FE FF 00 00"},
      {70000, "FF FF FF 70 11 01 00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    ChartFileRecord r = SimpleRecord();
    r.firstName = std::string(c.length, 'a');
    const std::string bytes = EncodeChartFile(r);
    const std::string prefix = FromHex(c.prefix);
    ASSERT_GE(bytes.size(), 13 + prefix.size());
    EXPECT_EQ(Hex(bytes.substr(13, prefix.size())), c.prefix);
    EXPECT_EQ(bytes.size(), 71 + prefix.size() - 1 + c.length);
    auto back = DecodeChartFile(bytes);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->firstName, r.firstName);
  }
}

TEST(ChartFileRead, SimpleFileGivesTheRecord) {
  auto result = DecodeChartFile(FromHex(kSimpleFileHex));
  ASSERT_TRUE(result.ok()) << result.error();
  const ChartFileRecord& r = *result;
  EXPECT_EQ(r.firstName, "");
  EXPECT_EQ(r.lastName, "");
  EXPECT_EQ(r.place, "X");
  EXPECT_EQ(r.horoscope.universalTime, 12.0);
  EXPECT_EQ(r.horoscope.zone, -5.5);
  EXPECT_EQ(r.horoscope.dst, 1);
  EXPECT_EQ(r.horoscope.julianDay, 2451545);
  EXPECT_EQ(r.horoscope.julianCenturies, 0.0);
  EXPECT_EQ(r.horoscope.ayanamsaCorrection, -23.5);
  EXPECT_EQ(r.horoscope.longitude, -73.5);
  EXPECT_EQ(r.horoscope.latitude, 18.5);
}

TEST(ChartFileRead, TagVersionAndTrailingBytesAreIgnored) {
  const std::string original = FromHex(kSimpleFileHex);
  std::string otherTag = FromHex("07 41 4E 59 54 48 49 4E") + original.substr(5);
  std::string otherVersion = original;
  otherVersion.replace(5, 8, FromHex("00 00 00 00 00 00 F8 7F"));  // a NaN version loads too
  std::string trailing = original + "garbage after the last field";
  for (const std::string* file : {&otherTag, &otherVersion, &trailing}) {
    auto result = DecodeChartFile(*file);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->place, "X");
    EXPECT_EQ(result->horoscope.latitude, 18.5);
  }
}

TEST(ChartFileRead, ZoneNameTrailerIsOptional) {
  const std::string plain = FromHex(kSimpleFileHex);
  ChartFileRecord withZone = *DecodeChartFile(plain);
  withZone.zoneName = "America/Argentina/Buenos_Aires";
  const std::string zoned = EncodeChartFile(withZone);
  // The old fields come first, unchanged, so older readers load the file.
  ASSERT_EQ(zoned.substr(0, plain.size()), plain);
  const struct {
    const char* source;
    std::string bytes;
    const char* zoneName;
  } cases[] = {
      {"file without the trailer", plain, ""},
      {"file with it", zoned, "America/Argentina/Buenos_Aires"},
      {"trailer cut short", zoned.substr(0, zoned.size() - 3), ""},
      {"tag without a name", plain + "SVXZ", ""},
      {"not a zone name", plain + "SVXZ" + FromHex("03 41 20 42"), ""},
      {"other bytes after the last field", plain + "SVXY" + FromHex("01 41"), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const auto result = DecodeChartFile(c.bytes);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result->zoneName, c.zoneName);
    EXPECT_EQ(result->place, "X");
  }
}

// Every file the program writes loads, whatever its zone name; a file that
// only happens to decode (its "strings" and "numbers" are bytes of a text)
// does not. Its length gives it away: a chart file ends at its last field or
// its zone trailer. So does having neither the tag nor the version that
// every version writes.
TEST(ChartFileRead, WhatWasWrittenLoadsAndWhatCannotBeAChartDoesNot) {
  for (std::size_t n = 0; n <= 80; ++n) {
    SCOPED_TRACE(testing::Message() << "zone name of " << n << " letters");
    ChartFileRecord r = SimpleRecord();
    r.zoneName = std::string(n, 'Z');
    EXPECT_TRUE(DecodeChartFile(EncodeChartFile(r)).ok());
  }
  const std::string simple = FromHex(kSimpleFileHex);
  ChartSnapshot chart;
  chart.firstName = "Ann";
  chart.lastName = "Lee";
  chart.place = "Pune, India";
  const std::string paragraph =
      "# Sarvexa\n\nSarvexa is a desktop program for Vedic (sidereal) astrology. You enter a "
      "person's birth data (name, date, local clock time, time zone, daylight saving, place, "
      "longitude and latitude), and Sarvexa works out where the Ascendant and the nine grahas "
      "stand in the sidereal zodiac (Lahiri ayanamsa).\n";
  std::string neither = FromHex("07 41 4E 59 54 48 49 4E") + simple.substr(5);
  neither.replace(8, 8, FromHex("00 00 00 00 00 00 F8 7F"));
  struct Case {
    std::string bytes;
    const char* source;
  };
  const Case kCases[] = {
      {simple + paragraph, "a whole chart with a text after it"},
      {neither, "other tag and other version"},
      {paragraph + paragraph, "a text file"},
      {TextExportText(chart, CharChartStyle::North), "the program's text export"},
      {CsvExportText(chart) + CsvExportText(chart), "the program's CSV export, twice"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const auto result = DecodeChartFile(c.bytes);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().find("not a chart file"), std::string::npos) << result.error();
  }
}

TEST(ChartFileRead, SignedIntegersComeBackSigned) {
  ChartFileRecord r = SimpleRecord();
  r.horoscope.dst = -2;
  r.horoscope.julianDay = -1000;
  auto back = DecodeChartFile(EncodeChartFile(r));
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back->horoscope.dst, -2);
  EXPECT_EQ(back->horoscope.julianDay, -1000);
}

TEST(ChartFileRead, EveryTruncationFailsCleanly) {
  ChartFileRecord r = SimpleRecord();
  r.firstName = "Ann";
  r.lastName = std::string(300, 'L');
  r.place = "\xE0\xAE\xA4\xE0\xAE\xBE";  // Tamil: written in the wide form
  const std::string bytes = EncodeChartFile(r);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    SCOPED_TRACE(n);
    auto result = DecodeChartFile(std::string_view(bytes).substr(0, n));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), kChartFileFormatError);
  }
  EXPECT_TRUE(DecodeChartFile(bytes).ok());
}

TEST(ChartFileRead, LengthLargerThanTheFileFailsWithoutAllocating) {
  struct Case {
    const char* hex;
    const char* why;
  };
  const Case cases[] = {
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF 7F", "64-bit length near the maximum"},
      {"FF FF FF FF FF FF FF", "32-bit escape followed by a 64-bit escape cut short"},
      {"FF FF FF 00 00 00 80", "two thousand million characters"},
      {"FF FE FF FF FF FF FF FF FF FF FF FF FF FF FF 3F", "wide, 64-bit length"},
      {"FF FE FF FF FE FF 05 41 00", "the wide tag twice"},
      {"FF FE FF 03 41 00 42 00", "wide, two characters of three"},
      {"05 41 42", "two characters of five"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    auto result = DecodeChartFile(FromHex(c.hex));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), kChartFileFormatError);
  }
}

TEST(ChartFileRead, NonFiniteNumbersMakeTheFileInvalid) {
  const std::string original = FromHex(kSimpleFileHex);
  // Offsets of the doubles after the strings (17 bytes of tag, version, strings).
  const std::size_t offsets[] = {17, 25, 39, 47, 55, 63};
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (std::size_t offset : offsets)
    for (double value : bad) {
      SCOPED_TRACE(testing::Message() << "offset " << offset << " value " << value);
      std::string file = original;
      std::memcpy(file.data() + offset, &value, 8);
      auto result = DecodeChartFile(file);
      ASSERT_FALSE(result.ok());
      EXPECT_EQ(result.error(), kChartFileFormatError);
    }
}

TEST(ChartFileText, EightBitTextsAreWindows1252) {
  struct Case {
    const char* utf8;
    const char* bytes;
  };
  const Case cases[] = {
      {"Ann", "41 6E 6E"},
      {"Jos\xC3\xA9", "4A 6F 73 E9"},  // e acute
      {"\xE2\x82\xAC", "80"},          // euro sign
      {"\xC5\xA0\xC5\x93", "8A 9C"},   // S caron, oe
      {"\xE2\x80\x9C"
       "a"
       "\xE2\x80\x9D",
       "93 61 94"},        // curly quotes
      {"\xC3\xBF", "FF"},  // y diaeresis
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    auto narrow = Utf8ToWindows1252(c.utf8);
    ASSERT_TRUE(narrow.has_value());
    EXPECT_EQ(Hex(*narrow), c.bytes);
    EXPECT_EQ(Windows1252ToUtf8(*narrow), c.utf8);
  }
  EXPECT_FALSE(Utf8ToWindows1252("\xE0\xA4\x95").has_value());  // Devanagari KA
  EXPECT_FALSE(Utf8ToWindows1252("\xC3").has_value());          // cut-short UTF-8
}

TEST(ChartFileText, EveryByteSurvivesAnEightBitReadAndWrite) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = Windows1252ToUtf8(one);
    auto back = Utf8ToWindows1252(utf8);
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, one) << b;
  }
}

TEST(ChartFileText, WideNamesSurviveWriteAndRead) {
  struct Case {
    const char* utf8;
    const char* why;
  };
  const Case cases[] = {
      {"\xE0\xA4\xB0\xE0\xA4\xBE\xE0\xA4\xAE", "Devanagari"},
      {"\xE0\xAE\xA4\xE0\xAE\xAE\xE0\xAE\xBF\xE0\xAE\xB4\xE0\xAF\x8D", "Tamil"},
      {"Ann \xE0\xA4\xB0 \xC3\xA9", "Latin mixed with Devanagari and an accent"},
      {"\xF0\x9F\x98\x80", "outside the basic plane (surrogate pair)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ChartFileRecord r = SimpleRecord();
    r.firstName = c.utf8;
    r.lastName = "Lee";
    r.place = c.utf8;
    const std::string bytes = EncodeChartFile(r);
    EXPECT_EQ(Hex(bytes.substr(13, 3)), "FF FE FF");
    auto back = DecodeChartFile(bytes);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->firstName, c.utf8);
    EXPECT_EQ(back->lastName, "Lee");
    EXPECT_EQ(back->place, c.utf8);
  }
}

TEST(ChartFileText, WideFormIsReadFromHandMadeBytes) {
  // FF FE FF, length 2, "Ra" as UTF-16LE; then the rest of the simple file.
  const std::string original = FromHex(kSimpleFileHex);
  const std::string file =
      original.substr(0, 13) + FromHex("FF FE FF 02 52 00 61 00") + original.substr(14);
  auto result = DecodeChartFile(file);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->firstName, "Ra");
  EXPECT_EQ(result->place, "X");
}

TEST(ChartFileText, LoneSurrogateReadsAsReplacementCharacter) {
  const std::string original = FromHex(kSimpleFileHex);
  struct Case {
    const char* wide;
    const char* name;
    const char* source;
  };
  const Case kCases[] = {
      {"FF FE FF 01 00 D8", "\xEF\xBF\xBD", "high surrogate at the end"},
      {"FF FE FF 02 00 DC 41 00",
       "\xEF\xBF\xBD"
       "A",
       "low surrogate alone"},
      {"FF FE FF 02 00 D8 41 00",
       "\xEF\xBF\xBD"
       "A",
       "high surrogate before a letter"},
      {"FF FE FF 03 3D D8 00 DE 00 D8", "\xF0\x9F\x98\x80\xEF\xBF\xBD", "pair, then a lone one"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const std::string file = original.substr(0, 13) + FromHex(c.wide) + original.substr(14);
    auto result = DecodeChartFile(file);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result->firstName, c.name);
    EXPECT_EQ(result->place, "X");
  }
}

TEST(ChartFileRoundTrip, RandomRecordsComeBackExactly) {
  std::mt19937_64 rng(20240315);
  std::uniform_real_distribution<double> any(-1e6, 1e6);
  std::uniform_int_distribution<int> len(0, 400);
  std::uniform_int_distribution<int> ch(0x20, 0x7E);
  for (int i = 0; i < 500; ++i) {
    ChartFileRecord r;
    for (std::string* s : {&r.firstName, &r.lastName, &r.place}) {
      const int n = len(rng);
      for (int k = 0; k < n; ++k) s->push_back(static_cast<char>(ch(rng)));
    }
    Horoscope& h = r.horoscope;
    h.universalTime = any(rng);
    h.zone = any(rng);
    h.dst = static_cast<std::int16_t>(rng());
    h.julianDay = static_cast<std::int32_t>(rng());
    h.julianCenturies = any(rng) / 1e3;
    h.ayanamsaCorrection = any(rng);
    h.longitude = any(rng);
    h.latitude = any(rng);
    auto back = DecodeChartFile(EncodeChartFile(r));
    ASSERT_TRUE(back.ok());
    const Horoscope& b = back->horoscope;
    EXPECT_EQ(back->firstName, r.firstName);
    EXPECT_EQ(back->lastName, r.lastName);
    EXPECT_EQ(back->place, r.place);
    EXPECT_EQ(b.universalTime, h.universalTime);
    EXPECT_EQ(b.zone, h.zone);
    EXPECT_EQ(b.dst, h.dst);
    EXPECT_EQ(b.julianDay, h.julianDay);
    // Through + 1 and - 1: a few units in the last place at most.
    EXPECT_NEAR(b.julianCenturies, h.julianCenturies,
                2 * std::numeric_limits<double>::epsilon() * (std::fabs(h.julianCenturies) + 1));
    EXPECT_EQ(b.ayanamsaCorrection, h.ayanamsaCorrection);
    EXPECT_EQ(b.longitude, h.longitude);
    EXPECT_EQ(b.latitude, h.latitude);
  }
}

// ---- files on disk ----

}  // namespace
}  // namespace sarvexa
