#pragma once
// The chart as one record of comma-separated values: names, birth date,
// clock time, zone, daylight saving, coordinates, the place in two parts and
// the sidereal longitudes of the Ascendant and the nine grahas. Every field
// ends with its own comma and the record has no line break.
//
// Text is written as UTF-8, as held inside the program. A first or last name
// that holds a comma, a double quote or a line break is quoted (inner quotes
// doubled) so it cannot shift the later fields; so is a place part holding a
// double quote or a line break. Everything else is written unquoted.

#include <string>

#include "engine/horoscope.h"

namespace sarvexa {

struct ChartSnapshot;

/// The record's bytes, e.g. for Ann Lee, 7 March 1962, 16:05, zone 5:30 East,
/// 73 deg 51 min East, 18 deg 31 min North, "Pune, India":
/// "Ann,Lee,03/07/1962,16:05,05:30,0,-73.84,18.52,Pune, India," followed by
/// the ten longitudes, each with two decimals and its comma.
std::string CsvExportText(const std::string& firstName, const std::string& lastName,
                          const std::string& place, const Horoscope& chart);

/// The record of an open chart.
std::string CsvExportText(const ChartSnapshot& chart);

/// The proposed file name "<first> <last>.csv".
std::string CsvDefaultFileName(const std::string& firstName, const std::string& lastName);

/// One field as written: unchanged, or quoted as RFC 4180 describes when it
/// holds a comma, a double quote, a CR or an LF.
std::string CsvField(const std::string& text);

/// The place cut at its first comma: part 1 before it (the whole place when
/// there is none), part 2 from after it up to the next comma or the end.
/// Text after a second comma is not part of either.
struct PlaceParts {
  std::string first;
  std::string second;
};
PlaceParts SplitPlace(const std::string& place);

}  // namespace sarvexa
