#include "cli/CsvReader.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/Errors.h"
#include "platform/Streams.h"

namespace ostrel::cli {

TCsvReader::TCsvReader(const std::string& fileName, char separator, size_t bufferSize)
    : FName(fileName),
      FSeparator(separator),
      FFile(std::make_unique<TFileStream>(fileName, TFileMode::OpenRead)),
      FBuffer(std::max(bufferSize, kMinBufferSize)) {
    struct stat st {};
    if (::fstat(FFile->Handle(), &st) == 0 && !S_ISREG(st.st_mode)) CopyToTemporaryFile();
    RememberFileState();
    Start();
}

TCsvReader::TCsvReader(std::string_view text, char separator, std::string name, size_t bufferSize)
    : FName(std::move(name)), FSeparator(separator), FText(text), FBuffer(std::max(bufferSize, kMinBufferSize)) {
    Start();
}

TCsvReader::~TCsvReader() = default;

// A pipe gives its bytes once, and the exporter reads its source more than once.
void TCsvReader::CopyToTemporaryFile() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = "/tmp";
    std::string path = (folder / "ostrel-csv-XXXXXX").string();
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        throw EStreamError(FName + ": cannot copy the input into " + folder.string() + ": " + std::strerror(errno));
    ::unlink(path.c_str());  // gone with the reader, also when the process is killed
    auto copy = std::make_unique<TFileStream>(fd, FName);
    try {
        while (const size_t n = FFile->Read(FBuffer.data(), FBuffer.size())) copy->Write(FBuffer.data(), n);
        copy->Flush();
        copy->Seek(0, TSeekOrigin::Begin);
    } catch (const EStreamError& e) {
        throw EStreamError(FName + ": cannot copy the input into " + folder.string() + ": " + e.what());
    }
    FFile = std::move(copy);
}

void TCsvReader::RememberFileState() {
    struct stat st {};
    if (::fstat(FFile->Handle(), &st) != 0) throw EStreamError(FName + ": " + std::strerror(errno));
    FFileSize = st.st_size;
    FFileChanged = st.st_mtim;
}

void TCsvReader::Restart() {
    if (FFile) {
        struct stat st {};
        if (::fstat(FFile->Handle(), &st) != 0 || st.st_size != FFileSize ||
            st.st_mtim.tv_sec != FFileChanged.tv_sec || st.st_mtim.tv_nsec != FFileChanged.tv_nsec)
            throw EOstrelError(FName + ": the file changed while it was being read");
        FFile->Seek(0, TSeekOrigin::Begin);
    }
    FTextPos = 0;
    Start();
}

// The first block, long enough to hold a byte order mark when the input has three bytes.
void TCsvReader::Start() {
    FPos = FEnd = 0;
    FLine = 1;
    while (FEnd < 3 && Fill()) {
    }
    if (FEnd >= 3 && std::memcmp(FBuffer.data(), "\xEF\xBB\xBF", 3) == 0) FPos = 3;
}

// Appends the next bytes of the input after those not yet consumed, which move to the front;
// false at the end of the input.
bool TCsvReader::Fill() {
    if (FPos > 0) {
        std::memmove(FBuffer.data(), FBuffer.data() + FPos, FEnd - FPos);
        FEnd -= FPos;
        FPos = 0;
    }
    const size_t room = FBuffer.size() - FEnd;
    size_t n;
    if (FFile) {
        n = FFile->Read(FBuffer.data() + FEnd, room);
    } else {
        n = std::min(room, FText.size() - FTextPos);
        std::memcpy(FBuffer.data() + FEnd, FText.data() + FTextPos, n);
        FTextPos += n;
    }
    FEnd += n;
    return n > 0;
}

int TCsvReader::Peek() {
    if (FPos == FEnd && !Fill()) return -1;
    return static_cast<unsigned char>(FBuffer[FPos]);
}

bool TCsvReader::Next(std::vector<std::string>& fields) {
    size_t count;
    return Read<true>(&fields, count);
}

bool TCsvReader::Skip(size_t& fieldCount) { return Read<false>(nullptr, fieldCount); }

// Runs of plain bytes are found in the buffer and appended at once; the buffer is refilled
// only where a run reaches its end, so no pointer into it is used across a Fill or a Peek.
template <bool Keep>
bool TCsvReader::Read(std::vector<std::string>* fields, size_t& count) {
    count = 0;
    if (Peek() < 0) return false;
    const char separator = FSeparator;
    for (;;) {
        std::string* field = nullptr;
        if constexpr (Keep) {
            if (count == fields->size()) fields->emplace_back();
            field = &(*fields)[count];
            field->clear();
        }
        ++count;
        // Only the field's first byte opens a quote; a quote later in the field is text.
        if (Peek() == '"') {
            ++FPos;
            const size_t quoteLine = FLine;
            for (;;) {
                if (FPos == FEnd && !Fill())
                    throw EOstrelError(FName + ": the quoted field that starts on line " + std::to_string(quoteLine) +
                                       " has no closing quote");
                const char* from = FBuffer.data() + FPos;
                const char* end = FBuffer.data() + FEnd;
                const char* quote = static_cast<const char*>(std::memchr(from, '"', static_cast<size_t>(end - from)));
                const char* stop = quote ? quote : end;
                FLine += static_cast<size_t>(std::count(from, stop, '\n'));
                if constexpr (Keep) field->append(from, stop);
                FPos = static_cast<size_t>(stop - FBuffer.data());
                if (!quote) continue;
                ++FPos;
                if (Peek() != '"') break;  // the closing quote
                if constexpr (Keep) field->push_back('"');
                ++FPos;
            }
        }
        // The unquoted field, or what follows the closing quote up to the separator or line end.
        for (;;) {
            if (FPos == FEnd && !Fill()) {
                if constexpr (Keep) fields->resize(count);
                return true;  // the last line has no line end
            }
            const char* from = FBuffer.data() + FPos;
            const char* end = FBuffer.data() + FEnd;
            const char* stop = from;
            while (stop != end && *stop != separator && *stop != '\n' && *stop != '\r') ++stop;
            if constexpr (Keep) field->append(from, stop);
            FPos = static_cast<size_t>(stop - FBuffer.data());
            if (stop == end) continue;
            const char c = *stop;
            ++FPos;
            if (c == separator) break;
            if (c == '\r' && Peek() == '\n') ++FPos;
            ++FLine;
            if constexpr (Keep) fields->resize(count);
            return true;
        }
    }
}

}  // namespace ostrel::cli
