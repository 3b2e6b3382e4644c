// accuracy-table: the built-in theory's error against the Swiss Ephemeris,
// per body, over random moments from 1800 to 2400, as Markdown tables for
// docs/accuracy.md (scripts/accuracy runs it).
//
//   accuracy_table [--charts N] [--seed S]
//
// The comparison is made fair in two steps. The built-in theory adds half an
// arc-minute to every graha (so that its truncated minutes read as rounded):
// that half minute is taken off again. And each theory has its own Lahiri
// ayanamsa: the positions are compared tropically, each theory's sidereal
// longitude plus its own ayanamsa, so that the table shows the error of the
// positions alone; the ayanamsas are compared in a row of their own, and the
// sidereal longitudes as shown (half minute removed) in a column of their own.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/dasha.h"
#include "swiss/swiss_ephemeris.h"

namespace {

using namespace sarvexa;

constexpr double kHalfMinute = 1.0 / 120.0;

// Signed difference a - b in arc-minutes, across 0/360.
double DiffMinutes(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d * 60.0;
}

struct Stat {
  double sumSquares = 0, max = 0;
  long n = 0;
  void Add(double x) {
    sumSquares += x * x;
    max = std::max(max, std::fabs(x));
    ++n;
  }
  double Rms() const { return n ? std::sqrt(sumSquares / n) : 0.0; }
};

// The start of the Maha dasha of `lord` in a table, taken within half a
// cycle of `near` (the table covers one 120-year cycle).
double StartOf(const DashaState& s, DashaLord lord, double near) {
  for (const MahaDasha& m : s.table) {
    if (m.lord == lord) {
      double t = m.buktiStart[0];
      while (t - near > 21915.0) t -= 43830.0;
      while (near - t > 21915.0) t += 43830.0;
      return t;
    }
  }
  return near;
}

// The start of the Maha dasha of `lord` from the Moon's exact longitude,
// without the table's whole arc-minutes, taken within half a cycle of `near`.
double ExactStartOf(double birthDayCount, double moonDeg, DashaLord lord, double near) {
  const double nakshatras = moonDeg * 60.0 / 800.0;
  const int n = static_cast<int>(nakshatras);
  // Years of the cycle run before birth: the lords before the Moon's, and
  // the elapsed part of its own period.
  double years = (nakshatras - n) * kDashaYears[n % 9];
  for (DashaLord l = 0; l < n % 9; ++l) years += kDashaYears[l];
  for (DashaLord l = 0; l < lord; ++l) years -= kDashaYears[l];
  double t = birthDayCount - years * 365.25;
  while (t - near > 21915.0) t -= 43830.0;
  while (near - t > 21915.0) t += 43830.0;
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  int charts = 20000;
  unsigned seed = 19;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--charts") == 0) charts = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
  }
  const std::unique_ptr<PositionTheory> swiss = OpenSwissEphemeris();
  const Conventions lahiriTrueNode{EphemerisKind::Swiss, Ayanamsa::Lahiri, NodeKind::True};

  std::mt19937_64 rng(seed);
  const int first = DayNumberFromDate(1800, 1, 1), last = DayNumberFromDate(2399, 12, 31);
  std::uniform_int_distribution<int> day(first, last);
  std::uniform_int_distribution<int> hour(0, 23), minute(0, 59);
  std::uniform_int_distribution<int> lonDeg(-179, 179), latDeg(-60, 60), arcMin(0, 59);

  std::array<Stat, graha::kCount> tropical{}, shown{};
  Stat ayanamsa, dashaCounted, dashaExact, dashaCounted20th;
  std::map<int, std::array<Stat, graha::kCount>> byCentury;
  std::map<std::string, long> sources;
  double minutesPerArcMinute = 0, minMinutes = 1e9, maxMinutes = 0;

  for (int k = 0; k < charts; ++k) {
    const CivilDate date = DateFromDayNumber(day(rng));
    Horoscope h;
    SetBirthDate(h, date.month, date.day, date.year);
    SetBirthTime(h, hour(rng), minute(rng), 0, 0, 0, 0);
    SetBirthPlace(h, lonDeg(rng), arcMin(rng), latDeg(rng), arcMin(rng));
    Horoscope b = h, s = h;
    CalculateHoroscope(b);
    const Result<PositionSource> source = swiss->Calculate(s, lahiriTrueNode);
    if (!source) {
      std::fprintf(stderr, "accuracy_table: %s\n", source.error().c_str());
      return 1;
    }
    ++sources[DescribePositionSource(*source)];

    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      const double offset = g == graha::Ascendant ? 0.0 : kHalfMinute;
      const double builtinShown = b.positions[g].longitude - offset;
      shown[g].Add(DiffMinutes(builtinShown, s.positions[g].longitude));
      const double position = DiffMinutes(builtinShown - b.ayanamsaCorrection,
                                          s.positions[g].longitude - s.ayanamsaCorrection);
      tropical[g].Add(position);
      byCentury[date.year / 100 * 100][g].Add(position);
    }
    ayanamsa.Add(DiffMinutes(-b.ayanamsaCorrection, -s.ayanamsaCorrection));

    // Birth time for one arc-minute of Moon at this chart's Moon speed.
    const double perArcMinute = 1440.0 / (s.positions[graha::Moon].dailyMotion * 60.0);
    minutesPerArcMinute += perArcMinute;
    minMinutes = std::min(minMinutes, perArcMinute);
    maxMinutes = std::max(maxMinutes, perArcMinute);

    // Dasha dates: the start of the Maha dasha in force at birth in the
    // built-in chart, as the table counts it and from the exact Moon.
    const DashaState db = ComputeDashaTable(b), ds = ComputeDashaTable(s);
    const double startB = db.table[0].buktiStart[0];
    dashaCounted.Add(StartOf(ds, db.table[0].lord, startB) - startB);
    const DashaLord lord = db.table[0].lord;
    const double exactB = ExactStartOf(
        db.birthDayCount, b.positions[graha::Moon].longitude - kHalfMinute, lord, startB);
    dashaExact.Add(
        ExactStartOf(ds.birthDayCount, s.positions[graha::Moon].longitude, lord, exactB) - exactB);
    if (date.year >= 1900 && date.year < 2100) {
      dashaCounted20th.Add(StartOf(ds, db.table[0].lord, startB) - startB);
    }
  }

  std::printf(
      "%d random moments and places from 1 January 1800 to 31 December 2399 (seed %u); "
      "Lahiri ayanamsa, true node; errors in arc-minutes.\n\n",
      charts, seed);
  std::printf("| Body | Position, RMS | Position, max | As shown, RMS | As shown, max |\n");
  std::printf("|---|---:|---:|---:|---:|\n");
  const char* names[graha::kCount] = {"Ascendant", "Sun",   "Moon",   "Mars", "Mercury",
                                      "Jupiter",   "Venus", "Saturn", "Rahu", "Ketu"};
  for (GrahaIndex g = 0; g < graha::Ketu; ++g) {
    std::printf("| %s | %.2f | %.2f | %.2f | %.2f |\n", names[g], tropical[g].Rms(),
                tropical[g].max, shown[g].Rms(), shown[g].max);
  }
  std::printf("| Lahiri ayanamsa | | | %.2f | %.2f |\n\n", ayanamsa.Rms(), ayanamsa.max);

  std::printf("The position error (RMS, arc-minutes) by century:\n\n| Body |");
  for (const auto& [century, stats] : byCentury) std::printf(" %ds |", century);
  std::printf("\n|---|");
  for (std::size_t i = 0; i < byCentury.size(); ++i) std::printf("---:|");
  for (GrahaIndex g = 0; g < graha::Ketu; ++g) {
    std::printf("\n| %s |", names[g]);
    for (const auto& [century, stats] : byCentury) std::printf(" %.2f |", stats[g].Rms());
  }
  std::printf(
      "\n\nOne arc-minute of Moon is %.2f minutes of birth time on average "
      "(%.2f to %.2f with the Moon's speed).\n\n",
      minutesPerArcMinute / charts, minMinutes, maxMinutes);
  std::printf(
      "Start of the Maha dasha in force at birth, Swiss Ephemeris minus built-in theory "
      "(days):\n\n| Counted from | RMS | max |\n|---|---:|---:|\n");
  std::printf("| whole arc-minutes of the Moon, as the dasha table counts | %.1f | %.1f |\n",
              dashaCounted.Rms(), dashaCounted.max);
  std::printf("| whole arc-minutes, births from 1900 to 2099 only | %.1f | %.1f |\n",
              dashaCounted20th.Rms(), dashaCounted20th.max);
  std::printf("| the Moon's exact longitude | %.1f | %.1f |\n\n", dashaExact.Rms(), dashaExact.max);
  std::printf("Swiss Ephemeris data used:");
  for (const auto& [what, count] : sources) std::printf(" %s (%ld charts);", what.c_str(), count);
  std::printf("\n");
  return 0;
}
