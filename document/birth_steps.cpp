#include "document/birth_steps.h"

#include "document/chart_data.h"
#include "document/notation.h"
#include "engine/birth_time.h"
#include "engine/calendar.h"
#include "engine/text_format.h"

namespace sarvexa {

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

// "7:42 AM", with "Jan 2,2000 " before it when `withDate`.
std::string ClockText(const LocalClockReading& c, bool withDate) {
  std::string text = WriteTwelveHourClock({c.hour, c.minute}, true);
  if (!withDate) return text;
  const char* month = c.month >= 1 && c.month <= 12 ? kMonthAbbreviations[c.month - 1] : "???";
  return FormatText("%s %d,%d ", month, c.day, c.year) + text;
}

}  // namespace

int StepMinutes(BirthStep step) {
  switch (step) {
    case BirthStep::Minute:
      return 1;
    case BirthStep::FiveMinutes:
      return 5;
    case BirthStep::Hour:
      return 60;
    case BirthStep::Day:
      return 1440;
  }
  return 1;
}

BirthOffsetRange SteppableOffsets(const Horoscope& entered) {
  const BirthClock c = BirthClockOf(entered);
  const std::int64_t now =
      static_cast<std::int64_t>(c.julianDay) * kMinutesPerDay + c.hour * 60 + c.minute;
  const std::int64_t first =
      static_cast<std::int64_t>(DayNumberFromDate(kChartDataFirstYear, 1, 1)) * kMinutesPerDay;
  const std::int64_t last =
      static_cast<std::int64_t>(DayNumberFromDate(kChartDataLastYear, 12, 31)) * kMinutesPerDay +
      kMinutesPerDay - 1;
  return {first - now, last - now};
}

std::string SteppedTimeText(const Horoscope& entered, std::int64_t offset) {
  const LocalClockReading at = ShiftedBirthClock(entered, offset);
  const LocalClockReading from = ShiftedBirthClock(entered, 0);
  const bool otherDate = at.year != from.year || at.month != from.month || at.day != from.day;
  const std::int64_t size = offset < 0 ? -offset : offset;
  const std::int64_t days = size / kMinutesPerDay, hours = size % kMinutesPerDay / 60,
                     minutes = size % 60;
  std::string distance = offset < 0 ? "\xE2\x88\x92" : "+";
  if (days > 0) distance += FormatText("%lld d", static_cast<long long>(days));
  if (hours > 0)
    distance += FormatText("%s%lld h", days > 0 ? " " : "", static_cast<long long>(hours));
  if (minutes > 0 || size == 0) {
    distance += size >= 60 ? FormatText(" %02lld min", static_cast<long long>(minutes))
                           : FormatText("%lld min", static_cast<long long>(minutes));
  }
  return ClockText(at, otherDate) + ", " + distance;
}

std::string StepEdgeText(const Horoscope& entered, std::int64_t offset, bool later) {
  return "The birth time stops at " + ClockText(ShiftedBirthClock(entered, offset), true) +
         (later ? ", the latest" : ", the earliest") + " the program takes.";
}

}  // namespace sarvexa
