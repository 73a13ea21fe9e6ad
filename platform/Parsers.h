// Reading integers, floating-point numbers and date-times from text in the conventions of
// the process format settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DateTimeFormat.h"
#include "platform/NumberFormat.h"

namespace ostrel {

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; leading blanks allowed.
bool TryStrToInt(std::string_view text, int32_t& value);
bool TryStrToInt64(std::string_view text, int64_t& value);
int32_t StrToIntDef(std::string_view text, int32_t def);
// Fails with "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Digits with the locale's decimal separator and an optional exponent; blanks around allowed.
bool TryStrToFloat(std::string_view text, double& value);
// Fails with "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);
// The same text read exactly, digit for digit, for formatting without a binary detour.
bool TryStrToDecimal(std::string_view text, TDecimal& value);
TDecimal StrToDecimal(std::string_view text);

// A date in the order of the short date pattern with the date separator, optionally followed
// by a time; or a time alone (on the zero date). Two-digit years use the century window.
bool TryStrToDateTime(std::string_view text, TDateTime& value);
// Fails with "'%s' is not a valid date and time".
TDateTime StrToDateTime(std::string_view text);

}  // namespace ostrel
