// A forward reader of CSV records over a file read in blocks, so that a file of any size is
// read in the memory of one block and one record. It can start over from the first record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {
class TFileStream;
}

namespace ostrel::cli {

// RFC 4180 text: fields separated by the separator given, double quotes around fields that hold
// separators, quotes (doubled) or line breaks; CR, LF and CR LF end a line; a UTF-8 byte order
// mark at the start is skipped. Records may differ in length; an empty line is a record of one
// empty field; the last line needs no line end.
class TCsvReader {
public:
    static constexpr size_t kDefaultBufferSize = size_t{1} << 16;
    // The byte order mark must fit the buffer.
    static constexpr size_t kMinBufferSize = 4;

    // Reads a file; fails with the library's "Cannot open file" message. Input that cannot be
    // read twice (a pipe) is copied into an unnamed temporary file first.
    TCsvReader(const std::string& fileName, char separator, size_t bufferSize = kDefaultBufferSize);
    // Reads text in memory, which must outlive the reader, through the same blocks; `name` names
    // it in messages.
    TCsvReader(std::string_view text, char separator, std::string name,
               size_t bufferSize = kDefaultBufferSize);
    ~TCsvReader();
    TCsvReader(const TCsvReader&) = delete;
    TCsvReader& operator=(const TCsvReader&) = delete;

    // The next record into `fields` (its strings are reused); false at the end of the input.
    // Fails with "NAME: the quoted field that starts on line N has no closing quote".
    bool Next(std::vector<std::string>& fields);
    // Passes over the next record without keeping its texts; false at the end of the input.
    bool Skip(size_t& fieldCount);
    // Back to the first record. Fails when the file is no longer the one the reader opened
    // (another length or time of change): its records could differ from those already read.
    void Restart();

    const std::string& Name() const { return FName; }

private:
    template <bool Keep>
    bool Read(std::vector<std::string>* fields, size_t& count);
    bool Fill();
    int Peek();
    void Start();
    void CopyToTemporaryFile();
    void RememberFileState();

    std::string FName;
    char FSeparator;
    std::unique_ptr<TFileStream> FFile;  // null for text in memory
    std::string_view FText;
    size_t FTextPos = 0;
    int64_t FFileSize = 0;
    timespec FFileChanged{};
    std::vector<char> FBuffer;
    size_t FPos = 0, FEnd = 0;
    size_t FLine = 1;  // the line the reader stands on, counted from 1
};

}  // namespace ostrel::cli
