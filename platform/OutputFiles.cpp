#include "platform/OutputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/Errors.h"

namespace ostrel {

namespace {

[[noreturn]] void FailCreate(const std::string& fileName, int error) {
    throw EStreamError("Cannot create file \"" + fileName + "\". " + std::strerror(error));
}

std::string RandomSuffix() {
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}() ^ (static_cast<uint64_t>(getpid()) << 32)};
    std::string s(8, ' ');
    for (char& c : s) c = kDigits[random() % (sizeof kDigits - 1)];
    return s;
}

}  // namespace

TOutputFiles::~TOutputFiles() {
    for (auto& f : FFiles) {
        f.Stream.reset();
        ::unlink(f.Temporary.c_str());
    }
}

TFileStream& TOutputFiles::Create(const std::string& fileName) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) FailCreate(fileName, EISDIR);
    Discard(fileName);
    // NAME.<random>.part: beside the final name, so that the rename stays on one file system.
    for (int attempt = 0;; ++attempt) {
        std::string temporary = fileName + "." + RandomSuffix() + ".part";
        const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST && attempt < 100) continue;
            FailCreate(fileName, errno);
        }
        FFiles.push_back({fileName, temporary, std::make_unique<TFileStream>(fd, temporary)});
        return *FFiles.back().Stream;
    }
}

void TOutputFiles::Discard(const std::string& fileName) {
    auto it = std::find_if(FFiles.begin(), FFiles.end(), [&](const TEntry& f) { return f.Final == fileName; });
    if (it == FFiles.end()) return;
    it->Stream.reset();
    ::unlink(it->Temporary.c_str());
    FFiles.erase(it);
}

std::string TOutputFiles::TemporaryName(const std::string& fileName) const {
    for (const auto& f : FFiles)
        if (f.Final == fileName) return f.Temporary;
    return {};
}

void TOutputFiles::Commit() {
    for (auto& f : FFiles) {
        f.Stream->Close();
        struct stat st;
        if (::stat(f.Final.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::chmod(f.Temporary.c_str(), st.st_mode & 07777);
    }
    // Every file is complete and closed before the first one is moved.
    for (auto& f : FFiles) {
        if (std::rename(f.Temporary.c_str(), f.Final.c_str()) != 0) FailCreate(f.Final, errno);
        f.Temporary.clear();
    }
    FFiles.clear();
}

}  // namespace ostrel
