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
#include "engine/result.h"

namespace sarvexa {

struct ChartSnapshot;

struct ExportOptions {
  std::optional<std::string> textPath;  ///< --text FILE
  std::optional<std::string> csvPath;   ///< --csv FILE
  std::optional<CharChartStyle> style;  ///< --style; the stored setting when absent
  bool any() const { return textPath.has_value() || csvPath.has_value(); }
};

/// An output file or the file read, with the option that named it.
struct NamedFile {
  std::string option;  ///< "--text"; for the file read, how the message calls it
  std::string path;
};

/// No output may be the file read (it would be replaced by a report or a
/// picture), and no two outputs may be one file (one would silently replace
/// the other), however spelt: "a.txt" and "./a.txt", a link, a hard link.
/// "-" is standard output and not a file here. The complaint otherwise.
Result<void> SameFileConflict(const std::vector<NamedFile>& outputs,
                              const std::optional<NamedFile>& input = std::nullopt);

/// Standard output carries one thing only: the JSON, or one file's bytes sent
/// there with "-"; and no report may be `inputPath` (a chart file saved
/// over itself with --svx holds the same chart), nor may two outputs share a
/// file (SameFileConflict). Fails with the complaint when either happens.
Result<void> StandardOutputConflict(bool json, const ExportOptions& exports,
                                    const std::optional<std::string>& svxPath,
                                    const std::optional<std::string>& inputPath = std::nullopt);

/// An output's name as given, or "-" when it names this program's standard
/// output (/dev/stdout, /dev/fd/1, a link to one): it is then standard
/// output in every respect, written in order with the rest and counted as
/// its one user.
std::string OutputName(const std::string& value);

/// What looking at one command-line argument found; a missing or bad value
/// is the failure of the Result that carries it.
enum class OptionMatch { NotMine, Taken };

/// If args[i] is one of the export options, takes it (and its value, moving
/// i past it) into `options`. A missing or bad value fails with its message.
Result<OptionMatch> TakeExportOption(const std::vector<std::string>& args, std::size_t& i,
                                     ExportOptions& options);

/// "north" or "south" (any letter case).
std::optional<CharChartStyle> ParseStyleName(const std::string& name);
/// The value of --style, or the complaint about it.
Result<CharChartStyle> ParseStyleOption(const std::string& value);

/// Writes the requested exports of an open chart, in the order text, CSV.
/// A path "-" goes to `out`. The text export's charts use --style, or the
/// chart's stored chart style. Fails with the first failure.
Result<void> WriteExports(const ExportOptions& options, const ChartSnapshot& chart,
                          std::ostream& out);

/// Help lines for the options, for the usage text.
inline constexpr const char* kExportOptionsHelp =
    "  --text FILE           write the text report (CR LF lines; '-' for standard output)\n"
    "  --csv FILE            write the one-record CSV export ('-' for standard output)\n"
    "                        (a stream's name, /dev/stderr or /dev/fd/N, writes to it)\n"
    "  --style north|south   chart style of the text report (default: the stored setting)\n";

}  // namespace sarvexa
