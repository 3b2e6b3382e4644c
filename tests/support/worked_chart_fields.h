#pragma once
// The shared test charts as the "Chart Data" dialog holds them: magnitudes
// with side flags and a 12-hour clock. Header-only; needs only the document
// library's field record.

#include <string>

#include "document/chart_data.h"

namespace sarvexa::test_support {

/// The worked chart: 1 January 2000, 5:30 PM, zone 5:30 East, no daylight
/// saving, New Delhi at 77 deg 12 min East, 28 deg 36 min North.
inline ChartDataFields WorkedChartFields(const std::string& firstName = "Ann",
                                         const std::string& lastName = "Lee") {
  ChartDataFields f;
  f.firstName = firstName;
  f.lastName = lastName;
  f.hour = 5;
  f.minute = 30;
  f.isPm = 1;
  f.day = 1;
  f.monthIndex = 0;
  f.year = 2000;
  f.place = "New Delhi";
  f.lonDegrees = 77;
  f.lonMinutes = 12;
  f.isEast = 1;
  f.latDegrees = 28;
  f.latMinutes = 36;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  return f;
}

/// Ann Lee: 7 March 1962, 4:05 PM, zone 5:30 East, no daylight saving,
/// "Pune, India" at 73 deg 51 min East, 18 deg 31 min North.
inline ChartDataFields AnnLeeFields() {
  ChartDataFields f;
  f.firstName = "Ann";
  f.lastName = "Lee";
  f.hour = 4;
  f.minute = 5;
  f.isPm = 1;
  f.day = 7;
  f.monthIndex = 2;
  f.year = 1962;
  f.place = "Pune, India";
  f.lonDegrees = 73;
  f.lonMinutes = 51;
  f.isEast = 1;
  f.latDegrees = 18;
  f.latMinutes = 31;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  return f;
}

}  // namespace sarvexa::test_support
