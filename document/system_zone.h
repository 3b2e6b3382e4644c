#pragma once
// The computer's own time zone and its principal place, for a first start
// with no Prasna location stored: the zone the computer names (the TZ
// variable, the /etc/localtime link or /etc/timezone) and the place and
// coordinates the time-zone database's own table (zone1970.tab) gives it.
// The text rules are pure functions, so they are tested on literal text;
// SystemZoneName() and SystemZoneLocation() read the system.

#include <optional>
#include <string>
#include <string_view>

#include "document/prasna.h"
#include "document/present.h"

namespace sarvexa {

class Atlas;

/// The zone table of the system's time-zone database.
inline constexpr const char* kZoneTablePath = "/usr/share/zoneinfo/zone1970.tab";

/// The IANA zone name a TZ value names: the value without a leading ':'
/// and, for a path into a zoneinfo folder, the part after it. Nothing for an
/// empty value or one that is no zone name (a POSIX rule such as
/// "EST5EDT,M3.2.0,M11.1.0", other paths, "..").
std::optional<std::string> ZoneNameFromTzValue(std::string_view value);

/// The zone name of a path into a zoneinfo folder, as /etc/localtime links
/// to ("/usr/share/zoneinfo/Europe/Paris", "../usr/share/zoneinfo/UTC").
std::optional<std::string> ZoneNameFromZoneinfoPath(std::string_view path);

/// The computer's own IANA zone: TZ when it names a zone, else the target of
/// the /etc/localtime link, else the first line of /etc/timezone.
std::optional<std::string> SystemZoneName();

/// A zone's principal place as the zone table gives it.
struct ZoneTableEntry {
  std::string zoneName;
  int latSeconds = 0;      ///< latitude in arc seconds, positive north
  int lonSecondsEast = 0;  ///< longitude in arc seconds, positive east
  friend bool operator==(const ZoneTableEntry&, const ZoneTableEntry&) = default;
};

/// The line of `zoneName` in the text of a zone1970.tab-style table (tab-
/// separated: country codes, coordinates ±DDMM[SS]±DDDMM[SS], zone name,
/// comment; '#' starts a comment line). Nothing when the table does not list
/// the zone or its coordinates cannot be read.
std::optional<ZoneTableEntry> FindZoneTableEntry(std::string_view tableText,
                                                 std::string_view zoneName);

/// The place text of a zone: its name's last part with blanks for
/// underscores ("America/Argentina/Buenos_Aires" gives "Buenos Aires").
std::string ZonePlaceText(std::string_view zoneName);

/// The Prasna location of a zone's principal place: the table's coordinates
/// rounded to the minute, the place text of the zone, and the zone and DST
/// in force at `instant`, with the zone name kept so that each Prasna takes
/// the zone of its own moment. Nothing when the atlas does not know the zone.
std::optional<PrasnaLocation> ZoneTableLocation(const ZoneTableEntry& entry, Atlas& atlas,
                                                Instant instant);

/// ZoneTableLocation of the computer's own zone from the system's table;
/// nothing when the computer names no zone the table lists (UTC, Etc/...),
/// or the table or the zone cannot be read.
std::optional<PrasnaLocation> SystemZoneLocation(Atlas& atlas, Instant instant);

/// What the user is told when a Prasna is cast for the computer's zone
/// because no location is stored: one sentence, without a final newline.
std::string SystemZoneLocationNote(const PrasnaLocation& location);

}  // namespace sarvexa
