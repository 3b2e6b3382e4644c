#include "cli/render_launcher.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <ostream>

#include <unistd.h>

#ifndef SARVEXA_RENDER_LIBEXEC
#define SARVEXA_RENDER_LIBEXEC ""
#endif

namespace sarvexa::cli {
namespace {

std::string SelfPath() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.string();
}

// Tries each candidate in turn; returns the errno of the last attempt.
int ExecFirst(const std::vector<std::string>& candidates, const Arguments& args) {
  std::vector<char*> argv;
  std::string name = kRenderProgramName;
  argv.push_back(name.data());
  std::vector<std::string> copies(args);
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  int error = ENOENT;
  for (const std::string& path : candidates) {
    execv(path.c_str(), argv.data());
    error = errno;
  }
  return error;
}

int Launch(const Arguments& args, std::ostream& out, std::ostream& err) {
  out.flush();
  std::cout.flush();
  std::cerr.flush();
  const auto candidates = RenderProgramCandidates(SelfPath(), SARVEXA_RENDER_LIBEXEC);
  const int error = ExecFirst(candidates, args);
  err << "sarvexa-cli render: cannot start " << kRenderProgramName << " (looked in";
  for (const std::string& c : candidates) err << ' ' << c;
  err << "): " << std::strerror(error) << '\n';
  return 1;
}

}  // namespace

std::vector<std::string> RenderProgramCandidates(const std::string& selfPath,
                                                 const std::string& libexecDir) {
  std::vector<std::string> out;
  auto add = [&out](const std::filesystem::path& p) {
    const std::string s = p.lexically_normal().string();
    for (const std::string& o : out) {
      if (o == s) return;
    }
    out.push_back(s);
  };
  if (!selfPath.empty()) {
    const std::filesystem::path dir = std::filesystem::path(selfPath).parent_path();
    add(dir / kRenderProgramName);
    add(dir / ".." / "libexec" / "sarvexa" / kRenderProgramName);
  }
  if (!libexecDir.empty()) add(std::filesystem::path(libexecDir) / kRenderProgramName);
  return out;
}

int RunRenderProgram(const Arguments& args, std::ostream& out, std::ostream& err) {
  return Launch(args, out, err);
}

void PrintRenderProgramHelp(std::ostream& out) { Launch({"--help"}, out, std::cerr); }

}  // namespace sarvexa::cli
