// Little-endian fields of binary file formats.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace ostrel {

inline void PutLE16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutLE32(uint8_t* p, uint32_t v) {
    PutLE16(p, v);
    PutLE16(p + 2, v >> 16);
}

inline void PutLEDouble(uint8_t* p, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    PutLE32(p, static_cast<uint32_t>(bits));
    PutLE32(p + 4, static_cast<uint32_t>(bits >> 32));
}

// UTF-16 text as little-endian units.
inline void PutUtf16LE(uint8_t* p, std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) PutLE16(p + 2 * i, text[i]);
}

inline uint32_t GetLE16(const uint8_t* p) { return p[0] | (p[1] << 8); }
inline uint32_t GetLE32(const uint8_t* p) { return GetLE16(p) | (GetLE16(p + 2) << 16); }

}  // namespace ostrel
