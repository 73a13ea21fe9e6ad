// XML text helpers: attribute escaping that keeps a document well-formed whatever the data
// holds, and names that XML parsers accept.
#pragma once

#include <string>
#include <string_view>

namespace ostrel {

// Escapes the markup characters; CR, LF and TAB become character references so that parsers
// do not normalise them away; other control characters and broken UTF-8, which XML cannot
// carry, become U+FFFD (UTF-8) or "?" (single-byte code pages).
std::string XmlEscape(std::string_view text, int codePage);
// True when text is an XML name without a colon (a namespace-well-formed local name).
bool IsXmlName(std::string_view text, int codePage);
// The text itself when it is such a name; otherwise every character a name cannot hold
// becomes "_", with "_" in front when the first character cannot start a name.
std::string XmlNameOf(std::string_view text, int codePage);
// The encoding label of a code page ("UTF-8", "windows-1252").
std::string XmlEncodingName(int codePage);

}  // namespace ostrel
