#include "app/qsettings_store.h"

#include <QString>
#include <cmath>

#include "document/notation.h"
#include "document/settings_file.h"

namespace sarvexa {

namespace {
const QString kRecentGroup = QStringLiteral("Recent File List");

constexpr const char* kWindowGeometryKey = "Window Geometry";

QString settingsKey(const std::string& key) {
  return QStringLiteral("%1/%2").arg(QLatin1String(kSettingsSection), QString::fromStdString(key));
}
}  // namespace

QSettingsStore::QSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kSettingsOrganization),
                QLatin1String(kSettingsApplication)) {}

std::optional<int> QSettingsStore::readInt(const std::string& key) const {
  const QVariant value = settings_.value(settingsKey(key));
  if (!value.isValid()) return std::nullopt;
  return ParseWholeNumber(value.toString().toStdString());
}

std::optional<std::string> QSettingsStore::readText(const std::string& key) const {
  const QVariant value = settings_.value(settingsKey(key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

bool QSettingsStore::checkReadable() {
  const std::string path = fileName().toStdString();
  const Result<void> readable = CheckSettingsReadable(path);
  if (readable) return true;
  readFailed_ = true;
  report(QString::fromStdString(SettingsReadMessage(path, readable.error())));
  return false;
}

void QSettingsStore::report(const QString& message) {
  if (message == lastProblem_) return;
  lastProblem_ = message;
  if (problemHandler_) problemHandler_(message);
}

Result<void> QSettingsStore::writeInt(const std::string& key, int value) {
  if (!readFailed_) settings_.setValue(settingsKey(key), value);
  return written();
}

Result<void> QSettingsStore::writeText(const std::string& key, const std::string& value) {
  if (!readFailed_) settings_.setValue(settingsKey(key), QString::fromStdString(value));
  return written();
}

QStringList QSettingsStore::readRecentFiles() const {
  QStringList files;
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString file =
        settings_.value(QStringLiteral("%1/File%2").arg(kRecentGroup).arg(i)).toString();
    if (!file.isEmpty()) files << file;
  }
  return files;
}

bool QSettingsStore::writeRecentFiles(const QStringList& files) {
  if (readFailed_) return false;
  settings_.remove(kRecentGroup);
  for (int i = 0; i < files.size() && i < kRecentFileCount; ++i)
    settings_.setValue(QStringLiteral("%1/File%2").arg(kRecentGroup).arg(i + 1), files.at(i));
  return flushed();
}

std::optional<double> QSettingsStore::readZoomScale() const {
  const int fit = readInt(kFitPageKey).value_or(1);
  const int zoomPercent = readInt(kZoomPercentKey).value_or(100);
  if (fit != 0 || zoomPercent <= 0) return std::nullopt;
  return zoomPercent / 100.0;
}

bool QSettingsStore::writeZoom(bool fitPage, double scale) {
  const bool fitWritten = writeInt(kFitPageKey, fitPage ? 1 : 0).ok();
  return writeInt(kZoomPercentKey, static_cast<int>(std::lround(scale * 100.0))).ok() && fitWritten;
}

QByteArray QSettingsStore::readWindowGeometry() const {
  return settings_.value(settingsKey(kWindowGeometryKey)).toByteArray();
}

bool QSettingsStore::writeWindowGeometry(const QByteArray& geometry) {
  if (readFailed_) return false;
  settings_.setValue(settingsKey(kWindowGeometryKey), geometry);
  return flushed();
}

Result<void> QSettingsStore::written() {
  // A file that could not be read is never written over; the user has
  // already been told, once.
  if (readFailed_) return Fail("nothing is saved in this run: the settings file could not be read");
  if (flushed()) return Ok();
  return Fail(lastProblem_.toStdString());
}

bool QSettingsStore::flushed() {
  if (readFailed_) return false;  // nothing was written, and the user knows why
  // Written at once, so a crash later in the run cannot lose what the user
  // has just confirmed, and so a read-only file is reported to the caller.
  if (batchDepth_ == 0) settings_.sync();
  if (settings_.status() == QSettings::NoError) return true;
  // QSettings knows only that it failed; the file and its folders say why.
  const std::string path = fileName().toStdString();
  const Result<void> writable = CheckSettingsWritable(path);
  report(QString::fromStdString(
      SettingsWriteMessage(path, writable ? "the file could not be written" : writable.error())));
  return false;
}

}  // namespace sarvexa
