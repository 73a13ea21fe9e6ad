// The colour text of persisted files: a colour name of the table, else "$" and eight
// upper-case hexadecimal digits.
#pragma once

#include <string>
#include <string_view>

#include "platform/Graphics.h"

namespace ostrel {

std::string ColorToString(TColor value);
// Fails with "'%s' is not a valid integer value" for text that is neither a name nor a number.
TColor StringToColor(std::string_view text);
// The name lookup alone, without regard to case.
bool IdentToColor(std::string_view text, TColor& value);
bool ColorToIdent(TColor value, std::string& name);

}  // namespace ostrel
