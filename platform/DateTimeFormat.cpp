#include "platform/DateTimeFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/DecimalDigits.h"
#include "platform/FormatSettings.h"
#include "platform/ShortCopy.h"

namespace ostrel {

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr int64_t kDateDelta = 693594;

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days of the year before each month, and the year's length at index 12.
const int* DaysBeforeMonth(int year) {
    static constexpr int kBefore[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                           {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};
    return kBefore[DaysInMonth(year, 2) == 29 ? 1 : 0];
}

// The calendar date of a day number counted from 0001-01-01 = 1, at most a few million (the
// values DecodeParts decodes).
void DecodeDays(int64_t days, int& year, int& month, int& day) {
    // Counted from 1 March of year 0 a leap day is the last day of its year, so the year and
    // the month follow from linear steps in 32-bit arithmetic: centuries of 146,097 / 4 days,
    // years of 1,461 / 4 days within one (by a multiplication and a shift), months of 153 / 5
    // days (by 2,141 / 65,536). Day 1 is 1 January of year 1, which is day 306 so counted.
    const auto n = static_cast<uint32_t>(days + 305);
    const uint32_t n1 = 4 * n + 3;
    const uint32_t century = n1 / 146097;
    const uint32_t n2 = n1 % 146097 | 3;  // 4 x the day of the century, + 3
    const uint64_t p2 = uint64_t{2939745} * n2;
    const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);
    const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;
    const uint32_t n3 = 2141 * dayOfYear + 197913;
    const uint32_t m = n3 >> 16;
    const bool january = dayOfYear >= 306;  // January or February of the next year
    day = static_cast<int>((n3 & 0xFFFF) / 2141 + 1);
    month = static_cast<int>(january ? m - 12 : m);
    year = static_cast<int>(100 * century + yearOfCentury) + (january ? 1 : 0);
}

// Splits a value into whole days and milliseconds of the day. Negative values count the
// date backwards and the time forwards, as the fraction's absolute value.
[[gnu::always_inline]] inline void SplitValue(TDateTime value, int64_t& days, int64_t& msecs) {
    // Callers pass finite values of at most a few million days: the casts truncate exactly,
    // and the fraction's milliseconds round half away from zero as llround would.
    days = static_cast<int64_t>(value);
    const double ms = std::fabs(value - static_cast<double>(days)) * kMSecsPerDay;
    msecs = static_cast<int64_t>(ms);
    if (ms - static_cast<double>(msecs) >= 0.5) ++msecs;
    if (msecs >= kMSecsPerDay) {
        msecs -= kMSecsPerDay;
        days += value < 0 ? -1 : 1;
    }
}

// The decimal digits of a non-negative value (a negative one as 0), at least `width` of them,
// written at p (at most 16 characters); returns the end.
char* PutPaddedLong(char* p, int value, int width) {
    char digits[16];
    char* const end = digits + sizeof digits;
    char* first = end;
    auto v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        *--first = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    while (end - first < width && first > digits) *--first = '0';
    return std::copy(first, end, p);
}

// Days, months, hours, minutes and seconds, the parts of nearly every value, inline.
inline char* PutPadded(char* p, int value, int width) {
    if (value >= 0 && value < 100 && width <= 2) {
        if (value >= 10 || width == 2) *p++ = static_cast<char>('0' + value / 10);
        *p++ = static_cast<char>('0' + value % 10);
        return p;
    }
    if (width == 4 && value >= 1000 && value < 10000) {  // a year
        p[0] = static_cast<char>('0' + value / 1000);
        p[1] = static_cast<char>('0' + value / 100 % 10);
        p[2] = static_cast<char>('0' + value / 10 % 10);
        p[3] = static_cast<char>('0' + value % 10);
        return p + 4;
    }
    return PutPaddedLong(p, value, width);
}

void AppendPadded(std::string& out, int value, int width) {
    char buf[16];
    out.append(buf, static_cast<size_t>(PutPadded(buf, value, width) - buf));
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithNoCase(std::string_view p, size_t i, std::string_view what) {
    if (p.size() - i < what.size()) return false;
    for (size_t k = 0; k < what.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(p[i + k])) != what[k]) return false;
    return true;
}

bool HasAmPmAfter(std::string_view p, size_t from) {
    for (size_t i = from; i < p.size(); ++i) {
        if (p[i] == '"' || p[i] == '\'') {
            size_t end = p.find(p[i], i + 1);
            if (end == std::string_view::npos) return false;
            i = end;
            continue;
        }
        if (StartsWithNoCase(p, i, "am/pm") || StartsWithNoCase(p, i, "a/p") ||
            StartsWithNoCase(p, i, "ampm"))
            return true;
    }
    return false;
}

// One element of a date-time pattern, as the formatter emits it.
struct TDateToken {
    char Kind;     // Y M D H N S Z T C A / : or L (literal)
    int Count;     // letters in a row; for A the length of the am/pm element
    bool Twelve;   // H: twelve-hour clock
    std::string_view Text;  // L: the text; A: the element as written
};

}  // namespace

struct TCompiledDatePattern {
    std::string Text;
    std::vector<TDateToken> Tokens;
    bool Nested = false;  // holds elements that format by other patterns (c, t, tt, ddddd, dddddd)
    // Numbers, separators, am/pm and literals only: written into a buffer of at most Bound
    // characters plus the locale's am/pm texts for each of AmPmTexts elements.
    bool Direct = false;
    size_t Bound = 0;
    int AmPmTexts = 0;
    // Whether the direct tokens show a part of the date, of the time of day.
    bool UsesDate = false, UsesTime = false;
    // A direct pattern's tokens as fixed steps, for TDateTimePattern (the formatter keeps the
    // tokens' way).
    struct TStep {
        enum TCode : uint8_t {
            Char, Literal, Year2, Year4, Month1, Month2, Day1, Day2, Hour1, Hour2, Hour12_1, Hour12_2,
            Minute1, Minute2, Second1, Second2, MSec1, MSec3, AmPm5, AmPm3, AmPmLocale, DateSep, TimeSep
        };
        TCode Code;
        char C;                 // Char
        std::string_view Text;  // Literal; the element as written for AmPm5 and AmPm3
    };
    std::vector<TStep> Steps;
};

namespace {

// The steps of a direct pattern's tokens (numbers of at most two letters but years).
std::vector<TCompiledDatePattern::TStep> DirectSteps(const std::vector<TDateToken>& tokens) {
    using TStep = TCompiledDatePattern::TStep;
    std::vector<TStep> steps;
    for (const TDateToken& t : tokens) {
        const bool two = t.Count >= 2;
        switch (t.Kind) {
            case 'Y': steps.push_back({t.Count <= 2 ? TStep::Year2 : TStep::Year4, 0, {}}); break;
            case 'M': steps.push_back({two ? TStep::Month2 : TStep::Month1, 0, {}}); break;
            case 'D': steps.push_back({two ? TStep::Day2 : TStep::Day1, 0, {}}); break;
            case 'H':
                if (t.Twelve) steps.push_back({two ? TStep::Hour12_2 : TStep::Hour12_1, 0, {}});
                else steps.push_back({two ? TStep::Hour2 : TStep::Hour1, 0, {}});
                break;
            case 'N': steps.push_back({two ? TStep::Minute2 : TStep::Minute1, 0, {}}); break;
            case 'S': steps.push_back({two ? TStep::Second2 : TStep::Second1, 0, {}}); break;
            case 'Z': steps.push_back({t.Count >= 3 ? TStep::MSec3 : TStep::MSec1, 0, {}}); break;
            case 'A':
                steps.push_back({t.Count == 5 ? TStep::AmPm5 : t.Count == 3 ? TStep::AmPm3 : TStep::AmPmLocale, 0, t.Text});
                break;
            case '/': steps.push_back({TStep::DateSep, 0, {}}); break;
            case ':': steps.push_back({TStep::TimeSep, 0, {}}); break;
            default:
                if (t.Text.size() == 1) steps.push_back({TStep::Char, t.Text[0], {}});
                else if (!t.Text.empty()) steps.push_back({TStep::Literal, 0, t.Text});
                break;
        }
    }
    return steps;
}

std::shared_ptr<const TCompiledDatePattern> CompileDatePattern(std::string_view pattern) {
    auto c = std::make_shared<TCompiledDatePattern>();
    c->Text.assign(pattern);
    const std::string_view p = c->Text;
    char lastToken = ' ';
    for (size_t i = 0; i < p.size();) {
        const char ch = p[i];
        char token = AsciiUpper(ch);
        if (ch == '"' || ch == '\'') {
            size_t end = p.find(ch, i + 1);
            if (end == std::string_view::npos) end = p.size();
            c->Tokens.push_back({'L', 0, false, p.substr(i + 1, end - i - 1)});
            i = end < p.size() ? end + 1 : end;
            continue;
        }
        size_t count = 1;
        const bool letter = token >= 'A' && token <= 'Z';
        while (letter && i + count < p.size() && AsciiUpper(p[i + count]) == token) ++count;
        if (token == 'M' && lastToken == 'H') token = 'N';  // m after h is the minute
        if (letter) lastToken = token;
        switch (token) {
            case 'Y': case 'M': case 'D': case 'N': case 'S': case 'Z': case 'T': case 'C':
                c->Tokens.push_back({token, static_cast<int>(count), false, {}});
                break;
            case 'H':
                // Twelve-hour clock when an am/pm element follows anywhere later.
                c->Tokens.push_back({'H', static_cast<int>(count), HasAmPmAfter(p, i + count), {}});
                break;
            case 'A': {
                const size_t used = StartsWithNoCase(p, i, "am/pm") ? 5
                                    : StartsWithNoCase(p, i, "a/p") ? 3
                                    : StartsWithNoCase(p, i, "ampm") ? 4 : 0;
                if (used) {
                    c->Tokens.push_back({'A', static_cast<int>(used), false, p.substr(i, used)});
                    i += used;
                    continue;
                }
                c->Tokens.push_back({'L', 0, false, p.substr(i, 1)});
                count = 1;
                break;
            }
            case '/': case ':': c->Tokens.push_back({token, 1, false, {}}); break;
            default: c->Tokens.push_back({'L', 0, false, p.substr(i, count)}); break;
        }
        i += count;
    }
    c->Direct = true;
    for (const TDateToken& t : c->Tokens) {
        c->UsesDate |= t.Kind == 'Y' || t.Kind == 'M' || t.Kind == 'D';
        c->UsesTime |= t.Kind == 'H' || t.Kind == 'N' || t.Kind == 'S' || t.Kind == 'Z' || t.Kind == 'A';
        c->Nested |= t.Kind == 'T' || t.Kind == 'C' || (t.Kind == 'D' && t.Count >= 5);
        switch (t.Kind) {
            case 'M':
            case 'D': c->Direct &= t.Count <= 2; [[fallthrough]];
            case 'Y': case 'H': case 'N': case 'S': case 'Z': c->Bound += 11; break;  // any int
            case '/': case ':': c->Bound += 1; break;
            case 'A':
                if (t.Count == 4) ++c->AmPmTexts;
                else c->Bound += 2;
                break;
            case 'L': c->Bound += t.Text.size(); break;
            default: c->Direct = false; break;
        }
    }
    if (c->Direct) c->Steps = DirectSteps(c->Tokens);
    return c;
}

// Patterns repeat for every value of a column; the last few stay compiled. The slot stays
// until a pattern not among them is compiled.
const std::shared_ptr<const TCompiledDatePattern>& CompiledDatePattern(std::string_view pattern) {
    static thread_local std::shared_ptr<const TCompiledDatePattern> cache[8];
    static thread_local unsigned next = 0;
    for (const auto& c : cache)
        if (c && c->Text == pattern) return c;
    auto& slot = cache[next++ % 8];
    slot = CompileDatePattern(pattern);
    return slot;
}

char* Put(char* p, std::string_view text) {
    CopyShort(p, text.data(), text.size());
    return p + text.size();
}

// A direct pattern's characters, the same as the tokens' general way, built in a buffer and
// appended once; false when they may not fit it.
bool AppendDirectParts(std::string& out, const TCompiledDatePattern& c, const TDateParts& parts,
                       const TFormatSettings& fs) {
    const size_t bound =
        c.Bound + static_cast<size_t>(c.AmPmTexts) * std::max(fs.TimeAMString.size(), fs.TimePMString.size());
    char buf[256];
    if (bound > sizeof buf) return false;
    char* p = buf;
    for (const TDateToken& t : c.Tokens) {
        const int count = t.Count;
        switch (t.Kind) {
            case 'Y':
                if (count <= 2) p = PutPadded(p, parts.Year % 100, 2);
                else p = PutPadded(p, parts.Year, 4);
                break;
            case 'M': p = PutPadded(p, parts.Month, count); break;
            case 'D': p = PutPadded(p, parts.Day, count); break;
            case 'H': {
                int hour = parts.Hour;
                if (t.Twelve) {
                    hour %= 12;
                    if (hour == 0) hour = 12;
                }
                p = PutPadded(p, hour, count >= 2 ? 2 : 1);
                break;
            }
            case 'N': p = PutPadded(p, parts.Minute, count >= 2 ? 2 : 1); break;
            case 'S': p = PutPadded(p, parts.Second, count >= 2 ? 2 : 1); break;
            case 'Z': p = PutPadded(p, parts.MSec, count >= 3 ? 3 : 1); break;
            case 'A': {
                const bool pm = parts.Hour >= 12;
                if (t.Count == 5) p = std::copy_n(t.Text.data() + (pm ? 3 : 0), 2, p);
                else if (t.Count == 3) *p++ = t.Text[pm ? 2 : 0];
                else p = Put(p, pm ? fs.TimePMString : fs.TimeAMString);
                break;
            }
            case '/': *p++ = fs.DateSeparator; break;
            case ':': *p++ = fs.TimeSeparator; break;
            default:
                // Mostly a single blank or punctuation between the numbers.
                if (t.Text.size() == 1) *p++ = t.Text[0];
                else p = Put(p, t.Text);
                break;
        }
    }
    out.append(buf, static_cast<size_t>(p - buf));
    return true;
}

// v < 100.
inline char* PutTwo(char* p, int v) { return PutTwoDigits(p, static_cast<unsigned>(v)); }

// v < 100, without a leading zero.
inline char* PutOneOrTwo(char* p, int v) {
    if (v >= 10) return PutTwo(p, v);
    *p = static_cast<char>('0' + v);
    return p + 1;
}

// A direct pattern's steps: the same characters as AppendDirectParts writes for the tokens.
// The parts are decoded parts: years from 1, the others within their ranges.
[[gnu::always_inline]] inline bool AppendSteps(std::string& out, const TCompiledDatePattern& c, const TDateParts& parts,
                                               const TFormatSettings& fs) {
    using TStep = TCompiledDatePattern::TStep;
    const size_t bound =
        c.Bound + static_cast<size_t>(c.AmPmTexts) * std::max(fs.TimeAMString.size(), fs.TimePMString.size());
    char buf[256];
    if (bound > sizeof buf) return false;
    char* p = buf;
    for (const TStep& step : c.Steps) {
        switch (step.Code) {
            case TStep::Char: *p++ = step.C; break;
            case TStep::Literal: p = Put(p, step.Text); break;
            case TStep::Year2: p = PutTwo(p, parts.Year % 100); break;
            case TStep::Year4:
                // Years past 9999 (values up to 3,000,000 days) take the padding writer.
                p = parts.Year <= 9999 ? PutTwo(PutTwo(p, parts.Year / 100), parts.Year % 100) : PutPadded(p, parts.Year, 4);
                break;
            case TStep::Month1: p = PutOneOrTwo(p, parts.Month); break;
            case TStep::Month2: p = PutTwo(p, parts.Month); break;
            case TStep::Day1: p = PutOneOrTwo(p, parts.Day); break;
            case TStep::Day2: p = PutTwo(p, parts.Day); break;
            case TStep::Hour1: p = PutOneOrTwo(p, parts.Hour); break;
            case TStep::Hour2: p = PutTwo(p, parts.Hour); break;
            case TStep::Hour12_1: p = PutOneOrTwo(p, parts.Hour % 12 ? parts.Hour % 12 : 12); break;
            case TStep::Hour12_2: p = PutTwo(p, parts.Hour % 12 ? parts.Hour % 12 : 12); break;
            case TStep::Minute1: p = PutOneOrTwo(p, parts.Minute); break;
            case TStep::Minute2: p = PutTwo(p, parts.Minute); break;
            case TStep::Second1: p = PutOneOrTwo(p, parts.Second); break;
            case TStep::Second2: p = PutTwo(p, parts.Second); break;
            case TStep::MSec1:
                if (parts.MSec >= 100) *p++ = static_cast<char>('0' + parts.MSec / 100);
                p = parts.MSec >= 100 ? PutTwo(p, parts.MSec % 100) : PutOneOrTwo(p, parts.MSec);
                break;
            case TStep::MSec3:
                *p++ = static_cast<char>('0' + parts.MSec / 100);
                p = PutTwo(p, parts.MSec % 100);
                break;
            case TStep::AmPm5: p = std::copy_n(step.Text.data() + (parts.Hour >= 12 ? 3 : 0), 2, p); break;
            case TStep::AmPm3: *p++ = step.Text[parts.Hour >= 12 ? 2 : 0]; break;
            case TStep::AmPmLocale: p = Put(p, parts.Hour >= 12 ? fs.TimePMString : fs.TimeAMString); break;
            case TStep::DateSep: *p++ = fs.DateSeparator; break;
            case TStep::TimeSep: *p++ = fs.TimeSeparator; break;
        }
    }
    AppendShort(out, buf, static_cast<size_t>(p - buf));
    return true;
}

class TDateTimeFormatter {
public:
    TDateTimeFormatter(TDateTime value, std::string& out)
        : Out(out), Value(value), Parts(DecodeDateTime(value)), Fs(FormatSettings()) {}

    void Append(std::string_view p, int level) {
        if (p.empty()) {
            AppendC(level);
            return;
        }
        // Held while in use when nested locale patterns may push it out of the cache.
        const std::shared_ptr<const TCompiledDatePattern>& slot = CompiledDatePattern(p);
        std::shared_ptr<const TCompiledDatePattern> held;
        if (slot->Nested) held = slot;
        Append(*slot, level);
    }

    void Append(const TCompiledDatePattern& compiled, int level) {
        if (compiled.Direct && AppendDirect(compiled)) return;
        for (const TDateToken& t : compiled.Tokens) {
            const int count = t.Count;
            switch (t.Kind) {
                case 'Y':
                    if (count <= 2) AppendPadded(Out, Parts.Year % 100, 2);
                    else AppendPadded(Out, Parts.Year, 4);
                    break;
                case 'M':
                    if (count <= 2) AppendPadded(Out, Parts.Month, count);
                    else if (count == 3) Out += Fs.ShortMonthNames[Parts.Month - 1];
                    else Out += Fs.LongMonthNames[Parts.Month - 1];
                    break;
                case 'D': AppendDay(static_cast<size_t>(count), level); break;
                case 'H': {
                    int hour = Parts.Hour;
                    if (t.Twelve) {
                        hour %= 12;
                        if (hour == 0) hour = 12;
                    }
                    AppendPadded(Out, hour, count >= 2 ? 2 : 1);
                    break;
                }
                case 'N': AppendPadded(Out, Parts.Minute, count >= 2 ? 2 : 1); break;
                case 'S': AppendPadded(Out, Parts.Second, count >= 2 ? 2 : 1); break;
                case 'Z': AppendPadded(Out, Parts.MSec, count >= 3 ? 3 : 1); break;
                case 'T':
                    if (level < 2) Append(count == 1 ? Fs.ShortTimeFormat : Fs.LongTimeFormat, level + 1);
                    break;
                case 'C': AppendC(level); break;
                case 'A': AppendAmPm(t); break;
                case '/': Out += Fs.DateSeparator; break;
                case ':': Out += Fs.TimeSeparator; break;
                default: Out += t.Text; break;
            }
        }
    }

    std::string& Out;

private:
    bool AppendDirect(const TCompiledDatePattern& c) { return AppendDirectParts(Out, c, Parts, Fs); }

    void AppendC(int level) {
        if (level >= 2) return;
        Append(Fs.ShortDateFormat, level + 1);
        if (Parts.Hour || Parts.Minute || Parts.Second || Parts.MSec) {
            Out += ' ';
            Append(Fs.LongTimeFormat, level + 1);
        }
    }

    void AppendDay(size_t count, int level) {
        switch (count) {
            case 1: AppendPadded(Out, Parts.Day, 1); break;
            case 2: AppendPadded(Out, Parts.Day, 2); break;
            case 3: Out += Fs.ShortDayNames[DayOfWeek(Value) - 1]; break;
            case 4: Out += Fs.LongDayNames[DayOfWeek(Value) - 1]; break;
            case 5: if (level < 2) Append(Fs.ShortDateFormat, level + 1); break;
            default: if (level < 2) Append(Fs.LongDateFormat, level + 1); break;
        }
    }


    void AppendAmPm(const TDateToken& t) {
        const bool pm = Parts.Hour >= 12;
        if (t.Count == 5) Out.append(t.Text.substr(pm ? 3 : 0, 2));      // am/pm, in its own case
        else if (t.Count == 3) Out += t.Text[pm ? 2 : 0];                // a/p
        else Out += pm ? Fs.TimePMString : Fs.TimeAMString;             // ampm
    }

    TDateTime Value;
    TDateParts Parts;
    const TFormatSettings& Fs;
};

}  // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int msec) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           msec >= 0 && msec < 1000;
}

TDateTime EncodeDate(int year, int month, int day) {
    int64_t y = year - 1;
    int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    if (month >= 1 && month <= 12) days += DaysBeforeMonth(year)[month - 1];
    else for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    days += day;
    return static_cast<double>(days - kDateDelta);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    return static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000LL + msec) / kMSecsPerDay;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

namespace {

// DecodeDateTime's parts of the date, of the time of day or of both; the others keep their
// defaults.
[[gnu::always_inline]] inline TDateParts DecodeSplitParts(int64_t days, int64_t msecs, bool date, bool time) {
    TDateParts parts;
    const int64_t dayNumber = days + kDateDelta;
    if (date && dayNumber >= 1) DecodeDays(dayNumber, parts.Year, parts.Month, parts.Day);
    if (time) {
        parts.Hour = static_cast<int>(msecs / 3600000);
        parts.Minute = static_cast<int>(msecs / 60000 % 60);
        parts.Second = static_cast<int>(msecs / 1000 % 60);
        parts.MSec = static_cast<int>(msecs % 1000);
    }
    return parts;
}

[[gnu::always_inline]] inline TDateParts DecodeParts(TDateTime value, bool date, bool time) {
    if (!std::isfinite(value) || std::fabs(value) > 3e6) return {};
    int64_t days, msecs;
    SplitValue(value, days, msecs);
    return DecodeSplitParts(days, msecs, date, time);
}

}  // namespace

TDateParts DecodeDateTime(TDateTime value) { return DecodeParts(value, true, true); }

bool SplitRoundedToParts(TDateTime value, TDateTimePart part, TSplitDateTime& split) {
    if (!std::isfinite(value) || std::fabs(value) > 3e6) return false;
    int64_t days, msecs;
    SplitValue(value, days, msecs);
    if (days + kDateDelta < 1) return false;
    split.Days = part == TDateTimePart::Time ? 0 : days;
    split.MSecs = part == TDateTimePart::Date ? 0 : msecs / 1000 * 1000;
    return true;
}

TDateTime ComposeSplit(const TSplitDateTime& split) {
    return ComposeDateTime(static_cast<double>(split.Days), static_cast<double>(split.MSecs) / kMSecsPerDay);
}

// Splitting the composed value gives the split back: the days are whole, the milliseconds
// whole seconds, and within three million days the sum is off by far less than half a
// millisecond (a test compares the two ways).
TDateParts DecodeSplit(const TSplitDateTime& split) { return DecodeSplitParts(split.Days, split.MSecs, true, true); }

TDateTime RoundedToParts(TDateTime value, TDateTimePart part) {
    TSplitDateTime split;
    if (SplitRoundedToParts(value, part, split)) return ComposeSplit(split);
    // Outside the calendar the parts are defaults: go through them.
    const TDateParts p = DecodeDateTime(value);
    const TDateTime date = EncodeDate(p.Year, p.Month, p.Day), time = EncodeTime(p.Hour, p.Minute, p.Second, 0);
    switch (part) {
        case TDateTimePart::Date: return date;
        case TDateTimePart::Time: return time;
        default: return ComposeDateTime(date, time);
    }
}

// Exports write these for every value: the usual ranges are built in a buffer and appended once.
void AppendIsoDate(std::string& out, const TDateParts& parts) {
    const int y = parts.Year, m = parts.Month, d = parts.Day;
    if (y >= 0 && y <= 9999 && m >= 0 && m <= 99 && d >= 0 && d <= 99) {
        const char text[10] = {static_cast<char>('0' + y / 1000),     static_cast<char>('0' + y / 100 % 10),
                               static_cast<char>('0' + y / 10 % 10),   static_cast<char>('0' + y % 10),
                               '-',
                               static_cast<char>('0' + m / 10),        static_cast<char>('0' + m % 10),
                               '-',
                               static_cast<char>('0' + d / 10),        static_cast<char>('0' + d % 10)};
        out.append(text, sizeof text);
        return;
    }
    AppendPadded(out, y, 4);
    out += '-';
    AppendPadded(out, m, 2);
    out += '-';
    AppendPadded(out, d, 2);
}

void AppendIsoTime(std::string& out, const TDateParts& parts) {
    const int h = parts.Hour, n = parts.Minute, s = parts.Second, z = parts.MSec;
    if (h >= 0 && h <= 99 && n >= 0 && n <= 99 && s >= 0 && s <= 99 && z >= 0 && z <= 999) {
        const char text[12] = {static_cast<char>('0' + h / 10), static_cast<char>('0' + h % 10), ':',
                               static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10), ':',
                               static_cast<char>('0' + s / 10), static_cast<char>('0' + s % 10), '.',
                               static_cast<char>('0' + z / 100), static_cast<char>('0' + z / 10 % 10),
                               static_cast<char>('0' + z % 10)};
        out.append(text, z ? 12 : 8);
        return;
    }
    AppendPadded(out, h, 2);
    out += ':';
    AppendPadded(out, n, 2);
    out += ':';
    AppendPadded(out, s, 2);
    if (z) {
        out += '.';
        AppendPadded(out, z, 3);
    }
}

namespace {

void AppendIsoParts(std::string& out, const TDateParts& p, bool date, bool time, char between, char quote) {
    const bool usual = p.Year >= 0 && p.Year <= 9999 && p.Month >= 0 && p.Month <= 99 && p.Day >= 0 &&
                       p.Day <= 99 && p.Hour >= 0 && p.Hour <= 99 && p.Minute >= 0 && p.Minute <= 99 &&
                       p.Second >= 0 && p.Second <= 99 && p.MSec >= 0 && p.MSec <= 999;
    if (!usual) {
        // Outside the usual ranges the parts are padded as far as they need.
        if (quote) out += quote;
        if (date) AppendIsoDate(out, p);
        if (date && time) out += between;
        if (time) AppendIsoTime(out, p);
        if (quote) out += quote;
        return;
    }
    char buf[32];
    char* q = buf;
    auto two = [&q](int v) { q = PutTwoDigits(q, static_cast<unsigned>(v)); };
    if (quote) *q++ = quote;
    if (date) {
        two(p.Year / 100);
        two(p.Year % 100);
        *q++ = '-';
        two(p.Month);
        *q++ = '-';
        two(p.Day);
    }
    if (date && time) *q++ = between;
    if (time) {
        two(p.Hour);
        *q++ = ':';
        two(p.Minute);
        *q++ = ':';
        two(p.Second);
        if (p.MSec) {
            *q++ = '.';
            *q++ = static_cast<char>('0' + p.MSec / 100);
            two(p.MSec % 100);
        }
    }
    if (quote) *q++ = quote;
    AppendShort(out, buf, static_cast<size_t>(q - buf));
}

}  // namespace

void AppendIsoDateTime(std::string& out, TDateTime value, bool date, bool time, char between, char quote) {
    AppendIsoParts(out, DecodeParts(value, date, time), date, time, between, quote);
}

void AppendIsoDateTime(std::string& out, const TSplitDateTime& value, bool date, bool time, char between, char quote) {
    AppendIsoParts(out, DecodeSplitParts(value.Days, value.MSecs, date, time), date, time, between, quote);
}

int DayOfWeek(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > 3e6) return 1;
    int64_t days, msecs;
    SplitValue(value, days, msecs);
    // 30 December 1899 was a Saturday.
    return static_cast<int>(((days + kDateDelta) % 7 + 7) % 7) + 1;
}

std::string FormatDateTime(std::string_view pattern, TDateTime value) {
    std::string out;
    out.reserve(pattern.size() + 16);
    AppendDateTime(out, pattern, value);
    return out;
}

void AppendDateTime(std::string& out, std::string_view pattern, TDateTime value) {
    TDateTimeFormatter f(value, out);
    f.Append(pattern, 0);
}

TDateTimePattern::TDateTimePattern(std::string_view pattern)
    : FText(pattern), FCompiled(pattern.empty() ? nullptr : CompileDatePattern(pattern)) {}

TDateTimePattern::~TDateTimePattern() = default;

void TDateTimePattern::AppendSplit(std::string& out, const TSplitDateTime& value) const {
    if (FCompiled && FCompiled->Direct &&
        AppendSteps(out, *FCompiled, DecodeSplitParts(value.Days, value.MSecs, FCompiled->UsesDate, FCompiled->UsesTime),
                    FormatSettings()))
        return;
    Append(out, ComposeSplit(value));
}

void TDateTimePattern::Append(std::string& out, TDateTime value) const {
    // Numbers, separators and am/pm: only the parts shown are decoded.
    if (FCompiled && FCompiled->Direct &&
        AppendSteps(out, *FCompiled, DecodeParts(value, FCompiled->UsesDate, FCompiled->UsesTime), FormatSettings()))
        return;
    TDateTimeFormatter f(value, out);
    if (FCompiled) f.Append(*FCompiled, 0);
    else f.Append(std::string_view(), 0);
}

}  // namespace ostrel
