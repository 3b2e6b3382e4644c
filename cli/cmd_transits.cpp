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
#include "cli/convention_options.h"
#include "cli/export_options.h"
#include "cli/prasna_clock.h"
#include "document/convention_text.h"
#include "document/notation.h"
#include "document/page_choices.h"
#include "document/prasna.h"
#include "document/present.h"

namespace sarvexa::cli {
namespace {

struct TransitOptions {
  BirthOptions birth;
  std::optional<WrittenMoment> at;  // the present without it
  // The transit place in the birth options' forms; the parts not given
  // default to the natal place, zone and daylight saving.
  BirthOptions place;
  ConventionOptions conventions;
  bool json = false;
  bool help = false;
};

// --at-lon and the rest, read as the birth option of their plain name.
Result<void> TakeAtPlace(TransitOptions& o, std::string_view name, std::string_view value) {
  return TakeTransitPlace(o.place, name, value);
}

using Row = Option<TransitOptions>;

constexpr Row kTransitRows[] = {
    {"--at", "YYYY-MM-DDTHH:MM",
     "transit moment, 24-hour local clock of the transit\n"
     "place; ending in Z or +HH:MM/-HH:MM, an exact instant\n"
     "(default: the present on the transit place's clock)",
     TakeMoment<TransitOptions, &TransitOptions::at>},
    {"--at-lon", "DDD:MM{E|W}", "transit longitude, degrees 0..179, minutes 0..59", TakeAtPlace},
    Row("--at-lat", "DD:MM{N|S}", "transit latitude, degrees 0..89, minutes 0..59", TakeAtPlace)
        .HelpColumn(24),
    {"--at-zone", "HH:MM[E|W]",
     "transit zone, hours 0..12, minutes 0..59; without\n"
     "E or W its side is that of --at-lon, or of --lon when\n"
     "--at-lon is not given",
     TakeAtPlace},
    {"--at-dst", "H", "transit daylight-saving hours 0..12", TakeAtPlace},
    {"--json", "",
     "print \"transit\", the transit chart record (the\n"
     "record fields of `chart --json`), the convention\n"
     "members ephemeris, ayanamsa, node, dashaYearDays, and\n"
     "\"saTransitAnalysis\" (mep, transitHouse,\n"
     "transitHouseStrength, natalConjunctions,\n"
     "natalAspects; sets as GrahaIndex arrays, houses\n"
     "0..11 or -1); doubles with 17 significant digits",
     SetFlag<TransitOptions, &TransitOptions::json>},
    Row("--help", "", "this text", SetFlag<TransitOptions, &TransitOptions::help>).Alias("-h"),
};

constexpr CommandRules kRules{"transits"};

Result<TransitOptions> ParseTransitArguments(const Arguments& args) {
  TransitOptions o;
  if (auto parsed =
          ParseArguments(args, kRules, nullptr, Group(BirthOptionRows(), o.birth),
                         Group(kTransitRows, o), Group(ConventionOptionRows(), o.conventions));
      !parsed) {
    return Fail(parsed.error());
  }
  if (o.help) return o;
  if (auto placed = ResolveCity(o.birth); !placed) return Fail(placed.error());
  if (auto given = RequireBirthOptions(o.birth); !given) return Fail(given.error());
  return o;
}

// The transit choice as the dialog's OK step takes it.
TransitChoice ChoiceFor(const TransitOptions& o, const LocalClockReading& at) {
  const PlaceFields& natal = o.birth.fields;
  const PlaceFields& lonFrom = o.place.hasLon ? o.place.fields : natal;
  const PlaceFields& latFrom = o.place.hasLat ? o.place.fields : natal;
  const PlaceFields& zoneFrom = o.place.hasZone ? o.place.fields : natal;
  const PlaceFields& dstFrom = o.place.hasDst ? o.place.fields : natal;
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
  v.zoneEast = o.place.hasZone ? zoneFrom.zoneEast.value_or(lonFrom.isEast) : natal.ZoneIsEast();
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
                         const SaTransitAnalysis& r, const Conventions& conventions,
                         const PositionSource& source) {
  char buf[160];
  std::string out = "Transits of " + WriteMoment(at, ' ') + " against the natal chart\n";
  if (const std::string note = ConventionsNote(conventions, source); !note.empty())
    out += note + '\n';
  out += '\n';
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
         "                            [--ephemeris builtin|swiss] [--ayanamsa NAME]\n"
         "                            [--node true|mean] [--dasha-year DAYS]\n"
         "\n"
         "Casts the natal chart from the birth options (as `chart`), the transit chart\n"
         "of the --at moment and place, and judges each transiting graha against the\n"
         "natal house MEPs and grahas within 5 degrees. Unset --at-* parts take the\n"
         "natal value.\n"
         "\n";
  PrintOptionHelp(out, {HelpOf(BirthOptionRows(), 22), HelpOf(ConventionOptionRows(), 24),
                        HelpOf(kTransitRows, 22)});
  out << "\n"
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
  const IniFileSettingsStore stored = ReadStoredSettings("transits", err);
  Result<Conventions> conventions = ResolveConventions(o.conventions, stored, "transits", err);
  if (conventions && o.at) {
    const LocalClockReading& when = o.at->clock;
    if (auto inRange = CheckCastDate(*conventions, when.year, when.month, when.day, "--at");
        !inRange)
      conventions = Fail(inRange.error());
  }
  if (!conventions) {
    err << "sarvexa-cli transits: " << conventions.error() << '\n';
    return kExitUsage;
  }
  const CastContext context = ConventionContext(*conventions);
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
  // Both charts' positions go into the judgement: either may have fallen
  // back to the library's analytical theory.
  const PositionSource source = CombinedPositionSource(natal->source, result->source);

  if (o.json) {
    JsonWriter json;
    json.BeginObject();
    json.Key("transit");
    json.BeginObject();
    WriteHoroscopeFields(json, transit);
    json.EndObject();
    WriteConventionMembers(json, *conventions, source);
    json.Key("saTransitAnalysis");
    WriteTransitAnalysis(json, r);
    json.EndObject();
    out << json.Text();
  } else {
    out << TransitTable(at, transit, r, *conventions, source);
  }
  return out ? 0 : 1;
}

}  // namespace sarvexa::cli
