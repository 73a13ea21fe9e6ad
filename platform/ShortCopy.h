// Short copies for the per-value writers. Values are a few bytes long, and a call into the C
// library's memcpy, memchr or memset for each one costs more than the copy itself: these use
// fixed-size moves, which the compiler writes out in line (always: the callers are large).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace ostrel {

// The first and the last sizeof(Word) bytes of n (sizeof(Word) <= n <= 2 * sizeof(Word)),
// which overlap each other for the lengths between.
template <class Word>
[[gnu::always_inline]] inline void CopyEnds(char* dst, const char* src, size_t n) {
    Word head, tail;
    std::memcpy(&head, src, sizeof head);
    std::memcpy(&tail, src + n - sizeof tail, sizeof tail);
    std::memcpy(dst, &head, sizeof head);
    std::memcpy(dst + n - sizeof tail, &tail, sizeof tail);
}

template <class Word>
[[gnu::always_inline]] inline bool SameEnds(const char* a, const char* b, size_t n) {
    Word a0, a1, b0, b1;
    std::memcpy(&a0, a, sizeof a0);
    std::memcpy(&a1, a + n - sizeof a1, sizeof a1);
    std::memcpy(&b0, b, sizeof b0);
    std::memcpy(&b1, b + n - sizeof b1, sizeof b1);
    return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

struct TBytes16 {
    char Bytes[16];
};

// Copies n bytes from src to dst (no overlap); n up to 32 in line, by two fixed moves that
// may overlap each other, longer ones by memcpy. Reads and writes only the n bytes.
[[gnu::always_inline]] inline void CopyShort(char* dst, const char* src, size_t n) {
    if (n > 32) std::memcpy(dst, src, n);
    else if (n >= 16) CopyEnds<TBytes16>(dst, src, n);
    else if (n >= 8) CopyEnds<uint64_t>(dst, src, n);
    else if (n >= 4) CopyEnds<uint32_t>(dst, src, n);
    else if (n > 0) {
        // 1 to 3 bytes: the first, the middle and the last (some the same).
        const char first = src[0], middle = src[n / 2], last = src[n - 1];
        dst[0] = first;
        dst[n / 2] = middle;
        dst[n - 1] = last;
    }
}

// Makes room for n more bytes at the end of out and returns where they go. Up to 32 bytes, in
// a string with room for them, the string grows by a fixed-size append and is cut back,
// instead of a resize's memset (without the room the fixed size could make it allocate).
[[gnu::always_inline]] inline char* GrowShort(std::string& out, size_t n) {
    static constexpr char kRoom[32] = {};
    const size_t at = out.size();
    if (n <= sizeof kRoom && out.capacity() - at >= sizeof kRoom) {
        out.append(kRoom, sizeof kRoom);
        out.resize(at + n);
    } else {
        out.resize(at + n);
    }
    return out.data() + at;
}

// Appends one character without a call (push_back is one where the caller is large).
[[gnu::always_inline]] inline void AppendChar(std::string& out, char c) { *GrowShort(out, 1) = c; }

// Appends n bytes from src.
[[gnu::always_inline]] inline void AppendShort(std::string& out, const char* src, size_t n) {
    if (n > 32) {
        out.append(src, n);
        return;
    }
    CopyShort(GrowShort(out, n), src, n);
}

// Whether a and b are the same bytes: up to 16 bytes in line, longer ones by memcmp.
[[gnu::always_inline]] inline bool SameBytes(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    if (n > 16) return std::memcmp(a.data(), b.data(), n) == 0;
    if (n >= 8) return SameEnds<uint64_t>(a.data(), b.data(), n);
    if (n >= 4) return SameEnds<uint32_t>(a.data(), b.data(), n);
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Whether text holds c: short texts eight bytes at a time in line, long ones by memchr.
[[gnu::always_inline]] inline bool HoldsByte(std::string_view text, char c) {
    const size_t n = text.size();
    const char* const s = text.data();
    if (n > 64) return std::memchr(s, c, n) != nullptr;
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    const uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    // A zero byte in x ^ pattern is a byte equal to c.
    const auto holds = [&](uint64_t x) {
        x ^= pattern;
        return ((x - kOnes) & ~x & kHighs) != 0;
    };
    if (n >= 8) {
        uint64_t word;
        for (size_t i = 0; i + 8 < n; i += 8) {
            std::memcpy(&word, s + i, 8);
            if (holds(word)) return true;
        }
        std::memcpy(&word, s + n - 8, 8);
        return holds(word);
    }
    if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, s, 4);
        std::memcpy(&tail, s + n - 4, 4);
        return holds(head | static_cast<uint64_t>(tail) << 32);
    }
    for (size_t i = 0; i < n; ++i)
        if (s[i] == c) return true;
    return false;
}

}  // namespace ostrel
