#include "document/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A short name for the temporary file: the target's own name may already be
// as long as the file system allows, so the temporary does not extend it.
std::string RandomTemporaryName() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kChars) - 2);
  std::string name = ".svx-";
  for (int i = 0; i < 8; ++i) name += kChars[pick(device)];
  return name;
}

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

}  // namespace

Result<std::string> ReadFileBytes(const std::filesystem::path& path, std::size_t limit) {
  if (path.empty()) return Fail("Cannot open the file: no file name was given.");
  const std::string shown = path.string();
  // Without O_NONBLOCK, opening a fifo waits until someone writes to it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Refused("open the file", shown, Reason(errno));
  FdCloser closer(fd);
  // Judge what was opened, not the name: the name may change in between.
  struct stat st {};
  if (::fstat(fd, &st) != 0) return Refused("open the file", shown, Reason(errno));
  if (!S_ISREG(st.st_mode)) return Refused("open", shown, KindOf(st.st_mode));
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
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
  // Saving to a link saves the file it points to; renaming over the link
  // itself would leave that file old and turn the link into a copy.
  fs::path target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (ec) return Refused("save to", shown, ec.message());
    target = resolved;
  }
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists) {
    if (!S_ISREG(st.st_mode)) return Refused("save to", shown, KindOf(st.st_mode));
    if (WriteProtected(target, st)) return Refused("save to", shown, "the file is write-protected");
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  // The temporary is created afresh: O_EXCL refuses any existing name,
  // including a link planted there by someone else, and O_NOFOLLOW makes
  // sure no link is ever followed.
  fs::path temp;
  int fd = -1;
  int createErrno = 0;
  for (int attempt = 0; attempt < 64 && fd < 0; ++attempt) {
    temp = folder / (names ? names() : RandomTemporaryName());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    createErrno = errno;
    if (fd < 0 && createErrno != EEXIST) break;
  }
  if (fd < 0) return Refused("create a file in the folder of", shown, Reason(createErrno));
  // A file that is replaced keeps its permissions: a chart kept private
  // stays private after a save. A file system without them still saves.
  if (exists) (void)::fchmod(fd, st.st_mode & 07777);

  std::optional<std::string> failure;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) failure = Reason(errno);
  if (::close(fd) != 0 && !failure) failure = Reason(errno);
  if (failure) {
    ::unlink(temp.c_str());
    return Refused("write", shown, *failure);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Refused("replace", shown, Reason(err));
  }
  // The new name is durable only once the folder itself is synced.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return Ok();
}

}  // namespace sarvexa
