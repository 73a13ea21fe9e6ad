// Decimal digits written two at a time, for the number and date writers.
#pragma once

#include <array>
#include <cstring>

namespace ostrel {

// "00" to "99".
inline constexpr std::array<char, 200> kTwoDigits = [] {
    std::array<char, 200> digits{};
    for (int i = 0; i < 100; ++i) {
        digits[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        digits[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return digits;
}();

// The two digits of v < 100 at p; returns the end.
inline char* PutTwoDigits(char* p, unsigned v) {
    std::memcpy(p, kTwoDigits.data() + 2 * v, 2);
    return p + 2;
}

}  // namespace ostrel
