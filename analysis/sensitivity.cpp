#include "analysis/sensitivity.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/birth_time.h"
#include "engine/conventions.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "engine/varga.h"

namespace sarvexa {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kMinutesPerCentury = 36525.0 * 1440.0;

// Every distance to a value's boundary is shortened by this much (degrees,
// about a thousandth of an arc-second), far more than the rounding of any
// longitude or boundary within the supported years. A longitude this close
// to a boundary is stepped past minute by minute.
constexpr double kMarginDeg = 1e-7;

// Why a search fails when its source gave no position for a minute.
constexpr const char* kLackingPosition =
    "the positions of a birth minute within the search range cannot be computed";

// Beyond this many centuries from J2000 the rounding of the long series
// arguments approaches the margin; no bound is used there.
constexpr double kTrustedCenturies = 50.0;

// ---------------------------------------------------------------- factors

std::array<SensitivityFactor, kFactorCount> MakeFactors() {
  std::array<SensitivityFactor, kFactorCount> f{};
  f[0] = {FactorKind::Sign, 0, "Sign"};
  f[1] = {FactorKind::Nakshatra, 0, "Nakshatra"};
  f[2] = {FactorKind::Pada, 0, "Pada"};
  std::size_t next = 3;
  for (int i = 0; i < 12; ++i) {
    if (kPrintDivisions[i] == 9) f[next++] = {FactorKind::Division, 9, kPrintDivisionNames[i]};
  }
  for (int i = 0; i < 12; ++i) {
    if (kPrintDivisions[i] != 9)
      f[next++] = {FactorKind::Division, kPrintDivisions[i], kPrintDivisionNames[i]};
  }
  return f;
}

// The longitudes (degrees, ascending, in [0, 360)) at which a factor's value
// changes. Every rule except division 11 depends on the longitude only
// through its whole arc-minutes (SignOfLongitude's floor of lon / 30 agrees
// with them away from rounding), and no rule has a part narrower than 12
// arc-minutes (the last part of division 7 at the end of Pisces); division
// 11 depends on trunc(fmod(lon, 30) x c), which only grows within a sign.
// So the value cannot change and change back between the middles of two
// neighbouring arc-minutes: comparing the values there finds every change,
// and a bisection between them finds where it lies.
std::vector<double> FindBoundaries(const SensitivityFactor& factor) {
  constexpr int kCells = 21600;
  std::vector<int> middle(kCells);
  for (int a = 0; a < kCells; ++a) middle[a] = FactorValue(factor, (a + 0.5) / 60.0);
  std::vector<double> out;
  for (int a = 0; a < kCells; ++a) {
    const int b = (a + 1) % kCells;
    if (middle[a] == middle[b]) continue;
    if (b == 0) {
      // Every rule starts afresh at 0 Aries (it sees only 0 <= lon < 360), so
      // a change between the last and the first arc-minute lies there.
      out.insert(out.begin(), 0.0);
      continue;
    }
    double lo = (a + 0.5) / 60.0, hi = (b + 0.5) / 60.0;
    for (int i = 0; i < 64 && hi - lo > 1e-13; ++i) {
      const double mid = 0.5 * (lo + hi);
      (FactorValue(factor, mid) == middle[a] ? lo : hi) = mid;
    }
    out.push_back(hi);
  }
  return out;
}

const std::array<std::vector<double>, kFactorCount>& Boundaries() {
  static const std::array<std::vector<double>, kFactorCount> table = [] {
    std::array<std::vector<double>, kFactorCount> t;
    for (int i = 0; i < kFactorCount; ++i) t[i] = FindBoundaries(SensitivityFactors()[i]);
    return t;
  }();
  return table;
}

// How far a longitude may move each way (degrees, the margin taken off)
// before it can reach a change of the factor's value: the distances to the
// boundaries below and above it, round the circle. Negative when it lies
// within the margin of one.
struct Room {
  double below = kInfinity;
  double above = kInfinity;
};

Room RoomAround(const std::vector<double>& bounds, double lon) {
  if (bounds.empty()) return {};
  const auto it = std::upper_bound(bounds.begin(), bounds.end(), lon);
  const double up = it == bounds.end() ? bounds.front() + 360.0 : *it;
  const double down = it == bounds.begin() ? bounds.back() - 360.0 : *(it - 1);
  return {lon - down - kMarginDeg, up - lon - kMarginDeg};
}

// ---------------------------------------------------------------- walking

// The longitudes of the points at birth minutes, asked of the source one
// point and minute at a time, counted, and kept: a minute is never asked
// twice, and whatever else a call gives (a source may cast every point at
// once) is kept for the other points' walks.
class PositionStore {
 public:
  struct Known {
    int minute;
    double lon;
  };

  PositionStore(const Horoscope& birth, BirthPositionSource& source, SearchCounts& counts)
      : birth_(birth), source_(source), counts_(counts) {}

  double At(GrahaIndex point, int minute) {
    auto& known = known_[static_cast<std::size_t>(point)];
    const auto it = Find(known, minute);
    if (it != known.end() && it->minute == minute) return it->lon;
    PointLongitudes out;
    out.fill(std::numeric_limits<double>::quiet_NaN());
    source_.Longitudes(ShiftBirthTime(birth_, minute), PointBit(point), out);
    ++counts_.sourceCalls;
    ++counts_.pointsEvaluated;
    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      if (g != point && std::isfinite(out[static_cast<std::size_t>(g)]))
        Remember(g, minute, out[static_cast<std::size_t>(g)]);
    }
    const double lon = out[static_cast<std::size_t>(point)];
    if (!std::isfinite(lon)) lacking_ = true;
    Remember(point, minute, lon);
    return lon;
  }

  /// True once the source gave no number for a point it was asked for.
  bool lacking() const { return lacking_; }

  void Remember(GrahaIndex point, int minute, double lon) {
    auto& known = known_[static_cast<std::size_t>(point)];
    const auto it = Find(known, minute);
    if (it == known.end() || it->minute != minute) known.insert(it, Known{minute, lon});
  }

  /// The known minutes nearest to `minute` below and above it (both it,
  /// when it is known); nothing on a side without one.
  std::pair<std::optional<Known>, std::optional<Known>> Around(GrahaIndex point, int minute) const {
    const auto& known = known_[static_cast<std::size_t>(point)];
    const auto it = Find(known, minute);
    std::optional<Known> below, above;
    if (it != known.end()) above = *it;
    if (it != known.end() && it->minute == minute) {
      below = *it;
    } else if (it != known.begin()) {
      below = *(it - 1);
    }
    return {below, above};
  }

 private:
  static std::vector<Known>::const_iterator Find(const std::vector<Known>& known, int minute) {
    return std::lower_bound(known.begin(), known.end(), minute,
                            [](const Known& k, int m) { return k.minute < m; });
  }
  static std::vector<Known>::iterator Find(std::vector<Known>& known, int minute) {
    return std::lower_bound(known.begin(), known.end(), minute,
                            [](const Known& k, int m) { return k.minute < m; });
  }

  const Horoscope& birth_;
  BirthPositionSource& source_;
  SearchCounts& counts_;
  std::array<std::vector<Known>, graha::kCount> known_;
  bool lacking_ = false;
};

// One point's longitudes from the store.
class PointLongitudeAt {
 public:
  PointLongitudeAt(PositionStore& store, GrahaIndex point) : store_(store), point_(point) {}
  double operator()(int minute) { return store_.At(point_, minute); }
  using Known = PositionStore::Known;
  std::pair<std::optional<Known>, std::optional<Known>> Around(int minute) const {
    return store_.Around(point_, minute);
  }
  /// The known minute furthest from `from` (exclusive) towards `to`
  /// (inclusive), either way round.
  std::optional<Known> FurthestKnown(int from, int to) const {
    const auto [below, above] = Around(to);
    const std::optional<Known>& candidate = to > from ? below : above;
    if (candidate && (to > from ? candidate->minute > from : candidate->minute < from))
      return candidate;
    return std::nullopt;
  }

 private:
  PositionStore& store_;
  GrahaIndex point_;
};

// How far a factor's value holds in one direction: the last step (minutes
// from the entered time, >= 0) known to carry the value, or nothing when it
// holds to the end of the range.
using Reach = std::optional<int>;

// Steps the point along one direction (dir = +1 later, -1 earlier) for every
// factor at once, trusting only |change| <= k x vMax over k minutes: from an
// evaluated minute whose longitude has room r before any factor still
// followed could change, the next floor(r / vMax) minutes keep every value,
// so the next evaluation is the minute after them. A minute that is
// evaluated is taken as computed, so the reaches are exact whatever the
// bound (an infinite bound steps minute by minute).
std::array<Reach, kFactorCount> WalkBySpeed(PointLongitudeAt& lonAt, int dir, double lon0,
                                            const std::array<int, kFactorCount>& value0,
                                            double vMax, int range) {
  const auto& factors = SensitivityFactors();
  const auto& bounds = Boundaries();
  std::array<Reach, kFactorCount> reach{};
  std::array<bool, kFactorCount> open{};
  open.fill(true);
  int openCount = kFactorCount;
  int step = 0;
  double lon = lon0;
  while (openCount > 0) {
    double room = kInfinity;
    for (int f = 0; f < kFactorCount; ++f) {
      if (!open[f]) continue;
      const Room r = RoomAround(bounds[f], lon);
      room = std::min(room, std::min(r.below, r.above));
    }
    double safe = room > 0 ? std::floor(room / vMax) : 0.0;
    if (!(safe >= 0.0)) safe = 0.0;   // a longitude that is not a number: one minute
    if (safe >= range - step) break;  // every value holds to the range's end
    // A minute the store already holds short of the next one serves as well:
    // every minute up to it keeps the values, and its own are known.
    int next = step + static_cast<int>(safe) + 1;
    if (const auto known = lonAt.FurthestKnown(dir * step, dir * next)) {
      next = dir * known->minute;
      lon = known->lon;
    } else {
      lon = lonAt(dir * next);
    }
    // A minute without a position ends every window: the value is not known
    // to hold there (the search then fails).
    for (int f = 0; f < kFactorCount; ++f) {
      if (open[f] && (!std::isfinite(lon) || FactorValue(factors[f], lon) != value0[f])) {
        reach[f] = next - 1;
        open[f] = false;
        --openCount;
      }
    }
    step = next;
  }
  for (int f = 0; f < kFactorCount; ++f) {
    if (open[f]) reach[f] = std::nullopt;
  }
  return reach;
}

// The same for a longitude that only increases with the birth time, at a
// rate within [vMin, vMax]. Within `span` minutes it turns less than once,
// so its advance from an evaluated minute g, (lon(t) - lon(g)) mod 360 in
// the direction of travel, only grows with t. While that advance stays
// within the room ahead of lon(g) the longitude is still inside the part of
// the circle where the value holds, and so is every minute before t. The
// last such minute lies between floor(room / vMax) (surely inside, by the
// speed alone) and ceil(room / vMin) + 1 (surely past); it is found by
// probing where the advance so far says the boundary is, with a bisection
// every third probe so that a poor guess costs no more than halving would.
// The minute after it is evaluated for the value itself.
class MonotoneWalk {
 public:
  MonotoneWalk(PointLongitudeAt& lonAt, int dir, double vMin, double vMax, int range)
      : lonAt_(lonAt), dir_(dir), vMin_(vMin), vMax_(vMax), range_(range) {
    span_ = static_cast<int>(std::min<double>(range, std::floor(359.0 / vMax)));
  }

  Reach Find(const std::vector<double>& bounds, const SensitivityFactor& factor, int value0) {
    int g = 0;
    for (;;) {
      const double lonG = Lon(g);
      const Room r = RoomAround(bounds, lonG);
      const double ahead = dir_ > 0 ? r.above : r.below;
      // Advance from g in the direction of travel, or infinity where the
      // span allows no claim.
      const auto advance = [&](int t) {
        if (t - g > span_) return kInfinity;
        double a = dir_ > 0 ? Lon(t) - lonG : lonG - Lon(t);
        if (a < 0) a += 360.0;
        return a;
      };
      int lo = g;  // the last minute known to keep the value
      if (ahead > 0) lo = g + static_cast<int>(std::min<double>(range_, std::floor(ahead / vMax_)));
      if (lo >= range_) return std::nullopt;
      int hi = g + span_;  // a minute known (or assumed, until probed) past the room
      if (ahead > 0) {
        const double past = std::ceil((ahead + 2 * kMarginDeg) / vMin_) + 1.0;
        if (past < span_) hi = g + static_cast<int>(past);
      }
      hi = std::max(std::min(hi, range_), lo + 1);
      bool hiProbed = false;
      // The last evaluated minute inside the room, with its advance: the
      // start of the line the next guess is drawn along.
      int anchor = g;
      double anchorAdvance = 0.0;
      bool reachedHi = false;  // hi itself turned out inside the room
      for (int probe = 0; hi - lo > 1 || !hiProbed; ++probe) {
        int t;
        if (hi - lo <= 1) {
          t = hi;
        } else if (probe % 3 == 2) {
          t = lo + (hi - lo) / 2;
        } else {
          const double guess =
              anchor + (ahead - anchorAdvance) /
                           EstimatedSpeed(g, anchor, anchorAdvance, hiProbed ? hi : -1, advance);
          t = static_cast<int>(std::clamp<double>(std::floor(guess), lo + 1, hi - 1));
        }
        t = NearestKnownInside(t, lo, hi);
        const double a = advance(t);
        if (a <= ahead) {
          lo = t;
          anchor = t;
          anchorAdvance = a;
          if (t == hi) {
            reachedHi = true;
            break;
          }
        } else {
          hi = t;
          hiProbed = true;
        }
      }
      if (reachedHi) {
        // Not past the room yet: the range's end, or the span cut the bracket.
        if (hi >= range_) return std::nullopt;
        g = hi;
        continue;
      }
      // Every minute through lo keeps the value; hi is the first one past
      // the room. Its own value decides (it may lie within the margin, or
      // beyond a part of the same value); a minute without a position ends
      // the window.
      const double lonHi = Lon(hi);
      if (!std::isfinite(lonHi) || FactorValue(factor, lonHi) != value0) return lo;
      g = hi;
    }
  }

 private:
  double Lon(int step) { return lonAt_(dir_ * step); }

  // A known minute strictly inside (lo, hi) nearest to step t, which costs
  // no call; t itself when there is none.
  int NearestKnownInside(int t, int lo, int hi) const {
    if (hi - lo <= 1) return t;
    const auto [below, above] = lonAt_.Around(dir_ * t);
    int best = t;
    int bestDistance = std::numeric_limits<int>::max();
    for (const auto& k : {below, above}) {
      if (!k) continue;
      const int s = dir_ * k->minute;
      if (s > lo && s < hi && std::abs(s - t) < bestDistance) {
        best = s;
        bestDistance = std::abs(s - t);
      }
    }
    return best;
  }

  // The advance per minute seen so far: along the bracket when its far end
  // was probed, else from g to the anchor, else from g to any minute already
  // evaluated ahead; the middle of the bounds when nothing is known.
  template <typename Advance>
  double EstimatedSpeed(int g, int anchor, double anchorAdvance, int hi, const Advance& advance) {
    double speed = 0.5 * (vMin_ + vMax_);
    if (hi > anchor) {
      speed = (advance(hi) - anchorAdvance) / (hi - anchor);
    } else if (anchor > g) {
      speed = anchorAdvance / (anchor - g);
    } else {
      const auto [below, above] = lonAt_.Around(dir_ * (g + 1));
      const auto& ahead = dir_ > 0 ? above : below;
      if (ahead && dir_ * ahead->minute > g) {
        const double a = advance(dir_ * ahead->minute);
        if (std::isfinite(a) && a > 0) speed = a / (dir_ * ahead->minute - g);
      }
    }
    // An advance that is not a number (a minute without a position) says
    // nothing about the speed.
    return std::isfinite(speed) ? std::clamp(speed, vMin_, vMax_) : 0.5 * (vMin_ + vMax_);
  }

  PointLongitudeAt& lonAt_;
  int dir_;
  double vMin_, vMax_;
  int range_;
  int span_ = 0;
};

// ---------------------------------------------------------------- the period

// The dasha table at a birth minute, for a Moon longitude there, with years
// of `yearDays` days.
DashaState TableAt(const Horoscope& birth, int minute, double moonLon, double yearDays) {
  Horoscope h = ShiftBirthTime(birth, minute);
  h.positions[graha::Moon].longitude = moonLon;
  return ComputeDashaTable(h, yearDays);
}

bool SameTable(const DashaState& a, const DashaState& b) {
  return a.table[0].lord == b.table[0].lord && a.table[0].buktiStart == b.table[0].buktiStart;
}

// The running period at one birth minute. The table depends on the Moon only
// through its whole arc-minute, so where the Moon only moves forward and the
// minutes already evaluated on both sides give the same table, every
// longitude between them gives it too and no new position is needed.
class PeriodSearch {
 public:
  PeriodSearch(const Horoscope& birth, PointLongitudeAt& moonAt, bool moonMonotone,
               const LocalClockReading& clock, double yearDays)
      : birth_(birth),
        moonAt_(moonAt),
        moonMonotone_(moonMonotone),
        clock_(clock),
        yearDays_(yearDays) {}

  DashaState TableAtMinute(int minute) {
    if (moonMonotone_) {
      const auto [below, above] = moonAt_.Around(minute);
      if (below && above) {
        const DashaState a = TableAt(birth_, minute, below->lon, yearDays_);
        if (below->minute == minute || SameTable(a, TableAt(birth_, minute, above->lon, yearDays_)))
          return a;
      }
    }
    return TableAt(birth_, minute, moonAt_(minute), yearDays_);
  }

  std::optional<CurrentPeriod> PeriodAt(int minute) {
    const DashaState s = TableAtMinute(minute);
    return FindCurrentPeriod(s.table, s.birthDayCount, clock_, yearDays_);
  }

 private:
  const Horoscope& birth_;
  PointLongitudeAt& moonAt_;
  bool moonMonotone_;
  LocalClockReading clock_;
  double yearDays_;
};

}  // namespace

// ---------------------------------------------------------------- public

const std::array<SensitivityFactor, kFactorCount>& SensitivityFactors() {
  static const std::array<SensitivityFactor, kFactorCount> factors = MakeFactors();
  return factors;
}

int FactorValue(const SensitivityFactor& factor, double longitudeDeg) {
  switch (factor.kind) {
    case FactorKind::Sign:
      return SignOfLongitude(longitudeDeg);
    case FactorKind::Nakshatra:
      return NakshatraOf(longitudeDeg);
    case FactorKind::Pada:
      return PadaOf(longitudeDeg);
    case FactorKind::Division:
      return VargaSignOf(longitudeDeg, factor.division);
  }
  return 0;
}

std::string FactorValueText(const SensitivityFactor& factor, int value) {
  switch (factor.kind) {
    case FactorKind::Nakshatra:
      return value >= 0 && value < dasha::kNakshatraCount ? kNakshatraNames[value] : "?";
    case FactorKind::Pada:
      return std::to_string(value);
    case FactorKind::Sign:
    case FactorKind::Division:
      return value >= 0 && value < 12 ? kSignAbbreviations[value] : "?";
  }
  return "?";
}

std::string FactorKey(const SensitivityFactor& factor) {
  std::string key = factor.name;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

bool EndsWithin(const MinuteWindow& window, int minutes) {
  return (window.from && *window.from >= -minutes) || (window.to && *window.to <= minutes);
}

void BuiltInPositions::Longitudes(const Horoscope& birth, PointSet points, PointLongitudes& out) {
  SiderealLongitudes(birth, points, out);
}

PointMotion BuiltInPositions::Motion(const Horoscope& birth, GrahaIndex point, int rangeMinutes) {
  const double T = birth.julianCenturies;
  // One minute more than the range, for the minute just past it.
  const double window = (rangeMinutes + 1.0) / kMinutesPerCentury;
  if (!std::isfinite(T) || std::fabs(T) > kTrustedCenturies) return {kInfinity, 0.0};
  LongitudeRateBounds rate{};
  if (point == graha::Ascendant) {
    rate = AscendantRates(T, birth.latitude, window);
  } else {
    const double ayanamsa = AyanamsaCorrectionRateBound(T, window);
    if (point == graha::Moon) {
      const MoonRateBounds m = MoonRates(T, window);
      rate = {m.moonMin - ayanamsa, m.moonMax + ayanamsa};
    } else if (point == graha::Rahu || point == graha::Ketu) {
      const double node = MoonRates(T, window).nodeMax + ayanamsa;
      rate = {-node, node};
    } else {
      int bodyIndex = 0;
      constexpr std::pair<GrahaIndex, int> kBodies[] = {
          {graha::Sun, body::Sun},         {graha::Mercury, body::Mercury},
          {graha::Venus, body::Venus},     {graha::Mars, body::Mars},
          {graha::Jupiter, body::Jupiter}, {graha::Saturn, body::Saturn}};
      for (const auto& [g, b] : kBodies) {
        if (g == point) bodyIndex = b;
      }
      const LongitudeRateBounds b = PlanetRateBounds(bodyIndex, T, window);
      rate = {b.min - ayanamsa, b.max + ayanamsa};
    }
  }
  if (!std::isfinite(rate.min) || !std::isfinite(rate.max)) return {kInfinity, 0.0};
  PointMotion m;
  m.maxDegPerMinute = std::max(std::fabs(rate.min), std::fabs(rate.max)) / kMinutesPerCentury;
  m.minDegPerMinute = rate.min > 0 ? rate.min / kMinutesPerCentury : 0.0;
  return m;
}

Result<BirthTimeSensitivity> FindBirthTimeSensitivity(const SensitivityRequest& request,
                                                      BirthPositionSource& source) {
  if (request.rangeHours < kMinRangeHours || request.rangeHours > kMaxRangeHours) {
    return Fail("the search range must be 1 to 48 hours");
  }
  if (auto year = CheckDashaYear(request.daysPerYear, "dasha year"); !year)
    return Fail(year.error());
  BirthTimeSensitivity out;
  out.rangeMinutes = request.rangeHours * 60;
  out.clock = request.clock;
  const int range = out.rangeMinutes;
  const Horoscope& birth = request.birth;
  const auto& factors = SensitivityFactors();
  const auto& bounds = Boundaries();

  // Every point at the entered time, in one call.
  PointLongitudes at0{};
  source.Longitudes(ShiftBirthTime(birth, 0), kAllPoints, at0);
  ++out.counts.sourceCalls;
  out.counts.pointsEvaluated += graha::kCount;
  for (const double lon : at0) {
    if (!std::isfinite(lon)) return Fail(kLackingPosition);
  }

  PositionStore store(birth, source, out.counts);
  bool moonMonotone = false;
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    const double lon0 = at0[static_cast<std::size_t>(g)];
    std::array<int, kFactorCount> value0{};
    for (int f = 0; f < kFactorCount; ++f) value0[f] = FactorValue(factors[f], lon0);
    const PointMotion motion = source.Motion(birth, g, range);
    store.Remember(g, 0, lon0);
    PointLongitudeAt lonAt(store, g);
    std::array<Reach, kFactorCount> later{}, earlier{};
    const bool monotone = motion.minDegPerMinute > 0 && std::isfinite(motion.maxDegPerMinute) &&
                          motion.maxDegPerMinute >= motion.minDegPerMinute;
    if (g == graha::Moon) moonMonotone = monotone;
    for (int dir : {+1, -1}) {
      std::array<Reach, kFactorCount>& reach = dir > 0 ? later : earlier;
      if (monotone) {
        MonotoneWalk walk(lonAt, dir, motion.minDegPerMinute, motion.maxDegPerMinute, range);
        for (int f = 0; f < kFactorCount; ++f)
          reach[f] = walk.Find(bounds[f], factors[f], value0[f]);
      } else {
        reach = WalkBySpeed(lonAt, dir, lon0, value0, motion.maxDegPerMinute, range);
      }
    }
    auto& row = out.points[static_cast<std::size_t>(g)];
    for (int f = 0; f < kFactorCount; ++f) {
      row[f].value = value0[f];
      if (earlier[f]) row[f].window.from = -*earlier[f];
      row[f].window.to = later[f];
    }
  }

  if (store.lacking()) return Fail(kLackingPosition);

  // The running period, minute by minute: it hangs on the Moon's whole
  // arc-minute and on the birth moment, and a period's window is short.
  PointLongitudeAt moonAt(store, graha::Moon);
  PeriodSearch periods(birth, moonAt, moonMonotone, request.clock, request.daysPerYear);
  out.runningPeriod.value = periods.PeriodAt(0);
  // A clock before the first Maha dasha's start at every minute of the
  // range has no period anywhere in it: that start is never more than the
  // longest Maha dasha before the birth moment.
  const double longestMaha =
      *std::max_element(std::begin(kDashaYears), std::end(kDashaYears)) * request.daysPerYear;
  const double earliestBirth =
      ComputeDashaTable(ShiftBirthTime(birth, -range), request.daysPerYear).birthDayCount;
  const bool noneInRange =
      !out.runningPeriod.value && ClockDayCount(request.clock) + longestMaha + 1.0 < earliestBirth;
  for (int dir : {+1, -1}) {
    std::optional<int> side;
    for (int step = 1; step <= range && !noneInRange; ++step) {
      if (periods.PeriodAt(dir * step) != out.runningPeriod.value) {
        side = dir * (step - 1);
        break;
      }
    }
    (dir > 0 ? out.runningPeriod.window.to : out.runningPeriod.window.from) = side;
  }

  // The dasha dates' rate over the Moon's nakshatra window.
  constexpr int kNakshatraColumn = 1;
  const MinuteWindow& nak = out.points[graha::Moon][kNakshatraColumn].window;
  const int first = nak.from.value_or(-range), last = nak.to.value_or(range);
  if (last > first) {
    const double startFirst = periods.TableAtMinute(first).table[0].buktiStart[0];
    const double startLast = periods.TableAtMinute(last).table[0].buktiStart[0];
    out.daysPerMinute = (startLast - startFirst) / (last - first);
  }

  if (store.lacking()) return Fail(kLackingPosition);

  Horoscope entered = ShiftBirthTime(birth, 0);
  entered.positions[graha::Moon].longitude = at0[graha::Moon];
  out.balance =
      BalanceAtBirth(ComputeDashaTable(entered, request.daysPerYear), request.daysPerYear);
  return out;
}

}  // namespace sarvexa
