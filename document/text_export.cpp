#include "document/text_export.h"

#include <cmath>
#include <cstdlib>

#include "analysis/sa_report.h"
#include "document/chart_snapshot.h"
#include "document/convention_text.h"
#include "engine/calendar.h"
#include "engine/numeric.h"
#include "engine/ordering.h"
#include "engine/text_format.h"
#include "engine/varga.h"

namespace sarvexa {
namespace {

int Wrap(int value, int modulus) {
  const int r = value % modulus;
  return r < 0 ? r + modulus : r;
}

const char* MonthName(int month) { return kMonthAbbreviations[Wrap(month - 1, 12)]; }

// Sign of a longitude for the Rashi chart: floor(longitude / 30), kept in
// 0..11 even for a value that was never reduced.
SignIndex SignOf(double longitudeDeg) {
  if (!std::isfinite(longitudeDeg)) return 0;
  return Wrap(static_cast<int>(std::floor(longitudeDeg / 30.0)), 12);
}

// "Longitude: %d%c%02d" style: d and m from SplitDegreesRounded; a negative
// value is shown as magnitudes with the negative letter, so 0 deg 30 min East
// shows as 0E30.
std::string Coordinate(double value, char positiveLetter, char negativeLetter) {
  const WholeAndMinutes dm = SplitDegreesRounded(value);
  int d = dm.whole;
  int m = dm.minutes;
  char letter = positiveLetter;
  if (d < 0) {
    d = SaturatingNegate(d);
    m = SaturatingAbs(m);
    letter = negativeLetter;
  } else if (d == 0 && m < 0) {
    m = SaturatingNegate(m);
    letter = negativeLetter;
  }
  return FormatText("%d%c%02d", d, letter, m);
}

std::string DateWords(const CivilDate& date) {
  return FormatText("%s %d,%d", MonthName(date.month), date.day, date.year);
}

void AppendChart(std::string& out, const CharGrid& grid) {
  for (const std::string& row : grid) {
    out += row;
    out += '\n';
  }
}

}  // namespace

std::string ToCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string TextDefaultFileName(const std::string& firstName, const std::string& lastName) {
  return firstName + " " + lastName + ".txt";
}

std::string TextExportTimeLine(const Horoscope& chart) {
  const WholeAndMinutes clock = SplitDegreesRounded(chart.universalTime - chart.zone + chart.dst);
  int hour = clock.whole;
  const bool am = hour < 12;
  if (!am) hour -= 12;
  if (hour == 0) hour = 12;
  const WholeAndMinutes zone = SplitDegreesRounded(chart.zone);
  const WholeAndMinutes dst = SplitDegreesRounded(static_cast<double>(chart.dst));
  return FormatText(
      am ? "Time: %d:%02dAM  Zone: %d:%02d  DST: %d" : "Time: %d:%02dPM  Zone: %d:%02d  DST: %d",
      hour, clock.minutes, SaturatingAbs(zone.whole), SaturatingAbs(zone.minutes), dst.whole);
}

std::string TextExportPlaceLine(const Horoscope& chart) {
  return "Longitude: " + Coordinate(chart.longitude, 'W', 'E') +
         "  Latitude: " + Coordinate(chart.latitude, 'N', 'S');
}

std::string TextExportPositionLine(const Horoscope& chart, GrahaIndex point) {
  const GrahaPosition& p = chart.positions[static_cast<std::size_t>(point)];
  std::string line = kGrahaTwoLetterNames[point];
  line += p.retrograde == 1 ? "R " : "  ";
  const WholeAndMinutes dm = SplitDegrees(p.longitude);
  line += FormatText("%02d:%02d %s ", Wrap(dm.whole, 30), dm.minutes,
                     kSignAbbreviations[Wrap(dm.whole / 30, 12)]);
  const int nakshatra = NakshatraOf(p.longitude);
  line += FormatText("%-10s %s", kNakshatraNames[nakshatra],
                     kGrahaTwoLetterNames[kDashaGraha[NakshatraLord(nakshatra)]]);
  return line;
}

CharChartInput RashiCharChartInput(const Horoscope& chart, CharChartStyle) {
  CharChartInput in;
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    const GrahaPosition& p = chart.positions[static_cast<std::size_t>(g)];
    in.signs[static_cast<std::size_t>(g)] = SignOf(p.longitude);
    in.labels[static_cast<std::size_t>(g)] =
        FormatText(p.retrograde == 1 ? "%sR%02d:%02d" : "%s %02d:%02d", kGrahaUpperNames[g],
                   static_cast<int>(p.signDegrees), static_cast<int>(p.minutes));
  }
  in.order = SortByLongitude(chart);
  in.houseCounts = CountPerHouse(chart);
  in.labelColumnShift = 0;
  return in;
}

CharChartInput NavamsaCharChartInput(const Horoscope& chart, const VargaSignArray& navamsa,
                                     CharChartStyle style) {
  CharChartInput in;
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    const std::size_t i = static_cast<std::size_t>(g);
    in.signs[i] = Wrap(navamsa[i], 12);
    in.labels[i] =
        std::string(kGrahaUpperNames[g]) + (chart.positions[i].retrograde == 1 ? "R" : "");
    in.order[i] = g;
  }
  in.houseCounts = HouseCountsFromSigns(in.signs);
  in.labelColumnShift = style == CharChartStyle::North ? 3 : 2;
  return in;
}

std::string TextExportText(const ChartSnapshot& snap, CharChartStyle style) {
  const Horoscope& h = snap.horoscope;
  const DashaTable& table = snap.derivations.dashas.table;
  std::string out;

  // Birth data.
  const CivilDate birthDate = DateFromDayNumber(h.julianDay);
  out += snap.firstName + " " + snap.lastName + "\n";
  out += DateWords(birthDate) + "\n";
  out += TextExportTimeLine(h) + "\n";
  out += snap.place + "\n";
  out += TextExportPlaceLine(h) + "\n";
  out += AyanamsaLine(h, snap.context.conventions, snap.source) + "\n";
  if (const std::string note = ConventionsNote(snap.context.conventions, snap.source);
      !note.empty())
    out += note + "\n";
  out += "Current Period: " + FormatCurrentPeriod(snap.derivations.period) + "\n\n";

  for (GrahaIndex g = 0; g < graha::kCount; ++g) out += TextExportPositionLine(h, g) + "\n";

  // Maha dasha starts: the first line carries the birth date, the others the
  // start of each later period.
  out += "\nVimshottari Dashas\n==================\n";
  const auto starts = MahaRowDayCounts(h, table);
  for (int k = 0; k < dasha::kLordCount; ++k) {
    const CivilDate date = DateFromDayCount(starts[static_cast<std::size_t>(k)]);
    out += FormatText("%s %s-%02d-%d\n", kDashaTwoLetterNames[Wrap(table[k].lord, 9)],
                      MonthName(date.month), date.day, date.year);
  }

  out += "\nRashi Chart\n";
  AppendChart(out, DrawCharChart(RashiCharChartInput(h, style), style));
  out += "\nNavamsa Chart\n";
  AppendChart(out,
              DrawCharChart(NavamsaCharChartInput(h, snap.derivations.vargas.of(9), style), style));

  WriteSaBlock(h, snap.derivations.sa, out);

  // Every Bukti from the one in force on the birth date to the end of the
  // cycle; the first line is dated with the birth date itself.
  out += "\nVimshottari Dasha/Buktis\n========================\n";
  for (const MahaBuktiRow& row : MahaBuktiRowsFromBirth(h, table, 81)) {
    out += FormatText("%s/%s %s\n", kDashaTwoLetterNames[Wrap(row.maha, 9)],
                      kDashaTwoLetterNames[Wrap(row.bukti, 9)],
                      DateWords(DateFromDayCount(row.startDayCount)).c_str());
  }
  return ToCrLf(out);
}

std::string TextExportText(const ChartSnapshot& snap) {
  return TextExportText(snap, CharChartStyleFromSetting(snap.chartStyle));
}

}  // namespace sarvexa
