#include "exporters/text/XmlText.h"

#include <iconv.h>

#include <cerrno>

#include "platform/CodePage.h"
#include "platform/Errors.h"
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
    AppendXmlEscape(out, text, codePage);
    return out;
}

void AppendXmlEscape(std::string& out, std::string_view text, int codePage) {
    const bool utf8 = codePage == CP_UTF8;
    const size_t size = text.size();
    size_t run = 0;  // start of the bytes not yet copied, all kept as they are
    for (size_t i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '&' && b != '<' && b != '>') continue;
        if (b >= 0x80) {
            if (!utf8) continue;
            // Well-formed two- and three-byte characters other than U+FFFE and U+FFFF stay.
            const size_t length = ShortUtf8Length(text, i);
            if (length && !(b == 0xEF && text[i + 1] == '\xBF' && static_cast<unsigned char>(text[i + 2]) >= 0xBE)) {
                i += length - 1;
                continue;
            }
        }
        out.append(text.data() + run, i - run);
        run = i + 1;
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
            run = next;
        }
    }
    out.append(text.data() + run, size - run);
}

bool IsXmlName(std::string_view text, int codePage) {
    std::u32string cps = CodePoints(text, codePage);
    if (cps.empty() || !IsNameStartChar(cps[0])) return false;
    for (char32_t c : cps)
        if (!IsNameChar(c) || c == 0xFFFD) return false;
    return true;
}

std::string XmlNameOf(std::string_view text, int codePage, const std::function<bool(char32_t)>& holds) {
    std::u32string cps = CodePoints(text, codePage);
    // Names beginning with "xml" are reserved: "xmlns" would even declare a namespace.
    const bool reserved = text.size() >= 3 && (text[0] | 0x20) == 'x' && (text[1] | 0x20) == 'm' && (text[2] | 0x20) == 'l';
    bool keep = !reserved && IsXmlName(text, codePage);
    if (keep && holds)
        for (char32_t c : cps) keep = keep && (c < 0x80 || holds(c));
    if (keep) return std::string(text);
    for (char32_t& c : cps)
        if (!IsNameChar(c) || c == 0xFFFD || (c >= 0x80 && holds && !holds(c))) c = '_';
    if (cps.empty() || !IsNameStartChar(cps[0]) || reserved) cps.insert(cps.begin(), U'_');
    return Encode(cps, codePage);
}

std::string XmlEncodingName(int codePage) {
    if (codePage == CP_UTF8) return "UTF-8";
    return "windows-" + std::to_string(codePage);
}

bool IsXmlEncName(std::string_view text) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (text.empty() || !letter(text[0])) return false;
    for (char c : text)
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_' && c != '-') return false;
    return true;
}

namespace {

// The name in capitals without "-" and "_", so that "utf-8" and "UTF8" compare equal.
std::string Canonical(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != '-' && c != '_') out += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    std::u16string wide;
    if (cp >= 0x10000) {
        wide += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        wide += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        wide += static_cast<char16_t>(cp);
    }
    out += FromUtf16(wide, CP_UTF8);
}

iconv_t Handle(void* p) { return static_cast<iconv_t>(p); }

}  // namespace

TXmlEncoder::TXmlEncoder(const std::string& encoding, int codePage) : FCodePage(codePage) {
    if (encoding.empty()) return;
    if (!IsXmlEncName(encoding)) throw EOstrelError("\"" + encoding + "\" is not a valid XML encoding name");
    const std::string canonical = Canonical(encoding);
    const bool utf8 = canonical == "UTF8";
    if (codePage == CP_UTF8 ? utf8 : canonical == "WINDOWS1252" || canonical == "CP1252") return;
    FPassThrough = false;
    if (utf8) {
        FToUtf8 = true;
        return;
    }
    const iconv_t cd = iconv_open(encoding.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw EOstrelError("The XML encoding " + encoding + " is not supported");
    FIconv = cd;
    // Markup is written in ASCII: an encoding that writes ASCII differently (UTF-16, EBCDIC)
    // would need every byte of the document converted, which this writer does not do.
    std::string ascii = "\t\r\n";
    for (char c = ' '; c < 0x7F; ++c) ascii += c;
    if (FromUtf8(ascii) != ascii) {
        // A constructor that throws has no destructor run.
        iconv_close(cd);
        FIconv = nullptr;
        throw EOstrelError("The XML encoding " + encoding + " cannot be written: it does not extend ASCII");
    }
}

TXmlEncoder::~TXmlEncoder() {
    if (FIconv) iconv_close(Handle(FIconv));
}

bool TXmlEncoder::Holds(char32_t c) {
    // Unchanged bytes hold whatever the code page's text holds.
    if (FPassThrough || FToUtf8 || c < 0x80) return true;
    std::string one;
    AppendUtf8(one, c);
    return FromUtf8(one).find("&#") == std::string::npos;
}

std::string TXmlEncoder::Encode(std::string_view text) {
    if (FPassThrough || IsAscii(text)) return std::string(text);
    std::string utf8 = FCodePage == CP_UTF8 ? std::string(text) : ConvertCodePage(text, FCodePage, CP_UTF8);
    return FToUtf8 ? utf8 : FromUtf8(utf8);
}

std::string TXmlEncoder::FromUtf8(std::string_view text) {
    const iconv_t cd = Handle(FIconv);
    std::string out(text.size() + 16, '\0');
    size_t used = 0;
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // Converts until the input is used up (flush: the shift back to the initial state).
    auto convert = [&](bool flush) {
        for (;;) {
            char* out0 = out.data() + used;
            char* outPtr = out0;
            size_t outLeft = out.size() - used;
            const size_t r = flush ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft)
                                   : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
            used += outPtr - out0;
            if (r != static_cast<size_t>(-1)) return 0;
            if (errno != E2BIG) return errno;
            out.resize(out.size() * 2 + 16);
        }
    };
    while (inLeft > 0) {
        if (convert(false) == 0) continue;
        // A character the encoding lacks (or a broken sequence): a reference, written in the
        // initial shift state.
        convert(true);
        size_t length = 0;
        const char32_t c = DecodeUtf8At(std::string_view(in, inLeft), length);
        const std::string reference = "&#" + std::to_string(c) + ";";
        if (out.size() < used + reference.size()) out.resize(used + reference.size() + 16);
        out.replace(used, reference.size(), reference);
        used += reference.size();
        in += length;
        inLeft -= length;
    }
    convert(true);
    out.resize(used);
    return out;
}

}  // namespace ostrel
