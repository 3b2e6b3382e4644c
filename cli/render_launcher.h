#pragma once
// `sarvexa-cli render` without the toolkit: the drawing command is its own
// program, sarvexa-render, and this side only finds it and hands over.

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace sarvexa::cli {

/// File name of the drawing program.
inline constexpr const char* kRenderProgramName = "sarvexa-render";

/// Where to look for the drawing program, in order: beside the running
/// program `selfPath` (the build tree, or an install that keeps both in one
/// folder), then ../libexec/sarvexa relative to it (a moved install), then
/// the configured install folder `libexecDir`. Empty parts are skipped.
std::vector<std::string> RenderProgramCandidates(const std::string& selfPath,
                                                 const std::string& libexecDir);

/// Replaces this process with the drawing program, passing `args` (the
/// arguments after "render") through, after flushing `out`. Returns only
/// when no candidate could be started: then one line on `err`, exit code 1.
int RunRenderProgram(const Arguments& args, std::ostream& out, std::ostream& err);

/// `sarvexa-cli help render`: the drawing program's own help text.
void PrintRenderProgramHelp(std::ostream& out);

}  // namespace sarvexa::cli
