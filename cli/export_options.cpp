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

// Two outputs naming one file, however spelt ("a.txt", "./a.txt", a link
// to it): the second would replace the first without a word.
Result<void> SameFileConflict(const ExportOptions& exports,
                              const std::optional<std::string>& svxPath) {
  namespace fs = std::filesystem;
  struct Output {
    const char* option;
    const std::optional<std::string>& path;
  };
  const Output outputs[] = {
      {"--svx", svxPath}, {"--text", exports.textPath}, {"--csv", exports.csvPath}};
  const auto where = [](const std::string& p) {
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(fs::absolute(p, ec), ec);
    return ec ? fs::path(p).lexically_normal() : full;
  };
  for (std::size_t i = 0; i < std::size(outputs); ++i) {
    for (std::size_t k = i + 1; k < std::size(outputs); ++k) {
      const auto& a = outputs[i].path;
      const auto& b = outputs[k].path;
      if (!a || !b || *a == "-" || *b == "-" || where(*a) != where(*b)) continue;
      return Fail(std::string(outputs[i].option) + " and " + outputs[k].option +
                  " name the same file '" + *b + "'; give each output its own file");
    }
  }
  return Ok();
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

Result<OptionMatch> TakeExportOption(const std::vector<std::string>& args, std::size_t& i,
                                     ExportOptions& options) {
  const std::string& name = args[i];
  if (name != "--text" && name != "--csv" && name != "--style") return OptionMatch::NotMine;
  if (i + 1 >= args.size() || args[i + 1].empty()) return Fail(cli::NeedsValue(name));
  const std::string& value = args[i + 1];
  if (name == "--text") {
    options.textPath = value;
  } else if (name == "--csv") {
    options.csvPath = value;
  } else {
    const Result<CharChartStyle> style = ParseStyleOption(value);
    if (!style) return Fail(style.error());
    options.style = *style;
  }
  i += 2;
  return OptionMatch::Taken;
}

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

Result<void> StandardOutputConflict(bool json, const ExportOptions& exports,
                                    const std::optional<std::string>& svxPath) {
  if (auto same = SameFileConflict(exports, svxPath); !same) return same;
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
