#include "engine/IB_OstrelWriter.h"

#include "platform/CodePage.h"

namespace ostrel {

std::string TOstrelWriter::AlignToStr(TOstrelColAlign align) {
    switch (align) {
        case ecaLeft: return "Left alignment";
        case ecaCenter: return "Center alignment";
        case ecaRight: return "Right alignment";
    }
    return "Unknown alignment";
}

void TOstrelWriter::CharLine(char ch, int count) {
    std::string line(count > 0 ? static_cast<size_t>(count) : 0, ch);
    WriteLn(line);
}

std::string TOstrelWriter::PadLeft(std::string_view text, char ch, int len) {
    long fill = static_cast<long>(len) - static_cast<long>(CharLength(text));
    std::string out(fill > 0 ? static_cast<size_t>(fill) : 0, ch);
    out += text;
    return out;
}

std::string TOstrelWriter::PadRight(std::string_view text, char ch, int len) {
    long fill = static_cast<long>(len) - static_cast<long>(CharLength(text));
    std::string out(text);
    if (fill > 0) out.append(static_cast<size_t>(fill), ch);
    return out;
}

std::string TOstrelWriter::PadCenter(std::string_view text, char ch, int len) {
    long fill = static_cast<long>(len) - static_cast<long>(CharLength(text));
    if (fill <= 0) return std::string(text);
    long left = fill / 2;
    std::string out(static_cast<size_t>(left), ch);
    out += text;
    out.append(static_cast<size_t>(fill - left), ch);
    return out;
}

std::string TOstrelWriter::PadAligned(std::string_view text, TOstrelColAlign align, int len) {
    switch (align) {
        case ecaRight: return PadLeft(text, ' ', len);
        case ecaCenter: return PadCenter(text, ' ', len);
        default: return PadRight(text, ' ', len);
    }
}

void TOstrelWriter::WriteLn(std::string_view text) {
    Write(text);
    Write("\r\n");
}

}  // namespace ostrel
