#pragma once
// Writing an export's bytes to a file, with the failure reported rather than
// skipped: the desktop program shows the message, the command-line tool
// prints it and exits with code 1.

#include <string>

#include "engine/result.h"

namespace sarvexa {

/// Replaces the file at `path` with `bytes` exactly (no line-end
/// translation), through a temporary file renamed into place, so a failed
/// write leaves any old file whole and no fragment behind. A failure names
/// the path and the reason, e.g. "Cannot write /x/a.txt: No space left on
/// device.".
Result<void> WriteExportFile(const std::string& path, const std::string& bytes);

}  // namespace sarvexa
