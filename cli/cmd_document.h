#pragma once
// The subcommands that work on a chart document: `open` (load a chart file
// and print it like `chart`) and `prasna` (cast the chart of the present
// moment at the stored Prasna location or at a given place), and the --svx
// option that saves a chart file.

#include <iosfwd>
#include <string>

#include "cli/commands.h"
#include "document/chart_file.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// `open FILE.svx [--json] [--svx FILE] [--text FILE] [--csv FILE] [--style S]
/// [--now YYYY-MM-DDTHH:MM]`: prints the chart as `chart` does.
int RunOpenCommand(const Arguments& args, std::ostream& out, std::ostream& err);
void PrintOpenHelp(std::ostream& out);

/// `prasna [--now YYYY-MM-DDTHH:MM] [--place --lon --lat --zone --dst] [...]`.
int RunPrasnaCommand(const Arguments& args, std::ostream& out, std::ostream& err);
void PrintPrasnaHelp(std::ostream& out);

/// The complaint about --svx without a file name.
inline constexpr const char* kSvxNeedsFileName =
    "--svx needs a file name ('-' for standard output)";

/// Writes a chart file: to `out` when path is "-", else through a temporary
/// file renamed over the target. The error message on failure.
Result<void> SaveChartFile(const std::string& path, const ChartFileRecord& record,
                           std::ostream& out);

}  // namespace sarvexa::cli
