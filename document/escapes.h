#pragma once
// Backslash escapes, decoded the one way for every text that carries them:
// the values of the settings file (as QSettings writes them) and the strings
// of the JSON this program writes.

#include <cstddef>
#include <string>
#include <string_view>

namespace sarvexa {

/// The value of a hexadecimal digit, or -1 for any other character.
int HexDigitValue(char c);

/// Appends the UTF-8 form of a code point; a surrogate or a value beyond
/// U+10FFFF becomes U+FFFD.
void AppendCodePoint(std::string& out, char32_t cp);

/// Appends what the backslash escape starting at text[i] (a '\\') stands
/// for to `out`, and returns the index of the escape's last character.
/// \a \b \f \n \r \t \v are the control characters; \x and \u followed by up
/// to four hexadecimal digits, and up to three octal digits, are a code point
/// (a surrogate or a value beyond U+10FFFF becomes U+FFFD); a backslash
/// before any other character (\\, \", \/, \;) stands for that character; a
/// backslash at the end of the text stands for itself.
std::size_t AppendUnescaped(std::string_view text, std::size_t i, std::string& out);

/// `text` with every backslash escape decoded.
std::string Unescaped(std::string_view text);

}  // namespace sarvexa
