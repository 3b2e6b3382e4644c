#pragma once
// File's list of recently used chart files: the most recent first, each file
// once, at most kRecentFileCount, kept in the settings. A start offers only
// the stored files that still exist. The list owns its numbered items of the
// File menu: it shows those that hold a file, and the disabled placeholder
// item while it is empty.

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace sarvexa {

class QSettingsStore;

class RecentFiles final : public QObject {
  Q_OBJECT

 public:
  /// Reads the stored list and adds the numbered items to `menu`, after
  /// `placeholder` (already in `menu`). `store` must outlive the list.
  RecentFiles(QSettingsStore& store, QMenu& menu, QAction* placeholder, QObject* parent);

  /// The files, most recent first.
  const QStringList& files() const { return files_; }
  /// The numbered items, in list order (visible ones hold a file).
  const QList<QAction*>& actions() const { return actions_; }

  /// Puts `path` at the top, drops the oldest beyond the count and stores
  /// the list.
  void add(const QString& path);
  /// Takes `path` off the list and stores the list.
  void remove(const QString& path);

 signals:
  /// The user chose the item of `path`.
  void chosen(const QString& path);

 private:
  /// Shows the list in the menu.
  void show();

  QSettingsStore& store_;
  QAction* placeholder_;
  QList<QAction*> actions_;
  QStringList files_;
};

}  // namespace sarvexa
