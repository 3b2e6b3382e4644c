#pragma once
// The legal time of a place at a local civil moment, turned into what the
// "Chart Data" dialog holds: zone hours and minutes with their own side, and
// whole daylight-saving hours. The time-zone database answers through the
// atlas adapter (document/atlas.h) with plain records; the rules astrologers
// apply on top of it live here, so the window and sarvexa-cli agree:
// - before a zone's first standard time the database only knows the mean
//   time of the zone's main city; the chart uses the place's own local mean
//   time, from its longitude;
// - a clock time skipped by a spring-forward change, or passed twice at a
//   fall-back change, is never settled silently: the caller says which
//   offset it means;
// - an offset the dialog cannot hold (zone hours above 12, seconds) is
//   reported, not cut quietly.

#include <optional>
#include <string>
#include <string_view>

namespace sarvexa {

/// A local civil date and clock time, proleptic Gregorian.
struct LocalMoment {
  int year = 2000, month = 1, day = 1;  ///< month 1..12, day 1..31
  int hour = 0, minute = 0;             ///< 24-hour clock
};

/// One period of constant offset, as the time-zone database gives it.
struct ZonePeriod {
  int offsetSeconds = 0;          ///< UT offset of the clocks, positive EAST
  int standardOffsetSeconds = 0;  ///< the same without daylight saving
  bool isDst = false;             ///< daylight saving in force
  bool longDst = false;           ///< saving held for over a year (war time)
  bool isLocalMeanTime = false;   ///< before the zone's first standard time
  std::string abbreviation;       ///< e.g. "IST", "+0630", "LMT"
};

/// How a local clock time maps onto the zone's periods.
enum class LocalTimeKind {
  Unique,   ///< one period: `before`
  Gap,      ///< skipped by a change of the clocks: `before` and `after` around it
  Overlap,  ///< passed twice: first under `before`, then under `after`
};

/// The database's answer for a local moment.
struct LocalZoneInfo {
  LocalTimeKind kind = LocalTimeKind::Unique;
  ZonePeriod before;
  ZonePeriod after;  ///< Gap and Overlap only
};

/// Which offset to take for a gap or an overlap.
enum class FoldChoice {
  Unresolved,  ///< none chosen yet: the result is flagged, using `before`
  Earlier,     ///< the offset in force before the change of the clocks
  Later,       ///< the offset in force after it
};

/// The dialog's zone and daylight-saving fields for a moment, with what the
/// user must be told about them.
struct ZoneFields {
  int zoneHours = 0;                           ///< magnitude of the standard offset, whole hours
  int zoneMinutes = 0;                         ///< its minutes, 0..59 (rounded to the minute)
  bool zoneEast = false;                       ///< the zone lies east of Greenwich
  int dstHours = 0;                            ///< whole hours of daylight saving in force
  int offsetSeconds = 0;                       ///< the full UT offset used, positive east
  LocalTimeKind kind = LocalTimeKind::Unique;  ///< Gap or Overlap of the moment
  bool unresolved = false;                     ///< a gap or overlap that no FoldChoice settled
  bool localMeanTime = false;                  ///< the place's local mean time was used
  bool outOfRange = false;                     ///< zone hours above 12: the dialog cannot hold it
  bool secondsDropped = false;                 ///< the offset had seconds (or odd minutes of
                                               ///< saving) that the fields round away
  std::string label;                           ///< e.g. "Asia/Kolkata, +0630 war time"
  std::string warning;                         ///< one line for a gap, an overlap, or a range
                                               ///< or rounding note; empty when none
};

/// Fields for `info` at a place of longitude `lonDegEast` (positive east)
/// in zone `zoneName`. Saving that is not a whole number of hours goes into
/// the zone minutes, so the UT of the chart stays right.
ZoneFields ZoneFieldsFor(const LocalZoneInfo& info, std::string_view zoneName, double lonDegEast,
                         FoldChoice fold);

/// The local mean time of a longitude in whole seconds, positive east.
int LocalMeanTimeSeconds(double lonDegEast);

/// "+0530", "-0400", "+052110" for an offset in seconds (positive east).
std::string FormatUtOffset(int offsetSeconds);

/// Parses "earlier" or "later" (the CLI's --fold).
std::optional<FoldChoice> ParseFoldChoice(std::string_view text);

}  // namespace sarvexa
