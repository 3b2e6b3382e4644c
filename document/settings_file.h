#pragma once
// Why the settings file cannot be read or written, in the system's words.
// The settings stores (QSettings in the window, the ini reader of
// sarvexa-cli) only know that something failed; the user is told which file
// and why ("Permission denied", "Is a directory", "Not a directory"), once,
// and the program goes on with what it has.

#include <filesystem>
#include <optional>
#include <string>

namespace sarvexa {

/// Why the settings file at `path` cannot be read; nothing when it can be,
/// or when it does not exist yet (a first start).
std::optional<std::string> SettingsReadProblem(const std::filesystem::path& path);

/// Why the settings file at `path` cannot be written (the file itself, its
/// folder, or a folder on the way to it); nothing when nothing is seen to
/// stand in the way.
std::optional<std::string> SettingsWriteProblem(const std::filesystem::path& path);

/// "Cannot read the settings file PATH: REASON." with what happens instead.
std::string SettingsReadMessage(const std::filesystem::path& path, const std::string& reason);
/// "Cannot save the settings to PATH: REASON." with what happens instead.
std::string SettingsWriteMessage(const std::filesystem::path& path, const std::string& reason);

}  // namespace sarvexa
