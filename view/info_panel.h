#pragma once
// The two text blocks several pages share: the information panel (name and
// date, clock time with zone and daylight saving, place, longitude and
// latitude with the current dasha period, ayanamsa) and the boxed table of
// the ten chart points with their degrees and signs. Both write in the font
// the caller has selected; on the screen grid their lines go down the page,
// in the print space (y up) they are subtracted.

#include <array>
#include <optional>
#include <string>

#include "engine/conventions.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"
#include "engine/position_theory.h"
#include "view/canvas.h"

namespace sarvexa {

struct ChartSnapshot;

/// What the information panel shows.
struct InfoPanelData {
  std::string firstName;  ///< UTF-8
  std::string lastName;   ///< UTF-8
  std::string place;      ///< UTF-8
  Horoscope horoscope{};
  std::optional<CurrentPeriod> currentPeriod;  ///< nothing for a future-dated chart
  Conventions conventions{};                   ///< what line 4 names
  PositionSource source{};                     ///< the positions' source, for line 4
};

/// The panel data of the document's open chart.
InfoPanelData InfoPanelDataOf(const ChartSnapshot& snap);

/// The texts of the panel: line 0 (name and date), 1 (time, zone, DST),
/// 2 (place), 3 (longitude, then latitude and current period, written after
/// the longitude text's measured width), 4 (ayanamsa).
struct InfoPanelTexts {
  std::string nameAndDate;  ///< "%s %s %s %d,%d "
  std::string time;         ///< "Time: %d:%02dAM  Zone: %d:%02d  DST: %d" (or PM)
  std::string place;
  std::string longitude;  ///< "Longitude: %d%c%02d  "
  std::string latitude;   ///< "Latitude: %d%c%02d  CurPer: %s/%s/%s" ("--" without a period)
  std::string ayanamsa;   ///< AyanamsaLine: "Lahiri Ayanamsa: %2d:%02d  365.25 Day Year"
};
InfoPanelTexts InfoPanelTextsOf(const InfoPanelData& data);

/// A signed coordinate as degrees, a letter and minutes, rounded to the
/// minute: the positive letter (W or N) for values >= 0, the negative one
/// (E or S) otherwise, both parts as magnitudes, e.g. "77E12".
std::string CoordinateText(double value, char positiveLetter, char negativeLetter);

/// Writes the panel with its line 0 at (x, y); lines are one line height of
/// the selected font apart. Returns the y of line 4. The name (line 0, its
/// date kept) and the place (line 2) are cut with "…" before `rightEdge`,
/// where the page's next element begins (0: the page's own right edge).
/// Line 4, longer with the Swiss Ephemeris, takes the next smaller font of
/// the page's sizes until it fits there (cut with "…" only at the
/// smallest), at the same top.
int DrawInfoPanel(Canvas& canvas, int x, int y, const InfoPanelData& data, int rightEdge = 0);
int DrawInfoPanel(Canvas& canvas, int x, int y, const ChartSnapshot& snap, int rightEdge = 0);

/// The boxed table of the ten points (name with "R" when retrograde, degrees
/// and minutes within the sign, sign abbreviation), rows `rowHeight` apart
/// from `top` down the page, in the selected font.
void DrawPlanetTable(Canvas& canvas, int left, int top, int rowHeight, const Horoscope& chart);

}  // namespace sarvexa
