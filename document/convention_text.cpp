#include "document/convention_text.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa {

std::string_view AyanamsaTitle(Ayanamsa a) {
  const auto i = static_cast<std::size_t>(a);
  return i < kAyanamsaTitles.size() ? kAyanamsaTitles[i] : std::string_view("?");
}

std::string AyanamsaValue(const Horoscope& h, const Conventions& c) {
  if (c.ephemeris == EphemerisKind::Builtin) {
    const WholeAndMinutes a = SplitDegreesRounded(h.ayanamsaCorrection);
    return FormatText("%2d:%02d", SaturatingAbs(a.whole), SaturatingAbs(a.minutes));
  }
  // Arc-seconds of the magnitude, rounded; the library's ayanamsa is finite.
  const double seconds = std::fabs(h.ayanamsaCorrection) * 3600.0;
  const long total = std::isfinite(seconds) && seconds < 1e9 ? std::lround(seconds) : 0;
  return FormatText("%2ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
}

namespace {

// "Swiss Eph.", and what the library fell back to.
std::string SwissName(const PositionSource& source) {
  return std::string("Swiss Eph.") + (source.analytical ? " (analytical)" : "");
}

std::string NodeTitle(const Conventions& c) {
  return c.node == NodeKind::Mean ? "Mean Node" : "True Node";
}

}  // namespace

std::string AyanamsaLine(const Horoscope& h, const Conventions& c, const PositionSource& source) {
  const std::string value = AyanamsaValue(h, c);
  const std::string year = DashaYearText(c.dashaYearDays);
  if (c.ephemeris == EphemerisKind::Builtin) {
    return "Lahiri Ayanamsa: " + value + "  " + year + " Day Year";
  }
  return SwissName(source) + "  " + std::string(AyanamsaTitle(c.ayanamsa)) + " Ayanamsa: " + value +
         "  " + NodeTitle(c) + "  " + year + " Day Year";
}

std::string EphemerisConventionsLine(const Conventions& c, const PositionSource& source) {
  if (c.ephemeris == EphemerisKind::Builtin) return {};
  return SwissName(source) + "  " + std::string(AyanamsaTitle(c.ayanamsa)) + " Ayanamsa  " +
         NodeTitle(c);
}

std::string ConventionsNote(const Conventions& c, const PositionSource& source) {
  if (c == Conventions{}) return {};
  return "Ephemeris: " + DescribePositionSource(source) +
         "; ayanamsa: " + std::string(AyanamsaTitle(c.ayanamsa)) +
         "; node: " + std::string(NodeName(c.node)) +
         "; dasha year: " + DashaYearText(c.dashaYearDays) + " days";
}

std::string ConventionsNote(const Conventions& c) {
  PositionSource source;
  source.ephemeris = c.ephemeris;
  return ConventionsNote(c, source);
}

}  // namespace sarvexa
