#pragma once
// Vimshottari dashas: the 120-year cycle of nine Maha dashas entered at the
// Moon's nakshatra, their Buktis and Pratyantars, and the period running at a
// given clock reading. Free functions over plain records; the caller reads the
// clock and passes it in.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/horoscope.h"

namespace sarvexa {

/// Ruler of a dasha period, 0..8 in running order: Ketu, Venus, Sun, Moon,
/// Mars, Rahu, Jupiter, Saturn, Mercury. The lord after 8 is 0.
using DashaLord = int;

namespace dasha {
inline constexpr int kLordCount = 9;
inline constexpr double kDaysPerYear = 365.25;  ///< the default period year
inline constexpr int kCycleYears = 120;         ///< the Vimshottari cycle
inline constexpr int kNakshatraCount = 27;
inline constexpr int kNakshatraArcMinutes = 800;  ///< 13 degrees 20 minutes
/// Days per unit of the integer product years(L) x years(B) x years(P): 1/39.45.
inline constexpr double kPratyantarDayFactor = 0.025348542458808618;
}  // namespace dasha

/// Years of each lord's Maha dasha, keyed by DashaLord (they add up to 120).
inline constexpr int kDashaYears[dasha::kLordCount] = {7, 20, 6, 10, 7, 18, 16, 19, 17};

/// Names keyed by DashaLord: "Ketu" .. "Mercury".
inline constexpr const char* kDashaNames[dasha::kLordCount] = {
    "Ketu", "Venus", "Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury"};

/// Upper-case names keyed by DashaLord: "KETU" .. "MERCURY".
inline constexpr const char* kDashaUpperNames[dasha::kLordCount] = {
    "KETU", "VENUS", "SUN", "MOON", "MARS", "RAHU", "JUPITER", "SATURN", "MERCURY"};

/// Two-letter names keyed by DashaLord: "Ke" .. "Me".
inline constexpr const char* kDashaTwoLetterNames[dasha::kLordCount] = {
    "Ke", "Ve", "Su", "Mo", "Ma", "Ra", "Ju", "Sa", "Me"};

/// The chart point that rules each DashaLord.
inline constexpr GrahaIndex kDashaGraha[dasha::kLordCount] = {9, 6, 1, 2, 3, 8, 5, 7, 4};

/// Nakshatra names, 0 Aswini .. 26 Revati; nakshatra n is ruled by DashaLord n mod 9.
inline constexpr const char* kNakshatraNames[dasha::kNakshatraCount] = {
    "Aswini",   "Bharani",    "Krittika",  "Rohini",     "Mrigsira",   "Ardra",    "Punarvasu",
    "Pushya",   "Aslesha",    "Magha",     "P.Phalguni", "U.Phalguni", "Hasta",    "Chitra",
    "Swati",    "Vishakha",   "Anuradha",  "Jyeshtha",   "Mula",       "P.Shadya", "U.Shadya",
    "Shravana", "Dhanishtha", "Shatbisha", "P.Bhadra",   "U.Bhadra",   "Revati"};

/// One Maha dasha. Bukti k is ruled by (lord + k) mod 9; buktiStart[0] is
/// also the start of the Maha dasha. Moments are day counts (JDN + hours/24).
struct MahaDasha {
  std::int16_t lord = 0;               ///< DashaLord of the period
  double lengthDays = 0.0;             ///< years(lord) x the dasha year (365.25 days by default)
  std::array<double, 9> buktiStart{};  ///< day count at which each Bukti starts
};

/// Nine Maha dashas in running order; entry 0 is the period in force at birth.
using DashaTable = std::array<MahaDasha, dasha::kLordCount>;

/// What ComputeDashaTable produces for one chart.
struct DashaState {
  double birthDayCount = 0.0;  ///< julianDay + universalTime / 24
  DashaTable table{};
  double yearDays = dasha::kDaysPerYear;  ///< the dasha year the table was built with
};

/// The Maha dasha, Bukti and Pratyantar lords running at one moment.
struct CurrentPeriod {
  DashaLord maha = 0;
  DashaLord bukti = 0;
  DashaLord pratyantar = 0;
  friend bool operator==(const CurrentPeriod&, const CurrentPeriod&) = default;
};

/// A reading of the local clock: civil date and 24-hour time, no zone applied.
/// Seconds are not used by the period search.
struct LocalClockReading {
  int year = 2000;
  int month = 1;   ///< 1..12
  int day = 1;     ///< 1..31
  int hour = 0;    ///< 0..23
  int minute = 0;  ///< 0..59
};

/// Lord following `lord` in the Vimshottari order (8 wraps to 0).
DashaLord NextDashaLord(DashaLord lord);

/// Nakshatra 0..26 of a sidereal longitude in degrees:
/// trunc(trunc(longitude x 60) / 800). Out-of-range values are first reduced
/// into 0 <= x < 360 (a value that is not finite counts as 0).
int NakshatraOf(double longitudeDeg);

/// Pada 1..4 of a sidereal longitude: the quarter of its nakshatra, from
/// the same whole arc-minutes as NakshatraOf: (arc-minutes mod 800) / 200 + 1.
int PadaOf(double longitudeDeg);

/// DashaLord ruling nakshatra 0..26.
DashaLord NakshatraLord(int nakshatra);

/// Builds the dasha table from the Moon's longitude (positions[2]) and the
/// birth moment of a calculated chart, with years of `yearDays` days (300..400;
/// the caller checks it, see conventions.h). Every length scales with it.
DashaState ComputeDashaTable(const Horoscope& h, double yearDays = dasha::kDaysPerYear);

/// The clock reading as a day count: DayNumberFromDate - 0.5 + hour/24 + minute/1440.
double ClockDayCount(const LocalClockReading& clock);

/// The period running at `now` (a day count) in a table built with years of
/// `yearDays` days. A person older than 120 such years gets the period of the
/// corresponding moment of the first cycle. A moment exactly on a Bukti start
/// reports the period that ends there. Returns nothing when `now` lies before
/// the first Bukti start of the table (a chart dated in the future).
std::optional<CurrentPeriod> FindCurrentPeriodAt(const DashaTable& table, double birthDayCount,
                                                 double now, double yearDays = dasha::kDaysPerYear);

/// FindCurrentPeriodAt for a local clock reading.
std::optional<CurrentPeriod> FindCurrentPeriod(const DashaTable& table, double birthDayCount,
                                               const LocalClockReading& clock,
                                               double yearDays = dasha::kDaysPerYear);

/// Length in days of the Pratyantar of lord p within Bukti b of Maha dasha m:
/// years(m) x years(b) x years(p) x 1/39.45, scaled by yearDays / 365.25. The
/// nine Pratyantars of a Bukti add up to slightly less than the Bukti; each
/// Bukti restarts from its own start.
double PratyantarDays(DashaLord maha, DashaLord bukti, DashaLord pratyantar,
                      double yearDays = dasha::kDaysPerYear);

/// Index 0..8 of the first Bukti a Maha/Bukti listing shows: the Bukti in
/// force at birth for the birth Maha dasha, 0 for all later ones.
int FirstShownBukti(const MahaDasha& maha, double birthDayCount);

/// The day counts of the nine maha dasha rows: row 0 the chart's own date
/// (its julianDay), row i >= 1 the start of maha i (the first bukti start of
/// maha 0 plus the lengths of mahas 0 .. i - 1).
std::array<double, 9> MahaRowDayCounts(const Horoscope& chart, const DashaTable& table);

/// One row of the printed Maha/Bukti list.
struct MahaBuktiRow {
  DashaLord maha = 0;
  DashaLord bukti = 0;
  double startDayCount = 0.0;  ///< the chart's own date for the first row
};

/// `count` consecutive Maha/Bukti periods, from the bukti in force on the
/// chart's date (its whole day number), crossing into later mahas as needed
/// (never past the last maha of the table).
std::vector<MahaBuktiRow> MahaBuktiRowsFromBirth(const Horoscope& chart, const DashaTable& table,
                                                 int count);

/// Two-letter names of the three lords, or "--" for each when there is no
/// current period (a future-dated chart).
std::array<const char*, 3> CurrentPeriodNames(const std::optional<CurrentPeriod>& period);

/// "Ra/Ju/Sa" style text of the current period, "--/--/--" when there is none.
std::string FormatCurrentPeriod(const std::optional<CurrentPeriod>& period);

}  // namespace sarvexa
