#include "cli/chart_json.h"

#include <charconv>

#include "cli/chart_output.h"
#include "engine/calendar.h"
#include "engine/text_format.h"
#include "engine/varga.h"

namespace sarvexa::cli {
namespace {

const char* PointName(int index) {
  return index == graha::Ascendant ? "Ascendant" : kGrahaFullNames[index - 1];
}

std::string DateText(double dayCount) {
  const CivilDate d = DateFromDayCount(dayCount);
  const char* month = (d.month >= 1 && d.month <= 12) ? kMonthAbbreviations[d.month - 1] : "?";
  return FormatText("%s %d,%d", month, d.day, d.year);
}

template <std::size_t N>
void WriteIntArray(JsonWriter& json, const std::array<std::int32_t, N>& values) {
  json.BeginArray();
  for (std::int32_t v : values) json.Int(v);
  json.EndArray();
}

template <typename Values>
void WriteDoubleArray(JsonWriter& json, const Values& values) {
  json.BeginArray();
  for (double v : values) json.Double(v);
  json.EndArray();
}

template <typename Sets>
void WriteGrahaSetArray(JsonWriter& json, const Sets& sets) {
  json.BeginArray();
  for (GrahaSet s : sets) WriteGrahaSet(json, s);
  json.EndArray();
}

}  // namespace

void WriteGrahaSet(JsonWriter& json, GrahaSet set) {
  json.BeginArray();
  for (GrahaIndex g = 1; g <= 9; ++g) {
    if (Contains(set, g)) json.Int(g);
  }
  json.EndArray();
}

void WriteDerivationFields(JsonWriter& json, const ChartDerivations& d) {
  json.Field("birthDayCount", d.dashas.birthDayCount);

  json.Key("dashaTable");
  json.BeginArray();
  for (const MahaDasha& m : d.dashas.table) {
    json.BeginObject();
    json.Field("lord", static_cast<int>(m.lord));
    json.Field("lengthDays", m.lengthDays);
    json.Key("buktiStart");
    WriteDoubleArray(json, m.buktiStart);
    json.EndObject();
  }
  json.EndArray();

  json.Key("currentPeriod");
  if (d.period) {
    json.BeginObject();
    json.Field("maha", d.period->maha);
    json.Field("bukti", d.period->bukti);
    json.Field("pratyantar", d.period->pratyantar);
    json.EndObject();
  } else {
    json.Null();
  }
  json.Key("dashaBalance");
  WriteDashaBalance(json, d.balance);

  json.Key("vargaSigns");
  json.BeginObject();
  for (std::size_t i = 0; i < std::size(kPrintDivisions); ++i) {
    json.Key(std::to_string(kPrintDivisions[i]));
    json.BeginArray();
    for (int s : d.vargas.byPrintOrder[i]) json.Int(s);
    json.EndArray();
  }
  json.EndObject();

  const SaAnalysis& sa = d.sa;
  json.Key("saAnalysis");
  json.BeginObject();
  json.Key("mep");
  WriteDoubleArray(json, sa.mep);
  json.Key("houseConjunction");
  WriteIntArray(json, sa.houseConjunction);
  json.Key("houseConjunctionStrength");
  WriteIntArray(json, sa.houseConjunctionStrength);
  json.Key("conjunctions");
  WriteGrahaSetArray(json, sa.conjunctions);
  json.Key("aspects");
  WriteGrahaSetArray(json, sa.aspects);
  json.Key("flags");
  WriteIntArray(json, sa.flags);
  json.Key("ageStrength");
  WriteIntArray(json, sa.ageStrength);
  json.Key("colorClass");
  json.BeginArray();
  for (ColorClass c : sa.colorClass) json.Int(static_cast<int>(c));
  json.EndArray();
  json.EndObject();
}

void WriteDashaBalance(JsonWriter& json, const DashaBalance& balance) {
  json.BeginObject();
  json.Field("lord", balance.lord);
  json.Field("years", balance.years);
  json.Field("months", balance.months);
  json.Field("days", balance.wholeDays);
  json.EndObject();
}

void WriteConventionMembers(JsonWriter& json, const Conventions& c, const PositionSource& source) {
  json.Field("ephemeris", EphemerisName(c.ephemeris));
  json.Field("ayanamsa", AyanamsaName(c.ayanamsa));
  json.Field("node", NodeName(c.node));
  json.Field("dashaYearDays", c.dashaYearDays);
  if (source.analytical || !source.missingFile.empty()) {
    json.Field("ephemerisFallback", DescribePositionSource(source));
  }
}

void WriteChartMembers(JsonWriter& json, const ChartSnapshot& chart, bool withDerivations) {
  json.Field("firstName", chart.firstName);
  json.Field("lastName", chart.lastName);
  json.Field("place", chart.place);
  if (!chart.cityName.empty()) json.Field("city", chart.cityName);
  if (!chart.zoneName.empty()) {
    json.Field("zoneName", chart.zoneName);
    if (!chart.zoneLabel.empty()) json.Field("zoneLabel", chart.zoneLabel);
    if (!chart.zoneNote.empty()) json.Field("zoneNote", chart.zoneNote);
  }
  json.Field("isPrasna", chart.isPrasna);
  WriteHoroscopeFields(json, chart.horoscope);
  WriteConventionMembers(json, chart.context.conventions, chart.source);
  if (withDerivations) WriteDerivationFields(json, chart.derivations);
}

std::string ChartSnapshotJson(const ChartSnapshot& chart) {
  JsonWriter json;
  json.BeginObject();
  WriteChartMembers(json, chart, true);
  json.EndObject();
  return json.Text();
}

std::string DerivationTable(const ChartSnapshot& chart) {
  const Horoscope& h = chart.horoscope;
  const ChartDerivations& d = chart.derivations;
  std::string out = "\nNakshatras\n";
  for (int i = 0; i < graha::kCount; ++i) {
    const int n = NakshatraOf(h.positions[i].longitude);
    const DashaLord lord = NakshatraLord(n);
    out += FormatText("%-10s  %-10s  %s\n", PointName(i), kNakshatraNames[n],
                      kGrahaTwoLetterNames[kDashaGraha[lord]]);
  }
  out += "\nVimshottari Maha dashas (" + DashaYearText(chart.context.conventions.dashaYearDays) +
         " Day Year)\n";
  for (int k = 0; k < dasha::kLordCount; ++k) {
    const MahaDasha& m = d.dashas.table[k];
    out += FormatText("%-8s  %s\n", kDashaNames[m.lord % dasha::kLordCount],
                      DateText(m.buktiStart[0]).c_str());
  }
  out += "\nCurrent Period: " + FormatCurrentPeriod(d.period) + "\n";
  return out;
}

void WriteTransitAnalysis(JsonWriter& json, const SaTransitAnalysis& r) {
  json.BeginObject();
  json.Key("mep");
  WriteDoubleArray(json, r.mep);
  json.Key("transitHouse");
  WriteIntArray(json, r.transitHouse);
  json.Key("transitHouseStrength");
  WriteIntArray(json, r.transitHouseStrength);
  json.Key("natalConjunctions");
  WriteGrahaSetArray(json, r.natalConjunctions);
  json.Key("natalAspects");
  WriteGrahaSetArray(json, r.natalAspects);
  json.EndObject();
}

}  // namespace sarvexa::cli
