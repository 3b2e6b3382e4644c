// `sarvexa-cli transits`: a natal chart from birth options, the transit
// chart of a chosen moment and place, and the SA comparison of the two.

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

#include "analysis/sa_transits.h"
#include "cli/birth_options.h"
#include "cli/chart_json.h"
#include "cli/chart_output.h"
#include "cli/city_option.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "document/notation.h"
#include "document/page_choices.h"
#include "document/prasna.h"
#include "document/present.h"

namespace sarvexa::cli {
namespace {

struct TransitOptions {
  BirthOptions birth;
  std::optional<WrittenMoment> at;  // the present without it
  // The transit place in the birth options' forms; unset parts default to
  // the natal place, zone and daylight saving.
  BirthOptions place;
  bool hasAtLon = false, hasAtLat = false, hasAtZone = false, hasAtDst = false;
  bool json = false;
  bool help = false;
};

// The --at-* options reuse the birth options' parser under their plain names.
const char* PlainName(const std::string& name) {
  if (name == "--at-lon") return "--lon";
  if (name == "--at-lat") return "--lat";
  if (name == "--at-zone") return "--zone";
  if (name == "--at-dst") return "--dst";
  return nullptr;
}

Result<TransitOptions> ParseTransitArguments(const Arguments& args) {
  TransitOptions o;
  std::string message;  // a birth option's reason for refusing its value
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--json") {
      o.json = true;
      continue;
    }
    if (name == "--help" || name == "-h") {
      o.help = true;
      continue;
    }
    const bool takesValue = name == "--at" || PlainName(name) != nullptr || IsBirthOption(name);
    if (!takesValue) return Fail(UnknownOption(name, "transits"));
    if (i + 1 >= args.size()) return Fail(ValueRequired(name, "transits"));
    const std::string& value = args[++i];
    if (name == "--at") {
      const Result<WrittenMoment> parsed = ReadMoment(name, value);
      if (!parsed) return Fail(parsed.error());
      o.at = *parsed;
    } else if (const char* plain = PlainName(name)) {
      if (ParseBirthOption(plain, value, o.place, message) != OptionStatus::Accepted)
        return Fail(name + " (as " + plain + "): " + message);
      if (name == "--at-lon") o.hasAtLon = true;
      if (name == "--at-lat") o.hasAtLat = true;
      if (name == "--at-zone") o.hasAtZone = true;
      if (name == "--at-dst") o.hasAtDst = true;
    } else if (ParseBirthOption(name, value, o.birth, message) != OptionStatus::Accepted) {
      return Fail(message);
    }
  }
  if (o.help) return o;
  if (auto placed = ResolveCity(o.birth); !placed) return Fail(placed.error());
  if (auto given = RequireBirthOptions(o.birth); !given) return Fail(given.error());
  return o;
}

// The transit choice as the dialog's OK step takes it.
TransitChoice ChoiceFor(const TransitOptions& o, const LocalClockReading& at) {
  const PlaceFields& natal = o.birth.fields;
  const PlaceFields& lonFrom = o.hasAtLon ? o.place.fields : natal;
  const PlaceFields& latFrom = o.hasAtLat ? o.place.fields : natal;
  const PlaceFields& zoneFrom = o.hasAtZone ? o.place.fields : natal;
  const PlaceFields& dstFrom = o.hasAtDst ? o.place.fields : natal;
  TransitDialogValues v;
  v.monthIndex = at.month - 1;
  v.day = at.day;
  v.year = at.year;
  const TwelveHour hour = To12Hour(at.hour);
  v.hour12 = hour.hour;
  v.isPm = hour.isPm;
  v.minute = at.minute;
  CopyLongitude(lonFrom, v);
  CopyLatitude(latFrom, v);
  CopyZone(zoneFrom, v);
  v.dstHours = dstFrom.dstHours;
  v.dstMinutes = dstFrom.dstMinutes;
  // A zone given with --at-zone is a magnitude whose side is that of the
  // transit longitude (--at-lon, or the natal --lon when that is kept), as one
  // East/West choice signs both in the dialog. A zone taken over from the
  // natal chart keeps the natal side, so it stays the natal value. An E or W
  // given with the zone itself wins in both cases.
  v.zoneEast = o.hasAtZone ? zoneFrom.zoneEast.value_or(lonFrom.isEast) : natal.ZoneIsEast();
  return TransitChoiceFromDialog(v);
}

std::string Names(GrahaSet set) {
  std::string out;
  for (GrahaIndex g = 1; g <= 9; ++g) {
    if (!Contains(set, g)) continue;
    if (!out.empty()) out += ' ';
    out += kGrahaTwoLetterNames[g];
  }
  return out.empty() ? "-" : out;
}

std::string TransitTable(const LocalClockReading& at, const Horoscope& transit,
                         const SaTransitAnalysis& r) {
  char buf[160];
  std::string out = "Transits of " + WriteMoment(at, ' ') + " against the natal chart\n\n";
  out += "Graha     Sign  Deg  Min  R   Natal house MEP   Conjunct  Aspects\n";
  for (GrahaIndex t = 1; t <= 9; ++t) {
    const GrahaPosition& p = transit.positions[t];
    std::string house = "-";
    if (r.transitHouse[t - 1] != -1) {
      std::snprintf(buf, sizeof buf, "%d (%d%%)", r.transitHouse[t - 1] + 1,
                    r.transitHouseStrength[t - 1]);
      house = buf;
    }
    std::snprintf(buf, sizeof buf, "%-8s  %-4s  %3d  %3d  %-2s  %-16s  %-8s  %s\n",
                  kGrahaFullNames[t - 1], kSignAbbreviations[SignOfLongitude(p.longitude)],
                  p.signDegrees, p.minutes, p.retrograde ? "R" : "", house.c_str(),
                  Names(r.natalConjunctions[t - 1]).c_str(), Names(r.natalAspects[t - 1]).c_str());
    out += buf;
  }
  return out;
}

}  // namespace

void PrintTransitsHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli transits <birth options> [--at YYYY-MM-DDTHH:MM[Z|+HH:MM]]\n"
         "                            [--at-lon DDD:MM{E|W}] [--at-lat DD:MM{N|S}]\n"
         "                            [--at-zone HH:MM[E|W]] [--at-dst H] [--json]\n"
         "\n"
         "Casts the natal chart from the birth options (as `chart`), the transit chart\n"
         "of the --at moment and place, and judges each transiting graha against the\n"
         "natal house MEPs and grahas within 5 degrees. Unset --at-* parts take the\n"
         "natal value.\n"
         "\n"
      << BirthOptionsHelp()
      << "  --at YYYY-MM-DDTHH:MM  transit moment, 24-hour local clock of the transit\n"
         "                      place; ending in Z or +HH:MM/-HH:MM, an exact instant\n"
         "                      (default: the present on the transit place's clock)\n"
         "  --at-lon DDD:MM{E|W}  transit longitude, degrees 0..179, minutes 0..59\n"
         "  --at-lat DD:MM{N|S}   transit latitude, degrees 0..89, minutes 0..59\n"
         "  --at-zone HH:MM[E|W]  transit zone, hours 0..12, minutes 0..59; without\n"
         "                      E or W its side is that of --at-lon, or of --lon when\n"
         "                      --at-lon is not given\n"
         "  --at-dst H          transit daylight-saving hours 0..12\n"
         "  --json              print \"transit\", the transit chart record (the\n"
         "                      record fields of `chart --json`), and\n"
         "                      \"saTransitAnalysis\" (mep, transitHouse,\n"
         "                      transitHouseStrength, natalConjunctions,\n"
         "                      natalAspects; sets as GrahaIndex arrays, houses\n"
         "                      0..11 or -1); doubles with 17 significant digits\n"
         "  --help              this text\n"
         "\n"
         "The readable output lists each transiting graha's sign, degrees, minutes,\n"
         "retrograde mark, the natal house (1..12) whose MEP it is within 5 degrees of\n"
         "with the closeness in percent, and the natal grahas it conjoins and aspects.\n"
         "A bad or missing option prints one line naming it and exits with code 2.\n";
}

int RunTransitsCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  Result<TransitOptions> parsed = ParseTransitArguments(args);
  if (!parsed) {
    err << "sarvexa-cli transits: " << parsed.error() << '\n';
    return kExitUsage;
  }
  TransitOptions& o = *parsed;
  if (o.help) {
    PrintTransitsHelp(out);
    return 0;
  }
  PrintCityNote(o.birth, "transits", err);
  // The natal chart as `chart` casts it; the transit chart with the same
  // theory and conventions.
  const CastContext context;
  Result<CheckedChartData, FieldError> checked = CheckChartData(o.birth.fields);
  if (!checked) {
    err << "sarvexa-cli transits: " << checked.error().field << ": " << checked.error().message
        << '\n';
    return kExitUsage;
  }
  Result<CastChart> natal = CastChartData(*checked, context, CastDepth::Positions);

  // A local --at is the transit place's clock reading; an instant (and the
  // present) is read on that place's clock, its zone and DST.
  LocalClockReading at = o.at ? o.at->clock : LocalClockReading{};
  if (!o.at || o.at->instant()) {
    const Instant instant = o.at ? *o.at->instant() : ReadSystemInstant();
    at = ClockReadingAt(instant, ClockOffsetSecondsEast(ToSignedPlace(ChoiceFor(o, at).where)));
  }
  Result<TransitResult> result =
      natal ? ComputeTransit(natal->horoscope, ChoiceFor(o, at), context) : Fail(natal.error());
  if (!result) {
    err << "sarvexa-cli transits: " << result.error() << '\n';
    return 1;
  }
  const Horoscope& transit = result->transit;
  const SaTransitAnalysis& r = result->analysis;

  if (o.json) {
    JsonWriter json;
    json.BeginObject();
    json.Key("transit");
    json.BeginObject();
    WriteHoroscopeFields(json, transit);
    json.EndObject();
    json.Key("saTransitAnalysis");
    WriteTransitAnalysis(json, r);
    json.EndObject();
    out << json.Text();
  } else {
    out << TransitTable(at, transit, r);
  }
  return out ? 0 : 1;
}

}  // namespace sarvexa::cli
