#include "document/zone_fields.h"

#include <cmath>
#include <cstdlib>

#include "engine/text_format.h"

namespace sarvexa {
namespace {

constexpr int kSecondsPerHour = 3600;
// The Zone field of the dialogs holds 0..12 hours.
constexpr int kMaxZoneHours = 12;

const ZonePeriod& Chosen(const LocalZoneInfo& info, FoldChoice fold) {
  if (info.kind != LocalTimeKind::Unique && fold == FoldChoice::Later) return info.after;
  return info.before;
}

std::string Describe(const ZonePeriod& p) {
  if (p.longDst) return "war time";
  if (p.isDst && p.offsetSeconds < p.standardOffsetSeconds) return "winter time";
  if (p.isDst) return "daylight saving time";
  return "standard time";
}

}  // namespace

int LocalMeanTimeSeconds(double lonDegEast) {
  // Four minutes of time per degree: 240 seconds.
  return static_cast<int>(std::lround(lonDegEast * 240.0));
}

std::string FormatUtOffset(int offsetSeconds) {
  const char sign = offsetSeconds < 0 ? '-' : '+';
  const int m = std::abs(offsetSeconds);
  const int h = m / kSecondsPerHour, min = m / 60 % 60, s = m % 60;
  if (s != 0) return FormatText("%c%02d%02d%02d", sign, h, min, s);
  return FormatText("%c%02d%02d", sign, h, min);
}

std::optional<FoldChoice> ParseFoldChoice(std::string_view text) {
  if (text == "earlier") return FoldChoice::Earlier;
  if (text == "later") return FoldChoice::Later;
  return std::nullopt;
}

ZoneFields ZoneFieldsFor(const LocalZoneInfo& info, std::string_view zoneName, double lonDegEast,
                         FoldChoice fold) {
  ZoneFields f;
  f.kind = info.kind;
  f.unresolved = info.kind != LocalTimeKind::Unique && fold == FoldChoice::Unresolved;
  const ZonePeriod& p = Chosen(info, fold);

  int offset = p.offsetSeconds;
  int standard = p.isDst ? p.standardOffsetSeconds : p.offsetSeconds;
  if (p.isLocalMeanTime) {
    // The database's mean time is that of the zone's main city; a chart
    // wants the mean time of its own place.
    offset = standard = LocalMeanTimeSeconds(lonDegEast);
    f.localMeanTime = true;
  }
  f.offsetSeconds = offset;

  // Whole hours of saving go into the DST field; any rest (half-hour or
  // twenty-minute saving) into the zone, so the chart's UT stays right.
  const int saving = offset - standard;
  f.dstHours = saving > 0 ? saving / kSecondsPerHour : 0;
  int zone = offset - f.dstHours * kSecondsPerHour;

  std::string rangeNote;
  if (zone > kMaxZoneHours * kSecondsPerHour) {
    // East of +12 the Zone field runs out; the hours beyond it go into the
    // DST field, which subtracts from the clock time just as an eastern
    // zone does, so the UT is unchanged.
    f.outOfRange = true;
    const int beyond =
        (zone - kMaxZoneHours * kSecondsPerHour + kSecondsPerHour - 1) / kSecondsPerHour;
    f.dstHours += beyond;
    zone -= beyond * kSecondsPerHour;
    rangeNote = "UTC" + FormatUtOffset(offset) +
                " is beyond the Zone field's 12 hours: entered as " +
                FormatText("%d hours DST", f.dstHours) + " on top of the zone.";
  } else if (zone < -kMaxZoneHours * kSecondsPerHour - 59 * 60) {
    f.outOfRange = true;
    rangeNote = "UTC" + FormatUtOffset(offset) + " is beyond the Zone field's 12 hours.";
  }

  f.zoneEast = zone > 0 || (zone == 0 && lonDegEast > 0);
  const int magnitude = std::abs(zone);
  const int roundedMinutes = (magnitude + 30) / 60;
  f.zoneHours = roundedMinutes / 60;
  f.zoneMinutes = roundedMinutes % 60;
  if (magnitude % 60 != 0) f.secondsDropped = true;

  f.label = std::string(zoneName) + ", ";
  if (f.localMeanTime) {
    f.label += "local mean time of the place " + FormatUtOffset(offset);
  } else {
    f.label += p.abbreviation + " " + Describe(p);
  }

  if (info.kind == LocalTimeKind::Gap) {
    f.warning = "This clock time was skipped when the clocks went forward (" +
                FormatUtOffset(info.before.offsetSeconds) + " to " +
                FormatUtOffset(info.after.offsetSeconds) + ")";
  } else if (info.kind == LocalTimeKind::Overlap) {
    f.warning = "This clock time occurred twice when the clocks went back (" +
                FormatUtOffset(info.before.offsetSeconds) + ", then " +
                FormatUtOffset(info.after.offsetSeconds) + ")";
  }
  if (!f.warning.empty()) {
    f.warning += f.unresolved                  ? ": choose the earlier or the later offset."
                 : fold == FoldChoice::Earlier ? ": the earlier offset is used."
                                               : ": the later offset is used.";
  }
  if (!rangeNote.empty()) f.warning += (f.warning.empty() ? "" : " ") + rangeNote;
  if (f.secondsDropped && rangeNote.empty() && f.warning.empty()) {
    f.warning = "UTC" + FormatUtOffset(offset) + " is rounded to the minute.";
  }
  return f;
}

}  // namespace sarvexa
