#include "platform/Parsers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>

#include "platform/Errors.h"
#include "platform/FormatSettings.h"

namespace ostrel {

std::string FormatMessage(std::string_view pattern, std::string_view arg) {
    std::string out(pattern);
    size_t pos = out.find("%s");
    if (pos == std::string::npos) pos = out.find("%d");
    if (pos != std::string::npos) out.replace(pos, 2, arg);
    return out;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an integer that must fit [min, max]; hexadecimal input is read as the unsigned bit
// pattern of the type's width, so "$FFFFFFFF" gives -1 for 32 bits.
bool ParseInteger(std::string_view s, int64_t min, int64_t max, int bits, int64_t& value) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    uint64_t acc = 0;
    const uint64_t limit = bits == 64 ? std::numeric_limits<uint64_t>::max() : (1ULL << bits) - 1;
    for (; i < s.size(); ++i) {
        int d = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0) return false;
        unsigned base = hex ? 16 : 10;
        if (acc > (limit - d) / base) return false;
        acc = acc * base + d;
    }
    if (hex) {
        // The bit pattern of the width, sign bit included.
        int64_t v = bits == 64 ? static_cast<int64_t>(acc)
                               : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(acc)));
        if (negative && v == std::numeric_limits<int64_t>::min()) return false;
        value = negative ? -v : v;
        return value >= min && value <= max;
    }
    if (negative) {
        if (acc > static_cast<uint64_t>(max) + 1) return false;
        value = acc == static_cast<uint64_t>(max) + 1 ? min : -static_cast<int64_t>(acc);
    } else {
        if (acc > static_cast<uint64_t>(max)) return false;
        value = static_cast<int64_t>(acc);
    }
    return true;
}

// The position-based scanner of date and time texts.
class TScanner {
public:
    TScanner(std::string_view text, const TFormatSettings& fs) : S(text), Fs(fs) {}

    void SkipBlanks() {
        while (P < S.size() && IsBlank(S[P])) ++P;
    }
    bool AtEnd() const { return P >= S.size(); }

    bool Char(char c) {
        SkipBlanks();
        if (P < S.size() && S[P] == c) {
            ++P;
            return true;
        }
        return false;
    }

    bool Number(int& value, int& digits) {
        SkipBlanks();
        size_t start = P;
        int64_t v = 0;
        while (P < S.size() && S[P] >= '0' && S[P] <= '9' && P - start < 9) v = v * 10 + (S[P++] - '0');
        digits = static_cast<int>(P - start);
        if (digits == 0 || (P < S.size() && S[P] >= '0' && S[P] <= '9')) return false;
        value = static_cast<int>(v);
        return true;
    }

    bool Word(std::string_view word) {
        SkipBlanks();
        if (word.empty() || S.size() - P < word.size()) return false;
        for (size_t k = 0; k < word.size(); ++k)
            if (std::toupper(static_cast<unsigned char>(S[P + k])) !=
                std::toupper(static_cast<unsigned char>(word[k])))
                return false;
        P += word.size();
        return true;
    }

    bool Date(TDateTime& date) {
        enum { MDY, DMY, YMD } order = MDY;
        for (char c : Fs.ShortDateFormat) {
            char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (u == 'M') break;
            if (u == 'D') { order = DMY; break; }
            if (u == 'Y') { order = YMD; break; }
        }
        int n1, n2, n3 = 0, l1, l2, l3 = 0;
        if (!(Number(n1, l1) && Char(Fs.DateSeparator) && Number(n2, l2))) return false;
        int year, month, day, yearDigits;
        if (Char(Fs.DateSeparator)) {
            if (!Number(n3, l3)) return false;
            switch (order) {
                case MDY: year = n3; yearDigits = l3; month = n1; day = n2; break;
                case DMY: year = n3; yearDigits = l3; month = n2; day = n1; break;
                default: year = n1; yearDigits = l1; month = n2; day = n3; break;
            }
        } else {
            std::time_t now = std::time(nullptr);
            std::tm tm{};
            localtime_r(&now, &tm);
            year = tm.tm_year + 1900;
            yearDigits = 4;
            if (order == DMY) { day = n1; month = n2; }
            else { month = n1; day = n2; }
        }
        if (yearDigits <= 2) year = ExpandTwoDigitYear(year);
        if (!IsValidDate(year, month, day)) return false;
        date = EncodeDate(year, month, day);
        return true;
    }

    bool Time(TDateTime& time) {
        int baseHour = AmPm();
        int hour, minute = 0, second = 0, msec = 0, digits;
        if (!Number(hour, digits)) return false;
        if (Char(Fs.TimeSeparator)) {
            if (!Number(minute, digits)) return false;
            if (Char(Fs.TimeSeparator)) {
                if (!Number(second, digits)) return false;
                if (Char(Fs.DecimalSeparator)) {
                    if (!Number(msec, digits) || digits > 3) return false;
                    for (; digits < 3; ++digits) msec *= 10;
                }
            }
        }
        if (baseHour < 0) baseHour = AmPm();
        if (baseHour >= 0) {
            if (hour == 0 || hour > 12) return false;
            if (hour == 12) hour = 0;
            hour += baseHour;
        }
        SkipBlanks();
        if (!IsValidTime(hour, minute, second, msec)) return false;
        time = EncodeTime(hour, minute, second, msec);
        return true;
    }

private:
    // 0 for a morning marker, 12 for an afternoon one, -1 for none.
    int AmPm() {
        if (Word(Fs.TimeAMString) || Word("AM")) return 0;
        if (Word(Fs.TimePMString) || Word("PM")) return 12;
        return -1;
    }

    int ExpandTwoDigitYear(int year) const {
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        int base = tm.tm_year + 1900 - Fs.TwoDigitYearCenturyWindow;
        year += base / 100 * 100;
        if (Fs.TwoDigitYearCenturyWindow > 0 && year < base) year += 100;
        return year;
    }

    std::string_view S;
    const TFormatSettings& Fs;
    size_t P = 0;
};

}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) {
    int64_t v;
    if (!ParseInteger(text, std::numeric_limits<int32_t>::min(),
                      std::numeric_limits<int32_t>::max(), 32, v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
    return ParseInteger(text, std::numeric_limits<int64_t>::min(),
                        std::numeric_limits<int64_t>::max(), 64, value);
}

int32_t StrToIntDef(std::string_view text, int32_t def) {
    int32_t v;
    return TryStrToInt(text, v) ? v : def;
}

int32_t StrToInt(std::string_view text) {
    int32_t v;
    if (!TryStrToInt(text, v))
        throw EConvertError(FormatMessage("'%s' is not a valid integer value", text));
    return v;
}

namespace {

// The parts of a number text in the locale: sign, mantissa digits, how many of them lie
// before the decimal separator, and the exponent.
struct TNumberText {
    bool Negative = false;
    std::string Digits;
    int IntDigits = 0;
    long Exponent = 0;
};

bool ScanNumberText(std::string_view text, TNumberText& out) {
    const char dec = FormatSettings().DecimalSeparator;
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    size_t i = b;
    if (i < e && (text[i] == '-' || text[i] == '+')) out.Negative = text[i++] == '-';
    auto isDigit = [&](size_t k) { return k < e && text[k] >= '0' && text[k] <= '9'; };
    while (isDigit(i)) out.Digits += text[i++];
    out.IntDigits = static_cast<int>(out.Digits.size());
    if (i < e && text[i] == dec) {
        ++i;
        while (isDigit(i)) out.Digits += text[i++];
    }
    if (out.Digits.empty()) return false;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < e && (text[i] == '-' || text[i] == '+')) negExp = text[i++] == '-';
        if (!isDigit(i)) return false;
        while (isDigit(i)) {
            if (out.Exponent < 100000) out.Exponent = out.Exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (negExp) out.Exponent = -out.Exponent;
    }
    return i == e;
}

}  // namespace

bool TryStrToFloat(std::string_view text, double& value) {
    TNumberText n;
    if (!ScanNumberText(text, n)) return false;
    std::string norm = n.Digits.substr(0, n.IntDigits) + "." + n.Digits.substr(n.IntDigits) + "e" +
                       std::to_string(n.Exponent);
    if (n.IntDigits == 0) norm.insert(0, "0");
    double v = 0;
    auto [ptr, ec] = std::from_chars(norm.data(), norm.data() + norm.size(), v);
    if (ec != std::errc() || ptr != norm.data() + norm.size() || !std::isfinite(v)) return false;
    value = n.Negative ? -v : v;
    return true;
}

bool TryStrToDecimal(std::string_view text, TDecimal& value) {
    TNumberText n;
    if (!ScanNumberText(text, n)) return false;
    TDecimal d;
    d.Negative = n.Negative;
    size_t first = n.Digits.find_first_not_of('0');
    if (first == std::string::npos) {
        value = TDecimal{};
        return true;
    }
    // The range of a double is the range of the numbers this library formats.
    const long magnitude = n.IntDigits - static_cast<long>(first) + n.Exponent;
    if (magnitude > 300 || magnitude < -300) {
        double check;
        if (!TryStrToFloat(text, check)) return false;
        if (check == 0) {
            value = TDecimal{};
            return true;
        }
    }
    d.Digits = n.Digits.substr(first);
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    d.Exponent = static_cast<int>(n.IntDigits - static_cast<long>(first) + n.Exponent);
    value = d;
    return true;
}

TDecimal StrToDecimal(std::string_view text) {
    TDecimal v;
    if (!TryStrToDecimal(text, v))
        throw EConvertError(FormatMessage("'%s' is not a valid floating point value", text));
    return v;
}

double StrToFloat(std::string_view text) {
    double v;
    if (!TryStrToFloat(text, v))
        throw EConvertError(FormatMessage("'%s' is not a valid floating point value", text));
    return v;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value) {
    const TFormatSettings& fs = FormatSettings();
    {
        TScanner sc(text, fs);
        TDateTime date = 0, time = 0;
        if (sc.Date(date)) {
            sc.SkipBlanks();
            if (sc.AtEnd() || (sc.Time(time) && sc.AtEnd())) {
                value = ComposeDateTime(date, time);
                return true;
            }
        }
    }
    TScanner sc(text, fs);
    TDateTime time = 0;
    if (sc.Time(time) && sc.AtEnd()) {
        value = time;
        return true;
    }
    return false;
}

TDateTime StrToDateTime(std::string_view text) {
    TDateTime v;
    if (!TryStrToDateTime(text, v))
        throw EConvertError(FormatMessage("'%s' is not a valid date and time", text));
    return v;
}

}  // namespace ostrel
