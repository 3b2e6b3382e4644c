#include "document/export_file.h"

#include "document/safe_file.h"

namespace sarvexa {

Result<void> WriteExportFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) return Fail("Cannot write the export: no file name given");
  return WriteFileReplacing(path, bytes);
}

}  // namespace sarvexa
