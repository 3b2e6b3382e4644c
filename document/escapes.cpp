#include "document/escapes.h"

#include "document/utf8.h"

namespace sarvexa {

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = utf8::kReplacement;
  utf8::Append(out, cp);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::size_t AppendUnescaped(std::string_view text, std::size_t i, std::string& out) {
  if (i + 1 >= text.size()) {
    out += text[i];
    return i;
  }
  const char e = text[++i];
  switch (e) {
    case 'a':
      out += '\a';
      break;
    case 'b':
      out += '\b';
      break;
    case 'f':
      out += '\f';
      break;
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    case 't':
      out += '\t';
      break;
    case 'v':
      out += '\v';
      break;
    case 'x':
    case 'u': {
      char32_t cp = 0;
      for (int digits = 0; digits < 4 && i + 1 < text.size() && HexDigitValue(text[i + 1]) >= 0;
           ++digits) {
        cp = cp * 16 + static_cast<char32_t>(HexDigitValue(text[++i]));
      }
      AppendCodePoint(out, cp);
      break;
    }
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7': {
      char32_t cp = static_cast<char32_t>(e - '0');
      for (int digits = 1;
           digits < 3 && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7';
           ++digits) {
        cp = cp * 8 + static_cast<char32_t>(text[++i] - '0');
      }
      AppendCodePoint(out, cp);
      break;
    }
    default:
      out += e;
      break;
  }
  return i;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      i = AppendUnescaped(text, i, out);
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace sarvexa
