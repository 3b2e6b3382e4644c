#pragma once
// The dasha balance at birth: how much of the Maha dasha running at birth is
// still to run, as its lord and whole years, months and days.

#include <string>

#include "engine/dasha.h"

namespace sarvexa {

/// What is left of the first Maha dasha at the birth moment.
struct DashaBalance {
  DashaLord lord = 0;  ///< lord of the Maha dasha running at birth
  double days = 0.0;   ///< from birth to the start of the second Maha dasha
  int years = 0;       ///< whole years of `daysPerYear` days in `days`
  int months = 0;      ///< whole months (a twelfth of the year) in the rest
  int wholeDays = 0;   ///< whole days in what is left after the months
  friend bool operator==(const DashaBalance&, const DashaBalance&) = default;
};

/// The balance of a dasha table: the second Maha dasha starts where the
/// pages date it (the first one's start plus its length), and `days` is
/// that moment minus the birth moment. Years are `daysPerYear` days long (the
/// period year the table was built with), months `daysPerYear` / 12; `days`
/// is counted to a millionth of a day and every part is then rounded down,
/// so the balance is never overstated. A damaged table
/// (a moment that is not finite, or a balance below 0) gives all zeros.
DashaBalance BalanceAtBirth(const DashaState& state, double daysPerYear);

/// "Rahu 0 y 8 m 19 d".
std::string DashaBalanceText(const DashaBalance& balance);

}  // namespace sarvexa
