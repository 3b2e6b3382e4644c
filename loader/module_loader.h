#pragma once
// The program's own modules (lib/sarvexa/libsarvexa-*.so): each holds a heavy
// library behind a small C interface and is opened at its first use, so a
// run that never needs the library never loads it. This finds and opens
// them, the same way for every module.

#include <functional>
#include <string>

#include "engine/result.h"

namespace sarvexa {

/// What identifies one module.
struct ModuleIdentity {
  const char* fileName;       ///< "libsarvexa-zones.so"
  const char* title;          ///< for messages: "the time-zone module"
  const char* versionSymbol;  ///< a function `int f(void)` returning the interface version
  int version;                ///< the version this program was built with
};

/// Opens the module from, in order: lib/sarvexa beside the program's folder
/// (bin/../lib/sarvexa, as installed), the folder it was installed to, and
/// where this build put it (the tests run from deeper folders of the build).
/// The first candidate whose version matches and for which `bind` finds
/// every function it needs is kept open for the rest of the run. Otherwise
/// the error says why: "the time-zone module libsarvexa-zones.so could not be
/// loaded", the loader's reason for a file that exists but cannot be opened,
/// or that the file found is of another version of the program.
Result<void*> OpenModule(const ModuleIdentity& identity,
                         const std::function<bool(void* handle)>& bind);

/// The address of `symbol` in an opened library, or nullptr.
void* FindSymbol(void* handle, const char* symbol);

/// Sets `out` to the function `symbol` of an opened library; false when the
/// library has none.
template <typename F>
bool ResolveSymbol(void* handle, const char* symbol, F& out) {
  out = reinterpret_cast<F>(FindSymbol(handle, symbol));
  return out != nullptr;
}

}  // namespace sarvexa
