#pragma once
// The ephemeris page: the sidereal positions of Sun .. Rahu at local midnight
// of a run of dates (24 rows on screen, 58 on paper) for the chart's place,
// zone and daylight saving. The rows come from the shared ephemeris series;
// the page functions are declared in view/pages.h.

#include <string>

#include "engine/horoscope.h"

namespace sarvexa {

/// The place line after "Ephemeris for %s   ": "Longitude: %d%c%02d  " and
/// the latitude text, which ends in " 12:00 AM" on screen and " 12:00AM" on
/// paper.
struct EphemerisPlaceTexts {
  std::string heading;    ///< "Ephemeris for %s   "
  std::string longitude;  ///< "Longitude: %d%c%02d  "
  std::string latitude;   ///< "Latitude: %d%c%02d 12:00 AM" / "... 12:00AM"
};
EphemerisPlaceTexts EphemerisPlaceTextsOf(const std::string& place, const Horoscope& chart,
                                          bool print);

}  // namespace sarvexa
