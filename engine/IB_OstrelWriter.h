// The 8-bit text writer on an export's destination stream, base of every format writer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/IB_OstrelCommon.h"
#include "platform/Streams.h"

namespace ostrel {

class TOstrelWriter : public TObject {
public:
    // The stream is not owned: the writer never closes or frees it.
    explicit TOstrelWriter(TStream& stream) : FStream(&stream) {}

    TStream& Stream() const { return *FStream; }
    // Writers of formats that span several files move on to the next one.
    void SetStream(TStream& stream) { FStream = &stream; }

    virtual std::string AlignToStr(TOstrelColAlign align);
    void EmptyLine() { WriteLn({}); }
    // Count copies of ch and CR LF; Count <= 0 gives an empty line.
    void CharLine(char ch, int count);
    // Padding counts characters of the process code page; text is never truncated.
    static std::string PadLeft(std::string_view text, char ch, int len);
    static std::string PadRight(std::string_view text, char ch, int len);
    // The odd extra character goes to the right.
    static std::string PadCenter(std::string_view text, char ch, int len);
    // Blanks before (right), after (left) or around (centre) the text, to len characters.
    static std::string PadAligned(std::string_view text, TOstrelColAlign align, int len);
    void Write(std::string_view text) { FStream->Write(text.data(), text.size()); }
    void WriteLn(std::string_view text);

private:
    TStream* FStream;
};

// A writer class: creates a writer of one class on a stream.
using TOstrelWriterClass = std::unique_ptr<TOstrelWriter> (*)(TStream& stream);

template <class W>
std::unique_ptr<TOstrelWriter> CreateWriterOf(TStream& stream) {
    return std::make_unique<W>(stream);
}

}  // namespace ostrel
