#include "document/settings_store.h"

#include "document/notation.h"

namespace sarvexa {

std::optional<int> MemorySettingsStore::readInt(const std::string& key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return ParseWholeNumber(it->second);
}

std::optional<std::string> MemorySettingsStore::readText(const std::string& key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

Result<void> MemorySettingsStore::writeInt(const std::string& key, int value) {
  return writeText(key, std::to_string(value));
}

Result<void> MemorySettingsStore::writeText(const std::string& key, const std::string& value) {
  if (readOnly_) return Fail("the settings store is read-only");
  values_[key] = value;
  return Ok();
}

}  // namespace sarvexa
