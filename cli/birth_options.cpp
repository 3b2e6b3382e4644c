#include "cli/birth_options.h"

#include <utility>
#include "document/notation.h"
#include "engine/calendar.h"

namespace sarvexa::cli {
namespace {

// The rejected value as shown in the one-line message; control characters
// would break the line, so they are shown as '?'.
std::string Quoted(std::string_view v) {
  std::string shown;
  for (char c : v) shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  return " (got \"" + shown + "\")";
}

}  // namespace

bool IsBirthOption(std::string_view name) {
  for (const char* n : {"--first", "--last", "--place", "--date", "--time", "--lon", "--lat",
                        "--zone", "--dst", "--city", "--fold"}) {
    if (name == n) return true;
  }
  return false;
}

OptionStatus ParseBirthOption(std::string_view name, std::string_view value, BirthOptions& o,
                              std::string& message) {
  if (!IsBirthOption(name)) return OptionStatus::NotABirthOption;
  Result<void> taken = Ok();
  if (name == "--first") {
    o.fields.firstName = value;
  } else if (name == "--last") {
    o.fields.lastName = value;
  } else if (name == "--place") {
    // The dialog's place field holds at most 32 characters.
    if (CountCharacters(value) > kChartDataPlaceMaxChars) {
      taken = Fail("expected at most 32 characters");
    } else {
      o.fields.place = value;
    }
  } else if (name == "--date") {
    const Result<CivilDate> date = ReadBirthDate(value);
    if (date) {
      o.fields.year = date->year;
      o.fields.monthIndex = date->month - 1;
      o.fields.day = date->day;
      o.hasDate = true;
    } else {
      taken = Fail(date.error());
    }
  } else if (name == "--time") {
    const Result<ClockTime> time = ReadClockTime(value);
    if (time) {
      const TwelveHour hour = To12Hour(time->hour);
      o.fields.hour = hour.hour;
      o.fields.isPm = hour.isPm;
      o.fields.minute = time->minute;
      o.hasTime = true;
    } else {
      taken = Fail(time.error());
    }
  } else if (name == "--lon") {
    const Result<SidedAngle> lon = ReadAngle(value, kLongitudeAxis);
    if (lon) {
      o.fields.lonDegrees = lon->degrees;
      o.fields.lonMinutes = lon->minutes;
      o.fields.isEast = lon->otherSide;
      o.hasLon = true;
    } else {
      taken = Fail(lon.error());
    }
  } else if (name == "--lat") {
    const Result<SidedAngle> lat = ReadAngle(value, kLatitudeAxis);
    if (lat) {
      o.fields.latDegrees = lat->degrees;
      o.fields.latMinutes = lat->minutes;
      o.fields.isSouth = lat->otherSide;
      o.hasLat = true;
    } else {
      taken = Fail(lat.error());
    }
  } else if (name == "--zone") {
    const Result<SidedZone> zone = ReadZone(value);
    if (zone) {
      o.fields.zoneHours = zone->hours;
      o.fields.zoneMinutes = zone->minutes;
      o.fields.zoneEast = zone->isEast;
      o.hasZone = true;
    } else {
      taken = Fail(zone.error() + " (without it, the side of --lon)");
    }
  } else if (name == "--dst") {
    const Result<int> dst = ReadDstHours(value);
    if (dst) {
      o.fields.dstHours = *dst;
      o.hasDst = true;
    } else {
      taken = Fail(dst.error());
    }
  } else if (name == "--city") {
    if (value.empty() || value.find_first_not_of(" ,") == std::string_view::npos) {
      taken = Fail("expected a place name, optionally followed by \", State\" and \", Country\"");
    } else {
      o.city = value;
    }
  } else if (name == "--fold") {
    const auto fold = ParseFoldChoice(value);
    if (fold) {
      o.fold = *fold;
    } else {
      taken = Fail("expected earlier or later");
    }
  }
  if (taken) return OptionStatus::Accepted;
  message = std::string(name) + ": " + taken.error() + Quoted(value);
  return OptionStatus::Rejected;
}

Result<void> RequireBirthOptions(const BirthOptions& o) {
  if (!o.hasDate) return Fail("--date is required: YYYY-MM-DD with year 1700..2300");
  if (!o.hasTime) return Fail("--time is required: HH:MM (24-hour) or H:MMAM / H:MMPM");
  if (!o.hasLon) return Fail("--lon is required: DDD:MM followed by E or W, degrees 0..179");
  if (!o.hasLat) return Fail("--lat is required: DD:MM followed by N or S, degrees 0..89");
  if (!o.hasZone) return Fail("--zone is required: HH:MM[E|W] with hours 0..12 (or give --city)");
  return Ok();
}

void CopyGivenPlace(const BirthOptions& o, PlaceFields& fields) {
  if (o.hasLon) CopyLongitude(o.fields, fields);
  if (o.hasLat) CopyLatitude(o.fields, fields);
  if (o.hasZone) CopyZone(o.fields, fields);
}

const char* BirthOptionsHelp() {
  return "  --first TEXT        first name (default empty)\n"
         "  --last TEXT         last name (default empty)\n"
         "  --place TEXT        place of birth, at most 32 characters (default empty)\n"
         "  --date YYYY-MM-DD   civil date; year 1700..2300, day 1..31 in any month\n"
         "                      (an overlong day rolls into the next month)\n"
         "  --time HH:MM        local clock time, 24-hour form (00:00..23:59),\n"
         "         H:MMAM|PM    or 12-hour form (1..12 with AM or PM)\n"
         "  --lon DDD:MM{E|W}   longitude, degrees 0..179, minutes 0..59\n"
         "  --lat DD:MM{N|S}    latitude, degrees 0..89, minutes 0..59\n"
         "  --zone HH:MM[E|W]   time zone, hours 0..12, minutes 0..59, east (E) or\n"
         "                      west (W) of Greenwich; without the letter, the side\n"
         "                      of --lon\n"
         "  --dst H             daylight-saving hours 0..12 (default 0)\n"
         "  --city \"Name[, State][, Country]\"\n"
         "                      fills --lon, --lat, --zone and --dst from the atlas\n"
         "                      (place data GeoNames, CC BY 4.0; zones from the\n"
         "                      IANA tz database) for the given date and time;\n"
         "                      options given explicitly win. A name several\n"
         "                      places have takes the most populous and says so on\n"
         "                      standard error. A clock time that the clocks\n"
         "                      skipped or passed twice exits with code 2 unless\n"
         "                      --fold chooses\n"
         "  --fold earlier|later  the offset before or after such a change\n";
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
  chart.context = context;
}

}  // namespace sarvexa::cli
