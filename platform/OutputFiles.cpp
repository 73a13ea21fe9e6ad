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

// The bits a new file gets from open(..., 0666).
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The page cache of a large file about to be replaced is given back when its replacement starts
// rather than when the rename drops the file, so that the new file's pages take the place of
// the old ones instead of adding to them. Only the cached copy goes: the file itself is
// untouched, and stays whole should the run fail. Not through a symbolic link (the rename
// replaces the link, not its target) nor for a file with other names (the rename keeps it).
void ReleaseCacheOfReplaced(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_size >= (1 << 20))
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

}  // namespace

TOutputFiles::~TOutputFiles() {
    for (auto& f : FFiles) {
        f.Stream.reset();
        if (!f.Temporary.empty()) ::unlink(f.Temporary.c_str());
    }
}

TFileStream& TOutputFiles::Create(const std::string& fileName) {
    if (fileName.empty()) FailCreate(fileName, ENOENT);
    if (std::any_of(FFiles.begin(), FFiles.end(), [&](const TEntry& f) { return f.Final == fileName; }))
        throw EStreamError("Cannot create file \"" + fileName + "\". The run writes it already");
    struct stat st;
    const bool replaces = ::stat(fileName.c_str(), &st) == 0;
    if (replaces) {
        if (S_ISDIR(st.st_mode)) FailCreate(fileName, EISDIR);
        // A pipe, a terminal or a device is written as it is: it cannot be replaced, and must
        // not be (/dev/null).
        if (!S_ISREG(st.st_mode)) {
            FFiles.push_back({fileName, {}, std::make_unique<TFileStream>(fileName, TFileMode::Create)});
            return *FFiles.back().Stream;
        }
        // Renaming needs only the folder's permission: a file its owner made read-only stays so.
        if (::access(fileName.c_str(), W_OK) != 0) FailCreate(fileName, errno);
        ReleaseCacheOfReplaced(fileName);
    }
    // NAME.<random>.part: beside the final name, so that the rename stays on one file system;
    // readable by the owner only until it is complete.
    for (int attempt = 0;; ++attempt) {
        std::string temporary = fileName + "." + RandomSuffix() + ".part";
        const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST && attempt < 100) continue;
            FailCreate(fileName, errno);
        }
        FFiles.push_back({fileName, temporary, std::make_unique<TFileStream>(fd, temporary)});
        FFiles.back().Stream->WriteBehind(replaces);
        return *FFiles.back().Stream;
    }
}

void TOutputFiles::Discard(const std::string& fileName) {
    auto it = std::find_if(FFiles.begin(), FFiles.end(), [&](const TEntry& f) { return f.Final == fileName; });
    if (it == FFiles.end()) return;
    it->Stream.reset();
    if (!it->Temporary.empty()) ::unlink(it->Temporary.c_str());
    FFiles.erase(it);
}

std::string TOutputFiles::TemporaryName(const std::string& fileName) const {
    for (const auto& f : FFiles)
        if (f.Final == fileName) return f.Temporary;
    return {};
}

void TOutputFiles::Commit() {
    const mode_t fresh = NewFileMode();
    for (auto& f : FFiles) {
        f.Stream->Close();
        if (f.Temporary.empty()) continue;
        struct stat st;
        const bool replaces = ::stat(f.Final.c_str(), &st) == 0 && S_ISREG(st.st_mode);
        ::chmod(f.Temporary.c_str(), replaces ? st.st_mode & 0777 : fresh);
        // The owner and group of a replaced file, where the process may give them; otherwise
        // the file is the process's own.
        if (replaces && ::chown(f.Temporary.c_str(), st.st_uid, st.st_gid) != 0) errno = 0;
    }
    // Every file is complete and closed before the first one is moved; they are moved in the
    // order they were started, so an index written last appears last.
    for (auto& f : FFiles) {
        if (f.Temporary.empty()) continue;
        if (std::rename(f.Temporary.c_str(), f.Final.c_str()) != 0) FailCreate(f.Final, errno);
        f.Temporary.clear();
    }
    FFiles.clear();
}

}  // namespace ostrel
