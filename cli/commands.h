#pragma once
// The subcommands of sarvexa-cli. Each takes the arguments after its name
// and writes to the given streams; the return value is the exit code
// (0 success, 2 bad usage, 1 failure at run time).

#include <iosfwd>
#include <string>
#include <vector>

namespace sarvexa::cli {

/// Exit code for a bad or missing option.
inline constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;

/// The complaint about an option given without its value, as the export,
/// ephemeris and render options word it: "--csv needs a value".
inline std::string NeedsValue(const std::string& option) { return option + " needs a value"; }

/// An argument that is no option of `command`, pointing to its help.
inline std::string UnknownOption(const std::string& argument, const std::string& command) {
  return "unknown option \"" + argument + "\" (see sarvexa-cli " + command + " --help)";
}

/// The same as the birth-option commands word it, pointing to the help of
/// `command` when one is named: "--date: a value is required (see
/// sarvexa-cli chart --help)".
inline std::string ValueRequired(const std::string& option, const std::string& command = {}) {
  return option + ": a value is required" +
         (command.empty() ? "" : " (see sarvexa-cli " + command + " --help)");
}

/// `chart`: casts a chart from birth options and prints it (table or --json).
int RunChartCommand(const Arguments& args, std::ostream& out, std::ostream& err);
/// Help text of `chart`.
void PrintChartHelp(std::ostream& out);

/// `render`: draws one page (screen or print variant) into a PNG or a PDF.
/// Part of the sarvexa-render program only, which sarvexa-cli starts for it.
int RunRenderCommand(const Arguments& args, std::ostream& out, std::ostream& err);
/// Help text of `render`.
void PrintRenderHelp(std::ostream& out);

/// `transits`: natal chart from birth options, transit chart of --at, and
/// the SA comparison of the two (table or --json).
int RunTransitsCommand(const Arguments& args, std::ostream& out, std::ostream& err);
/// Help text of `transits`.
void PrintTransitsHelp(std::ostream& out);

/// `sensitivity`: the birth-time table of a chart from birth options (table
/// or --json).
int RunSensitivityCommand(const Arguments& args, std::ostream& out, std::ostream& err);
/// Help text of `sensitivity`.
void PrintSensitivityHelp(std::ostream& out);

/// `places`: lists the atlas places matching a name (table or --json).
int RunPlacesCommand(const Arguments& args, std::ostream& out, std::ostream& err);
/// Help text of `places`.
void PrintPlacesHelp(std::ostream& out);

}  // namespace sarvexa::cli
