// Finding and opening the program's modules; see module_loader.h.
#include "loader/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#ifndef SARVEXA_MODULES_INSTALL_DIR
#define SARVEXA_MODULES_INSTALL_DIR ""
#endif
#ifndef SARVEXA_MODULES_BUILD_DIR
#define SARVEXA_MODULES_BUILD_DIR ""
#endif

namespace sarvexa {
namespace {

std::vector<std::string> Candidates(const char* fileName) {
  std::vector<std::string> out;
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    out.push_back((self.parent_path() / ".." / "lib" / "sarvexa" / fileName).lexically_normal());
  }
  for (const char* dir : {SARVEXA_MODULES_INSTALL_DIR, SARVEXA_MODULES_BUILD_DIR}) {
    if (*dir) out.push_back(std::string(dir) + "/" + fileName);
  }
  return out;
}

}  // namespace

void* FindSymbol(void* handle, const char* symbol) { return dlsym(handle, symbol); }

Result<void*> OpenModule(const ModuleIdentity& identity, const std::function<bool(void*)>& bind) {
  std::string problem =
      std::string(identity.title) + " " + identity.fileName + " could not be loaded";
  for (const std::string& path : Candidates(identity.fileName)) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      // A module that exists but cannot be opened says more than a missing one.
      if (const char* why = dlerror(); why && access(path.c_str(), F_OK) == 0) {
        problem = std::string(identity.title) + " could not be loaded: " + why;
      }
      continue;
    }
    int (*version)() = nullptr;
    if (ResolveSymbol(handle, identity.versionSymbol, version) && version() == identity.version &&
        bind(handle)) {
      return handle;
    }
    problem = std::string(identity.title) + " " + path + " is of another version of the program";
    dlclose(handle);
  }
  return Fail(problem);
}

}  // namespace sarvexa
