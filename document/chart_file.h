#pragma once
// The chart file (".svx"): the entered data of one chart as a plain
// little-endian byte stream. Positions are not stored; a loaded chart is
// computed again from its birth data and `julianCenturies`.
//
// Fields in order: tag string ("SRVX"), version double (0.01), first name,
// last name and place strings, universalTime, zone (doubles), dst (16-bit),
// julianDay (32-bit), julianCenturies + 1 (centuries from JD 2415020.0),
// ayanamsaCorrection, longitude, latitude (doubles).
//
// Strings are a length prefix (one byte below 255, else FF and a 16-bit
// length, then FFFF and a 32-bit one, then FFFFFFFF and a 64-bit one) and the
// characters. Texts are UTF-8 inside the program; a text whose every
// character exists in Windows-1252 is written in that 8-bit form, any other
// in the wide form (FF FE FF, a length prefix in UTF-16 units, UTF-16LE).

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/safe_file.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa {

/// What a chart file holds. Only the birth data, `julianCenturies` and
/// `ayanamsaCorrection` of `horoscope` are written or read.
struct ChartFileRecord {
  std::string firstName;  ///< UTF-8
  std::string lastName;   ///< UTF-8
  std::string place;      ///< UTF-8
  Horoscope horoscope{};
  /// IANA zone the chart's zone and DST came from (empty when typed by
  /// hand). Stored after the last field, where readers ignore extra bytes,
  /// so older copies of the program still read the file.
  std::string zoneName;
};

/// The bytes of the chart file for `record`.
std::string EncodeChartFile(const ChartFileRecord& record);

/// The message for any file that cannot be read as a chart.
inline constexpr const char* kChartFileFormatError = "Unexpected file format: not a chart file.";

/// The most bytes any version of the program writes after the last field:
/// the zone-name trailer with the longest zone name it keeps.
inline constexpr std::size_t kMaxBytesAfterLastField = 4 + 1 + 64;

/// Reads a chart file from its bytes. Tag and version are ignored, as long
/// as one of them is there: every version writes the tag "SRVX" and the
/// version 0.01, so a damaged file keeps at least one, and a file with
/// neither says nothing of being a chart. Bytes
/// after the last field are ignored but for a zone-name trailer ("SVXZ" and
/// one string of a zone name's characters), which is read when it is whole
/// and skipped silently otherwise; a lone UTF-16 surrogate reads as U+FFFD.
/// A chart file's length follows from its strings' lengths, so a file with
/// more than kMaxBytesAfterLastField bytes after its last field is no chart
/// (a text, a picture, a program). That, a file with neither tag nor
/// version, a file cut short, a string length
/// larger than what remains, or a number field that is NaN or infinite gives
/// kChartFileFormatError and no record.
Result<ChartFileRecord> DecodeChartFile(std::string_view bytes);

// ---- text encodings used by the file ----

/// UTF-8 as Windows-1252 bytes, or nullopt when a character has no
/// Windows-1252 form (or the text is not valid UTF-8).
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
/// Windows-1252 bytes as UTF-8 (the five unassigned bytes map to the C1
/// control characters of the same value, so every byte survives).
std::string Windows1252ToUtf8(std::string_view bytes);
/// UTF-8 as UTF-16 code units (invalid sequences become U+FFFD).
std::u16string Utf8ToUtf16(std::string_view utf8);
/// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace sarvexa
