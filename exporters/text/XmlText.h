// XML text helpers: attribute escaping that keeps a document well-formed whatever the data
// holds, and names that XML parsers accept.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

// Escapes the markup characters; CR, LF and TAB become character references so that parsers
// do not normalise them away; other control characters and broken UTF-8, which XML cannot
// carry, become U+FFFD (UTF-8) or "?" (single-byte code pages).
std::string XmlEscape(std::string_view text, int codePage);
void AppendXmlEscape(std::string& out, std::string_view text, int codePage);
// True when text is an XML name without a colon (a namespace-well-formed local name).
bool IsXmlName(std::string_view text, int codePage);
// The text itself when it is such a name; otherwise every character a name cannot hold
// becomes "_", with "_" in front when the first character cannot start a name. With `holds`,
// characters it refuses (those the document's encoding lacks) become "_" as well, since a name
// cannot use character references.
std::string XmlNameOf(std::string_view text, int codePage,
                      const std::function<bool(char32_t)>& holds = nullptr);
// The encoding label of a code page ("UTF-8", "windows-1252").
std::string XmlEncodingName(int codePage);
// Whether text matches the XML declaration's EncName: a letter, then letters, digits, ".",
// "_" or "-".
bool IsXmlEncName(std::string_view text);

// Turns text of the process code page into the bytes of a declared encoding. The encoding
// must extend ASCII (markup is ASCII); characters it lacks become character references
// (&#NNN;), so they must only occur where references are allowed: attribute values and
// content, not names (see XmlNameOf's `holds`). Any encoding the C library converts to
// qualifies (UTF-8, ISO-8859-1, ISO-8859-15, windows-1252, US-ASCII, ...).
class TXmlEncoder {
public:
    // An empty name keeps the bytes of the process code page. Throws EOstrelError naming the
    // encoding when it is no valid encoding name or cannot be written.
    TXmlEncoder(const std::string& encoding, int codePage);
    ~TXmlEncoder();
    TXmlEncoder(const TXmlEncoder&) = delete;
    TXmlEncoder& operator=(const TXmlEncoder&) = delete;

    // True when the text's bytes are written unchanged.
    bool PassesThrough() const { return FPassThrough; }
    bool Holds(char32_t c);
    std::string Encode(std::string_view text);

private:
    // The UTF-8 text's bytes in the encoding, references for what it lacks.
    std::string FromUtf8(std::string_view text);

    int FCodePage;
    bool FPassThrough = true;
    bool FToUtf8 = false;   // the encoding is UTF-8, the code page is not
    void* FIconv = nullptr; // conversion from UTF-8, when neither of the above
};

}  // namespace ostrel
