#pragma once
// printf-style formatting into a std::string, shared by every library that
// writes texts (exports, report lines, page texts, the command-line output).

#include <string>

namespace sarvexa {

/// printf-style formatting into a std::string. The length is measured first,
/// so no value can overrun a buffer; an empty format or an encoding error
/// gives an empty string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace sarvexa
