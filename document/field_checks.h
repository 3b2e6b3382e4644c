#pragma once
// The checks a dialog makes on OK, shared by "Chart Data" and "Set Location
// for Prasna". Internal to the document library.

#include <string>
#include <string_view>

#include "document/chart_data.h"

namespace sarvexa::field_checks {

FieldError RangeError(int controlId, const char* name, int minimum, int maximum);
FieldError WholeNumberError(int controlId, const char* name);
FieldError TooLongError(int controlId, const char* name, int maxChars);

/// Succeeds when minimum <= value <= maximum, else fails with the range error.
Result<void, FieldError> CheckRange(int value, int controlId, const char* name, int minimum,
                                    int maximum);
/// Succeeds when the text has at most maxChars characters.
Result<void, FieldError> CheckLength(const std::string& text, int controlId, const char* name,
                                     int maxChars);

}  // namespace sarvexa::field_checks
