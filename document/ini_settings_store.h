#pragma once
// A read-only view of the ini file in which the desktop program's QSettings
// keeps its settings (~/.config/Sarvexa/Sarvexa.conf, group [Settings]).
// sarvexa-cli reads the Prasna location and the chart style through it, so
// its commands that draw nothing never load a toolkit library; the drawing
// program sarvexa-render reads the same file the same way. Writes stay in
// memory: the file belongs to the desktop program. Keys with spaces appear
// percent-encoded there ("Chart%20Style"); values may be quoted and carry
// backslash escapes.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "document/settings_store.h"

namespace sarvexa {

class IniFileSettingsStore final : public SettingsStore {
 public:
  /// Reads the [Settings] group of the ini text; unknown groups are skipped.
  static IniFileSettingsStore FromText(std::string_view iniText);
  /// Reads a file; a missing or unreadable file gives an empty store, and
  /// for a file that exists but cannot be read readProblem() says why.
  static IniFileSettingsStore FromFile(const std::filesystem::path& path);
  /// The desktop program's file: $XDG_CONFIG_HOME or ~/.config, then
  /// Sarvexa/Sarvexa.conf; nullopt when neither variable is set.
  static std::optional<std::filesystem::path> DefaultPath();

  std::optional<int> readInt(const std::string& key) const override;
  std::optional<std::string> readText(const std::string& key) const override;
  /// Writes go to memory only: the file belongs to the desktop program.
  Result<void> writeInt(const std::string& key, int value) override;
  Result<void> writeText(const std::string& key, const std::string& value) override;

  /// Why the file could not be read, in one sentence with its path (see
  /// SettingsReadMessage); empty when it was read or does not exist.
  const std::string& readProblem() const { return readProblem_; }

 private:
  std::map<std::string, std::string> values_;
  std::string readProblem_;
};

/// A key as written in the ini file, decoded: "%20" and "%U0915" escapes.
std::string DecodeIniKey(std::string_view key);
/// A value as written in the ini file, decoded: quotes removed, backslash
/// escapes resolved, surrounding blanks of unquoted parts dropped, and the
/// "@@" escape of a leading "@" undone.
std::string DecodeIniValue(std::string_view value);

}  // namespace sarvexa
