// A growable byte buffer for large files built in memory. It grows with realloc, which can
// extend or remap a large block in place instead of copying it and touching fresh pages.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace ostrel {

class TByteBuffer {
public:
    TByteBuffer() = default;
    ~TByteBuffer() { std::free(FData); }
    TByteBuffer(const TByteBuffer&) = delete;
    TByteBuffer& operator=(const TByteBuffer&) = delete;

    char* data() { return FData; }
    const char* data() const { return FData; }
    size_t size() const { return FSize; }
    operator std::string_view() const { return {FData, FSize}; }

    void Append(const void* bytes, size_t count) {
        if (FSize + count > FCapacity) Grow(FSize + count);
        std::memcpy(FData + FSize, bytes, count);
        FSize += count;
    }
    // Inserts count zero bytes at position, moving the rest towards the end.
    void InsertZeros(size_t position, size_t count) {
        if (FSize + count > FCapacity) Grow(FSize + count);
        std::memmove(FData + position + count, FData + position, FSize - position);
        std::memset(FData + position, 0, count);
        FSize += count;
    }

private:
    void Grow(size_t needed) {
        size_t capacity = FCapacity ? FCapacity : 4096;
        while (capacity < needed) capacity *= 2;
        void* grown = std::realloc(FData, capacity);
        if (!grown) throw std::bad_alloc();
        FData = static_cast<char*>(grown);
        FCapacity = capacity;
    }

    char* FData = nullptr;
    size_t FSize = 0, FCapacity = 0;
};

}  // namespace ostrel
