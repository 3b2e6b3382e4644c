#include "engine/dasha_balance.h"

#include <algorithm>
#include <cmath>

#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa {

DashaBalance BalanceAtBirth(const DashaState& state, double daysPerYear) {
  DashaBalance b;
  const MahaDasha& first = state.table[0];
  b.lord = ((first.lord % dasha::kLordCount) + dasha::kLordCount) % dasha::kLordCount;
  // The second Maha dasha's start as MahaRowDayCounts dates it.
  double left = first.buktiStart[0] + first.lengthDays - state.birthDayCount;
  if (!std::isfinite(left) || left < 0.0 || !(daysPerYear > 0.0) || !std::isfinite(daysPerYear)) {
    b.lord = 0;
    return b;
  }
  // Counted to a millionth of a day (a tenth of a second), so that the
  // rounding of the day counts cannot turn 9 years 6 months into 9 years 5
  // months 30 days.
  left = std::round(left * 1e6) / 1e6;
  b.days = left;
  const double month = daysPerYear / 12.0;
  const double years = std::floor(left / daysPerYear);
  double rest = left - years * daysPerYear;
  // Rounding can leave the rest a hair outside [0, year).
  if (rest < 0.0) rest = 0.0;
  const double months = std::min(11.0, std::floor(rest / month));
  rest -= months * month;
  if (rest < 0.0) rest = 0.0;
  b.years = TruncToInt(years);
  b.months = TruncToInt(months);
  b.wholeDays = TruncToInt(std::floor(rest));
  return b;
}

std::string DashaBalanceText(const DashaBalance& balance) {
  return FormatText("%s %d y %d m %d d", kDashaNames[balance.lord], balance.years, balance.months,
                    balance.wholeDays);
}

}  // namespace sarvexa
