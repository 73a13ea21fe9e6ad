#include "exporters/sheet/XlsNumberFormat.h"

#include <algorithm>
#include <vector>

#include "platform/FormatSettings.h"
#include "platform/NumberFormat.h"

namespace ostrel {

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool StartsWithNoCase(std::string_view p, size_t i, std::string_view what) {
    if (p.size() - i < what.size()) return false;
    for (size_t k = 0; k < what.size(); ++k)
        if (AsciiLower(p[i + k]) != what[k]) return false;
    return true;
}

// The quoted text that starts at i, without its quotes.
std::string_view QuotedText(std::string_view p, size_t i) {
    const size_t end = p.find(p[i], i + 1);
    return end == std::string_view::npos ? p.substr(i + 1) : p.substr(i + 1, end - i - 1);
}

// Characters that the codes show as they are; everything else of ASCII means something to some
// reader (letters and digits are codes, and so on) and is quoted.
bool IsBare(unsigned char c, bool dateTime) {
    if (c >= 0x80) return true;
    switch (c) {
        case '$': case '-': case '+': case '(': case ')': case ':': case '!': case '^': case '&':
        case '\'': case '~': case '{': case '}': case '<': case '>': case '=': case '|': case '`':
        case ' ':
            return true;
        case ',': case '.': return dateTime;  // grouping and the point in numbers
        default: return false;
    }
}

// The code being written, with the literal forms both kinds of pattern share.
class TCodeText {
public:
    explicit TCodeText(bool dateTime) : FDateTime(dateTime) {}

    std::string Out;

    // A text in double quotes; a double quote inside is escaped between two quoted parts.
    void Quoted(std::string_view text) {
        size_t start = 0;
        for (;;) {
            const size_t quote = text.find('"', start);
            const std::string_view part = text.substr(start, quote - start);
            if (!part.empty() || (start == 0 && quote == std::string_view::npos)) {
                Out += '"';
                Out += part;
                Out += '"';
            }
            if (quote == std::string_view::npos) break;
            Out += "\\\"";
            start = quote + 1;
        }
    }

    // Characters the pattern gives bare: the ones the codes show as they are stay bare, runs of
    // the others are quoted. A leading blank is quoted too: one reader drops it otherwise.
    void Bare(std::string_view text) {
        std::string run;
        for (char c : text) {
            const bool bare = IsBare(static_cast<unsigned char>(c), FDateTime) &&
                              !(c == ' ' && Out.size() == FSectionStart && run.empty());
            if (bare) {
                if (!run.empty()) Quoted(run), run.clear();
                Out += c;
            } else {
                run += c;
            }
        }
        if (!run.empty()) Quoted(run);
    }

    void StartSection() { FSectionStart = Out.size(); }

private:
    bool FDateTime;
    size_t FSectionStart = 0;
};

// ---- number patterns

bool IsExponentAt(std::string_view p, size_t i) {
    return (p[i] == 'E' || p[i] == 'e') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-');
}

struct TNumberToken {
    enum TKind { Int, Frac, Point, Exponent, Literal, QuotedLiteral } Kind;
    std::string_view Text;   // literals; the exponent's letter and sign
    char Written = 0;        // placeholders: the character written
    bool CommaAfter = false; // Int: a comma follows it directly
    int Width = 0;           // Exponent: zeros after the sign
};

// One section as the engine reads it: placeholders before the exponent, the first point,
// commas only as the grouping switch, everything after the exponent literal.
std::string NumberSection(std::string_view s, bool zeroSection) {
    std::vector<TNumberToken> tokens;
    bool point = false, exponent = false, grouping = false;
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            tokens.push_back({TNumberToken::QuotedLiteral, QuotedText(s, i)});
            i = SkipQuoted(s, i);
            continue;
        }
        if (!exponent && IsExponentAt(s, i)) {
            int width = 0;
            while (i + 2 + width < s.size() && s[i + 2 + width] == '0' && width < 4) ++width;
            tokens.push_back({TNumberToken::Exponent, s.substr(i, 2), 0, false, width});
            exponent = true;
            i += 2 + width;
            continue;
        }
        if (exponent) {
            tokens.push_back({TNumberToken::Literal, s.substr(i, 1)});
        } else if (c == '0' || c == '#') {
            tokens.push_back({point ? TNumberToken::Frac : TNumberToken::Int, {}, c});
        } else if (c == '.') {
            if (!point) tokens.push_back({TNumberToken::Point, {}});
            point = true;  // later points are ignored
        } else if (c == ',') {
            grouping = true;
            if (!tokens.empty() && tokens.back().Kind == TNumberToken::Int) tokens.back().CommaAfter = true;
        } else {
            tokens.push_back({TNumberToken::Literal, s.substr(i, 1)});
        }
        ++i;
    }

    int ints = 0, fracs = 0, firstIntZero = -1, fracRequired = 0;
    for (const TNumberToken& t : tokens) {
        if (t.Kind == TNumberToken::Int) {
            if (t.Written == '0' && firstIntZero < 0) firstIntZero = ints;
            ++ints;
        } else if (t.Kind == TNumberToken::Frac) {
            ++fracs;
            if (t.Written == '0') fracRequired = fracs;
        }
    }

    // Grouping shows only through a comma between two integer placeholders; one that the
    // pattern has there stays, else one is put after the first placeholder (or a "#," before a
    // single one).
    bool commaKept = false;
    for (size_t k = 0; k + 1 < tokens.size(); ++k) {
        TNumberToken& t = tokens[k];
        if (t.Kind != TNumberToken::Int) continue;
        t.CommaAfter = t.CommaAfter && grouping && !exponent && tokens[k + 1].Kind == TNumberToken::Int;
        commaKept |= t.CommaAfter;
    }
    if (tokens.size() && tokens.back().Kind == TNumberToken::Int) tokens.back().CommaAfter = false;
    const bool groupFirst = grouping && !exponent && !commaKept;

    TCodeText code(false);
    std::string run;  // bare literal characters in a row
    auto flush = [&] {
        if (!run.empty()) code.Bare(run), run.clear();
    };
    // A section without integer placeholders shows the integer digits where the point is, or
    // at its end; the scientific form always shows one.
    bool intsShown = ints > 0;
    auto missingInts = [&] {
        if (intsShown) return;
        intsShown = true;
        if (exponent) code.Out += '0';
        else if (!zeroSection) code.Out += groupFirst ? "#,#" : "#";
    };
    int intSeen = 0, fracSeen = 0;
    for (const TNumberToken& t : tokens) {
        if (t.Kind != TNumberToken::Literal) flush();
        switch (t.Kind) {
            case TNumberToken::Int:
                if (exponent && ints > 1) {
                    code.Out += t.Written;  // no code says "this many integer digits"; as written
                } else if (exponent) {
                    code.Out += '0';
                } else {
                    if (intSeen == 0 && groupFirst && ints == 1) code.Out += "#,";
                    code.Out += firstIntZero >= 0 && intSeen >= firstIntZero ? '0' : '#';
                    if (t.CommaAfter || (intSeen == 0 && groupFirst && ints > 1)) code.Out += ',';
                }
                ++intSeen;
                break;
            case TNumberToken::Point:
                missingInts();
                if (fracs > 0) code.Out += '.';  // the engine shows no point without decimals
                break;
            case TNumberToken::Frac:
                code.Out += fracSeen < fracRequired ? '0' : '#';
                ++fracSeen;
                break;
            case TNumberToken::Exponent:
                missingInts();
                code.Out += t.Text;
                code.Out.append(std::max(t.Width, 1), '0');
                break;
            case TNumberToken::Literal: run += t.Text; break;
            case TNumberToken::QuotedLiteral: code.Quoted(t.Text); break;
        }
    }
    flush();
    missingInts();
    return code.Out;
}

std::string NumberCode(std::string_view pattern) {
    if (pattern.empty()) return "General";
    const std::vector<std::string_view> sections = SplitSections(pattern);
    const std::string positive = sections[0].empty() ? "General" : NumberSection(sections[0], false);
    const bool negative = sections.size() > 1 && !sections[1].empty();
    const bool zero = sections.size() > 2 && !sections[2].empty();
    if (!negative && !zero) return positive;
    // Without a negative section the engine writes a minus before the positive one.
    std::string code = positive + ";" + (negative ? NumberSection(sections[1], false) : "-" + positive);
    if (zero) code += ";" + NumberSection(sections[2], true);
    return code;
}

// ---- date-time patterns

class TDateCode {
public:
    TDateCode(const TFormatSettings& fs, bool dateOnly) : Fs(fs), FDateOnly(dateOnly) {}

    // The elements of one pattern, read as the engine's formatter reads them.
    void Append(std::string_view p, int level) {
        if (p.empty()) {
            AppendC(level);
            return;
        }
        char lastToken = ' ';
        for (size_t i = 0; i < p.size();) {
            const char ch = p[i];
            char token = AsciiUpper(ch);
            if (ch == '"' || ch == '\'') {
                Literal(QuotedText(p, i), true);
                i = SkipQuoted(p, i);
                continue;
            }
            size_t count = 1;
            const bool letter = token >= 'A' && token <= 'Z';
            while (letter && i + count < p.size() && AsciiUpper(p[i + count]) == token) ++count;
            if (token == 'M' && lastToken == 'H') token = 'N';  // m after h is the minute
            if (letter) lastToken = token;
            const std::string_view written = p.substr(i, count);
            switch (token) {
                case 'Y': Code(count == 2 || count == 4 ? written : count < 2 ? "yy" : "yyyy"); break;
                case 'M': Code(count <= 4 ? written : "mmmm"); break;
                case 'N': Code(count == 1 ? (ch == 'm' || ch == 'M' ? written : "m")
                                                   : (AsciiUpper(written[0]) == 'M' && count == 2 ? written : "mm"));
                    break;
                case 'D':
                    if (count <= 4) Code(written);
                    else if (level < 2) Append(count == 5 ? Fs.ShortDateFormat : Fs.LongDateFormat, level + 1);
                    break;
                case 'H': Code(count <= 2 ? written : "hh"); break;
                case 'S':
                    Code(count <= 2 ? written : "ss");
                    FAfterSeconds = true;
                    break;
                case 'Z': Fraction(count >= 3 ? 3 : 1); break;
                case 'T':
                    if (level < 2) Append(count == 1 ? Fs.ShortTimeFormat : Fs.LongTimeFormat, level + 1);
                    break;
                case 'C': AppendC(level); break;
                case 'A': {
                    const size_t used = StartsWithNoCase(p, i, "am/pm") ? 5
                                        : StartsWithNoCase(p, i, "a/p") ? 3
                                        : StartsWithNoCase(p, i, "ampm") ? 4 : 0;
                    if (used) {
                        AmPm(p.substr(i, used));
                        i += used;
                        continue;
                    }
                    Literal(p.substr(i, 1), false);
                    count = 1;
                    break;
                }
                case '/': Separator(Fs.DateSeparator, '/'); break;
                case ':': Separator(Fs.TimeSeparator, ':'); break;
                default: Literal(written, false); break;
            }
            i += count;
        }
    }

    std::string Finish() {
        FlushPoint();
        return FCode.Out;
    }

private:
    void AppendC(int level) {
        if (level >= 2) return;
        Append(Fs.ShortDateFormat, level + 1);
        if (FDateOnly) return;  // whole days: the engine leaves the time out
        Literal(" ", false);
        Append(Fs.LongTimeFormat, level + 1);
    }

    // A point held after the seconds is the fraction's point when milliseconds follow.
    void FlushPoint() {
        if (FPendingPoint) FCode.Quoted(".");
        FPendingPoint = false;
    }

    void Code(std::string_view code) {
        FlushPoint();
        FCode.Out += code;
        FAfterSeconds = false;
    }

    void Literal(std::string_view text, bool quoted) {
        FlushPoint();
        if (text == "." && FAfterSeconds) {
            FPendingPoint = true;
            FAfterSeconds = false;
            return;
        }
        FAfterSeconds = false;
        if (quoted) FCode.Quoted(text);
        else FCode.Bare(text);
    }

    void Separator(char locale, char code) {
        if (locale == code) Code(std::string_view(&code, 1));
        else Literal(std::string_view(&locale, 1), false);
    }

    void Fraction(int digits) {
        const std::string zeros(static_cast<size_t>(digits), '0');
        if (FPendingPoint) {
            FCode.Out += '.' + zeros;
            FPendingPoint = false;
        } else {
            // Fractions show only after the seconds and a point; elsewhere the zeros the engine
            // shows for whole seconds.
            FCode.Quoted(zeros);
        }
        FAfterSeconds = false;
    }

    void AmPm(std::string_view written) {
        std::string code;
        const bool lower = std::none_of(written.begin(), written.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        if (written.size() == 5) {
            code = lower ? "am/pm" : "AM/PM";
        } else if (written.size() == 3) {
            code = lower ? "a/p" : "A/P";
        } else {
            const std::string& am = Fs.TimeAMString;
            const std::string& pm = Fs.TimePMString;
            code = am == "am" && pm == "pm" ? "am/pm" : am == "A" && pm == "P" ? "A/P" : am == "a" && pm == "p" ? "a/p"
                                                                                                                 : "AM/PM";
        }
        Code(code);
    }

    const TFormatSettings& Fs;
    bool FDateOnly;
    TCodeText FCode{true};
    bool FAfterSeconds = false;
    bool FPendingPoint = false;
};

}  // namespace

bool IsXlsFormatCode(std::string_view p, TXlsValueKind kind) {
    for (size_t i = 0; i < p.size();) {
        const char c = p[i];
        if (c == '"' || c == '\'') {
            i = SkipQuoted(p, i);
            continue;
        }
        switch (c) {
            case '[': case '\\': case '_': case '*': case '@': case '?': case '%': return true;
            default: break;
        }
        if (StartsWithNoCase(p, i, "general")) return true;
        // Fractions of a second in the codes' own form: s.0
        if (kind != TXlsValueKind::Number && c == '.' && i > 0 && AsciiUpper(p[i - 1]) == 'S' && i + 1 < p.size() &&
            p[i + 1] == '0')
            return true;
        ++i;
    }
    return false;
}

std::string XlsNumberFormat(std::string_view pattern, TXlsValueKind kind) {
    if (IsXlsFormatCode(pattern, kind)) return std::string(pattern);
    if (kind == TXlsValueKind::Number) return NumberCode(pattern);
    TDateCode code(FormatSettings(), kind == TXlsValueKind::Date);
    code.Append(pattern, 0);
    std::string out = code.Finish();
    return out.empty() ? "\"\"" : out;  // an empty text, as the engine shows
}

}  // namespace ostrel
