// Conversion between the process code page (UTF-8 or Windows-1252) and UTF-16, and the
// character length of a text, which fixed-width layouts pad by.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace ostrel {

// Decodes bytes of the code page; an invalid UTF-8 sequence gives U+FFFD per bad byte.
std::u16string ToUtf16(std::string_view text, int codePage);
// Encodes UTF-16; a character the code page lacks becomes '?'.
std::string FromUtf16(std::u16string_view text, int codePage);
// Both in the process code page of the format settings.
std::u16string ToUtf16(std::string_view text);
std::string FromUtf16(std::u16string_view text);

// The number of characters of a text in the process code page (code points for UTF-8).
size_t CountCharacters(std::string_view text);
// The same; a short text of ASCII alone, most values that layouts pad, is counted in line.
inline size_t CharLength(std::string_view text) {
    const char* const p = text.data();
    const size_t n = text.size();
    uint64_t a = 0, b = 0;
    if (n >= 8 && n <= 16) {
        // The first and the last eight bytes, overlapping.
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        uint32_t c, d;
        std::memcpy(&c, p, 4);
        std::memcpy(&d, p + n - 4, 4);
        a = c | d;
    } else {
        return CountCharacters(text);
    }
    return ((a | b) & 0x8080808080808080ULL) == 0 ? n : CountCharacters(text);
}
// The number of bytes that make up the first `chars` characters of the text.
size_t ByteLengthOfChars(std::string_view text, size_t chars);

// Whether every byte is below 0x80 (the same text in every supported code page).
bool IsAscii(std::string_view text);
// The number of UTF-16 units ToUtf16 gives for a text of the process code page.
size_t Utf16Length(std::string_view text);
// The longest head of a text that has at most `bytes` bytes and ends on a character boundary.
std::string_view HeadOfBytes(std::string_view text, size_t bytes);

// Decodes the UTF-8 character at text[i] and moves i past it; a broken byte gives U+FFFD
// and moves one byte.
char32_t DecodeUtf8At(std::string_view text, size_t& i);

// The length of the well-formed two- or three-byte UTF-8 character that starts at text[i]
// (nearly every character beyond ASCII), or 0 for anything else: an ASCII byte, a four-byte
// character or a broken sequence, which DecodeUtf8At reads. Inline for loops over every byte.
inline size_t ShortUtf8Length(std::string_view text, size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const size_t size = text.size();
    const auto c1 = i + 1 < size ? static_cast<unsigned char>(text[i + 1]) : 0u;
    if (b >= 0xC2 && b <= 0xDF) return (c1 & 0xC0) == 0x80 ? 2 : 0;
    if (b < 0xE0 || b > 0xEF) return 0;
    const auto c2 = i + 2 < size ? static_cast<unsigned char>(text[i + 2]) : 0u;
    // Not overlong, and no surrogate.
    const bool formed = (c1 & 0xC0) == 0x80 && (c2 & 0xC0) == 0x80 && (b != 0xE0 || c1 >= 0xA0) &&
                        (b != 0xED || c1 < 0xA0);
    return formed ? 3 : 0;
}

// Re-encodes text between the two supported code pages.
std::string ConvertCodePage(std::string_view text, int fromCodePage, int toCodePage);

}  // namespace ostrel
