#include "cli/birth_options.h"

#include <ostream>
#include <utility>

#include "cli/city_option.h"
#include "cli/commands.h"
#include "cli/prasna_clock.h"
#include "document/notation.h"

namespace sarvexa::cli {
namespace {

// The rejected value as shown in the one-line message; control characters
// would break the line, so they are shown as '?'.
std::string Quoted(std::string_view v) {
  std::string shown;
  for (char c : v) shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  return " (got \"" + shown + "\")";
}

// The complaint about a value: the option, what it expects, what it got.
Failure<std::string> Refused(std::string_view name, const std::string& expected,
                             std::string_view value) {
  return Fail(std::string(name) + ": " + expected + Quoted(value));
}

Result<void> TakeFirst(BirthOptions& o, std::string_view, std::string_view value) {
  o.fields.firstName = value;
  return Ok();
}

Result<void> TakeLast(BirthOptions& o, std::string_view, std::string_view value) {
  o.fields.lastName = value;
  return Ok();
}

Result<void> TakePlace(BirthOptions& o, std::string_view name, std::string_view value) {
  // The dialog's place field holds at most 32 characters.
  if (CountCharacters(value) > kChartDataPlaceMaxChars)
    return Refused(name, "expected at most 32 characters", value);
  o.fields.place = value;
  return Ok();
}

Result<void> TakeDate(BirthOptions& o, std::string_view name, std::string_view value) {
  const Result<CivilDate> date = ReadBirthDate(value);
  if (!date) return Refused(name, date.error(), value);
  o.fields.year = date->year;
  o.fields.monthIndex = date->month - 1;
  o.fields.day = date->day;
  o.hasDate = true;
  return Ok();
}

Result<void> TakeTime(BirthOptions& o, std::string_view name, std::string_view value) {
  const Result<ClockTime> time = ReadClockTime(value);
  if (!time) return Refused(name, time.error(), value);
  const TwelveHour hour = To12Hour(time->hour);
  o.fields.hour = hour.hour;
  o.fields.isPm = hour.isPm;
  o.fields.minute = time->minute;
  o.hasTime = true;
  return Ok();
}

Result<void> TakeCity(BirthOptions& o, std::string_view name, std::string_view value) {
  if (value.find_first_not_of(" ,") == std::string_view::npos) {
    return Refused(
        name, "expected a place name, optionally followed by \", State\" and \", Country\"", value);
  }
  o.city = value;
  return Ok();
}

Result<void> TakeFold(BirthOptions& o, std::string_view name, std::string_view value) {
  const auto fold = ParseFoldChoice(value);
  if (!fold) return Refused(name, "expected earlier or later", value);
  o.fold = *fold;
  return Ok();
}

using Row = Option<BirthOptions>;

constexpr Row kBirthRows[] = {
    {"--first", "TEXT", "first name (default empty)", TakeFirst},
    {"--last", "TEXT", "last name (default empty)", TakeLast},
    {"--place", "TEXT", "place of birth, at most 32 characters (default empty)", TakePlace},
    {"--date", "YYYY-MM-DD",
     "civil date; year 1700..2300, day 1..31 in any month\n"
     "(an overlong day rolls into the next month)",
     TakeDate},
    {"--time", "HH:MM\nH:MMAM|PM",
     "local clock time, 24-hour form (00:00..23:59),\n"
     "or 12-hour form (1..12 with AM or PM)",
     TakeTime},
    {"--lon", "DDD:MM{E|W}", "longitude, degrees 0..179, minutes 0..59", TakeLongitude},
    {"--lat", "DD:MM{N|S}", "latitude, degrees 0..89, minutes 0..59", TakeLatitude},
    {"--zone", "HH:MM[E|W]",
     "time zone, hours 0..12, minutes 0..59, east (E) or\n"
     "west (W) of Greenwich; without the letter, the side\n"
     "of --lon",
     TakeZone},
    {"--dst", "H", "daylight-saving hours 0..12 (default 0)", TakeDst},
    Row("--city", "\"Name[, State][, Country]\"",
        "fills --lon, --lat, --zone and --dst from the atlas\n"
        "(place data GeoNames, CC BY 4.0; zones from the\n"
        "IANA tz database) for the given date and time;\n"
        "options given explicitly win. A name several\n"
        "places have takes the most populous and says so on\n"
        "standard error. A clock time that the clocks\n"
        "skipped or passed twice exits with code 2 unless\n"
        "--fold chooses",
        TakeCity)
        .HelpBelow(),
    {"--fold", "earlier|later", "the offset before or after such a change", TakeFold},
};

}  // namespace

std::span<const Option<BirthOptions>> BirthOptionRows() { return kBirthRows; }

Result<void> TakeBirthOption(BirthOptions& options, std::string_view name, std::string_view value) {
  for (const Row& row : kBirthRows) {
    if (row.name == name) return row.take(options, row.name, value);
  }
  return Fail(std::string(name) + " is no birth option");
}

Result<void> TakeLongitude(BirthOptions& o, std::string_view name, std::string_view value) {
  const Result<SidedAngle> lon = ReadAngle(value, kLongitudeAxis);
  if (!lon) return Refused(name, lon.error(), value);
  o.fields.lonDegrees = lon->degrees;
  o.fields.lonMinutes = lon->minutes;
  o.fields.isEast = lon->otherSide;
  o.hasLon = true;
  return Ok();
}

Result<void> TakeLatitude(BirthOptions& o, std::string_view name, std::string_view value) {
  const Result<SidedAngle> lat = ReadAngle(value, kLatitudeAxis);
  if (!lat) return Refused(name, lat.error(), value);
  o.fields.latDegrees = lat->degrees;
  o.fields.latMinutes = lat->minutes;
  o.fields.isSouth = lat->otherSide;
  o.hasLat = true;
  return Ok();
}

Result<void> TakeZone(BirthOptions& o, std::string_view name, std::string_view value) {
  const Result<SidedZone> zone = ReadZone(value);
  if (!zone) return Refused(name, zone.error() + " (without it, the side of --lon)", value);
  o.fields.zoneHours = zone->hours;
  o.fields.zoneMinutes = zone->minutes;
  o.fields.zoneEast = zone->isEast;
  o.hasZone = true;
  return Ok();
}

Result<void> TakeDst(BirthOptions& o, std::string_view name, std::string_view value) {
  const Result<int> dst = ReadDstHours(value);
  if (!dst) return Refused(name, dst.error(), value);
  o.fields.dstHours = *dst;
  o.hasDst = true;
  return Ok();
}

Result<void> TakeTransitPlace(BirthOptions& place, std::string_view name, std::string_view value) {
  // "--at-lon" is read as "--lon", and so on.
  const std::string plain = "--" + std::string(name.substr(std::string_view("--at-").size()));
  Result<void> taken = Ok();
  if (plain == "--lon") taken = TakeLongitude(place, plain, value);
  if (plain == "--lat") taken = TakeLatitude(place, plain, value);
  if (plain == "--zone") taken = TakeZone(place, plain, value);
  if (plain == "--dst") taken = TakeDst(place, plain, value);
  if (!taken) return Fail(std::string(name) + " (as " + plain + "): " + taken.error());
  return Ok();
}

Result<void> RequireBirthOptions(const BirthOptions& o) {
  if (!o.hasDate) return Fail("--date is required: YYYY-MM-DD with year 1700..2300");
  if (!o.hasTime) return Fail("--time is required: HH:MM (24-hour) or H:MMAM / H:MMPM");
  if (!o.hasLon) return Fail("--lon is required: DDD:MM followed by E or W, degrees 0..179");
  if (!o.hasLat) return Fail("--lat is required: DD:MM followed by N or S, degrees 0..89");
  if (!o.hasZone) return Fail("--zone is required: HH:MM[E|W] with hours 0..12 (or give --city)");
  return Ok();
}

Result<CheckedChartData> CheckBirthOptions(BirthOptions& o) {
  if (auto placed = ResolveCity(o); !placed) return Fail(placed.error());
  if (auto given = RequireBirthOptions(o); !given) return Fail(given.error());
  Result<CheckedChartData, FieldError> checked = CheckChartData(o.fields);
  if (!checked) return Fail(checked.error().field + ": " + checked.error().message);
  return std::move(*checked);
}

BirthCast CastBirthOptions(const BirthOptions& birth, const CheckedChartData& checked,
                           const ConventionOptions& conventions,
                           const std::optional<WrittenMoment>& now, const SettingsStore& stored,
                           const char* command, std::ostream& err) {
  const Result<Conventions> taken = ResolveConventions(conventions, stored, command, err);
  if (!taken) {
    err << "sarvexa-cli " << command << ": " << taken.error() << '\n';
    return {std::nullopt, kExitUsage};
  }
  const CastContext context = ConventionContext(*taken, PeriodClockReading(now, stored));
  Result<CastChart> cast = CastChartData(checked, context);
  if (!cast) {
    err << "sarvexa-cli " << command << ": " << cast.error() << '\n';
    return {std::nullopt, 1};
  }
  BirthCast out;
  out.chart.emplace();
  FillSnapshot(birth, std::move(*cast), context, *out.chart);
  return out;
}

void CopyGivenPlace(const BirthOptions& o, PlaceFields& fields) {
  if (o.hasLon) CopyLongitude(o.fields, fields);
  if (o.hasLat) CopyLatitude(o.fields, fields);
  if (o.hasZone) CopyZone(o.fields, fields);
}

void FillSnapshot(const BirthOptions& options, CastChart&& cast, const CastContext& context,
                  ChartSnapshot& chart) {
  chart.firstName = options.fields.firstName;
  chart.lastName = options.fields.lastName;
  chart.place = options.fields.place;
  chart.zoneName = options.fields.zoneName;
  chart.zoneLabel = options.zoneLabel;
  chart.zoneNote = options.zoneNote;
  chart.cityName = options.cityName;
  chart.horoscope = cast.horoscope;
  chart.derivations = std::move(cast.derivations);
  chart.source = std::move(cast.source);
  chart.context = context;
}

}  // namespace sarvexa::cli
