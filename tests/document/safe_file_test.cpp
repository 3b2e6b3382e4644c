// Reading and replacing files: what a user's file survives (full disk,
// failed writes, protected files) and what is refused (pipes, devices,
// folders, planted links).

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "document/safe_file.h"

namespace sarvexa {
namespace {

class TempFolder : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("sarvexa-doc-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(folder_, ec);
  }
  std::filesystem::path folder_;
};

std::string Slurp(const std::filesystem::path& p) {
  const Result<std::string> bytes = ReadFileBytes(p);
  EXPECT_TRUE(bytes.ok()) << bytes.error();
  return bytes ? *bytes : std::string();
}

using SafeFile = TempFolder;

int CountFiles(const std::filesystem::path& folder) {
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++files;
  return files;
}

TEST_F(SafeFile, WriteReplacesTheOldFileAndLeavesNoTemporary) {
  const auto target = folder_ / "chart.svx";
  ASSERT_TRUE(WriteFileReplacing(target, "old contents").ok());
  ASSERT_TRUE(WriteFileReplacing(target, "new").ok());
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_EQ(CountFiles(folder_), 1);
}

TEST_F(SafeFile, ReplacedFileKeepsItsPermissions) {
  namespace fs = std::filesystem;
  const auto target = folder_ / "private.svx";
  ASSERT_TRUE(WriteFileReplacing(target, "old").ok());
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                  fs::perm_options::replace);
  ASSERT_TRUE(WriteFileReplacing(target, "new").ok());
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeFile, SavingThroughALinkReplacesTheFileItPointsTo) {
  namespace fs = std::filesystem;
  fs::create_directories(folder_ / "charts");
  const auto real = folder_ / "charts" / "ann.svx";
  const auto link = folder_ / "ann-link.svx";
  ASSERT_TRUE(WriteFileReplacing(real, "old").ok());
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteFileReplacing(link, "new").ok());
  EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
  EXPECT_EQ(Slurp(real), "new");
  EXPECT_EQ(Slurp(link), "new");
  EXPECT_EQ(CountFiles(folder_ / "charts"), 1) << "no temporary file is left beside the real file";
}

TEST_F(SafeFile, ReadingStopsAtTheLimit) {
  const auto file = folder_ / "long.svx";
  ASSERT_TRUE(WriteFileReplacing(file, std::string(200000, 'x')).ok());
  const Result<std::string> head = ReadFileBytes(file, 70000);
  ASSERT_TRUE(head.ok());
  EXPECT_EQ(head->size(), 70000u);
  const Result<std::string> whole = ReadFileBytes(file);
  ASSERT_TRUE(whole.ok());
  EXPECT_EQ(whole->size(), 200000u) << "a file below the limit is read whole";
}

// Reading anything but a regular file is refused at once: a fifo would
// otherwise wait for a writer for ever, a device would never end.
TEST_F(SafeFile, ReadingRefusesWhatIsNotARegularFile) {
  const auto fifo = folder_ / "pipe.svx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::filesystem::path path;
    const char* says;
    const char* source;
  };
  const Case kCases[] = {
      {fifo, "pipe", "fifo"},
      {folder_, "folder", "folder"},
      {"/dev/zero", "device", "endless device"},
      {folder_ / "none.svx", "No such file", "missing file"},
      {"", "no file name", "empty name"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const auto error = ReadFileBytes(c.path);
    ASSERT_FALSE(error.ok());
    EXPECT_NE(error.error().find(c.says), std::string::npos) << error.error();
    EXPECT_NE(error.error().find(c.path.string() + (c.path.empty() ? "" : ":")), std::string::npos)
        << error.error();
  }
}

// What may not be replaced stays exactly as it was, and no temporary file
// is left beside it.
TEST_F(SafeFile, ReplacingRefusesProtectedAndSpecialTargets) {
  namespace fs = std::filesystem;
  const auto fifo = folder_ / "pipe.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto locked = folder_ / "keep.svx";
  ASSERT_TRUE(WriteFileReplacing(locked, "kept").ok());
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                  fs::perm_options::replace);
  fs::create_directories(folder_ / "sub");
  struct Case {
    fs::path path;
    const char* says;
    const char* source;
  };
  const Case kCases[] = {
      {locked, "write-protected", "file without write permission (chmod 444)"},
      {fifo, "pipe", "fifo"},
      {folder_ / "sub", "folder", "folder"},
      {folder_ / "missing" / "a.svx", "No such file", "missing folder"},
      {"", "no file name", "empty name"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const auto error = WriteFileReplacing(c.path, "new");
    ASSERT_FALSE(error.ok());
    EXPECT_NE(error.error().find(c.says), std::string::npos) << error.error();
  }
  EXPECT_EQ(Slurp(locked), "kept");
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_directory(folder_ / "sub"));
  EXPECT_EQ(CountFiles(folder_), 3) << "no temporary file is left";
}

// Runs a replace in a child whose file-size limit makes every write past
// `limit` bytes fail, as on a full disk; true when the child saw an error.
bool ReplaceUnderSizeLimit(const std::filesystem::path& target, std::size_t size, rlim_t limit) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small {
      limit, limit
    };
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto written = WriteFileReplacing(target, std::string(size, 'n'));
    ::_exit(written.ok() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST_F(SafeFile, FullDiskKeepsTheOldFileAndCreatesNoFragment) {
  const auto existing = folder_ / "report.txt";
  ASSERT_TRUE(WriteFileReplacing(existing, "precious").ok());
  struct Case {
    std::filesystem::path target;
    bool existed;
    const char* source;
  };
  const Case kCases[] = {
      {existing, true, "over an existing file"},
      {folder_ / "new.txt", false, "a new file"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_TRUE(ReplaceUnderSizeLimit(c.target, 1 << 16, 4096));
    EXPECT_EQ(std::filesystem::exists(c.target), c.existed);
    EXPECT_EQ(CountFiles(folder_), 1) << "the partial temporary file is removed";
  }
  EXPECT_EQ(Slurp(existing), "precious");
}

// Someone who can write the folder plants a link where the temporary file
// would go. The save must neither follow it nor touch what it points to.
TEST_F(SafeFile, PlantedLinkAtTheTemporaryNameIsNeverFollowed) {
  namespace fs = std::filesystem;
  const auto victim = folder_ / "victim";
  ASSERT_TRUE(WriteFileReplacing(victim, "victim's data").ok());
  fs::create_symlink(victim, folder_ / ".planted");
  fs::create_symlink(folder_ / "nowhere", folder_ / ".dangling");
  const char* kNames[] = {".planted", ".dangling", ".fresh"};
  std::size_t next = 0;
  const auto names = [&] { return std::string(kNames[std::min<std::size_t>(next++, 2)]); };
  const auto target = folder_ / "chart.svx";
  ASSERT_TRUE(WriteFileReplacing(target, "chart", names).ok());
  EXPECT_EQ(next, 3u) << "both planted names were passed over";
  EXPECT_EQ(Slurp(victim), "victim's data");
  EXPECT_FALSE(fs::exists(folder_ / "nowhere")) << "the dangling link was not followed";
  EXPECT_EQ(Slurp(target), "chart");
  EXPECT_TRUE(fs::is_symlink(folder_ / ".planted"));
  EXPECT_FALSE(fs::exists(folder_ / ".fresh"));
}

TEST_F(SafeFile, LongestFileNamesCanBeReplaced) {
  for (const std::size_t length : {std::size_t{250}, std::size_t{255}}) {
    SCOPED_TRACE(length);
    const auto target = folder_ / (std::string(length - 4, 'a') + ".svx");
    ASSERT_TRUE(WriteFileReplacing(target, "one").ok());
    ASSERT_TRUE(WriteFileReplacing(target, "two").ok());
    EXPECT_EQ(Slurp(target), "two");
  }
  EXPECT_EQ(CountFiles(folder_), 2);
}

// A name of an open stream is written to that descriptor where it stands:
// what the descriptor already holds stays (a shell's ">> log"), and a pipe
// receives the bytes. Each row opens the descriptor the way a shell would.
TEST_F(SafeFile, StreamNamesWriteToTheOpenDescriptor) {
  namespace fs = std::filesystem;
  const auto log = folder_ / "log.txt";
  struct Case {
    const char* source;
    std::string (*name)(int fd, const fs::path& folder);
  };
  const Case kCases[] = {
      {"/dev/fd/N", [](int fd, const fs::path&) { return "/dev/fd/" + std::to_string(fd); }},
      {"/proc/self/fd/N",
       [](int fd, const fs::path&) { return "/proc/self/fd/" + std::to_string(fd); }},
      {"a link to /dev/fd/N, through a second link",
       [](int fd, const fs::path& folder) {
         fs::create_symlink("/dev/fd/" + std::to_string(fd), folder / "to-fd");
         fs::create_symlink("to-fd", folder / "out.txt");
         return (folder / "out.txt").string();
       }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    { std::ofstream(log) << "earlier line\n"; }
    const int appended = ::open(log.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(appended, 0);
    const std::string name = c.name(appended, folder_);
    ASSERT_TRUE(StreamDescriptor(name).has_value());
    ASSERT_TRUE(WriteFileReplacing(name, "report\n").ok());
    ::close(appended);
    EXPECT_EQ(Slurp(log), "earlier line\nreport\n");
    EXPECT_TRUE(fs::is_regular_file(log)) << "not replaced by a new file";
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_TRUE(WriteFileReplacing("/dev/fd/" + std::to_string(pipeEnds[1]), "through").ok());
    ::close(pipeEnds[1]);
    char got[16] = {};
    EXPECT_EQ(::read(pipeEnds[0], got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    ::close(pipeEnds[0]);
    for (const char* link : {"to-fd", "out.txt"}) fs::remove(folder_ / link);
  }
  EXPECT_FALSE(StreamDescriptor(log).has_value()) << "a plain file is no stream";
  const auto closed = WriteFileReplacing("/dev/fd/250", "x");
  ASSERT_FALSE(closed.ok());
  EXPECT_NE(closed.error().find("Bad file descriptor"), std::string::npos) << closed.error();
}

TEST_F(SafeFile, SameFileSeesThroughSpellingsAndLinks) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(WriteFileReplacing(folder_ / "a.txt", "a").ok());
  ASSERT_TRUE(WriteFileReplacing(folder_ / "b.txt", "b").ok());
  fs::create_hard_link(folder_ / "a.txt", folder_ / "hard.txt");
  fs::create_symlink("a.txt", folder_ / "soft.txt");
  fs::create_symlink("s1", folder_ / "s2");  // s1 does not exist yet
  fs::create_directories(folder_ / "sub");
  fs::create_directory_symlink("sub", folder_ / "alias");
  struct Case {
    fs::path a, b;
    bool same;
    const char* source;
  };
  const Case kCases[] = {
      {folder_ / "a.txt", folder_ / "sub" / ".." / "a.txt", true, "another spelling"},
      {folder_ / "a.txt", folder_ / "hard.txt", true, "hard link"},
      {folder_ / "soft.txt", folder_ / "a.txt", true, "symbolic link"},
      {folder_ / "s2", folder_ / "s1", true, "dangling link and the file it would make"},
      {folder_ / "alias" / "new.txt", folder_ / "sub" / "new.txt", true, "new file, linked folder"},
      {folder_ / "a.txt", folder_ / "b.txt", false, "two files"},
      {folder_ / "s1", folder_ / "s3", false, "two new files"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(SameFile(c.a, c.b), c.same);
    EXPECT_EQ(SameFile(c.b, c.a), c.same);
  }
}

// A save killed with SIGKILL leaves its temporary behind, unlocked. The next
// save to the folder removes it, and nothing else: not a temporary whose
// writer still holds it, not a name that only looks like ours.
TEST_F(SafeFile, AbandonedTemporariesGoAtTheNextSaveAndNothingElse) {
  namespace fs = std::filesystem;
  const auto make = [&](const std::string& name) {
    std::ofstream(folder_ / name) << "partial";
    return folder_ / name;
  };
  const auto aged = [](const fs::path& p) {
    fs::last_write_time(p, fs::last_write_time(p) - std::chrono::hours(2));
  };
  const auto killed = make(".sarvexa-save-abcdefghij.tmp");
  const auto held = make(".sarvexa-save-0123456789.tmp");
  const int holder = ::open(held.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0) << "a save still writing holds its lock";
  const auto oldLegacy = make(".svx-abcd1234");
  aged(oldLegacy);
  const auto freshLegacy = make(".svx-efgh5678");
  const fs::path kept[] = {held, freshLegacy, make(".sarvexa-save-short.tmp"), make(".svx-notes"),
                           make("notes.tmp")};
  fs::create_directories(folder_ / ".sarvexa-save-klmnopqrst.tmp");

  ASSERT_TRUE(WriteFileReplacing(folder_ / "chart.svx", "chart").ok());
  EXPECT_FALSE(fs::exists(killed));
  EXPECT_FALSE(fs::exists(oldLegacy)) << "an older version's, untouched for two hours";
  for (const fs::path& p : kept) {
    SCOPED_TRACE(p.filename().string());
    EXPECT_TRUE(fs::exists(p));
  }
  EXPECT_TRUE(fs::is_directory(folder_ / ".sarvexa-save-klmnopqrst.tmp"));
  ::close(holder);
  RemoveStaleTemporaries(folder_);
  EXPECT_FALSE(fs::exists(held)) << "once its writer is gone";
}

}  // namespace
}  // namespace sarvexa
