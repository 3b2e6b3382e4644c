// sarvexa-cli tried the way an unlucky user would: pipes named as chart
// files, full disks, a standard output that cannot be written, and the small
// refusals. Each ends in a message and an exit code that says what happened,
// and no user file is lost. (Protected files, long names and terminal
// controls are tested where they are handled: the safe replace, the table.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

  // Runs a bash script (with pipefail) in the scratch folder, the program
  // named by $CLI; the exit code is the script's, the error text its
  // standard error. A hung run is stopped after 60 seconds.
  CliRun Shell(const std::string& script) {
    const fs::path scriptPath = dir_.string() + ".sh", errPath = dir_.string() + ".err";
    std::ofstream(scriptPath) << "set -o pipefail\n" << script << '\n';
    const std::string cmd = "cd '" + dir_.string() + "' && XDG_CONFIG_HOME='" +
                            (dir_ / "config").string() + "' QT_QPA_PLATFORM=offscreen CLI='" +
                            SARVEXA_CLI_PATH + "' ANN='" + kAnn + "' timeout 60 bash '" +
                            scriptPath.string() + "' 2>'" + errPath.string() + "'";
    const int status = std::system(cmd.c_str());
    CliRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = Slurp(errPath);
    fs::remove(scriptPath);
    fs::remove(errPath);
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

// Lines of a text; a message is one line.
int LineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A stream named as an output file is written where it stands: the shell's
// ">> log" keeps what the log held, and a pipe behind it works. Each row
// ends with the bytes that must begin the appended report.
TEST_F(CliRobustness, AStreamNamedAsAnOutputIsWrittenWhereItStands) {
  ASSERT_EQ(Cli(std::string("chart ") + kAnn + " --svx ann.svx").exitCode, 0);
  ASSERT_EQ(::symlink("/dev/stdout", (dir_ / "out-link").c_str()), 0);
  struct Case {
    const char* script;
    const char* start;
  };
  const Case kCases[] = {
      {"$CLI chart $ANN --text /dev/stdout >> log", "Ann Lee\r\n"},
      {"$CLI chart $ANN --csv /dev/stdout >> log", "Ann,Lee,"},
      {"$CLI chart $ANN --svx /dev/stdout >> log", "\x04SRVX"},
      {"$CLI chart $ANN --text /dev/stderr 2>> log > /dev/null", "Ann Lee\r\n"},
      {"$CLI open ann.svx --csv /proc/self/fd/1 >> log", "Ann,Lee,"},
      {"$CLI open ann.svx --text out-link >> log", "Ann Lee\r\n"},
      {"exec 5>> log; $CLI open ann.svx --csv /dev/fd/5 > /dev/null", "Ann,Lee,"},
      {"$CLI chart $ANN --csv /dev/stdout | cat >> log", "Ann,Lee,"},
      {"$CLI render --open ann.svx --png /dev/stdout >> log", "\x89PNG"},
      {"$CLI render --open ann.svx --pdf /dev/stdout | cat >> log", "%PDF"},
  };
  const int files = FileCount();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.script);
    const std::string earlier = "earlier line\n";
    std::ofstream(dir_ / "log") << earlier;
    const CliRun r = Shell(c.script);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string log = Slurp(dir_ / "log");
    EXPECT_EQ(log.substr(0, earlier.size()), earlier) << "the earlier lines are kept";
    EXPECT_EQ(log.substr(earlier.size(), std::strlen(c.start)), c.start);
    EXPECT_EQ(FileCount(), files + 1) << "only the log beside the chart, no temporary";
  }
}

// An output that would replace the file read, or another output, is refused
// in one line before anything is written, however the two are spelt.
TEST_F(CliRobustness, AnOutputThatIsTheInputOrAnotherOutputIsRefused) {
  ASSERT_EQ(Cli(std::string("chart ") + kAnn + " --svx in.svx").exitCode, 0);
  fs::create_hard_link(dir_ / "in.svx", dir_ / "hard.svx");
  fs::create_symlink("in.svx", dir_ / "link.svx");
  fs::create_symlink("s1", dir_ / "s2");
  const std::string chart = std::string("chart ") + kAnn;
  const std::string kRefused[] = {
      "open in.svx --text in.svx",
      "open in.svx --csv ./in.svx",
      "open hard.svx --text in.svx",
      "open in.svx --csv link.svx",
      "render --open in.svx --png in.svx",
      "render --open link.svx --pdf hard.svx",
      chart + " --text s1 --csv s2",
      chart + " --svx s2 --text ./s1",
      "render --open in.svx --png s1 --pdf s2",
  };
  const std::string chartFile = Slurp(dir_ / "in.svx");
  for (const std::string& args : kRefused) {
    SCOPED_TRACE(args);
    const CliRun r = Cli(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_EQ(Slurp(dir_ / "in.svx"), chartFile);
    EXPECT_FALSE(fs::exists(dir_ / "s1"));
  }
  const CliRun again = Cli("open in.svx --svx in.svx");
  EXPECT_EQ(again.exitCode, 0) << "saving a chart over itself keeps it: " << again.err;
  EXPECT_EQ(Slurp(dir_ / "in.svx"), chartFile);
}

// Files that only happen to decode as the chart file's fields are refused
// as `open --help` says, and the program's own files still open.
TEST_F(CliRobustness, WhatIsNotAChartFileIsRefused) {
  ASSERT_EQ(
      Cli(std::string("chart ") + kAnn + " --svx ann.svx --text ann.txt --csv ann.csv").exitCode,
      0);
  ASSERT_EQ(Cli("render --open ann.svx --png page.png").exitCode, 0);
  const std::string kFiles[] = {std::string(SARVEXA_SOURCE_DIR) + "/README.md",
                                "page.png",
                                "/etc/passwd",
                                "/bin/ls",
                                "ann.txt",
                                "ann.csv"};
  for (const std::string& file : kFiles) {
    SCOPED_TRACE(file);
    const CliRun r = Cli("open '" + file + "' --json");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("not a chart file"), std::string::npos) << r.err;
  }
  EXPECT_EQ(Cli("open ann.svx --json").exitCode, 0);
}

// batch reads a file, a pipe or standard input; a device or a folder is
// refused at once, and input without line ends stops it instead of holding
// it for ever (a timeout's 124 would mean it hung).
TEST_F(CliRobustness, BatchInputThatNeverEndsIsRefusedOrStopped) {
  std::ofstream(dir_ / "b.csv") << "first,date,time,zone,lon,lat\n"
                                   "Ann,2000-01-01,17:30,05:30,077:12E,28:36N\n";
  struct Case {
    const char* script;
    int exitCode;
    const char* says;
  };
  const Case kCases[] = {
      {"$CLI batch /dev/zero", 1, "device"},
      {"$CLI batch .", 1, "folder"},
      {"$CLI batch < /dev/zero", 2, "runs past"},
      {"$CLI batch - < /dev/zero", 2, "runs past"},
      {"(head -1 b.csv; cat /dev/zero) | $CLI batch > /dev/null", 1, "runs past"},
      {"$CLI batch <(cat b.csv) > /dev/null", 0, ""},
      {"cat b.csv | $CLI batch /dev/stdin > /dev/null", 0, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.script);
    const CliRun r = Shell(c.script);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(LineCount(r.err), c.exitCode == 0 ? 0 : 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

// Under an address-space limit (ulimit -v, in KiB) a run either succeeds or
// stops with one line and no file; it never aborts or crashes. The print
// sheet at 600 dpi needs about 135 MB: the limits step from where it does
// not fit, across where it fits but the painting and the encoding after it
// may not, to where everything does.
TEST_F(CliRobustness, MemoryLimitsGiveOneLineNeverAnAbort) {
  std::ofstream(dir_ / "b.csv") << "first,date,time,zone,lon,lat\n"
                                   "Ann,2000-01-01,17:30,05:30,077:12E,28:36N\n";
  const CliRun threads = Shell("ulimit -v 200000; $CLI batch b.csv --threads 64 > out.jsonl");
  EXPECT_EQ(threads.exitCode, 0) << threads.err;
  EXPECT_EQ(LineCount(threads.err), 1) << threads.err;
  EXPECT_NE(threads.err.find("threads"), std::string::npos) << threads.err;
  EXPECT_EQ(LineCount(Slurp(dir_ / "out.jsonl")), 1);
  fs::remove(dir_ / "out.jsonl");

  const CliRun huge = Shell("ulimit -v 200000; $CLI render " + std::string(kBirth) +
                            " --size 8000x8000 --png p.png");
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_EQ(LineCount(huge.err), 1) << huge.err;
  for (int limitKb = 200000; limitKb <= 260000; limitKb += 4000) {
    SCOPED_TRACE(limitKb);
    const CliRun r = Shell("ulimit -v " + std::to_string(limitKb) + "; $CLI render " +
                           std::string(kBirth) + " --variant print --dpi 600 --png p.png");
    if (r.exitCode == 0) {
      EXPECT_EQ(Slurp(dir_ / "p.png").substr(1, 3), "PNG");
      fs::remove(dir_ / "p.png");
    } else {
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_EQ(LineCount(r.err), 1) << r.err;
    }
    EXPECT_EQ(FileCount(), 2) << "only the config folder and the input: no picture, no temporary";
  }
}

}  // namespace
