#pragma once
// The export options shared by the chart-printing subcommands (chart, open,
// prasna): --text FILE, --csv FILE and --style north|south. "-" as FILE
// writes to standard output.

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/option_table.h"
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

/// --text, --csv and --style, in the order --help lists them (column 24).
/// Each needs a value that is not empty.
std::span<const cli::Option<ExportOptions>> ExportOptionRows();

/// Takes an output name (--svx FILE) into the options record, as OutputName
/// gives it.
template <class Target, std::optional<std::string> Target::*Path>
Result<void> TakeOutputPath(Target& target, std::string_view, std::string_view value) {
  target.*Path = OutputName(std::string(value));
  return Ok();
}

/// "north" or "south" (any letter case).
std::optional<CharChartStyle> ParseStyleName(const std::string& name);
/// The value of --style, or the complaint about it.
Result<CharChartStyle> ParseStyleOption(const std::string& value);

/// Writes the requested exports of an open chart, in the order text, CSV.
/// A path "-" goes to `out`. The text export's charts use --style, or the
/// chart's stored chart style. Fails with the first failure.
Result<void> WriteExports(const ExportOptions& options, const ChartSnapshot& chart,
                          std::ostream& out);

}  // namespace sarvexa
