#include "exporters/text/XmlText.h"

#include "platform/CodePage.h"
#include "platform/FormatSettings.h"

namespace ostrel {

namespace {

bool IsNameStartChar(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
    return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// The text as code points; a lone surrogate or a broken byte reads as U+FFFD.
std::u32string CodePoints(std::string_view text, int codePage) {
    std::u16string wide = ToUtf16(text, codePage);
    std::u32string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        out += c;
    }
    return out;
}

std::string Encode(std::u32string_view cps, int codePage) {
    std::u16string wide;
    for (char32_t c : cps) {
        if (c >= 0x10000) {
            wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<char16_t>(c);
        }
    }
    return FromUtf16(wide, codePage);
}

}  // namespace

std::string XmlEscape(std::string_view text, int codePage) {
    std::string out;
    out.reserve(text.size() + 8);
    const bool utf8 = codePage == CP_UTF8;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        switch (b) {
            case '"': out += "&quot;"; continue;
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            case '\r': out += "&#13;"; continue;
            case '\n': out += "&#10;"; continue;
            case '\t': out += "&#9;"; continue;
            default: break;
        }
        if (b < 0x20 || b == 0x7F) {
            out += utf8 ? "\xEF\xBF\xBD" : "?";
        } else if (b < 0x80 || !utf8) {
            out += static_cast<char>(b);
        } else {
            // Copy a whole valid UTF-8 sequence; anything else is replaced.
            size_t next = i;
            const char32_t cp = DecodeUtf8At(text, next);
            if (cp == 0xFFFD || cp == 0xFFFE || cp == 0xFFFF) out += "\xEF\xBF\xBD";
            else out.append(text.substr(i, next - i));
            i = next - 1;
        }
    }
    return out;
}

bool IsXmlName(std::string_view text, int codePage) {
    std::u32string cps = CodePoints(text, codePage);
    if (cps.empty() || !IsNameStartChar(cps[0])) return false;
    for (char32_t c : cps)
        if (!IsNameChar(c) || c == 0xFFFD) return false;
    return true;
}

std::string XmlNameOf(std::string_view text, int codePage) {
    if (IsXmlName(text, codePage)) return std::string(text);
    std::u32string cps = CodePoints(text, codePage);
    for (char32_t& c : cps)
        if (!IsNameChar(c) || c == 0xFFFD) c = '_';
    if (cps.empty() || !IsNameStartChar(cps[0])) cps.insert(cps.begin(), U'_');
    return Encode(cps, codePage);
}

std::string XmlEncodingName(int codePage) {
    if (codePage == CP_UTF8) return "UTF-8";
    return "windows-" + std::to_string(codePage);
}

}  // namespace ostrel
