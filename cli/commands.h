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

/// `places`: lists the atlas places matching a name (table or --json).
int RunPlacesCommand(const Arguments& args, std::ostream& out, std::ostream& err);
/// Help text of `places`.
void PrintPlacesHelp(std::ostream& out);

}  // namespace sarvexa::cli
