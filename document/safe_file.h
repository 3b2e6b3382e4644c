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
// stays whole. A temporary is named ".sarvexa-save-XXXXXXXXXX.tmp" and
// locked (flock) while it is written, so one whose writer was killed is
// known by its name and by nobody holding it, and the next save to that
// folder removes it.
//
// A name of an open stream (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N, or a link that leads to one) is written straight to that
// descriptor: a shell's ">> log" keeps its earlier lines, a pipe works.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
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
/// is followed to the file it names, which keeps its permissions. A name of
/// an open stream is written to that descriptor at its own position, nothing
/// truncated. Stale temporaries of an earlier save to the same folder are
/// removed first. An error message on failure.
Result<void> WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes,
                                const TemporaryNameSource& names = {});

/// The descriptor of this process that `path` names, directly
/// (/dev/stdout, /dev/fd/2, /proc/self/fd/3) or through links; nothing for
/// any other name.
std::optional<int> StreamDescriptor(const std::filesystem::path& path);

/// True when the two names reach one file: the same device and inode where
/// both exist (through links, hard links, "./x" and "x"), otherwise the same
/// path once every link and folder on the way is resolved.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

/// Opens a file to be read as a stream: a regular file or a pipe (a named
/// pipe waits for its writer). A folder, socket or device is refused without
/// waiting on it. The descriptor, which the caller closes, or the message.
Result<int> OpenStreamForReading(const std::filesystem::path& path);

/// Removes, from `folder`, the temporary files of saves whose writer is gone:
/// our own naming, a regular file of this user, and no process holding its
/// lock (for the unlocked naming of older versions: untouched for an hour).
/// Nothing else is ever removed. Called by every replace; public for tests.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

/// True for a name this module gives its temporary files.
bool IsTemporaryFileName(std::string_view name);

}  // namespace sarvexa
