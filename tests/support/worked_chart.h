#pragma once
// The charts many tests share, built from birth data as the data entry
// stores it (East and South negative). Header-only and engine-only, so any
// test program can include it.

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/horoscope.h"

namespace sarvexa::test_support {

/// Birth data of the worked chart, positions not calculated: 1 January 2000,
/// 17:30, zone 5:30 East, `dstHours` of daylight saving, New Delhi at
/// 77 deg 12 min East, 28 deg 36 min North.
inline Horoscope WorkedChartBirthData(int dstHours = 0) {
  Horoscope h;
  SetBirthDate(h, 1, 1, 2000);
  SetBirthTime(h, 17, 30, -5, -30, dstHours, 0);
  SetBirthPlace(h, -77, -12, 28, 36);
  return h;
}

/// The worked chart with its positions calculated.
inline Horoscope WorkedChart(int dstHours = 0) {
  Horoscope h = WorkedChartBirthData(dstHours);
  CalculateHoroscope(h);
  return h;
}

/// Ann Lee: 7 March 1962, 4:05 PM, zone 5:30 East, no daylight saving,
/// Pune at 73 deg 51 min East, 18 deg 31 min North, positions calculated.
inline Horoscope AnnLeeChart() {
  Horoscope h;
  SetBirthDate(h, 3, 7, 1962);
  SetBirthTime(h, 16, 5, -5, -30, 0, 0);
  SetBirthPlace(h, -73, -51, 18, 31);
  CalculateHoroscope(h);
  return h;
}

}  // namespace sarvexa::test_support
