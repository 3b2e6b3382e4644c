#include "cli/export_options.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/chart_output.h"
#include "cli/commands.h"
#include "document/chart_snapshot.h"
#include "document/csv_export.h"
#include "document/export_file.h"
#include "document/safe_file.h"
#include "document/text_export.h"

namespace sarvexa {
namespace {

// The text report sent to a terminal shows control characters from the
// names escaped; sent to a file or a pipe it keeps its bytes as they are.
std::string TextReportFor(const std::string& path, const std::string& bytes,
                          const std::ostream& out) {
  const bool terminal = path == "-" && &out == &std::cout && ::isatty(STDOUT_FILENO) == 1;
  return terminal ? cli::TerminalText(bytes) : bytes;
}

Result<void> Emit(const std::string& path, const std::string& bytes, std::ostream& out) {
  if (path == "-") {
    // A failed write to standard output is reported once, when the
    // command ends (see FinishStandardOutput).
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Ok();
  }
  return WriteExportFile(path, bytes);
}

}  // namespace

std::optional<CharChartStyle> ParseStyleName(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "north") return CharChartStyle::North;
  if (lower == "south") return CharChartStyle::South;
  return std::nullopt;
}

Result<CharChartStyle> ParseStyleOption(const std::string& value) {
  if (const auto style = ParseStyleName(value)) return *style;
  return Fail("--style must be north or south, not '" + value + "'");
}

namespace {

using Row = cli::Option<ExportOptions>;

constexpr Row kExportRows[] = {
    Row("--text", "FILE", "write the text report (CR LF lines; '-' for standard output)",
        [](ExportOptions& o, std::string_view, std::string_view value) -> Result<void> {
          o.textPath = OutputName(std::string(value));
          return Ok();
        })
        .EmptyIsMissing()
        .Missing(cli::MissingValue::NeedsValue),
    Row("--csv", "FILE",
        "write the one-record CSV export ('-' for standard output)\n"
        "(a stream's name, /dev/stderr or /dev/fd/N, writes to it)",
        [](ExportOptions& o, std::string_view, std::string_view value) -> Result<void> {
          o.csvPath = OutputName(std::string(value));
          return Ok();
        })
        .EmptyIsMissing()
        .Missing(cli::MissingValue::NeedsValue),
    Row("--style", "north|south", "chart style of the text report (default: the stored setting)",
        [](ExportOptions& o, std::string_view, std::string_view value) -> Result<void> {
          const Result<CharChartStyle> style = ParseStyleOption(std::string(value));
          if (!style) return Fail(style.error());
          o.style = *style;
          return Ok();
        })
        .EmptyIsMissing()
        .Missing(cli::MissingValue::NeedsValue),
};

}  // namespace

std::span<const cli::Option<ExportOptions>> ExportOptionRows() { return kExportRows; }

Result<void> WriteExports(const ExportOptions& options, const ChartSnapshot& chart,
                          std::ostream& out) {
  if (options.textPath) {
    const CharChartStyle style =
        options.style.value_or(CharChartStyleFromSetting(chart.chartStyle));
    const std::string bytes = TextExportText(chart, style);
    if (auto written = Emit(*options.textPath, TextReportFor(*options.textPath, bytes, out), out);
        !written)
      return written;
  }
  if (options.csvPath) return Emit(*options.csvPath, CsvExportText(chart), out);
  return Ok();
}

std::string OutputName(const std::string& value) {
  return value != "-" && StreamDescriptor(value) == STDOUT_FILENO ? "-" : value;
}

Result<void> SameFileConflict(const std::vector<NamedFile>& outputs,
                              const std::optional<NamedFile>& input) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const NamedFile& a = outputs[i];
    if (a.path == "-") continue;
    if (input && SameFile(a.path, input->path)) {
      return Fail(a.option + " '" + a.path + "' is " + input->option +
                  ", which it would replace; give the output its own file");
    }
    for (std::size_t k = i + 1; k < outputs.size(); ++k) {
      const NamedFile& b = outputs[k];
      if (b.path == "-" || !SameFile(a.path, b.path)) continue;
      return Fail(a.option + " and " + b.option + " name the same file '" + b.path +
                  "'; give each output its own file");
    }
  }
  return Ok();
}

Result<void> StandardOutputConflict(bool json, const ExportOptions& exports,
                                    const std::optional<std::string>& svxPath,
                                    const std::optional<std::string>& inputPath) {
  std::vector<NamedFile> reports;
  if (exports.textPath) reports.push_back({"--text", *exports.textPath});
  if (exports.csvPath) reports.push_back({"--csv", *exports.csvPath});
  // A report would replace the chart file it was made from; --svx over it
  // saves the same chart again, as File > Save does.
  if (inputPath) {
    if (auto same = SameFileConflict(reports, NamedFile{"the chart file being read", *inputPath});
        !same)
      return same;
  }
  std::vector<NamedFile> outputs = reports;
  if (svxPath) outputs.insert(outputs.begin(), NamedFile{"--svx", *svxPath});
  if (auto same = SameFileConflict(outputs); !same) return same;
  std::vector<std::string> users;
  if (json) users.push_back("--json");
  if (exports.textPath == std::string("-")) users.push_back("--text -");
  if (exports.csvPath == std::string("-")) users.push_back("--csv -");
  if (svxPath == std::string("-")) users.push_back("--svx -");
  if (users.size() < 2) return Ok();
  std::string list;
  for (std::size_t i = 0; i < users.size(); ++i) {
    list += (i == 0 ? "" : i + 1 == users.size() ? " and " : ", ") + users[i];
  }
  return Fail(list + (users.size() == 2 ? " would both" : " would all") +
              " write to standard output; send all but one to files");
}

}  // namespace sarvexa
