#pragma once
// `sarvexa-cli batch`: many births in one run. Rows of birth data come in as
// CSV with a header; each row goes through exactly the steps of `chart`
// (option checks, the "Chart Data" checks, calculation, derivations, JSON
// members) and comes out as one JSON line or one CSV line, in input order.
// Rows are read, computed and written in chunks, so memory stays the same
// whatever the length of the input.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/birth_options.h"
#include "cli/commands.h"
#include "cli/csv_records.h"
#include "document/present.h"
#include "engine/dasha.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// Fills a row's place, longitude, latitude and zone from a city name as
/// `--city` does, or returns the message for a name it cannot place. The
/// atlas provides it; without one a row that names a city is refused. With
/// --threads above 1 it is called from several threads at once.
using CityLookup = std::function<Result<void>(std::string_view city, BirthOptions& birth)>;

/// Reads an instant on the clock of the running period (the Prasna
/// location's), for a row's `now` written with Z or an offset. Called from
/// several threads at once with --threads above 1.
using InstantReader = std::function<LocalClockReading(Instant instant)>;

enum class BatchFormat { JsonLines, Csv };

struct BatchSettings {
  BatchFormat format = BatchFormat::JsonLines;
  /// JSON: members of `chart --json` to keep; CSV: the columns, each a
  /// scalar by path ("julianDay", "positions.1.longitude"). Empty: every
  /// member, or the default columns.
  std::vector<std::string> fields;
  LocalClockReading now;  ///< for rows without a `now` cell
  /// The conventions and the theory of every row (its clock reading is
  /// `now`, or the row's own).
  CastContext cast;
  /// For rows without a `fold` cell: which offset a city's doubled or
  /// skipped clock time takes (--fold); unresolved, such a row is refused.
  FoldChoice fold = FoldChoice::Unresolved;
  int threads = 1;  ///< worker threads; the output keeps the input order
  /// --sensitivity: each row gains the member "sensitivity", the object of
  /// `sensitivity --json` for the row's chart (24 hours either way).
  bool sensitivity = false;
  CityLookup city;
  /// For a `now` cell that names an instant; without one such a row is
  /// refused.
  InstantReader readInstant;
};

/// How a batch row chooses the offset of a doubled or skipped clock time.
inline constexpr const char* kBatchFoldHint =
    "choose with a fold cell (earlier or later) or batch --fold earlier|later";

/// The input columns `batch` knows, in their usual order.
inline constexpr const char* kBatchColumns[] = {"first", "last", "place", "date", "time", "zone",
                                                "dst",   "lon",  "lat",   "city", "fold", "now"};

/// The members of `chart --json`, in order, and "sensitivity" after them
/// with `sensitivity`.
const std::vector<std::string>& ChartMemberNames(bool sensitivity = false);
/// Every scalar of `chart --json` by path, in order, and with `sensitivity`
/// those of the member "sensitivity" after them.
const std::vector<std::string>& ChartScalarPaths(bool sensitivity = false);
/// The CSV columns when none are chosen: the top-level scalars and each
/// point's longitude, and with `sensitivity` every value of "sensitivity".
std::vector<std::string> DefaultCsvColumns(bool sensitivity = false);

/// Checks `settings.fields` against the format; the message for the first
/// name that is not a member (JSON) or not a scalar path (CSV), or that is
/// named twice.
Result<void> CheckBatchFields(const BatchSettings& settings);

/// Reads the header and every row of `in`, writes one line per row to `out`
/// (after a header line for CSV) and one line per bad row to `err` (and one
/// per row whose city name was ambiguous, saying which place was taken).
/// With more than one thread asked for, runs on as many as the system
/// grants, saying so once when that is fewer. Returns 0 when every row was
/// good, 1 when some were not, the output could not be written or the input
/// not read (a record running past CsvRecordReader::kMaxRunBytes stops it),
/// 2 for a header it cannot use (then nothing is written to `out`).
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchSettings& settings);
/// The same over the records of `reader`.
int RunBatch(CsvRecordReader& reader, std::ostream& out, std::ostream& err,
             const BatchSettings& settings);

/// `batch [FILE|-] [--fields LIST] [--format json|csv] [--threads N]
/// [--now YYYY-MM-DDTHH:MM]`: RunBatch over a file or standard input.
int RunBatchCommand(const Arguments& args, std::ostream& out, std::ostream& err);
void PrintBatchHelp(std::ostream& out);

}  // namespace sarvexa::cli
