#pragma once
// The "Chart Data" dialog's fields as a plain record, the two conversions
// between them and the chart record, and the checks made on OK. The desktop
// dialog and sarvexa-cli both go through these functions, so a chart entered
// either way is stored identically and rejected for the same reasons.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "document/notation.h"
#include "document/place.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa {

/// The first field that failed the OK checks of a dialog.
struct FieldError {
  int controlId = 0;  ///< dialog control of the field (1006 = hour, ...)
  std::string field;  ///< field name as in ChartDataFields, e.g. "hour"
  enum class Kind {
    Range,        ///< a whole number outside [minimum, maximum]
    WholeNumber,  ///< the text is not a whole number
    TooLong,      ///< a text of more than maxChars characters
  } kind = Kind::Range;
  int minimum = 0;      ///< Range: lowest value admitted
  int maximum = 0;      ///< Range: highest value admitted
  int maxChars = 0;     ///< TooLong: characters admitted
  std::string message;  ///< the message to show, e.g. "Please enter an integer between 1 and 12."
};

/// The fields of the "Chart Data" dialog with its initial values. Numbers are
/// the magnitudes typed into the digit fields; the signs come from the radio
/// groups `isPm`, and `isEast` and `isSouth` of the place. Control ids of the
/// place: 1020/1023 longitude, 1021/1022 West/East, 1024/1027 latitude,
/// 1025/1026 North/South, 1011/1029 zone, 1030/1028 DST (0..12, 0..59; the
/// DST minutes are kept in the dialog, not in the chart).
struct ChartDataFields : PlaceFields {
  std::string firstName;  ///< 1002, UTF-8, no limit
  std::string lastName;   ///< 1004, UTF-8, no limit
  int hour = 1;           ///< 1006, clock hour 1..12
  int minute = 0;         ///< 1008, 0..59
  int day = 1;            ///< 1017, 1..31 (a day the month lacks is accepted)
  int year = 1997;        ///< 1018, 1700..2300
  std::string place;      ///< 1019, at most 32 characters
  int monthIndex = 0;     ///< 1016, 0 = "Jan" .. 11 = "Dec"
  bool isPm = false;      ///< radio 1009 "AM" / 1010 "PM"
  friend bool operator==(const ChartDataFields&, const ChartDataFields&) = default;
};

/// The fields as typed, for a dialog whose edits hand over text. Any field
/// may hold arbitrary characters; ParseChartDataText reports the first one
/// that is not a whole number or is out of range.
struct ChartDataText : PlaceText {
  std::string firstName, lastName;
  std::string hour = "1", minute = "0", day = "1", year = "1997";
  std::string place;
  int monthIndex = 0;
  bool isPm = false;
};

/// The years "Chart Data" takes (its year field's range).
inline constexpr int kChartDataFirstYear = 1700;
inline constexpr int kChartDataLastYear = 2300;

/// The allowed characters of the place field of "Chart Data".
inline constexpr int kChartDataPlaceMaxChars = 32;

/// Dialog values for File > New: the initial values, with `year` set to the
/// current local year.
ChartDataFields NewChartDialogValues(int currentYear);

/// Chart data that passed the "Chart Data" dialog's checks. Only
/// CheckChartData makes one, so a chart is cast (document/cast.h) only from
/// checked data, and checked once.
class CheckedChartData {
 public:
  const ChartDataFields& fields() const { return fields_; }

 private:
  friend Result<CheckedChartData, FieldError> CheckChartData(ChartDataFields fields);
  explicit CheckedChartData(ChartDataFields fields) : fields_(std::move(fields)) {}
  ChartDataFields fields_;
};

/// Checks every field in the dialog's order: the first failure, or the
/// checked data. A month index outside 0..11 is reported as a range failure
/// too.
Result<CheckedChartData, FieldError> CheckChartData(ChartDataFields fields);

/// Exchanges text fields into numbers and checks them, in the dialog's
/// order, stopping at the first failure (not a whole number, or out of range).
Result<ChartDataFields, FieldError> ParseChartDataText(const ChartDataText& text);

/// "Dialog to record": sets the birth data and `julianCenturies` of `h`
/// through SetBirthDate, SetBirthTime and SetBirthPlace (12-hour clock to
/// 0..23, East negating longitude and zone (the zone by its own side when
/// `zoneEast` is set), South negating latitude). The
/// positions are not computed. Expects fields that passed CheckChartData.
void ChartDataToRecord(const ChartDataFields& fields, Horoscope& h);

/// "Record to dialog": the dialog values showing a stored chart and its
/// document strings (clock time, date, coordinates as magnitudes and flags;
/// `zoneEast` set only when the zone's side differs from the longitude's).
ChartDataFields RecordToChartData(const Horoscope& h, const std::string& firstName,
                                  const std::string& lastName, const std::string& place);

/// Number of characters (Unicode code points) of a UTF-8 text; each byte of
/// an invalid sequence counts as one character.
int CountCharacters(std::string_view utf8);

}  // namespace sarvexa
