#pragma once
// The export options shared by the chart-printing subcommands (chart, open,
// prasna): --text FILE, --csv FILE and --style north|south. "-" as FILE
// writes to standard output.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "document/char_chart.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

struct ChartSnapshot;

struct ExportOptions {
  std::optional<std::string> textPath;       ///< --text FILE
  std::optional<std::string> csvPath;        ///< --csv FILE
  std::optional<CharChartStyle> style;       ///< --style; the stored setting when absent
  bool any() const { return textPath.has_value() || csvPath.has_value(); }
};

/// Standard output carries one thing only: the JSON, or one file's bytes sent
/// there with "-"; and no two outputs may name the same file (one would
/// silently replace the other). Returns the complaint when either happens.
std::optional<std::string> StandardOutputConflict(bool json, const ExportOptions& exports,
                                                  const std::optional<std::string>& svxPath);

/// Result of looking at one command-line argument.
enum class OptionMatch { NotMine, Taken, Error };

/// If args[i] is one of the export options, takes it (and its value, moving
/// i past it) into `options`. On a missing or bad value returns Error with a
/// message in `error`.
OptionMatch TakeExportOption(const std::vector<std::string>& args, std::size_t& i,
                             ExportOptions& options, std::string& error);

/// "north" or "south" (any letter case).
std::optional<CharChartStyle> ParseStyleName(const std::string& name);

/// Writes the requested exports of an open chart, in the order text, CSV.
/// A path "-" goes to `out`. The text export's charts use --style, or the
/// chart's stored chart style. Returns the first failure.
std::optional<std::string> WriteExports(const ExportOptions& options, const ChartSnapshot& chart,
                                        std::ostream& out);

/// The "Chart Style" the desktop program stored (its settings file), 0 when
/// there is none.
int StoredChartStyle();

/// Help lines for the options, for the usage text.
inline constexpr const char* kExportOptionsHelp =
    "  --text FILE           write the text report (CR LF lines; '-' for standard output)\n"
    "  --csv FILE            write the one-record CSV export ('-' for standard output)\n"
    "  --style north|south   chart style of the text report (default: the stored setting)\n";

}  // namespace sarvexa
