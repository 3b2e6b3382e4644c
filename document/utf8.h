#pragma once
// Decoding one UTF-8 character at a time, shared by the field checks and the
// chart file's text conversions. Internal to the document library.

#include <cstddef>
#include <string>
#include <string_view>

namespace sarvexa::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

/// Decodes the character starting at `pos` and advances `pos` past it. An
/// invalid or cut-short sequence, an overlong form, a surrogate or a value
/// above U+10FFFF yields nothing valid: `valid` is false, one byte is
/// consumed and U+FFFD returned.
inline char32_t Next(std::string_view s, std::size_t& pos, bool& valid) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  valid = true;
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    valid = false;
    ++pos;
    return kReplacement;
  }
  if (s.size() - pos <= static_cast<std::size_t>(extra)) {  // cut short
    valid = false;
    ++pos;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if ((b & 0xC0) != 0x80) {
      valid = false;
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    valid = false;
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return cp;
}

/// Appends the UTF-8 form of a valid code point.
inline void Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace sarvexa::utf8
