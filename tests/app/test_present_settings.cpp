// The window's present and its settings file: a first start casts the Prasna
// for the computer's own zone and says so, writing nothing; a settings file
// that cannot be read or written is told once, with its path and the
// system's reason, and what it holds is never overwritten.

#include <QDir>
#include <QFile>
#include <QStatusBar>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/prasna_location_dialog.h"
#include "app_fixture.h"
#include "document/settings.h"

namespace sarvexa::test {
namespace {

namespace fs = std::filesystem;
using namespace command;

// The moment a chart stands for, in seconds since 1970 (day number 2440588
// is 1 January 1970, counted from 0h UT).
double MomentOf(const Horoscope& h) {
  return (h.julianDay - 2440588) * 86400.0 + h.universalTime * 3600.0;
}

class PresentTest : public AppTest {
 protected:
  void TearDown() override {
    AppTest::TearDown();
    chmod(conf().parent_path().c_str(), 0700);
    chmod(conf().c_str(), 0600);
    if (tz_) qputenv("TZ", *tz_);
  }
  fs::path conf() const {
    return fs::path(settingsDir_.path().toStdString()) / "Sarvexa" / "Sarvexa.conf";
  }
  void setComputerZone(const char* tz) {
    tz_ = qgetenv("TZ");
    qputenv("TZ", tz);
    computerZone_ = SystemZoneLocation;
  }
  void expectUnwritableToldOnce(const std::function<void(const fs::path&)>& breakIt,
                                const char* reason);
  void expectUnreadableToldOnce(const std::function<void(const fs::path&)>& breakIt,
                                const char* reason);
  // What the settings path holds: the file's bytes, "folder", or "file:"
  // and the bytes of a file standing where the settings folder should be.
  std::string Contents() const {
    std::error_code ec;
    if (fs::is_directory(conf(), ec)) return "folder";
    if (fs::is_regular_file(conf().parent_path(), ec)) return "file:" + Slurp(conf().parent_path());
    chmod(conf().c_str(), 0600);
    std::string bytes = Slurp(conf());
    chmod(conf().c_str(), 0);
    return bytes;
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::optional<QByteArray> tz_;

 public:
  // OK on "Set Location for Prasna" with the values it shows.
  void acceptPrasnaLocation() {
    prompter_.dialogs.push_back([](QDialog& d) {
      d.accept();
      return d.result();
    });
    window().action(SetPrasnaLocation)->trigger();
  }
};

TEST_F(PresentTest, AFirstStartCastsForTheComputersZoneAndSaysSo) {
  setComputerZone("Asia/Kolkata");
  start();
  EXPECT_EQ(doc().place(), "Kolkata");
  EXPECT_DOUBLE_EQ(doc().horoscope().zone, -5.5);
  EXPECT_EQ(MomentOf(doc().horoscope()), double(doc().present().unixSeconds / 60 * 60));
  const QString said = window().statusBar()->currentMessage();
  EXPECT_TRUE(said.contains("Kolkata") && said.contains("Asia/Kolkata")) << said.toStdString();
  stop();
  // Stored settings keep their meaning: the location is not written.
  QSettingsStore store;
  EXPECT_FALSE(HasStoredPrasnaLocation(store));

  // A location once accepted is the one every later start casts for.
  start();
  acceptPrasnaLocation();
  stop();
  setComputerZone("America/Los_Angeles");
  start();
  EXPECT_EQ(doc().place(), "Kolkata");
  EXPECT_EQ(window().statusBar()->currentMessage(), "Ready");
}

// Start-up over a settings file that `breakIt` made unreadable: told once,
// with the path and `reason`; the program goes on with the defaults, and
// neither OK of Set Prasna Location nor the exit writes over the file.
void PresentTest::expectUnreadableToldOnce(const std::function<void(const fs::path&)>& breakIt,
                                           const char* reason) {
  fs::remove_all(conf().parent_path());
  breakIt(conf());
  const std::string before = Contents();
  prompter_.messages.clear();
  start();
  ASSERT_EQ(prompter_.messages.size(), 1);
  const std::string told = prompter_.messages.first().toStdString();
  EXPECT_NE(told.find(conf().string()), std::string::npos) << told;
  EXPECT_NE(told.find(reason), std::string::npos) << told;
  EXPECT_TRUE(doc().isPrasna());
  acceptPrasnaLocation();
  stop();
  EXPECT_EQ(prompter_.messages.size(), 1) << prompter_.messages.join("|").toStdString();
  EXPECT_EQ(Contents(), before);
}

TEST_F(PresentTest, ASettingsFileThatCannotBeReadIsToldOnceAndKeptWhole) {
  const struct {
    const char* source;
    std::function<void(const fs::path& conf)> breakIt;
    const char* reason;
  } cases[] = {
      {"the file is a folder", [](const fs::path& c) { fs::create_directories(c); },
       "Is a directory"},
      {"the settings folder is a file",
       [](const fs::path& c) { std::ofstream(c.parent_path()) << "mine"; }, "Not a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    expectUnreadableToldOnce(c.breakIt, c.reason);
  }
}

TEST_F(PresentTest, ASettingsFileWithoutReadPermissionIsToldOnceAndKeptWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root, which reads a file without permissions";
  expectUnreadableToldOnce(
      [](const fs::path& c) {
        fs::create_directories(c.parent_path());
        std::ofstream(c) << "[Settings]\nPrasna%20Loc=Pune\n";
        chmod(c.c_str(), 0);
      },
      "Permission denied");
}

// A run whose settings `breakIt` makes unwritable after the start: OK of Set
// Prasna Location (the five Prasna keys) and the exit (the display
// settings) tell it once, with the path and `reason`.
void PresentTest::expectUnwritableToldOnce(const std::function<void(const fs::path&)>& breakIt,
                                           const char* reason) {
  const struct {
    const char* source;
    bool setLocation;
  } cases[] = {{"OK of Set Prasna Location, then exit", true}, {"exit", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    fs::remove_all(conf().parent_path());
    prompter_.messages.clear();
    start();
    EXPECT_TRUE(prompter_.messages.isEmpty());
    breakIt(conf());
    if (c.setLocation) acceptPrasnaLocation();
    stop();
    ASSERT_EQ(prompter_.messages.size(), 1) << prompter_.messages.join("|").toStdString();
    const std::string told = prompter_.messages.first().toStdString();
    EXPECT_NE(told.find(conf().string()), std::string::npos) << told;
    EXPECT_NE(told.find(reason), std::string::npos) << told;
    chmod(conf().parent_path().c_str(), 0700);
  }
}

TEST_F(PresentTest, ASettingsWriteThatFailsIsToldOnce) {
  // The settings folder turns into a file while the program runs.
  expectUnwritableToldOnce(
      [](const fs::path& c) {
        fs::remove_all(c.parent_path());
        std::ofstream(c.parent_path()) << "mine";
      },
      "Not a directory");
}

TEST_F(PresentTest, ASettingsWriteToAReadOnlyFolderIsToldOnce) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root, which writes into read-only folders";
  expectUnwritableToldOnce(
      [](const fs::path& c) {
        fs::create_directories(c.parent_path());
        chmod(c.parent_path().c_str(), 0500);
      },
      "Permission denied");
}

}  // namespace
}  // namespace sarvexa::test
