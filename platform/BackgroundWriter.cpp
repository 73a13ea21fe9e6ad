#include "platform/BackgroundWriter.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

#include "platform/Streams.h"

namespace ostrel {

namespace {

constexpr size_t kPiece = size_t{1} << 16;

}  // namespace

TBackgroundWriter::TBackgroundWriter(int fd, size_t startEvery)
    : FFd(fd), FStartEvery(startEvery), FThread([this] { Run(); }) {}

TBackgroundWriter::~TBackgroundWriter() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStop = true;
    }
    FChanged.notify_all();
    FThread.join();
}

int TBackgroundWriter::Hand(std::vector<char>& block) {
    std::unique_lock<std::mutex> lock(FLock);
    FChanged.wait(lock, [this] { return !FBusy; });
    if (FError == 0) {
        FBlock.swap(block);
        FBusy = true;
    }
    block.clear();
    const int error = FError;
    lock.unlock();
    FChanged.notify_all();
    return error;
}

int TBackgroundWriter::Wait() {
    std::unique_lock<std::mutex> lock(FLock);
    FChanged.wait(lock, [this] { return !FBusy; });
    return FError;
}

void TBackgroundWriter::Run() {
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        FChanged.wait(lock, [this] { return FBusy || FStop; });
        if (!FBusy) return;
        lock.unlock();
        int error = 0;
        size_t done = 0;
        while (done < FBlock.size() && !error) {
            // 64 KB a call: the page cache sizes its pages by the write, and the large pages of
            // 1 MB writes made some runs twice as slow (measured in a virtual machine).
            const size_t piece = std::min(FBlock.size() - done, kPiece);
            errno = 0;
            const size_t n = WriteAll(FFd, FBlock.data() + done, piece);
            done += n;
            if (n < piece) error = errno ? errno : ENOSPC;
        }
        FUnstarted += done;
        if (FStartEvery && FUnstarted >= FStartEvery) {
            FUnstarted = 0;
            // Only pages not yet on their way are started; a failing disk fails the writes.
            ::sync_file_range(FFd, 0, 0, SYNC_FILE_RANGE_WRITE);
        }
        lock.lock();
        if (error && !FError) FError = error;
        FBlock.clear();
        FBusy = false;
        FChanged.notify_all();
    }
}

}  // namespace ostrel
