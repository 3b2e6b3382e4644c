#include "app/recent_files.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/qsettings_store.h"

namespace sarvexa {

RecentFiles::RecentFiles(QSettingsStore& store, QMenu& menu, QAction* placeholder, QObject* parent)
    : QObject(parent), store_(store), placeholder_(placeholder) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    auto* a = new QAction(this);
    a->setStatusTip(QStringLiteral("Open this document"));
    a->setVisible(false);
    connect(a, &QAction::triggered, this, [this, i] {
      if (i < files_.size()) emit chosen(files_.at(i));
    });
    menu.addAction(a);
    actions_ << a;
  }
  // Only files that still exist are offered.
  for (const QString& file : store_.readRecentFiles())
    if (QFileInfo::exists(file) && !files_.contains(file)) files_ << file;
  show();
}

void RecentFiles::add(const QString& path) {
  files_.removeAll(path);
  files_.prepend(path);
  while (files_.size() > kRecentFileCount) files_.removeLast();
  store_.writeRecentFiles(files_);
  show();
}

void RecentFiles::remove(const QString& path) {
  files_.removeAll(path);
  store_.writeRecentFiles(files_);
  show();
}

void RecentFiles::show() {
  for (int i = 0; i < actions_.size(); ++i) {
    QAction* a = actions_.at(i);
    if (i < files_.size()) {
      QString name = files_.at(i);
      name.replace(QLatin1Char('&'), QStringLiteral("&&"));
      a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    }
    a->setVisible(i < files_.size());
  }
  placeholder_->setVisible(files_.isEmpty());
}

}  // namespace sarvexa
