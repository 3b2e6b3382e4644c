#pragma once
// Why the settings file cannot be read or written, in the system's words.
// The settings stores (QSettings in the window, the ini reader of
// sarvexa-cli) only know that something failed; the user is told which file
// and why ("Permission denied", "Is a directory", "Not a directory"), once,
// and the program goes on with what it has.

#include <filesystem>
#include <string>

#include "engine/result.h"

namespace sarvexa {

/// Succeeds when the settings file at `path` can be read, or does not exist
/// yet (a first start); fails with the reason it cannot be read.
Result<void> CheckSettingsReadable(const std::filesystem::path& path);

/// Succeeds when nothing is seen to stand in the way of writing the settings
/// file at `path`; fails with the reason (the file itself, its folder, or a
/// folder on the way to it).
Result<void> CheckSettingsWritable(const std::filesystem::path& path);

/// "Cannot read the settings file PATH: REASON." with what happens instead.
std::string SettingsReadMessage(const std::filesystem::path& path, const std::string& reason);
/// "Cannot save the settings to PATH: REASON." with what happens instead.
std::string SettingsWriteMessage(const std::filesystem::path& path, const std::string& reason);

}  // namespace sarvexa
