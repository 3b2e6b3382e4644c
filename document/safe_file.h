#pragma once
// Reading and replacing files without hanging, without following planted
// links and without ever leaving a half-written file where the user's file
// was. Chart files, the text and CSV exports and the rendered pictures all
// go through here.
//
// Reading opens without blocking and looks at what was opened (not at the
// name), so a fifo, a device or a folder is refused instead of waited on.
// Replacing writes a temporary file created exclusively (never through an
// existing name or link) in the target's folder, syncs it, and renames it
// over the target; on any failure the temporary is removed and the old file
// stays whole.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "engine/result.h"

namespace sarvexa {

/// How much of a file is read as a chart file. Real chart files are a few
/// hundred bytes; the reader ignores whatever follows the last field, so only
/// a file whose texts alone exceed this is refused (as cut short).
inline constexpr std::size_t kChartFileReadLimit = std::size_t{16} * 1024 * 1024;

/// The bytes of a regular file, at most its first `limit`. A folder, fifo,
/// socket or device is refused without waiting on it. An error message when
/// it cannot be read.
Result<std::string> ReadFileBytes(const std::filesystem::path& path,
                                  std::size_t limit = kChartFileReadLimit);

/// Gives the names tried, one after the other, for the temporary file in the
/// target's folder. Empty: short random names.
using TemporaryNameSource = std::function<std::string()>;

/// Replaces the file at `path` with `bytes` through a fresh temporary file
/// beside it. Refused: an empty name, a folder, anything that is not a
/// regular file, and an existing file the user cannot write (a file without
/// any write permission counts as protected even for the superuser). A link
/// is followed to the file it names, which keeps its permissions. An error
/// message on failure.
Result<void> WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes,
                                const TemporaryNameSource& names = {});

}  // namespace sarvexa
