#include "document/ephemeris_series.h"

#include <algorithm>
#include <cctype>

#include "engine/chart_calculation.h"
#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa {
namespace {

// T for local midnight of `julianDay` in a chart whose `universalTime` already
// holds zone - dst.
double MidnightCenturies(std::int32_t julianDay, double universalTime) {
  return (static_cast<double>(julianDay) - 2451545.0 + universalTime / 24.0 - 0.5) / 36525.0;
}

int Wrap(int value, int modulus) {
  const int r = value % modulus;
  return r < 0 ? r + modulus : r;
}

}  // namespace

std::optional<EphemerisInterval> EphemerisIntervalFromIndex(int index) {
  if (index < 0 || index > 3) return std::nullopt;
  return static_cast<EphemerisInterval>(index);
}

std::optional<EphemerisInterval> EphemerisIntervalFromName(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "daily") return EphemerisInterval::Daily;
  if (lower == "weekly") return EphemerisInterval::Weekly;
  if (lower == "monthly") return EphemerisInterval::Monthly;
  if (lower == "yearly") return EphemerisInterval::Yearly;
  return std::nullopt;
}

Horoscope EphemerisStartHoroscope(const Horoscope& chart, std::int32_t startDay) {
  Horoscope h = chart;
  h.universalTime = h.zone - h.dst;
  if (startDay != 0) {
    h.julianDay = startDay;
    h.julianCenturies = MidnightCenturies(startDay, h.universalTime);
  }
  return h;
}

std::int32_t NextEphemerisDay(std::int32_t julianDay, EphemerisInterval interval) {
  // A chart file may carry any day number; at the end of the range the
  // series stays on the last day instead of wrapping to a negative year.
  const auto later = [julianDay](std::int64_t days) { return ClampToInt32(julianDay + days); };
  switch (interval) {
    case EphemerisInterval::Daily:
      return later(1);
    case EphemerisInterval::Weekly:
      return later(7);
    case EphemerisInterval::Monthly: {
      const CivilDate d = DateFromDayNumber(julianDay);
      int month = d.month + 1;
      int year = d.year;
      if (month == 13) {
        month = 1;
        ++year;
      }
      // The day of the month is kept even where the month is shorter; the
      // day number then falls into the next month (31 February is 3 March).
      return DayNumberFromDate(year, month, d.day);
    }
    case EphemerisInterval::Yearly: {
      const CivilDate d = DateFromDayNumber(julianDay);
      return DayNumberFromDate(d.year + 1, d.month, d.day);
    }
  }
  return later(1);
}

Result<std::vector<EphemerisRow>> ComputeEphemerisSeries(const Horoscope& chart,
                                                         std::int32_t startDay,
                                                         EphemerisInterval interval, int rowCount,
                                                         const CastContext& context) {
  std::vector<EphemerisRow> rows;
  if (rowCount <= 0) return rows;
  rows.reserve(static_cast<std::size_t>(rowCount));
  Horoscope h = EphemerisStartHoroscope(chart, startDay);
  for (int i = 0; i < rowCount; ++i) {
    Result<PositionSource> cast = CastPositions(h, context);
    if (!cast) return Fail(cast.error());
    EphemerisRow row;
    row.julianDay = h.julianDay;
    row.date = DateFromDayNumber(h.julianDay);
    row.horoscope = h;
    row.source = std::move(*cast);
    rows.push_back(row);
    h.julianDay = NextEphemerisDay(h.julianDay, interval);
    h.julianCenturies = MidnightCenturies(h.julianDay, h.universalTime);
  }
  return rows;
}

PositionSource EphemerisSeriesSource(const std::vector<EphemerisRow>& rows,
                                     EphemerisKind ephemeris) {
  PositionSource source;
  source.ephemeris = ephemeris;
  for (const EphemerisRow& row : rows) source = CombinedPositionSource(source, row.source);
  return source;
}

std::string EphemerisDateText(const CivilDate& date) {
  return FormatText("%s %2d,%d: ", kMonthAbbreviations[Wrap(date.month - 1, 12)], date.day,
                    date.year);
}

std::string EphemerisCellText(const GrahaPosition& position) {
  const WholeAndMinutes dm = SplitDegrees(position.longitude);
  return FormatText("%02d%s%02d%s", Wrap(dm.whole, 30), kSignAbbreviations[Wrap(dm.whole / 30, 12)],
                    dm.minutes, position.retrograde ? "R" : "");
}

std::string EphemerisSeriesText(const std::vector<EphemerisRow>& rows) {
  // Widths: the date column fits "Sep 30,2100: "; a cell is at most
  // "29Pi59R" (7 characters), so 8 keeps one blank between columns.
  constexpr int kDateWidth = 14;
  constexpr int kCellWidth = 8;
  const auto pad = [](std::string text, int width) {
    if (static_cast<int>(text.size()) < width) text.append(width - text.size(), ' ');
    return text;
  };
  const auto trimRight = [](std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  };
  std::string out;
  std::string header = pad("Date", kDateWidth);
  for (const char* name : kEphemerisColumnHeaders) header += pad(name, kCellWidth);
  out += trimRight(header) + "\n";
  for (const EphemerisRow& row : rows) {
    std::string line = pad(EphemerisDateText(row.date), kDateWidth);
    for (GrahaIndex g = graha::Sun; g <= graha::Rahu; ++g) {
      line +=
          pad(EphemerisCellText(row.horoscope.positions[static_cast<std::size_t>(g)]), kCellWidth);
    }
    out += trimRight(line) + "\n";
  }
  return out;
}

}  // namespace sarvexa
