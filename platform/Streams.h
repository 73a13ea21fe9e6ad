// Byte streams: a buffered file and a growable memory buffer, with the seek and patch
// operations that formats with offsets written after the fact need.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

enum class TSeekOrigin { Begin, Current, End };

class TStream {
public:
    virtual ~TStream() = default;
    // Writes every byte or fails with "Stream write error".
    virtual void Write(const void* data, size_t count) = 0;
    // Reads up to count bytes; returns how many were read.
    virtual size_t Read(void* data, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() = 0;
    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Begin); }
    void Write(std::string_view text) { Write(text.data(), text.size()); }
};

class TMemoryStream : public TStream {
public:
    using TStream::Write;
    void Write(const void* data, size_t count) override;
    size_t Read(void* data, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    const std::vector<char>& Data() const { return FData; }
    std::string Text() const { return std::string(FData.begin(), FData.end()); }
    void Clear() {
        FData.clear();
        FPos = 0;
    }

private:
    std::vector<char> FData;
    size_t FPos = 0;
};

enum class TFileMode { Create, OpenRead, OpenReadWrite };

class TBackgroundWriter;

class TFileStream : public TStream {
public:
    // Create: a new file, or an existing one emptied. Fails with
    // "Cannot create file "%s". <reason>" or "Cannot open file "%s". <reason>".
    TFileStream(const std::string& fileName, TFileMode mode);
    // Takes over a file descriptor opened for reading and writing.
    TFileStream(int fd, const std::string& fileName);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    using TStream::Write;

    void Write(const void* data, size_t count) override;
    size_t Read(void* data, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    // Writes out the buffered bytes; fails with "Stream write error".
    void Flush();
    // Flushes and closes; later calls do nothing.
    void Close();
    const std::string& FileName() const { return FFileName; }
    // The file descriptor, for a library that writes the file itself (-1 once closed).
    int Handle() const { return FFd; }
    // Hands the bytes to the file on a thread of its own, a block at a time, while the caller
    // goes on; with startDisk, also starts the disk writing every few megabytes instead of
    // leaving it all to the end (a file replacing another is flushed whole when it is renamed).
    void WriteBehind(bool startDisk);

private:
    std::string FFileName;
    int FFd = -1;
    std::vector<char> FBuffer;  // bytes written but not yet handed to the file
    bool FWriteBehind = false, FStartDisk = false;
    std::unique_ptr<TBackgroundWriter> FBehind;  // once the first block is handed on
    void HandOn();
};

// Writes every byte to a file descriptor; returns how many were written before a failure
// (errno tells which, when write gave one).
size_t WriteAll(int fd, const char* data, size_t count);

// Reads a whole file; fails with "Cannot open file "%s". <reason>".
std::string ReadFileBytes(const std::string& fileName);

}  // namespace ostrel
