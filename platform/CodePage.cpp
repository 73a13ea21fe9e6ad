#include "platform/CodePage.h"

#include <cstring>

#include "platform/FormatSettings.h"

namespace ostrel {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes, which map to C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD for a bad byte.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
    auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    int len = b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    if (b >= 0xF5) len = 0;
    if (len == 0 || i + len > text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += len;
    return cp;
}

char32_t Cp1252ToCodePoint(unsigned char b) {
    if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80]) return kCp1252High[b - 0x80];
    return b;
}

int CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int k = 0; k < 32; ++k)
        if (kCp1252High[k] == cp && cp != 0) return 0x80 + k;
    if (cp >= 0x80 && cp < 0xA0) {
        // The unassigned bytes round-trip as their C1 controls.
        unsigned char b = static_cast<unsigned char>(cp);
        if (kCp1252High[b - 0x80] == 0) return b;
    }
    return -1;
}

}  // namespace

char32_t DecodeUtf8At(std::string_view text, size_t& i) { return DecodeUtf8(text, i); }

std::u16string ToUtf16(std::string_view text, int codePage) {
    std::u16string out;
    out.reserve(text.size());
    if (codePage == CP_UTF8) {
        for (size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
    } else {
        for (char c : text) AppendUtf16(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string FromUtf16(std::u16string_view text, int codePage) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        if (codePage == CP_UTF8) {
            AppendUtf8(out, cp);
        } else {
            int b = CodePointToCp1252(cp);
            out += b < 0 ? '?' : static_cast<char>(b);
        }
    }
    return out;
}

std::u16string ToUtf16(std::string_view text) { return ToUtf16(text, FormatSettings().CodePage); }

std::string FromUtf16(std::u16string_view text) {
    return FromUtf16(text, FormatSettings().CodePage);
}

size_t CountCharacters(std::string_view text) {
    const size_t size = text.size();
    // A text of ASCII alone, most of them, is as long as its bytes in every code page: eight
    // bytes at a time, then the rest.
    size_t ascii = 0;
    uint64_t eight;
    while (ascii + 8 <= size && (std::memcpy(&eight, text.data() + ascii, 8), (eight & 0x8080808080808080ULL) == 0))
        ascii += 8;
    while (ascii < size && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    if (ascii == size || FormatSettings().CodePage != CP_UTF8) return size;
    // ASCII and well-formed two- and three-byte characters, nearly every text, are counted
    // here; the rest, and every bad byte, as the decoder reads them.
    size_t n = ascii;
    for (size_t i = ascii; i < size; ++n) {
        // Eight ASCII bytes at a time.
        while (i + 8 <= size && (std::memcpy(&eight, text.data() + i, 8), (eight & 0x8080808080808080ULL) == 0)) {
            i += 8;
            n += 8;
        }
        if (i >= size) break;
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        if (const size_t length = ShortUtf8Length(text, i)) {
            i += length;
            continue;
        }
        DecodeUtf8(text, i);
    }
    return n;
}

bool IsAscii(std::string_view text) {
    bool ascii = true;
    for (char c : text) ascii &= static_cast<unsigned char>(c) < 0x80;
    return ascii;
}

size_t Utf16Length(std::string_view text) {
    if (FormatSettings().CodePage != CP_UTF8) return text.size();
    size_t n = 0;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            ++n;
        } else {
            n += DecodeUtf8(text, i) >= 0x10000 ? 2 : 1;
        }
    }
    return n;
}

std::string_view HeadOfBytes(std::string_view text, size_t bytes) {
    if (text.size() <= bytes) return text;
    if (FormatSettings().CodePage != CP_UTF8) return text.substr(0, bytes);
    size_t end = 0;
    for (size_t i = 0; i < text.size();) {
        DecodeUtf8(text, i);
        if (i > bytes) break;
        end = i;
    }
    return text.substr(0, end);
}

size_t ByteLengthOfChars(std::string_view text, size_t chars) {
    if (FormatSettings().CodePage != CP_UTF8) return std::min(chars, text.size());
    size_t i = 0;
    for (size_t n = 0; n < chars && i < text.size(); ++n) DecodeUtf8(text, i);
    return i;
}

std::string ConvertCodePage(std::string_view text, int fromCodePage, int toCodePage) {
    if (fromCodePage == toCodePage) return std::string(text);
    return FromUtf16(ToUtf16(text, fromCodePage), toCodePage);
}

}  // namespace ostrel
