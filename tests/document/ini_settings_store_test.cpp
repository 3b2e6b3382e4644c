#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "document/ini_settings_store.h"
#include "document/settings.h"

namespace sarvexa {
namespace {

TEST(IniSettings, ReadsTheSettingsGroupAsTheDesktopProgramWritesIt) {
  const char* text =
      "[General]\n"
      "Chart%20Style=9\n"
      "\n"
      "[Settings]\r\n"
      "Chart%20Style=2\r\n"
      "Color%20Chart=1\n"
      "Prasna%20Loc=\"Pune, India\"\n"
      "Prasna%20Long=073 E 51\n"
      "Prasna%20Lat=18 N 31\n"
      "Prasna%20TZone=05 30\n"
      "Prasna%20DST=00 00\n"
      "\n"
      "[Recent%20File%20List]\n"
      "File1=/tmp/a.svx\n";
  IniFileSettingsStore store = IniFileSettingsStore::FromText(text);
  EXPECT_EQ(ReadDisplaySettings(store), (DisplaySettings{2, 1}));
  const PrasnaLocation loc = ReadPrasnaLocation(store);
  EXPECT_EQ(loc.place, "Pune, India");
  EXPECT_EQ(ToSignedPlace(loc.where).lonDegrees, -73);
  EXPECT_EQ(ToSignedPlace(loc.where).lonMinutes, -51);
  EXPECT_EQ(ToSignedPlace(loc.where).latDegrees, 18);
  EXPECT_EQ(ToSignedPlace(loc.where).zoneHours, -5);
  EXPECT_EQ(ToSignedPlace(loc.where).zoneMinutes, -30);
  EXPECT_FALSE(store.readText("File1").has_value());
}

TEST(IniSettings, DecodesValues) {
  struct Case {
    const char* raw;
    const char* decoded;
  };
  const Case cases[] = {
      {"122 W 03", "122 W 03"},
      {"  08 00  ", "08 00"},
      {"\"  padded  \"", "  padded  "},
      {"\"a\\\"b\\\\c\"", "a\"b\\c"},
      {"line\\nbreak", "line\nbreak"},
      {"\\x915", "\xE0\xA4\x95"},
      {"\xE0\xA4\x95\xE0\xA4\xBE", "\xE0\xA4\x95\xE0\xA4\xBE"},
      {"@@at", "@at"},
      {"", ""},
      {"\\", "\\"},
      {"\"unterminated", "unterminated"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raw);
    EXPECT_EQ(DecodeIniValue(c.raw), c.decoded);
  }
}

TEST(IniSettings, DecodesKeys) {
  EXPECT_EQ(DecodeIniKey("Prasna%20TZone"), "Prasna TZone");
  EXPECT_EQ(DecodeIniKey("a%U0915"), "a\xE0\xA4\x95");
  EXPECT_EQ(DecodeIniKey("100%"), "100%");
  EXPECT_EQ(DecodeIniKey("%2"), "%2");
}

TEST(IniSettings, MissingFileIsAnEmptyStoreAndWritesStayInMemory) {
  // A pipe in the settings' place gives the defaults instead of a hang.
  const auto fifo = std::filesystem::temp_directory_path() /
                    ("sarvexa-settings-fifo-" + std::to_string(::getpid()));
  std::filesystem::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::filesystem::path& path :
       {std::filesystem::path("/nonexistent/Sarvexa.conf"), fifo}) {
    SCOPED_TRACE(path.string());
    IniFileSettingsStore store = IniFileSettingsStore::FromFile(path);
    EXPECT_EQ(ReadPrasnaLocation(store), PrasnaLocation{});
    EXPECT_TRUE(store.writeInt("Chart Style", 1));
    EXPECT_EQ(store.readInt("Chart Style"), 1);
  }
  std::filesystem::remove(fifo);
}

}  // namespace
}  // namespace sarvexa
