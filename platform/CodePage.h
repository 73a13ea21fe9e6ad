// Conversion between the process code page (UTF-8 or Windows-1252) and UTF-16, and the
// character length of a text, which fixed-width layouts pad by.
#pragma once

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
size_t CharLength(std::string_view text);
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

// Re-encodes text between the two supported code pages.
std::string ConvertCodePage(std::string_view text, int fromCodePage, int toCodePage);

}  // namespace ostrel
