// The window's present and its settings file: a first start casts the Prasna
// for the computer's own zone and says so, writing nothing; a settings file
// that cannot be read or written is told once, with its path and the
// system's reason, and a file that could not be read is not written over.

#include <QStatusBar>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/commands.h"
#include "app_fixture.h"
#include "document/settings.h"

namespace sarvexa::test {
namespace {

namespace fs = std::filesystem;

class PresentTest : public AppTest {
 protected:
  void TearDown() override {
    AppTest::TearDown();
    chmod(conf().parent_path().c_str(), 0700);
    if (hadTz_) {
      qputenv("TZ", tz_);
    } else {
      qunsetenv("TZ");
    }
  }
  fs::path conf() const {
    return fs::path(settingsDir_.path().toStdString()) / "Sarvexa" / "Sarvexa.conf";
  }
  void acceptPrasnaLocation() {  // OK with the values shown
    prompter_.dialogs.push_back([](QDialog& d) {
      d.accept();
      return d.result();
    });
    window().action(command::SetPrasnaLocation)->trigger();
  }
  // One message so far, naming the settings file and `reason`.
  void expectToldOnce(const char* reason) {
    ASSERT_EQ(prompter_.messages.size(), 1) << prompter_.messages.join("|").toStdString();
    EXPECT_TRUE(prompter_.messages.first().contains(QString::fromStdString(conf().string())));
    EXPECT_TRUE(prompter_.messages.first().contains(QLatin1String(reason)));
  }
  // A start over settings that cannot be read, OK of Set Prasna Location,
  // the exit: told once, and what stands at the settings path unchanged.
  void expectUnreadableToldOnce(const char* reason) {
    const auto before = fs::status(conf()).type();
    start();
    acceptPrasnaLocation();
    stop();
    expectToldOnce(reason);
    EXPECT_EQ(fs::status(conf()).type(), before);
  }
  // Settings that `breakIt` makes unwritable while the program runs, then
  // OK of Set Prasna Location (or not) and the exit: told once.
  void expectUnwritableToldOnce(const std::function<void()>& breakIt, const char* reason) {
    for (bool setLocation : {true, false}) {
      SCOPED_TRACE(setLocation ? "OK of Set Prasna Location, then exit" : "exit");
      fs::remove_all(conf().parent_path());
      fs::create_directories(conf().parent_path());
      prompter_.messages.clear();
      start();
      breakIt();
      if (setLocation) acceptPrasnaLocation();
      stop();
      expectToldOnce(reason);
      chmod(conf().parent_path().c_str(), 0700);
    }
  }
  bool hadTz_ = qEnvironmentVariableIsSet("TZ");
  QByteArray tz_ = qgetenv("TZ");
};

TEST_F(PresentTest, AFirstStartCastsForTheComputersZoneAndSaysSo) {
  qputenv("TZ", "Asia/Kolkata");
  computerZone_ = SystemZoneLocation;
  start();
  EXPECT_EQ(doc().place(), "Kolkata");
  EXPECT_DOUBLE_EQ(doc().horoscope().zone, -5.5);
  // The Prasna stands for the present instant (day number 2440588 is
  // 1 January 1970, counted from 0h UT).
  const Horoscope& h = doc().horoscope();
  EXPECT_EQ((h.julianDay - 2440588) * 86400.0 + h.universalTime * 3600.0,
            double(doc().present().unixSeconds / 60 * 60));
  const QString said = window().statusBar()->currentMessage();
  EXPECT_TRUE(said.contains("Kolkata") && said.contains("time zone")) << said.toStdString();
  stop();
  EXPECT_FALSE(HasStoredPrasnaLocation(QSettingsStore()));

  // A location once accepted is the one every later start casts for.
  start();
  acceptPrasnaLocation();
  stop();
  qputenv("TZ", "America/Los_Angeles");
  start();
  EXPECT_EQ(doc().place(), "Kolkata");
  EXPECT_EQ(window().statusBar()->currentMessage(), "Ready");
}

TEST_F(PresentTest, ASettingsFileThatCannotBeReadIsToldOnce) {
  fs::create_directories(conf());
  expectUnreadableToldOnce("Is a directory");
  fs::remove_all(conf().parent_path());
  std::ofstream(conf().parent_path()) << "mine";
  prompter_.messages.clear();
  expectUnreadableToldOnce("Not a directory");
}

TEST_F(PresentTest, ASettingsFileWithoutReadPermissionIsToldOnceAndKeptWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root, which reads a file without permissions";
  storeSetting("Prasna Loc", "Pune");
  chmod(conf().c_str(), 0);
  expectUnreadableToldOnce("Permission denied");
  chmod(conf().c_str(), 0600);
  EXPECT_EQ(storedSetting("Prasna Loc"), "Pune");
}

TEST_F(PresentTest, ASettingsWriteThatFailsIsToldOnce) {
  // The settings folder turns into a file while the program runs.
  expectUnwritableToldOnce(
      [this] {
        fs::remove_all(conf().parent_path());
        std::ofstream(conf().parent_path()) << "mine";
      },
      "Not a directory");
}

TEST_F(PresentTest, ASettingsWriteToAReadOnlyFolderIsToldOnce) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root, which writes into read-only folders";
  expectUnwritableToldOnce([this] { chmod(conf().parent_path().c_str(), 0500); },
                           "Permission denied");
}

}  // namespace
}  // namespace sarvexa::test
