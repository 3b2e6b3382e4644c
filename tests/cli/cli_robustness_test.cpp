// sarvexa-cli tried the way an unlucky user would: pipes named as chart
// files, full disks, a standard output that cannot be written, and the small
// refusals. Each ends in a message and an exit code that says what happened,
// and no user file is lost. (Protected files, long names and terminal
// controls are tested where they are handled: the safe replace, the table.)

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int exitCode = -1;
  std::string out, err;
};

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* kBirth =
    "--first Ann --last Lee --place X --date 2000-01-01 --time 5:30PM --zone 05:30 "
    "--lon 077:12E --lat 28:36N --dst 0";
const std::string kAnn = std::string(kBirth) + " --now 2024-06-15T12:00";

class CliRobustness : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / (std::string("sarvexa-cli-robust-") +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "config");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Runs `sarvexa-cli ARGS` in the scratch folder through the shell;
  // `stdoutTo` replaces the redirection of standard output. A hung run is
  // stopped after 20 seconds.
  CliRun Cli(const std::string& args, const std::string& stdoutTo = "") {
    const auto outPath = dir_ / "out", errPath = dir_ / "err";
    const std::string redirect = stdoutTo.empty() ? ">'" + outPath.string() + "'" : stdoutTo;
    const std::string cmd = "cd '" + dir_.string() + "' && XDG_CONFIG_HOME='" +
                            (dir_ / "config").string() +
                            "' QT_QPA_PLATFORM=offscreen timeout 20 '" + SARVEXA_CLI_PATH + "' " +
                            args + " " + redirect + " 2>'" + errPath.string() + "'";
    const int status = std::system(cmd.c_str());
    CliRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(outPath);
    r.err = Slurp(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return r;
  }

  // Runs under a file-size limit of zero, as on a full disk. Standard error
  // goes through a pipe (which no size limit touches) into the error text.
  CliRun FullDisk(const std::string& args) {
    const auto errPath = dir_ / "err";
    const std::string cmd = "cd '" + dir_.string() + "' && (ulimit -f 0; XDG_CONFIG_HOME='" +
                            (dir_ / "config").string() + "' QT_QPA_PLATFORM=offscreen '" +
                            SARVEXA_CLI_PATH + "' " + args +
                            " 2>&1 >/dev/null; echo \"exit=$?\") | cat >'" + errPath.string() + "'";
    std::system(cmd.c_str());
    CliRun r;
    r.err = Slurp(errPath);
    fs::remove(errPath);
    const auto at = r.err.rfind("exit=");
    if (at != std::string::npos) r.exitCode = std::atoi(r.err.c_str() + at + 5);
    return r;
  }

  int FileCount() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++n;
    return n;
  }

  fs::path dir_;
};

TEST_F(CliRobustness, APipeNamedAsAChartFileIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo((dir_ / "f.svx").c_str(), 0600), 0);
  const char* kCommands[] = {"open f.svx", "ephemeris --open f.svx",
                             "render --open f.svx --png x.png"};
  for (const char* command : kCommands) {
    SCOPED_TRACE(command);
    const CliRun r = Cli(command);
    EXPECT_EQ(r.exitCode, 1) << "124 would mean it hung";
    EXPECT_NE(r.err.find("it is a pipe, not a regular file"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

TEST_F(CliRobustness, FailedWriteToStandardOutputIsReported) {
  ASSERT_EQ(Cli(std::string("chart ") + kAnn + " --svx ann.svx").exitCode, 0);
  const std::string chart = std::string("chart ") + kAnn;
  const std::string kCommands[] = {chart,
                                   chart + " --json",
                                   chart + " --text -",
                                   "open ann.svx",
                                   "open ann.svx --json",
                                   "prasna --now 2024-06-15T12:00",
                                   "ephemeris --open ann.svx",
                                   chart + " --svx -",
                                   "transits " + std::string(kBirth) + " --at 2024-06-15T12:00"};
  for (const char* target : {">/dev/full", ">&-"}) {
    for (const std::string& command : kCommands) {
      SCOPED_TRACE(command + " " + target);
      const CliRun r = Cli(command, target);
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_NE(r.err.find("Cannot write to standard output"), std::string::npos) << r.err;
    }
  }
}

// A file-size limit stands in for a full disk: every output fails, the old
// file stays whole, a new one does not appear, and no temporary is left.
TEST_F(CliRobustness, FullDiskKeepsOldFilesAndLeavesNoFragments) {
  ASSERT_EQ(Cli(std::string("chart ") + kAnn + " --svx ann.svx").exitCode, 0);
  ASSERT_EQ(Cli("render --open ann.svx --pdf old.pdf --png old.png").exitCode, 0);
  ASSERT_EQ(Cli("open ann.svx --text old.txt").exitCode, 0);
  struct Case {
    const char* args;
    const char* file;
    bool existed;
  };
  const Case kCases[] = {
      {"render --open ann.svx --pdf old.pdf", "old.pdf", true},
      {"render --open ann.svx --pdf new.pdf", "new.pdf", false},
      {"render --open ann.svx --png old.png", "old.png", true},
      {"render --open ann.svx --png new.png", "new.png", false},
      {"open ann.svx --text old.txt", "old.txt", true},
      {"open ann.svx --csv new.csv", "new.csv", false},
  };
  const int files = FileCount();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args);
    const std::string before = c.existed ? Slurp(dir_ / c.file) : "";
    const CliRun r = FullDisk(c.args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(std::string("Cannot write ") + c.file), std::string::npos) << r.err;
    EXPECT_EQ(fs::exists(dir_ / c.file), c.existed);
    if (c.existed) {
      EXPECT_EQ(Slurp(dir_ / c.file), before);
    }
    EXPECT_EQ(FileCount(), files) << "a temporary file was left";
  }
}

TEST_F(CliRobustness, SmallThingsSayWhatIsMeant) {
  ASSERT_EQ(Cli(std::string("chart ") + kAnn + " --svx -ann.svx").exitCode, 0);
  struct Case {
    std::string args;
    int exitCode;
    const char* says;
    const char* stream;
  };
  const Case kCases[] = {
      {"open -- -ann.svx", 0, "Chart of Ann Lee", "out"},
      {"open ''", 2, "the chart file name is empty", "err"},
      {std::string("chart ") + kAnn + " --svx a.svx --text ./a.svx", 2,
       "--svx and --text name the same file", "err"},
      {"ephemeris --help", 0, "year 1800..2100, month 1..12, day 0..31", "out"},
      {"render --help", 0, "each side 16..8000", "out"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    const std::string& text = std::string(c.stream) == "out" ? r.out : r.err;
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
  }
  EXPECT_FALSE(fs::exists(dir_ / "a.svx")) << "a refused command writes nothing";
}

TEST_F(CliRobustness, StoredPrasnaSettingOutOfRangeIsNamedByItsKey) {
  fs::create_directories(dir_ / "config" / "Sarvexa");
  std::ofstream(dir_ / "config" / "Sarvexa" / "Sarvexa.conf") << "[Settings]\nPrasna DST=40 00\n";
  const CliRun r = Cli("prasna --place There");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("the stored setting \"Prasna DST\""), std::string::npos) << r.err;
}

}  // namespace
