#include "document/settings_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sarvexa {
namespace {

Failure<std::string> Reason(int error) { return Fail(std::string(std::strerror(error))); }

// Why the nearest existing folder on the way to `path` cannot take a new
// file (the stores write a new file and rename it over the old one).
Result<void> CheckFolder(const std::filesystem::path& path) {
  std::filesystem::path dir = path.parent_path();
  if (dir.empty()) dir = ".";
  struct stat st {};
  while (stat(dir.c_str(), &st) != 0) {
    if (errno != ENOENT) return Reason(errno);
    const std::filesystem::path up = dir.parent_path();
    if (up.empty() || up == dir) return Reason(ENOENT);
    dir = up;  // a missing folder is made on the way
  }
  if (!S_ISDIR(st.st_mode)) return Reason(ENOTDIR);
  if (access(dir.c_str(), W_OK | X_OK) != 0) return Reason(errno);
  return Ok();
}

}  // namespace

Result<void> CheckSettingsReadable(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Ok();  // nothing stored yet
    return Reason(errno);
  }
  struct stat st {};
  const int statResult = fstat(fd, &st);
  const int statError = errno;
  close(fd);
  if (statResult != 0) return Reason(statError);
  if (S_ISDIR(st.st_mode)) return Reason(EISDIR);
  if (!S_ISREG(st.st_mode)) return Fail("not a regular file");
  return Ok();
}

Result<void> CheckSettingsWritable(const std::filesystem::path& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Reason(EISDIR);
    if (!S_ISREG(st.st_mode)) return Fail("not a regular file");
    if (access(path.c_str(), W_OK) != 0) return Reason(errno);
  } else if (errno != ENOENT) {
    return Reason(errno);
  }
  if (Result<void> folder = CheckFolder(path); !folder) return folder;
  // A full disk or a read-only mount shows only when a file is made.
  const std::filesystem::path dir = path.parent_path();
  struct stat dirStat {};
  if (!dir.empty() && stat(dir.c_str(), &dirStat) == 0) {
    std::string probe = (dir / ".Sarvexa.conf.probe-XXXXXX").string();
    const int fd = mkstemp(probe.data());
    if (fd < 0) return Reason(errno);
    close(fd);
    unlink(probe.c_str());
  }
  return Ok();
}

std::string SettingsReadMessage(const std::filesystem::path& path, const std::string& reason) {
  return "Cannot read the settings file " + path.string() + ": " + reason +
         ". The defaults are used, and no setting is saved in this run.";
}

std::string SettingsWriteMessage(const std::filesystem::path& path, const std::string& reason) {
  return "Cannot save the settings to " + path.string() + ": " + reason +
         ". Settings changed now last only until the program ends.";
}

}  // namespace sarvexa
