#pragma once
// The chart document's settings store over QSettings: organization and
// application "Sarvexa", group "Settings" (on Linux the file
// ~/.config/Sarvexa/Sarvexa.conf). The recent-file list lives in the same
// file under its own group.

#include <QSettings>
#include <QStringList>

#include "document/settings_store.h"

namespace sarvexa {

/// Organization and application name of the per-user settings.
inline constexpr const char* kSettingsOrganization = "Sarvexa";
inline constexpr const char* kSettingsApplication = "Sarvexa";

/// Number of entries in File's recent-file list.
inline constexpr int kRecentFileCount = 4;

class QSettingsStore final : public SettingsStore {
public:
  QSettingsStore();

  std::optional<int> readInt(const std::string& key) const override;
  std::optional<std::string> readText(const std::string& key) const override;
  bool writeInt(const std::string& key, int value) override;
  bool writeText(const std::string& key, const std::string& value) override;

  /// The stored recent-file list, most recent first (at most 4 entries, as
  /// stored; the caller drops files that no longer exist).
  QStringList readRecentFiles() const;
  /// Replaces the stored recent-file list (only the first 4 entries are kept).
  bool writeRecentFiles(const QStringList& files);

private:
  bool flushed();
  mutable QSettings settings_;
};

}  // namespace sarvexa
