// The settings store over QSettings: section "Settings", integers and texts
// in one key space, and the recent-file list beside them.

#include <gtest/gtest.h>
#include <QSettings>
#include <QTemporaryDir>

#include "app/qsettings_store.h"

namespace sarvexa {
namespace {

class QSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }
  QTemporaryDir dir_;
};

TEST_F(QSettingsStoreTest, WritesUnderSectionSettingsWithSpacesInTheKeys) {
  QSettingsStore store;
  EXPECT_TRUE(store.writeInt("Chart Style", 2));
  EXPECT_TRUE(store.writeText("Prasna Long", "005 E 30"));
  QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Sarvexa"),
              QStringLiteral("Sarvexa"));
  EXPECT_EQ(s.value("Settings/Chart Style").toInt(), 2);
  EXPECT_EQ(s.value("Settings/Prasna Long").toString(), "005 E 30");
  EXPECT_TRUE(s.fileName().startsWith(dir_.path()));
}

TEST_F(QSettingsStoreTest, ReadsIntegersTextsAndMissingKeys) {
  {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Sarvexa"),
                QStringLiteral("Sarvexa"));
    s.setValue("Settings/Chart Style", "1");
    s.setValue("Settings/Color Chart", "on");
    s.setValue("Settings/Prasna Loc", "Pune");
  }
  const QSettingsStore store;
  EXPECT_EQ(store.readInt("Chart Style"), 1);
  EXPECT_EQ(store.readInt("Color Chart"), std::nullopt);  // not a whole number
  EXPECT_EQ(store.readIntOr("Color Chart", 0), 0);
  EXPECT_EQ(store.readText("Prasna Loc"), "Pune");
  EXPECT_EQ(store.readText("Prasna Lat"), std::nullopt);
  EXPECT_EQ(store.readInt("Prasna Lat"), std::nullopt);
}

TEST_F(QSettingsStoreTest, TheRecentFileListKeepsOrderAndAtMostFourEntries) {
  QSettingsStore store;
  const QStringList six = {"/a.svx", "/b.svx", "/c.svx", "/d.svx", "/e.svx", "/f.svx"};
  EXPECT_TRUE(store.writeRecentFiles(six));
  EXPECT_EQ(QSettingsStore().readRecentFiles(), six.mid(0, 4));
  EXPECT_TRUE(store.writeRecentFiles({"/z.svx"}));
  EXPECT_EQ(QSettingsStore().readRecentFiles(), QStringList({"/z.svx"}));
}

}  // namespace
}  // namespace sarvexa
