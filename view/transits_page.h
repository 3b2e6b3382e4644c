#pragma once
// The SA transits page: for each transiting graha its daily motion, the natal
// house MEP it stands on with the houses its aspects reach, and the natal
// grahas it is conjunct with or aspects, each with a closeness in percent.
// The print variant adds the information panel and the natal and transit
// charts side by side. The page functions are declared in view/pages.h.

#include <string>
#include <vector>

#include "analysis/sa_transits.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// Houses counted from its own (its own = 1) that each transiting graha
/// aspects, as a bit mask per GrahaIndex (bit j for the j-th house).
int TransitHouseAspects(GrahaIndex g);

/// A daily motion in degrees as "%d° %02d'" ("-%d° %02d'" when negative),
/// rounded to the nearest minute.
std::string DailyMotionText(double degreesPerDay);

/// Closeness in percent of a transiting graha to a natal graha it is
/// conjunct with: 100 at an exact hit, 0 at the 5-degree orb.
int TransitConjunctionPercent(double natalLon, double transitLon);

/// Closeness in percent of an aspect by the degrees within the signs only,
/// across a sign boundary: 100 at the same degree, 0 at 5 degrees apart.
int TransitAspectPercent(double natalLon, double transitLon);

/// The lines of one transiting graha t (1..9): the motion line, then the
/// house, conjunction and aspect lines that apply.
std::vector<std::string> TransitLines(const Horoscope& natal, const Horoscope& transit,
                                      const SaTransitAnalysis& analysis, GrahaIndex t);

/// The printed transit moment "%s %d,%d %02d:%02d" (month, day, year, 24-hour
/// hour and minutes) of the local date and clock time the transit chart was
/// computed for.
std::string TransitMomentText(const Horoscope& transit);

}  // namespace sarvexa
