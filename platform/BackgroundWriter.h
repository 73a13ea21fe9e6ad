// Blocks written to a file on a thread of their own, so that the caller prepares the next block
// while the system takes the last one.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

namespace ostrel {

class TBackgroundWriter {
public:
    // startEvery: after how many bytes the disk writing of those handed so far is started
    // (0: left to the system).
    TBackgroundWriter(int fd, size_t startEvery);
    // Waits for the block in hand.
    ~TBackgroundWriter();
    TBackgroundWriter(const TBackgroundWriter&) = delete;
    TBackgroundWriter& operator=(const TBackgroundWriter&) = delete;

    // Takes the bytes of block, leaving it empty (with the room of an earlier block), once the
    // block before is written. The errno of the first write that failed so far, or 0; after a
    // failure, nothing more is written.
    int Hand(std::vector<char>& block);
    // Waits until every block handed is written; the errno of the first failure, or 0.
    int Wait();

private:
    void Run();

    const int FFd;
    const size_t FStartEvery;
    size_t FUnstarted = 0;  // bytes written since the disk writing was last started
    std::mutex FLock;
    std::condition_variable FChanged;
    std::vector<char> FBlock;  // the block being written
    bool FBusy = false, FStop = false;
    int FError = 0;
    std::thread FThread;  // last: started once the members it uses are
};

}  // namespace ostrel
