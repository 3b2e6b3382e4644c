#pragma once
// The chart document's settings store over QSettings: organization and
// application "Sarvexa", group "Settings" (on Linux the file
// ~/.config/Sarvexa/Sarvexa.conf). The recent-file list lives in the same
// file under its own group.

#include <QSettings>
#include <QStringList>
#include <functional>

#include "document/settings_store.h"

namespace sarvexa {

/// Organization and application name of the per-user settings.
inline constexpr const char* kSettingsOrganization = "Sarvexa";
inline constexpr const char* kSettingsApplication = "Sarvexa";

/// The view's display settings kept beside "Chart Style" and "Color Chart":
/// Fit Page (1, the default, or 0) and the zoom when not fitting (percent of
/// one pixel per page unit).
inline constexpr const char* kFitPageKey = "Fit Page";
inline constexpr const char* kZoomPercentKey = "Zoom Percent";

/// Number of entries in File's recent-file list.
inline constexpr int kRecentFileCount = 4;

class QSettingsStore final : public SettingsStore {
 public:
  QSettingsStore();

  /// The settings file's path.
  QString fileName() const { return settings_.fileName(); }

  /// Receives a message naming the settings file and the system's reason
  /// whenever it cannot be read or written; the same message only once.
  void setProblemHandler(std::function<void(const QString& message)> handler) {
    problemHandler_ = std::move(handler);
  }
  /// Start-up: whether the file can be read. When it exists but cannot be,
  /// says so and keeps every write of this run from replacing it (what it
  /// holds is not lost), then returns false.
  bool checkReadable();

  std::optional<int> readInt(const std::string& key) const override;
  std::optional<std::string> readText(const std::string& key) const override;
  Result<void> writeInt(const std::string& key, int value) override;
  Result<void> writeText(const std::string& key, const std::string& value) override;

  /// The stored recent-file list, most recent first (at most 4 entries, as
  /// stored; the caller drops files that no longer exist).
  QStringList readRecentFiles() const;
  /// Replaces the stored recent-file list (only the first 4 entries are kept).
  bool writeRecentFiles(const QStringList& files);

  /// The view's zoom: nothing for Fit Page ("Fit Page" 1, the default) or a
  /// stored zoom of 0 or less, else "Zoom Percent" (default 100) as pixels
  /// per page unit.
  std::optional<double> readZoomScale() const;
  /// Writes "Fit Page" (1 or 0) and "Zoom Percent" (`scale` as a whole
  /// percent).
  bool writeZoom(bool fitPage, double scale);

  /// The main window's geometry as QWidget::saveGeometry wrote it ("Window
  /// Geometry" of group "Settings"); empty before the first exit.
  QByteArray readWindowGeometry() const;
  bool writeWindowGeometry(const QByteArray& geometry);

  /// While a WriteBatch lives, the store's writes are kept and written to
  /// the file once, when the last batch ends. Each write goes to disk on
  /// its own otherwise, and several keys written together (as at exit) would
  /// each rewrite the whole file. The writes in a batch report only errors
  /// known before it ends.
  class WriteBatch {
   public:
    explicit WriteBatch(QSettingsStore& store) : store_(store) { ++store_.batchDepth_; }
    ~WriteBatch() {
      if (--store_.batchDepth_ == 0) store_.flushed();
    }
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;

   private:
    QSettingsStore& store_;
  };

 private:
  bool flushed();
  /// flushed() as a result: the problem said to the user when it failed.
  Result<void> written();
  void report(const QString& message);
  mutable QSettings settings_;
  int batchDepth_ = 0;
  bool readFailed_ = false;  // the file could not be read: it is not written
  std::function<void(const QString&)> problemHandler_;
  QString lastProblem_;
};

}  // namespace sarvexa
