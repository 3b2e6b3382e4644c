#include "document/export_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sarvexa {

std::optional<std::string> WriteExportFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) return std::string("Cannot write the export: no file name given");
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    const int err = errno;
    return "Cannot write " + path + ": " +
           (err != 0 ? std::string(std::strerror(err)) : std::string("cannot open the file"));
  }
  errno = 0;
  const std::size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
  bool ok = written == bytes.size();
  int err = ok ? 0 : errno;
  if (std::fflush(file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    return "Cannot write " + path + ": " +
           (err != 0 ? std::string(std::strerror(err)) : std::string("write failed")) +
           " (the file may be incomplete)";
  }
  return std::nullopt;
}

}  // namespace sarvexa
