#include "cli/cmd_ephemeris.h"

#include <cctype>

#include "document/text_export.h"
#include "engine/calendar.h"

namespace sarvexa {
namespace {

// A run of 1..`maxDigits` decimal digits as a whole string, or -1.
int Digits(const std::string& text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return -1;
  int value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::int32_t ParseEphemerisStart(const std::string& text, std::string& error) {
  const auto dash1 = text.find('-');
  const auto dash2 = dash1 == std::string::npos ? std::string::npos : text.find('-', dash1 + 1);
  if (dash2 == std::string::npos) {
    error = "--from must be a date YYYY-MM-DD, not '" + text + "'";
    return 0;
  }
  const int year = Digits(text.substr(0, dash1), 4);
  const int month = Digits(text.substr(dash1 + 1, dash2 - dash1 - 1), 2);
  const int day = Digits(text.substr(dash2 + 1), 2);
  if (year < 0 || month < 0 || day < 0) {
    error = "--from must be a date YYYY-MM-DD, not '" + text + "'";
    return 0;
  }
  if (year < 1800 || year > 2100) {
    error = "--from: the year must be between 1800 and 2100";
    return 0;
  }
  if (month < 1 || month > 12) {
    error = "--from: the month must be between 1 and 12";
    return 0;
  }
  if (day > 31) {
    error = "--from: the day must be between 0 and 31";
    return 0;
  }
  return DayNumberFromDate(year, month, day);
}

OptionMatch TakeEphemerisOption(const std::vector<std::string>& args, std::size_t& i,
                                EphemerisOptions& options, std::string& error) {
  const std::string& name = args[i];
  if (name != "--from" && name != "--interval" && name != "--rows") return OptionMatch::NotMine;
  if (i + 1 >= args.size()) {
    error = name + " needs a value";
    return OptionMatch::Error;
  }
  const std::string& value = args[i + 1];
  if (name == "--from") {
    const std::int32_t day = ParseEphemerisStart(value, error);
    if (day == 0) return OptionMatch::Error;
    options.startDay = day;
  } else if (name == "--interval") {
    const auto interval = EphemerisIntervalFromName(value);
    if (!interval) {
      error = "--interval must be daily, weekly, monthly or yearly, not '" + value + "'";
      return OptionMatch::Error;
    }
    options.interval = *interval;
  } else {
    const int rows = Digits(value, 5);
    if (rows < 1 || rows > 10000) {
      error = "--rows must be a number from 1 to 10000, not '" + value + "'";
      return OptionMatch::Error;
    }
    options.rows = rows;
  }
  i += 2;
  return OptionMatch::Taken;
}

std::string EphemerisReport(const std::string& place, const Horoscope& chart,
                            const EphemerisOptions& options) {
  std::string out = "Ephemeris for " + place + "   " + TextExportPlaceLine(chart) + " 12:00 AM\n";
  out += EphemerisSeriesText(
      ComputeEphemerisSeries(chart, options.startDay, options.interval, options.rows));
  return out;
}

}  // namespace sarvexa
