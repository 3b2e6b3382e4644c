#pragma once
// Stepping a chart's birth time: the steps offered, how far the birth may
// be moved (the years the "Chart Data" dialog takes), and how the status bar
// tells the stepped time. The chart document keeps the time as entered and
// the offset from it; these are the rules it follows.

#include <array>
#include <cstdint>
#include <string>

#include "engine/horoscope.h"

namespace sarvexa {

/// The step of Edit > Birth Time Earlier and Later.
enum class BirthStep { Minute, FiveMinutes, Hour, Day };

inline constexpr std::array<BirthStep, 4> kBirthSteps = {BirthStep::Minute, BirthStep::FiveMinutes,
                                                         BirthStep::Hour, BirthStep::Day};

/// The step in minutes: 1, 5, 60, 1440.
int StepMinutes(BirthStep step);

/// The offsets, in minutes of clock time from the birth `entered`, the birth
/// may be moved to: those whose date lies in the years 1700..2300, as the
/// "Chart Data" dialog takes them. The range leaves out 0 when the entered
/// date itself lies outside those years.
struct BirthOffsetRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
};
BirthOffsetRange SteppableOffsets(const Horoscope& entered);

/// The stepped time as the status bar shows it: the clock time, with the
/// date when it is not the entered date, and the distance from the entered
/// time: "7:42 AM, +12 min", "Jan 2,2000 5:30 PM, +1 d", "4:05 PM, −1 h 05 min"
/// (a true minus sign).
std::string SteppedTimeText(const Horoscope& entered, std::int64_t offset);

/// What the status bar says when a step stops at the edge of the years, at
/// `offset`, going later (`later`) or earlier: "The birth time stops at
/// Dec 31,2300 11:59 PM, the latest the program takes."
std::string StepEdgeText(const Horoscope& entered, std::int64_t offset, bool later);

}  // namespace sarvexa
