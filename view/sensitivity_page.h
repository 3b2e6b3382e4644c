#pragma once
// The "Birth-Time Sensitivity" page: for the Ascendant and the nine grahas,
// the sign, nakshatra, pada and divisional signs, each with the birth
// minutes before and after the entered time in which it holds; a cell whose
// window ends within kFragileMinutes on either side is written in red and
// boxed, so it stands out in colour and in black and white. Below the
// table: the running Maha/Bukti/Pratyantar with its window, how far one
// minute of birth time moves the dasha dates, and the dasha balance.
//
// The screen shows the Rashi sign, nakshatra, pada, Navamsa and the six
// screen divisions in one table; the sheet shows all fifteen columns in two
// tables. The page draws a search's result; it does not search. The screen
// and print functions are declared in view/pages.h.

#include <optional>
#include <string>
#include <vector>

#include "analysis/sensitivity.h"

namespace sarvexa {

/// A window closer than this (minutes) to the entered time marks its cell.
inline constexpr int kFragileMinutes = 5;

/// Which side of the entered time a window's end lies on.
enum class WindowSide { Before, After };

/// One side of a window: "−23 min" before, "+41 min" after (a true minus
/// sign), or "> 24 h" where the value still holds at the range's end.
std::string WindowSideText(WindowSide side, const std::optional<int>& minutes, int rangeMinutes);

/// Both sides: "−23 / +41 min", "> 24 h / +41 min", "−23 min / > 24 h".
std::string WindowText(const MinuteWindow& window, int rangeMinutes);

/// The three lines below the table.
struct SensitivityFooter {
  std::string period;   ///< "Running period at Jun 15,2024 12:00PM: Ve/Ju/Ra, −76 / +14 min"
  std::string dates;    ///< "A minute later birth moves every dasha date 1.6 days earlier"
  std::string balance;  ///< "Dasha balance at birth: Sun 1 y 11 m 1 d"
};
SensitivityFooter SensitivityFooterOf(const BirthTimeSensitivity& table);

/// The columns of each variant, as indices into SensitivityFactors(): the
/// screen's one table, and the sheet's two.
std::vector<int> ScreenSensitivityColumns();
std::vector<std::vector<int>> PrintSensitivityTables();

}  // namespace sarvexa
