#include "engine/dasha.h"

#include <cmath>

#include "engine/calendar.h"

namespace sarvexa {

namespace {

constexpr int kBuktiCount = dasha::kLordCount * dasha::kLordCount;

// Guards a lord read from a record (a table loaded from a file may hold
// anything) before it indexes the year table.
DashaLord ValidLord(int lord) {
  const int r = lord % dasha::kLordCount;
  return r < 0 ? r + dasha::kLordCount : r;
}

double Years(DashaLord lord) { return kDashaYears[ValidLord(lord)]; }

// years(b) x (1 / 120) for each Bukti lord b, the share of its Maha dasha a
// Bukti takes; the same product the table would otherwise form 81 times.
constexpr std::array<double, dasha::kLordCount> kBuktiShares = [] {
  std::array<double, dasha::kLordCount> shares{};
  for (int b = 0; b < dasha::kLordCount; ++b) shares[b] = kDashaYears[b] * (1.0 / 120.0);
  return shares;
}();

double ReducedLongitude(double lonDeg) {
  if (!std::isfinite(lonDeg)) return 0.0;
  double r = lonDeg - 360.0 * std::floor(lonDeg / 360.0);
  if (r >= 360.0 || r < 0.0) r = 0.0;  // rounding at the top of the circle
  return r;
}

// Whole arc-minutes of a sidereal longitude, 0..21599.
int ArcMinutes(double lonDeg) {
  const int c = static_cast<int>(std::trunc(ReducedLongitude(lonDeg) * 60.0));
  return c > 21599 ? 21599 : c;
}

}  // namespace

DashaLord NextDashaLord(DashaLord lord) { return ValidLord(lord + 1); }

int NakshatraOf(double longitudeDeg) {
  return ArcMinutes(longitudeDeg) / dasha::kNakshatraArcMinutes;
}

int PadaOf(double longitudeDeg) {
  return ArcMinutes(longitudeDeg) % dasha::kNakshatraArcMinutes /
             (dasha::kNakshatraArcMinutes / 4) +
         1;
}

DashaLord NakshatraLord(int nakshatra) { return ValidLord(nakshatra); }

DashaState ComputeDashaTable(const Horoscope& h, double yearDays) {
  DashaState state;
  state.yearDays = yearDays;
  state.birthDayCount = h.julianDay + h.universalTime * (1.0 / 24.0);

  const int c = ArcMinutes(h.positions[graha::Moon].longitude);
  const DashaLord first = (c / dasha::kNakshatraArcMinutes) % dasha::kLordCount;
  // The elapsed part of the nakshatra is counted in whole arc-minutes.
  const double start =
      state.birthDayCount - (c % dasha::kNakshatraArcMinutes) * 0.00125 * Years(first) * yearDays;

  double t = start;
  DashaLord lord = first;
  for (int k = 0; k < dasha::kLordCount; ++k) {
    MahaDasha& m = state.table[k];
    m.lord = static_cast<std::int16_t>(lord);
    m.lengthDays = Years(lord) * yearDays;
    DashaLord b = lord;
    for (int j = 0; j < dasha::kLordCount; ++j) {
      m.buktiStart[j] = t;
      t = t + kBuktiShares[b] * m.lengthDays;
      if (++b == dasha::kLordCount) b = 0;
    }
    if (++lord == dasha::kLordCount) lord = 0;
  }
  return state;
}

double ClockDayCount(const LocalClockReading& clock) {
  return DayNumberFromDate(clock.year, clock.month, clock.day) - 0.5 + clock.hour * (1.0 / 24.0) +
         clock.minute * 0.0006944444444444445;
}

std::optional<CurrentPeriod> FindCurrentPeriodAt(const DashaTable& table, double birthDayCount,
                                                 double now, double yearDays) {
  if (!std::isfinite(now) || !std::isfinite(birthDayCount)) return std::nullopt;
  // 43830 days for the default year, exactly.
  const double cycleDays = dasha::kCycleYears * yearDays;
  if (!(cycleDays > 0.0) || !std::isfinite(cycleDays)) return std::nullopt;

  // Bring a moment beyond the 120-year cycle back into the first cycle. The
  // count of whole cycles is computed rather than looped so that a far-off
  // clock cannot stall the caller; the final loops settle rounding so that
  // the result equals repeated subtraction of the cycle.
  if (now - birthDayCount > cycleDays) {
    const double cycles = std::ceil((now - birthDayCount) / cycleDays) - 1.0;
    if (cycles > 1.0) now -= (cycles - 1.0) * cycleDays;
    // Far from the epoch one cycle is below the spacing of doubles and a
    // subtraction changes nothing; a few steps settle every ordinary case.
    for (int step = 0; step < 8 && now - birthDayCount > cycleDays; ++step) now -= cycleDays;
  }

  int found = -1;
  for (int m = 0; m < dasha::kLordCount && found < 0; ++m) {
    for (int j = 0; j < dasha::kLordCount; ++j) {
      const double s = table[m].buktiStart[j];
      if (s != 0.0 && s >= now) {
        found = m * dasha::kLordCount + j;
        break;
      }
    }
  }
  // A moment before the first start of the table has no earlier Bukti.
  if (found == 0) return std::nullopt;
  const int current = found < 0 ? kBuktiCount - 1 : found - 1;
  const int mahaIndex = current / dasha::kLordCount;
  const int buktiIndex = current % dasha::kLordCount;

  CurrentPeriod p;
  p.maha = ValidLord(table[mahaIndex].lord);
  p.bukti = (p.maha + buktiIndex) % dasha::kLordCount;

  double w = table[mahaIndex].buktiStart[buktiIndex];
  if (w == 0.0) w = now;
  DashaLord next = p.bukti;
  // Pratyantars are at least 5.47 days long and a Bukti at most about 3.3
  // years, so an intact table needs only a few dozen steps; the bound keeps a
  // damaged table from looping for long.
  for (int steps = 0; w < now && steps < 100000; ++steps) {
    w += PratyantarDays(p.maha, p.bukti, next, yearDays);
    next = NextDashaLord(next);
  }
  p.pratyantar = ValidLord(next - 1);
  return p;
}

std::optional<CurrentPeriod> FindCurrentPeriod(const DashaTable& table, double birthDayCount,
                                               const LocalClockReading& clock, double yearDays) {
  return FindCurrentPeriodAt(table, birthDayCount, ClockDayCount(clock), yearDays);
}

double PratyantarDays(DashaLord maha, DashaLord bukti, DashaLord pratyantar, double yearDays) {
  const int product = kDashaYears[ValidLord(maha)] * kDashaYears[ValidLord(bukti)] *
                      kDashaYears[ValidLord(pratyantar)];
  // The factor belongs to the 365.25-day year; for it the scale is exactly 1.
  return product * dasha::kPratyantarDayFactor * (yearDays / dasha::kDaysPerYear);
}

int FirstShownBukti(const MahaDasha& maha, double birthDayCount) {
  for (int j = 0; j < dasha::kLordCount; ++j) {
    if (maha.buktiStart[j] > birthDayCount) return j == 0 ? 0 : j - 1;
  }
  return dasha::kLordCount - 1;
}

std::array<const char*, 3> CurrentPeriodNames(const std::optional<CurrentPeriod>& period) {
  if (!period) return {"--", "--", "--"};
  return {kDashaTwoLetterNames[ValidLord(period->maha)],
          kDashaTwoLetterNames[ValidLord(period->bukti)],
          kDashaTwoLetterNames[ValidLord(period->pratyantar)]};
}

std::string FormatCurrentPeriod(const std::optional<CurrentPeriod>& period) {
  const auto names = CurrentPeriodNames(period);
  return std::string(names[0]) + "/" + names[1] + "/" + names[2];
}

std::array<double, 9> MahaRowDayCounts(const Horoscope& chart, const DashaTable& table) {
  std::array<double, 9> rows{};
  rows[0] = static_cast<double>(chart.julianDay);
  double start = table[0].buktiStart[0];
  for (std::size_t i = 1; i < rows.size(); ++i) {
    start += table[i - 1].lengthDays;
    rows[i] = start;
  }
  return rows;
}

std::vector<MahaBuktiRow> MahaBuktiRowsFromBirth(const Horoscope& chart, const DashaTable& table,
                                                 int count) {
  std::vector<MahaBuktiRow> rows;
  if (count <= 0) return rows;
  rows.reserve(static_cast<std::size_t>(count));
  std::size_t maha = 0;
  int bukti = FirstShownBukti(table[0], static_cast<double>(chart.julianDay));
  for (int i = 0; i < count && maha < table.size(); ++i) {
    const MahaDasha& m = table[maha];
    // The first row carries the chart's own date, not the earlier start of
    // the bukti running then.
    const double start = i == 0 ? static_cast<double>(chart.julianDay)
                                : m.buktiStart[static_cast<std::size_t>(bukti)];
    rows.push_back(MahaBuktiRow{m.lord, (((m.lord + bukti) % 9) + 9) % 9, start});
    if (++bukti == 9) {
      bukti = 0;
      ++maha;
    }
  }
  return rows;
}

}  // namespace sarvexa
