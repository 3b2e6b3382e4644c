// The built-in theory as a PositionTheory, and how a library's positions
// enter the chart record.
#include "engine/position_theory.h"

#include <algorithm>
#include <cmath>

#include "engine/chart_calculation.h"
#include "engine/numeric.h"

namespace sarvexa {
namespace {

// The part of a path after its last slash.
std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Builtin final : public PositionTheory {
 public:
  Result<PositionSource> Calculate(Horoscope& h, const Conventions& conventions) const override {
    Conventions own = conventions;
    own.ephemeris = EphemerisKind::Builtin;
    own.dashaYearDays = conventions::kDefaultDashaYearDays;  // not a matter of positions
    if (Result<void> fits = CheckConventions(own); !fits) return Fail(fits.error());
    CalculateHoroscope(h);
    return PositionSource{};
  }
};

// Stores a reduced longitude with its minutes rounded within its sign.
void StoreRounded(GrahaPosition& p, double lonDeg) {
  const double lon = ReduceDegrees(lonDeg);
  p.longitude = lon;
  const std::int32_t sign = TruncToInt(lon / 30.0);
  // Whole minutes within the sign, rounded; the last minute of a sign stays
  // in it rather than carrying to 0 degrees of the next.
  std::int32_t minutes = TruncToInt(std::floor((lon - sign * 30.0) * 60.0 + 0.5));
  if (minutes > 30 * 60 - 1) minutes = 30 * 60 - 1;
  if (minutes < 0) minutes = 0;
  p.signDegrees = static_cast<std::int16_t>(minutes / 60);
  p.minutes = static_cast<std::int16_t>(minutes % 60);
}

inline double FiniteOrZero(double x) { return std::isfinite(x) ? x : 0.0; }

}  // namespace

std::string DescribePositionSource(const PositionSource& source) {
  if (source.ephemeris == EphemerisKind::Builtin) return "built-in theory";
  std::string out = "Swiss Ephemeris";
  if (!source.version.empty()) out += " " + source.version;
  if (!source.files.empty()) {
    out += source.files.size() == 1 ? ", file " : ", files ";
    for (std::size_t i = 0; i < source.files.size(); ++i) {
      if (i > 0) out += i + 1 == source.files.size() ? " and " : ", ";
      out += BaseName(source.files[i]);
    }
  }
  if (source.analytical) {
    out += source.files.empty() ? ", " : ", and ";
    out += "analytical theory";
    if (!source.missingFile.empty()) out += " (no file " + BaseName(source.missingFile) + ")";
  }
  return out;
}

PositionSource CombinedPositionSource(const PositionSource& a, const PositionSource& b) {
  PositionSource out = a;
  if (out.version.empty()) out.version = b.version;
  for (const std::string& file : b.files) {
    if (std::find(out.files.begin(), out.files.end(), file) == out.files.end())
      out.files.push_back(file);
  }
  out.analytical = a.analytical || b.analytical;
  if (out.missingFile.empty()) out.missingFile = b.missingFile;
  return out;
}

const PositionTheory& BuiltinTheory() {
  static const Builtin theory;
  return theory;
}

void StoreEphemerisPositions(const EphemerisPositions& in, Horoscope& h) noexcept {
  h.ayanamsaCorrection = FiniteOrZero(-in.ayanamsaDeg);
  GrahaPosition& asc = h.positions[graha::Ascendant];
  StoreRounded(asc, in.ascendantDeg);
  asc.retrograde = 0;
  for (GrahaIndex g = graha::Sun; g <= graha::Rahu; ++g) {
    GrahaPosition& p = h.positions[g];
    const double speed = FiniteOrZero(in.speedDegPerDay[g - 1]);
    StoreRounded(p, in.longitudeDeg[g - 1]);
    p.dailyMotion = speed;
    // A standstill is not retrograde; the lights and the nodes never are.
    p.retrograde = g >= graha::Mars && g <= graha::Saturn && speed < 0 ? 1 : 0;
  }
  GrahaPosition& ketu = h.positions[graha::Ketu];
  StoreRounded(ketu, h.positions[graha::Rahu].longitude + 180.0);
  ketu.dailyMotion = h.positions[graha::Rahu].dailyMotion;
  ketu.retrograde = 0;
}

}  // namespace sarvexa
