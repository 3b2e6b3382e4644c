#include "document/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/notation.h"

namespace sarvexa {

namespace {

std::string Reason(int err) { return std::strerror(err != 0 ? err : EIO); }

// Closes a descriptor when it goes out of scope, unless released.
class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// What a non-regular file is called in a message.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a pipe, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  return "it is not a regular file";
}

// Temporary files are ".sarvexa-save-" + ten of kNameChars + ".tmp": a name
// that says whose it is and that it may go. Short, because the target's own
// name may already be as long as the file system allows. Older versions
// named them ".svx-" + eight of kNameChars, without a lock.
constexpr std::string_view kTempPrefix = ".sarvexa-save-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempRandomChars = 10;
constexpr std::string_view kLegacyTempPrefix = ".svx-";
constexpr std::size_t kLegacyRandomChars = 8;
constexpr char kNameChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
// An unlocked temporary of an older version is surely abandoned once it
// has not been touched for this long: a save takes milliseconds.
constexpr time_t kLegacyStaleSeconds = 60 * 60;

bool AllNameChars(std::string_view s, std::size_t count) {
  return s.size() == count && s.find_first_not_of(kNameChars) == std::string_view::npos;
}

bool IsLegacyTemporaryName(std::string_view name) {
  return name.starts_with(kLegacyTempPrefix) &&
         AllNameChars(name.substr(kLegacyTempPrefix.size()), kLegacyRandomChars);
}

std::string RandomTemporaryName() {
  std::random_device device;
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kNameChars) - 2);
  std::string name(kTempPrefix);
  for (std::size_t i = 0; i < kTempRandomChars; ++i) name += kNameChars[pick(device)];
  name += kTempSuffix;
  return name;
}

// The folder of our own descriptors, as a resolved path names it:
// /proc/PID/fd, or /proc/PID/task/TID/fd for /proc/thread-self/fd.
bool IsOwnDescriptorFolder(const std::filesystem::path& folder) {
  const std::string own = "/proc/" + std::to_string(::getpid());
  const std::string f = folder.string();
  if (f == own + "/fd") return true;
  const std::string task = own + "/task/";
  if (!f.starts_with(task) || !f.ends_with("/fd")) return false;
  const std::string_view tid = std::string_view(f).substr(task.size(), f.size() - task.size() - 3);
  return !tid.empty() && tid.find_first_not_of("0123456789") == std::string_view::npos;
}

// Each step of the way from `path` to the file it reaches: the name with its
// folder resolved, then, while that is a link, the name the link holds. A
// descriptor's entry under /proc ends the walk: it is where a stream is
// named, and its "link" text ("pipe:[123]") is no path.
std::vector<std::filesystem::path> LinkSteps(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::vector<fs::path> steps;
  std::error_code ec;
  fs::path current = fs::absolute(path, ec);
  if (ec) return steps;
  constexpr int kMaxLinks = 40;  // as the kernel allows
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    const fs::path name = current.filename();
    fs::path folder = fs::canonical(current.parent_path(), ec);
    if (ec) folder = current.parent_path().lexically_normal();
    const fs::path step = folder / name;
    steps.push_back(step);
    if (name.empty() || IsOwnDescriptorFolder(folder)) break;
    struct stat st {};
    if (::lstat(step.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    const fs::path target = fs::read_symlink(step, ec);
    if (ec) break;
    current = target.is_absolute() ? target : folder / target;
  }
  return steps;
}

// Writes to an already open descriptor, at its own position: nothing is
// truncated, and a descriptor opened for appending appends.
Result<void> WriteToDescriptor(int fd, const std::string& shown, std::string_view bytes);

// The replaced file is protected when the user may not write it. The
// superuser may write anything, so for that user a file that grants no write
// permission to anyone counts as protected, as it would for `rm`.
bool WriteProtected(const std::filesystem::path& file, const struct stat& st) {
  return ::access(file.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Writes all of `bytes` (retrying short writes); false with errno set.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Every refusal names what could not be done to which file, and why:
// "Cannot open the file /x/a.svx: No such file or directory.".
Failure<std::string> Refused(const char* what, const std::string& file, const std::string& why) {
  return Fail(std::string("Cannot ") + what + " " + file + ": " + why + ".");
}

Result<void> WriteToDescriptor(int fd, const std::string& shown, std::string_view bytes) {
  if (::fcntl(fd, F_GETFL) < 0 || !WriteAll(fd, bytes))
    return Refused("write", shown, Reason(errno));
  return Ok();
}

// A temporary file in the making: removed when the save does not get as far
// as renaming it, whatever stops it (an error or an exception).
class PendingTemporary {
 public:
  PendingTemporary(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
  ~PendingTemporary() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  PendingTemporary(const PendingTemporary&) = delete;
  PendingTemporary& operator=(const PendingTemporary&) = delete;
  int fd() const { return fd_; }
  const std::filesystem::path& path() const { return path_; }
  // The temporary has become the target: nothing to remove any more. Its
  // lock is held until here, so no other save takes it for abandoned.
  void Committed() {
    path_.clear();
    ::close(std::exchange(fd_, -1));
  }

 private:
  std::filesystem::path path_;
  int fd_;
};

// Creates the temporary exclusively and locks it. O_EXCL refuses any
// existing name, including a link planted there by someone else, and
// O_NOFOLLOW makes sure no link is ever followed. Between the creation and
// the lock another save's clean-up could take the new file for abandoned;
// a file it got to first is found unlinked (or still locked), and another
// name is tried.
Result<std::unique_ptr<PendingTemporary>> CreateTemporary(const std::filesystem::path& folder,
                                                          const std::string& shown,
                                                          const TemporaryNameSource& names) {
  int createErrno = 0;
  for (int attempt = 0; attempt < 64; ++attempt) {
    const std::filesystem::path temp = folder / (names ? names() : RandomTemporaryName());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    createErrno = errno;
    if (fd < 0) {
      if (createErrno != EEXIST) break;
      continue;
    }
    auto pending = std::make_unique<PendingTemporary>(temp, fd);
    // A file system without locks still saves; its temporaries are then
    // never taken for abandoned either (the clean-up needs the lock).
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (!locked && errno == EWOULDBLOCK) continue;
    struct stat st {};
    if (locked && ::fstat(fd, &st) == 0 && st.st_nlink == 0) continue;
    return pending;
  }
  return Refused("create a file in the folder of", shown, Reason(createErrno));
}

// Opens `path` for reading without waiting (a fifo would wait for a
// writer) and judges what was opened, not the name, which may change in
// between: the descriptor, still non-blocking, with its status in `st`.
Result<int> OpenWithoutWaiting(const std::filesystem::path& path, const std::string& shown,
                               struct stat& st) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Refused("open the file", shown, Reason(errno));
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    return Refused("open the file", shown, Reason(error));
  }
  return fd;
}

// A regular file is read in the ordinary, blocking way.
void ReadBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

}  // namespace

bool IsTemporaryFileName(std::string_view name) {
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return false;
  const std::string_view middle =
      name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
  return AllNameChars(middle, kTempRandomChars);
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir);
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    const bool ours = IsTemporaryFileName(name);
    if (!ours && !IsLegacyTemporaryName(name)) continue;
    const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    FdCloser closer(fd);
    struct stat held {};
    if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || held.st_uid != ::geteuid()) continue;
    // Whoever writes one of ours holds its lock until the rename; getting
    // the lock means its writer is gone. Older versions took no lock, so
    // only age tells for theirs.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) continue;
    if (!ours && now - held.st_mtime < kLegacyStaleSeconds) continue;
    // Only the very file looked at: the name might have been reused since.
    struct stat named {};
    if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
      ::unlinkat(dirFd, entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

std::optional<int> StreamDescriptor(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  for (const std::filesystem::path& step : LinkSteps(path)) {
    const std::optional<int> fd = ReadDigits(step.filename().string(), 9);
    if (fd && IsOwnDescriptorFolder(step.parent_path())) return fd;
  }
  return std::nullopt;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  const auto stepsA = LinkSteps(a), stepsB = LinkSteps(b);
  return !stepsA.empty() && !stepsB.empty() && stepsA.back() == stepsB.back();
}

Result<int> OpenStreamForReading(const std::filesystem::path& path) {
  if (path.empty()) return Fail("Cannot open the file: no file name was given.");
  const std::string shown = path.string();
  struct stat st {};
  const Result<int> opened = OpenWithoutWaiting(path, shown, st);
  if (!opened) return opened;
  FdCloser closer(*opened);
  if (S_ISREG(st.st_mode)) {
    ReadBlocking(*opened);
    return closer.release();
  }
  if (!S_ISFIFO(st.st_mode)) return Refused("open", shown, KindOf(st.st_mode));
  // A pipe opened without blocking reads as ended while it has no writer
  // yet; opened again, it waits for one, as reading a pipe should. It must
  // be the same pipe that was looked at.
  const int piped = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (piped < 0) return Refused("open the file", shown, Reason(errno));
  struct stat again {};
  if (::fstat(piped, &again) != 0 || again.st_dev != st.st_dev || again.st_ino != st.st_ino) {
    ::close(piped);
    return Refused("open", shown, "it changed while it was opened");
  }
  return piped;
}

Result<std::string> ReadFileBytes(const std::filesystem::path& path, std::size_t limit) {
  if (path.empty()) return Fail("Cannot open the file: no file name was given.");
  const std::string shown = path.string();
  struct stat st {};
  const Result<int> opened = OpenWithoutWaiting(path, shown, st);
  if (!opened) return Fail(opened.error());
  const int fd = *opened;
  FdCloser closer(fd);
  if (!S_ISREG(st.st_mode)) return Refused("open", shown, KindOf(st.st_mode));
  ReadBlocking(fd);
  // Read in pieces up to the limit: a huge file must not exhaust memory.
  std::string data;
  constexpr std::size_t kPiece = 64 * 1024;
  while (data.size() < limit) {
    const std::size_t want = std::min(kPiece, limit - data.size());
    const std::size_t had = data.size();
    data.resize(had + want);
    const ssize_t got = ::read(fd, data.data() + had, want);
    if (got < 0) {
      if (errno == EINTR) {
        data.resize(had);
        continue;
      }
      return Refused("read the file", shown, Reason(errno));
    }
    data.resize(had + static_cast<std::size_t>(got));
    if (got == 0) break;
  }
  return data;
}

Result<void> WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes,
                                const TemporaryNameSource& names) {
  namespace fs = std::filesystem;
  if (path.empty()) return Fail("Cannot save: no file name was given.");
  const std::string shown = path.string();
  // A stream is written where it stands: renaming a file over what it
  // leads to would replace the user's file behind the stream.
  if (const auto fd = StreamDescriptor(path)) return WriteToDescriptor(*fd, shown, bytes);
  // Saving to a link saves the file it points to (or would create it);
  // renaming over the link itself would leave that file old and turn the
  // link into a copy.
  fs::path target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    const std::vector<fs::path> steps = LinkSteps(path);
    if (steps.empty()) return Refused("save to", shown, Reason(ENOENT));
    target = steps.back();
  }
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists) {
    if (!S_ISREG(st.st_mode)) return Refused("save to", shown, KindOf(st.st_mode));
    if (WriteProtected(target, st)) return Refused("save to", shown, "the file is write-protected");
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  RemoveStaleTemporaries(folder);
  auto created = CreateTemporary(folder, shown, names);
  if (!created) return Fail(created.error());
  PendingTemporary& temp = **created;
  // A file that is replaced keeps its permissions: a chart kept private
  // stays private after a save. A file system without them still saves.
  if (exists) (void)::fchmod(temp.fd(), st.st_mode & 07777);

  if (!WriteAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0)
    return Refused("write", shown, Reason(errno));
  if (::rename(temp.path().c_str(), target.c_str()) != 0)
    return Refused("replace", shown, Reason(errno));
  temp.Committed();
  // The new name is durable only once the folder itself is synced.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return Ok();
}

}  // namespace sarvexa
