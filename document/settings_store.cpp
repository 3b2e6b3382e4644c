#include "document/settings_store.h"

#include <cctype>
#include <climits>

namespace sarvexa {

std::optional<int> ParseSettingsInt(const std::string& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (i < n && blank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= n || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  long long value = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    ++i;
  }
  while (i < n && blank(text[i])) ++i;
  if (i != n) return std::nullopt;
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<int> MemorySettingsStore::readInt(const std::string& key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return ParseSettingsInt(it->second);
}

std::optional<std::string> MemorySettingsStore::readText(const std::string& key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool MemorySettingsStore::writeInt(const std::string& key, int value) {
  if (readOnly_) return false;
  values_[key] = std::to_string(value);
  return true;
}

bool MemorySettingsStore::writeText(const std::string& key, const std::string& value) {
  if (readOnly_) return false;
  values_[key] = value;
  return true;
}

}  // namespace sarvexa
