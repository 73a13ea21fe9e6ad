#include "platform/Streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/BackgroundWriter.h"
#include "platform/Errors.h"

namespace ostrel {

namespace {

constexpr size_t kFileBufferSize = 1 << 16;
constexpr size_t kWriteBehindStep = 8 << 20;
constexpr size_t kBehindBlockSize = 1 << 20;

[[noreturn]] void FailWrite() { throw EStreamError("Stream write error"); }

std::string FileError(const char* what, const std::string& name) {
    return std::string(what) + " \"" + name + "\". " + std::strerror(errno);
}

}  // namespace

void TMemoryStream::Write(const void* data, size_t count) {
    if (count == 0) return;
    if (FPos + count > FData.size()) FData.resize(FPos + count);
    std::memcpy(FData.data() + FPos, data, count);
    FPos += count;
}

size_t TMemoryStream::Read(void* data, size_t count) {
    size_t n = FPos < FData.size() ? std::min(count, FData.size() - FPos) : 0;
    if (n) std::memcpy(data, FData.data() + FPos, n);
    FPos += n;
    return n;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::Begin ? 0
                   : origin == TSeekOrigin::Current ? static_cast<int64_t>(FPos)
                                                    : static_cast<int64_t>(FData.size());
    int64_t pos = base + offset;
    if (pos < 0) pos = 0;
    FPos = static_cast<size_t>(pos);
    return pos;
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName) {
    if (mode == TFileMode::Create) {
        FFd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FFd < 0) throw EStreamError(FileError("Cannot create file", fileName));
    } else {
        int flags = (mode == TFileMode::OpenRead ? O_RDONLY : O_RDWR) | O_CLOEXEC;
        FFd = ::open(fileName.c_str(), flags);
        if (FFd < 0) throw EStreamError(FileError("Cannot open file", fileName));
    }
}

TFileStream::TFileStream(int fd, const std::string& fileName) : FFileName(fileName), FFd(fd) {}

TFileStream::~TFileStream() {
    if (FFd < 0) return;
    try {
        Flush();
    } catch (...) {
        // A failing run is already reporting its own error; Close() reports this one.
    }
    FBehind.reset();
    ::close(FFd);
}

size_t WriteAll(int fd, const char* data, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(fd, data + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void TFileStream::WriteBehind(bool startDisk) {
    FWriteBehind = true;
    FStartDisk = startDisk;
}

// A full block goes to the thread, which starts with the first one: a small file never needs it.
void TFileStream::HandOn() {
    if (!FBehind) {
        try {
            FBehind = std::make_unique<TBackgroundWriter>(FFd, FStartDisk ? kWriteBehindStep : 0);
        } catch (const std::system_error&) {
            // No thread to be had (a process at its limit): the stream writes in place.
            FWriteBehind = false;
            Flush();
            return;
        }
    }
    if (const int error = FBehind->Hand(FBuffer)) {
        errno = error;
        FailWrite();
    }
}

void TFileStream::Flush() {
    if (FBehind) {
        if (!FBuffer.empty()) HandOn();
        if (FBehind->Wait() != 0) FailWrite();
        return;
    }
    const size_t done = WriteAll(FFd, FBuffer.data(), FBuffer.size());
    if (done < FBuffer.size()) {
        FBuffer.erase(FBuffer.begin(), FBuffer.begin() + static_cast<long>(done));
        FailWrite();
    }
    FBuffer.clear();
}

void TFileStream::Close() {
    if (FFd < 0) return;
    Flush();
    FBehind.reset();
    int rc = ::close(FFd);
    FFd = -1;
    if (rc != 0) FailWrite();
}

void TFileStream::Write(const void* data, size_t count) {
    if (FFd < 0) FailWrite();
    if (FWriteBehind) {
        const char* bytes = static_cast<const char*>(data);
        FBuffer.insert(FBuffer.end(), bytes, bytes + count);
        if (FBuffer.size() >= kBehindBlockSize) HandOn();
        return;
    }
    if (FBuffer.size() + count > kFileBufferSize) Flush();
    if (count >= kFileBufferSize) {
        // Large blocks go straight to the file.
        if (WriteAll(FFd, static_cast<const char*>(data), count) < count) FailWrite();
        return;
    }
    FBuffer.insert(FBuffer.end(), static_cast<const char*>(data), static_cast<const char*>(data) + count);
}

size_t TFileStream::Read(void* data, size_t count) {
    Flush();
    ssize_t n;
    do n = ::read(FFd, data, count);
    while (n < 0 && errno == EINTR);
    if (n < 0) throw EStreamError("Stream read error");
    return static_cast<size_t>(n);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (origin == TSeekOrigin::Current && offset == 0 && !FBehind)
        return ::lseek(FFd, 0, SEEK_CUR) + static_cast<int64_t>(FBuffer.size());
    Flush();
    int whence = origin == TSeekOrigin::Begin ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
    off_t pos = ::lseek(FFd, offset, whence);
    if (pos < 0) throw EStreamError("Stream seek error");
    return pos;
}

int64_t TFileStream::Size() {
    Flush();
    off_t cur = ::lseek(FFd, 0, SEEK_CUR);
    off_t end = ::lseek(FFd, 0, SEEK_END);
    ::lseek(FFd, cur, SEEK_SET);
    return end;
}

std::string ReadFileBytes(const std::string& fileName) {
    TFileStream f(fileName, TFileMode::OpenRead);
    std::string out;
    char buf[65536];
    size_t n;
    while ((n = f.Read(buf, sizeof buf)) > 0) out.append(buf, n);
    return out;
}

}  // namespace ostrel
