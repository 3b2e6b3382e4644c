#pragma once
// Standard output as the tool's result: every command's output is checked
// once, at the end, so that a full disk, a closed pipe end or a closed
// descriptor is reported and never ends in exit code 0.

#include <iosfwd>
#include <string>

namespace sarvexa::cli {

/// The message printed when the output could not be written.
inline constexpr const char* kStandardOutputError = "Cannot write to standard output";

/// Run first: when one of the three standard descriptors is closed, a file
/// opened later would take its number and receive what was meant for the
/// terminal. Each closed one is given /dev/null, standard output opened for
/// reading only so that every write to it still fails and is reported.
void GuardStandardDescriptors();

/// Flushes `out` and the C library's standard output and returns the exit
/// code: `code` when everything reached standard output, otherwise 1 (2, a
/// usage error, stays) after printing "sarvexa-cli COMMAND: Cannot write to
/// standard output" to `err`.
int FinishStandardOutput(int code, const std::string& command, std::ostream& out,
                         std::ostream& err);

}  // namespace sarvexa::cli
