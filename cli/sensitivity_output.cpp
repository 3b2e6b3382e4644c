#include "cli/sensitivity_output.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cli/chart_json.h"
#include "cli/chart_output.h"
#include "document/convention_text.h"
#include "document/notation.h"
#include "engine/birth_time.h"
#include "engine/text_format.h"

namespace sarvexa::cli {
namespace {

// A window closer than this to the entered time is marked in the table, as
// the page marks its cell.
constexpr int kFragileMinutes = 5;

// The birth moved `offset` minutes as a local clock time, or null.
void WriteEnd(JsonWriter& json, const char* key, const std::optional<int>& offset,
              const Horoscope& birth) {
  json.Key(key);
  if (offset) {
    json.String(WriteMoment(ShiftedBirthClock(birth, *offset)));
  } else {
    json.Null();
  }
}

// "-23/+41", ">24h/+41", "-23/>24h".
std::string WindowText(const MinuteWindow& w, int rangeMinutes) {
  const std::string beyond = FormatText(">%dh", rangeMinutes / 60);
  return (w.from ? FormatText("-%d", -*w.from) : beyond) + "/" +
         (w.to ? FormatText("+%d", *w.to) : beyond);
}

std::string CellText(const SensitivityFactor& factor, const FactorWindow& cell, int rangeMinutes) {
  return FactorValueText(factor, cell.value) + " " + WindowText(cell.window, rangeMinutes) +
         (EndsWithin(cell.window, kFragileMinutes) ? "*" : "");
}

// One table: the point names, then the cells of `first` .. `last` - 1.
std::string Table(const BirthTimeSensitivity& t, int first, int last) {
  const auto& factors = SensitivityFactors();
  std::vector<std::vector<std::string>> rows(graha::kCount + 1);
  rows[0].push_back("Point");
  for (int f = first; f < last; ++f) rows[0].push_back(factors[f].name);
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    auto& row = rows[static_cast<std::size_t>(g) + 1];
    row.push_back(kGrahaTwoLetterNames[g]);
    for (int f = first; f < last; ++f)
      row.push_back(CellText(factors[f], t.points[static_cast<std::size_t>(g)][f], t.rangeMinutes));
  }
  std::vector<std::size_t> width(rows[0].size(), 0);
  for (const auto& row : rows)
    for (std::size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c)
      line += row[c] + std::string(width[c] - row[c].size() + 2, ' ');
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

}  // namespace

void WriteSensitivity(JsonWriter& json, const BirthTimeSensitivity& t, const Horoscope& birth) {
  const auto& factors = SensitivityFactors();
  json.BeginObject();
  json.Key("points");
  json.BeginArray();
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    json.BeginObject();
    json.Field("point", kGrahaTwoLetterNames[g]);
    json.Key("factors");
    json.BeginArray();
    for (int f = 0; f < kFactorCount; ++f) {
      const FactorWindow& cell = t.points[static_cast<std::size_t>(g)][f];
      json.BeginObject();
      json.Field("factor", FactorKey(factors[f]));
      json.Field("value", FactorValueText(factors[f], cell.value));
      WriteEnd(json, "from", cell.window.from, birth);
      WriteEnd(json, "to", cell.window.to, birth);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Key("runningPeriod");
  json.BeginObject();
  json.Key("value");
  if (t.runningPeriod.value) {
    json.String(FormatCurrentPeriod(t.runningPeriod.value));
  } else {
    json.Null();
  }
  WriteEnd(json, "from", t.runningPeriod.window.from, birth);
  WriteEnd(json, "to", t.runningPeriod.window.to, birth);
  json.EndObject();
  json.Field("daysPerMinute", t.daysPerMinute == 0.0 ? 0.0 : -t.daysPerMinute);
  json.Key("dashaBalance");
  WriteDashaBalance(json, t.balance);
  json.EndObject();
}

std::string SensitivityJson(const BirthTimeSensitivity& table, const Horoscope& birth) {
  JsonWriter json;
  WriteSensitivity(json, table, birth);
  return json.Text();
}

std::string SensitivityTable(const ChartSnapshot& chart, const BirthTimeSensitivity& t) {
  std::string out = "Birth-time sensitivity of " + PersonText(chart) + ", born " +
                    WriteMoment(ShiftedBirthClock(chart.horoscope, 0), ' ') + "\n";
  // The windows are those of the theory and conventions the chart is cast with.
  const std::string note = ConventionsNote(chart.context.conventions, chart.source);
  if (!note.empty()) out += note + "\n";
  out += FormatText(
      "Each cell: the value, then the birth minutes before (-) and after (+) the entered\n"
      "time in which it holds, searched %d h either way; * marks a change within %d minutes.\n\n",
      t.rangeMinutes / 60, kFragileMinutes);
  // The columns of the printed page's two tables.
  out += Table(t, 0, 8) + "\n" + Table(t, 8, kFactorCount) + "\n";
  out += "Running period at " + WriteMoment(t.clock, ' ') + ": " +
         FormatCurrentPeriod(t.runningPeriod.value) + " " +
         WindowText(t.runningPeriod.window, t.rangeMinutes) +
         (EndsWithin(t.runningPeriod.window, kFragileMinutes) ? "*" : "") + "\n";
  out += FormatText("A minute later birth moves every dasha date %.2f days %s\n",
                    std::fabs(t.daysPerMinute), t.daysPerMinute <= 0 ? "earlier" : "later");
  out += "Dasha balance at birth: " + DashaBalanceText(t.balance) + "\n";
  return out;
}

}  // namespace sarvexa::cli
