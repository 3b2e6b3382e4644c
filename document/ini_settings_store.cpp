#include "document/ini_settings_store.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "document/escapes.h"
#include "document/notation.h"
#include "document/safe_file.h"
#include "document/settings_file.h"

namespace sarvexa {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::string DecodeIniKey(std::string_view key) {
  std::string out;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '%' && i + 2 < key.size() && HexDigitValue(key[i + 1]) >= 0 &&
        HexDigitValue(key[i + 2]) >= 0) {
      out += static_cast<char>(HexDigitValue(key[i + 1]) * 16 + HexDigitValue(key[i + 2]));
      i += 2;
    } else if (key[i] == '%' && i + 5 < key.size() && key[i + 1] == 'U' &&
               HexDigitValue(key[i + 2]) >= 0 && HexDigitValue(key[i + 3]) >= 0 &&
               HexDigitValue(key[i + 4]) >= 0 && HexDigitValue(key[i + 5]) >= 0) {
      char32_t cp = 0;
      for (int k = 2; k <= 5; ++k) cp = cp * 16 + static_cast<char32_t>(HexDigitValue(key[i + k]));
      AppendCodePoint(out, cp);
      i += 5;
    } else if (key[i] == '\\') {
      out += '/';  // QSettings stores a group separator as a backslash
    } else {
      out += key[i];
    }
  }
  return out;
}

std::string DecodeIniValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  std::string out;
  bool quoted = false;
  std::string pendingBlanks;  // blanks inside unquoted text are kept only between words
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') {
      quoted = !quoted;
      out += pendingBlanks;
      pendingBlanks.clear();
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t')) {
      pendingBlanks += c;
      continue;
    }
    out += pendingBlanks;
    pendingBlanks.clear();
    if (c == '\\') {
      i = AppendUnescaped(value, i, out);
    } else {
      out += c;
    }
  }
  if (out.size() >= 2 && out[0] == '@' && out[1] == '@') out.erase(0, 1);
  return out;
}

IniFileSettingsStore IniFileSettingsStore::FromText(std::string_view text) {
  IniFileSettingsStore store;
  bool inSettings = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string group = DecodeIniKey(
          line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      inSettings = group == kSettingsSection;
      continue;
    }
    if (!inSettings) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    store.values_[DecodeIniKey(Trim(line.substr(0, eq)))] = DecodeIniValue(line.substr(eq + 1));
  }
  return store;
}

IniFileSettingsStore IniFileSettingsStore::FromFile(const std::filesystem::path& path) {
  // Read like a chart file: a pipe or device in the settings' place is
  // passed over (the defaults hold) instead of waited on for ever.
  constexpr std::size_t kSettingsReadLimit = std::size_t{1} << 20;
  const Result<std::string> text = ReadFileBytes(path, kSettingsReadLimit);
  if (!text) {
    // A missing file is a first start, not a problem.
    IniFileSettingsStore empty;
    std::error_code ec;
    if (const Result<void> readable = CheckSettingsReadable(path); !readable) {
      empty.readProblem_ = SettingsReadMessage(path, readable.error());
    } else if (std::filesystem::exists(path, ec) && !ec) {
      empty.readProblem_ = SettingsReadMessage(path, text.error());
    }
    return empty;
  }
  return FromText(*text);
}

std::optional<std::filesystem::path> IniFileSettingsStore::DefaultPath() {
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".config";
  } else {
    return std::nullopt;
  }
  return base / "Sarvexa" / "Sarvexa.conf";
}

std::optional<int> IniFileSettingsStore::readInt(const std::string& key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return ParseWholeNumber(it->second);
}

std::optional<std::string> IniFileSettingsStore::readText(const std::string& key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

Result<void> IniFileSettingsStore::writeInt(const std::string& key, int value) {
  values_[key] = std::to_string(value);
  return Ok();
}

Result<void> IniFileSettingsStore::writeText(const std::string& key, const std::string& value) {
  values_[key] = value;
  return Ok();
}

}  // namespace sarvexa
