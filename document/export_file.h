#pragma once
// Writing an export's bytes to a file, with the failure reported rather than
// skipped: the desktop program shows the message, the command-line tool
// prints it and exits with code 1.

#include <optional>
#include <string>

namespace sarvexa {

/// Creates or truncates the file at `path` and writes `bytes` to it exactly
/// (no line-end translation). Returns nothing on success, otherwise a message
/// naming the path and the reason, e.g. "Cannot write /x/a.txt: No such file
/// or directory". A partly written file is left in place when the failure
/// happens after opening; the message says so.
std::optional<std::string> WriteExportFile(const std::string& path, const std::string& bytes);

}  // namespace sarvexa
