#pragma once
// The conventions of a chart in words, wherever its positions are shown:
// the ayanamsa line of the information panel and of the text export, and a
// line naming every convention and the ephemeris's source for the exports
// and reports of a chart cast under anything but the defaults. With the
// defaults the texts are what they have always been.

#include <string>
#include <string_view>

#include "engine/conventions.h"
#include "engine/horoscope.h"
#include "engine/position_theory.h"

namespace sarvexa {

/// "Lahiri" .. "Fagan-Bradley".
std::string_view AyanamsaTitle(Ayanamsa ayanamsa);

/// The magnitude of the chart's ayanamsa as the conventions show it: whole
/// degrees and minutes rounded ("24:14") for the built-in theory, with the
/// arc-seconds rounded ("24:14:05") for the Swiss Ephemeris.
std::string AyanamsaValue(const Horoscope& h, const Conventions& conventions);

/// The ayanamsa line. The built-in theory: "Lahiri Ayanamsa: 24:14  365.25
/// Day Year" (degrees and minutes of `ayanamsaCorrection` rounded, as
/// magnitudes; the dasha year as DashaYearText gives it). The Swiss
/// Ephemeris names itself (with "(analytical)" when the library fell back
/// to its analytical theory), the ayanamsa to the arc-second and the node:
/// "Swiss Eph.  Fagan-Bradley Ayanamsa: 24:44:11  Mean Node  360 Day Year".
std::string AyanamsaLine(const Horoscope& h, const Conventions& conventions,
                         const PositionSource& source);

/// What the Ephemeris page names under its rows, whose ayanamsa changes
/// from row to row and which has no dashas: empty for the built-in theory,
/// "Swiss Eph.  Fagan-Bradley Ayanamsa  Mean Node" for the Swiss Ephemeris.
std::string EphemerisConventionsLine(const Conventions& conventions, const PositionSource& source);

/// Empty with the default conventions; otherwise one line naming them all
/// and where the positions came from: "Ephemeris: Swiss Ephemeris
/// 2.10.03-deb1, files sepl_18.se1 and semo_18.se1; ayanamsa: Raman; node:
/// mean; dasha year: 360 days".
std::string ConventionsNote(const Conventions& conventions, const PositionSource& source);
/// The same where the source is not known: the ephemeris by its name only.
std::string ConventionsNote(const Conventions& conventions);

}  // namespace sarvexa
