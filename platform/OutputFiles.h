// The files of one export run, written under temporary names beside their final names and
// moved there when the run succeeded. A run that fails before its files are moved leaves none
// of them behind, and an existing file under a final name is replaced whole or not at all. (The
// moves themselves are one rename per file: should one of several fail, those before it stay.)
// A final name that is a pipe or a device is written directly.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Streams.h"

namespace ostrel {

class TOutputFiles {
public:
    TOutputFiles() = default;
    TOutputFiles(const TOutputFiles&) = delete;
    TOutputFiles& operator=(const TOutputFiles&) = delete;
    // Removes every temporary file that was not committed.
    ~TOutputFiles();

    // Starts the file that will be `fileName`: a new file of a unique name in the same folder,
    // created exclusively, so that no planted link or concurrent run shares it. Fails before
    // anything is written with "Cannot create file "NAME". <reason>": when NAME is a folder, an
    // existing file the process may not write, or a name this run has started already.
    TFileStream& Create(const std::string& fileName);
    // Drops a started file: it will not appear under its final name.
    void Discard(const std::string& fileName);
    // Closes every file and moves it over its final name. A replaced file's permission bits
    // (and, where allowed, its owner and group) are kept; a new file gets those the process's
    // umask allows.
    void Commit();

    // The temporary name of a started file (for tests and messages).
    std::string TemporaryName(const std::string& fileName) const;

private:
    struct TEntry {
        std::string Final, Temporary;
        std::unique_ptr<TFileStream> Stream;
    };
    std::vector<TEntry> FFiles;
};

}  // namespace ostrel
