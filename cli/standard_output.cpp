#include "cli/standard_output.h"

#include <cstdio>
#include <ostream>

#include <fcntl.h>
#include <unistd.h>

#include "cli/commands.h"

namespace sarvexa::cli {

void GuardStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    // open() returns the lowest free number, which is this one.
    const int flags = fd == 2 ? O_WRONLY : O_RDONLY;
    const int opened = ::open("/dev/null", flags);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

int FinishStandardOutput(int code, const std::string& command, std::ostream& out,
                         std::ostream& err) {
  out.flush();
  bool ok = static_cast<bool>(out);
  // The stream may sit on the C library's buffer; its failure shows there.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) ok = false;
  if (ok) return code;
  err << "sarvexa-cli" << (command.empty() ? "" : " ") << command << ": " << kStandardOutputError
      << '\n';
  err.flush();
  return code == kExitUsage ? code : 1;
}

}  // namespace sarvexa::cli
