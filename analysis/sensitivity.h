#pragma once
// Birth-time sensitivity: which placements of a chart would change if the
// recorded birth time were a few minutes off. For the Ascendant and the nine
// grahas it finds, for the sign, the nakshatra, the pada and the sign in
// every divisional chart, the window of birth minutes around the entered
// time in which the value stays as it is; likewise for the Maha/Bukti/
// Pratyantar running at a clock reading. It also tells how far one minute of
// birth time moves the dasha dates, and the dasha balance at birth.
//
// A birth minute m is the chart's birth moved m minutes of local clock time
// (ShiftBirthTime: the zone and DST kept, the date rolling over). Values are
// those of the program's own rules (SignOfLongitude, NakshatraOf, PadaOf,
// VargaSignOf, ComputeDashaTable and FindCurrentPeriod) applied to the
// longitudes a BirthPositionSource gives, so a window holds exactly for the
// theory that source computes.
//
// The search casts few charts: between two evaluated minutes a longitude
// cannot reach a value's boundary faster than its source's proven speed
// allows, and a longitude that only moves forward (the Sun, the Moon, the
// Ascendant inside the polar circles) is bracketed and bisected. Where no
// bound is known it steps minute by minute.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/chart_calculation.h"
#include "engine/dasha.h"
#include "engine/dasha_balance.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa {

/// How fast one point's sidereal longitude can move with the birth time,
/// over the whole search range, in degrees per minute of birth time.
struct PointMotion {
  /// |change| over k minutes is at most k x this; infinity: no bound known.
  double maxDegPerMinute = 0.0;
  /// When above 0, the longitude only increases with a later birth, at least
  /// this fast (it never stands or turns back).
  double minDegPerMinute = 0.0;
};

/// Where the search takes positions from. An implementation stands for one
/// theory: the longitudes must be those its full chart calculation gives,
/// bit for bit, and the motion bounds must hold for them.
class BirthPositionSource {
 public:
  virtual ~BirthPositionSource() = default;
  /// Writes out[g] for every point g in `points`, cast for the birth data
  /// of `birth` (its date, Universal Time, julianCenturies, zone, DST and
  /// place; its positions are not read). Other entries may be written too.
  /// A point it cannot cast (a date outside its theory) is written as NaN.
  virtual void Longitudes(const Horoscope& birth, PointSet points, PointLongitudes& out) = 0;
  /// A bound on how `point` moves for births within `rangeMinutes` either
  /// side of `birth` (a bound of infinity is always allowed).
  virtual PointMotion Motion(const Horoscope& birth, GrahaIndex point, int rangeMinutes) = 0;
};

/// The program's own theory: SiderealLongitudes for the positions (the
/// points asked for only), and the bounds proven from its formulas
/// (PlanetRateBounds, MoonRates, AscendantRates, AyanamsaCorrectionRateBound).
class BuiltInPositions final : public BirthPositionSource {
 public:
  void Longitudes(const Horoscope& birth, PointSet points, PointLongitudes& out) override;
  PointMotion Motion(const Horoscope& birth, GrahaIndex point, int rangeMinutes) override;
};

/// What a column of the table looks at.
enum class FactorKind { Sign, Nakshatra, Pada, Division };

struct SensitivityFactor {
  FactorKind kind = FactorKind::Sign;
  int division = 0;       ///< for FactorKind::Division: 2..12 or 24
  const char* name = "";  ///< as the pages name it: "Sign", "Nakshatra", "Pada", "Navamsa", ...
};

inline constexpr int kFactorCount = 15;

/// The columns in order: sign, nakshatra, pada, navamsa, then the other
/// divisions of kPrintDivisions in their page order.
const std::array<SensitivityFactor, kFactorCount>& SensitivityFactors();

/// The factor's value for a sidereal longitude: SignIndex 0..11,
/// nakshatra 0..26, pada 1..4, or the varga SignIndex 0..11.
int FactorValue(const SensitivityFactor& factor, double longitudeDeg);

/// The value as text: "Aq", "Dhanishtha", "3".
std::string FactorValueText(const SensitivityFactor& factor, int value);

/// The factor's name in lower case, as JSON members name it ("sign",
/// "navamsa", "chaturvimsamsa").
std::string FactorKey(const SensitivityFactor& factor);

/// The birth minutes, as offsets from the entered time, through which a
/// value holds without a break: every minute from `from` to `to` has it,
/// minute from - 1 and minute to + 1 do not. Nothing where the value still
/// holds at the end of the search range.
struct MinuteWindow {
  std::optional<int> from;  ///< <= 0
  std::optional<int> to;    ///< >= 0
  friend bool operator==(const MinuteWindow&, const MinuteWindow&) = default;
};

/// True when the window ends within `minutes` of the entered time on
/// either side: a placement a small error of the recorded time would change.
bool EndsWithin(const MinuteWindow& window, int minutes);

/// A value at the entered time with its window.
struct FactorWindow {
  int value = 0;
  MinuteWindow window;
};

/// The running Maha/Bukti/Pratyantar with its window.
struct PeriodWindow {
  std::optional<CurrentPeriod> value;  ///< nothing for a birth after the clock
  MinuteWindow window;
};

/// How much work the search did.
struct SearchCounts {
  int sourceCalls = 0;      ///< calls of BirthPositionSource::Longitudes
  int pointsEvaluated = 0;  ///< points asked for, summed over the calls
};

/// What the search asks about.
struct SensitivityRequest {
  Horoscope birth{};        ///< the chart's birth data (positions are not read)
  LocalClockReading clock;  ///< the moment the running period is for
  /// The dasha year (the chart's convention, 300..400 days): the tables of
  /// the running period, the dates' rate and the balance are built with it.
  double daysPerYear = dasha::kDaysPerYear;
  int rangeHours = 24;  ///< how far either way to look, 1..48
};

inline constexpr int kMinRangeHours = 1;
inline constexpr int kMaxRangeHours = 48;
inline constexpr int kDefaultRangeHours = 24;

/// The whole table.
struct BirthTimeSensitivity {
  int rangeMinutes = 0;
  LocalClockReading clock;
  /// Keyed by GrahaIndex, then by the order of SensitivityFactors().
  std::array<std::array<FactorWindow, kFactorCount>, graha::kCount> points{};
  PeriodWindow runningPeriod;
  /// How many days the dasha dates move per minute of later birth: the
  /// change of the first Maha dasha's start (and with it of every dasha
  /// date) between the first and the last minute of the Moon's nakshatra
  /// window (the range's end where the window reaches it), divided by the
  /// minutes between them. Negative: a later birth has more of the
  /// nakshatra behind it, so every period started earlier.
  double daysPerMinute = 0.0;
  DashaBalance balance;  ///< at the entered time
  SearchCounts counts;
};

/// Searches the table for `request` with positions from `source`. Fails
/// for a range outside 1..48 hours, a dasha year outside 300..400 days, or
/// a source that gave no position (NaN) for a minute the search needed: the
/// search stops there instead of stepping on through the range.
Result<BirthTimeSensitivity> FindBirthTimeSensitivity(const SensitivityRequest& request,
                                                      BirthPositionSource& source);

}  // namespace sarvexa
