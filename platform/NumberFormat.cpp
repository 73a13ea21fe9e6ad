#include "platform/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <vector>

#include "platform/DecimalDigits.h"
#include "platform/ShortCopy.h"
#include "platform/FormatSettings.h"

namespace ostrel {

namespace {

constexpr int kPrecision = 15;

void TrimDigits(TDecimal& d) {
    size_t first = d.Digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.Digits.clear();
        d.Exponent = 0;
        return;
    }
    d.Digits.erase(0, first);
    d.Exponent -= static_cast<int>(first);
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
}

// The digits of a whole number above zero, the exponent their count.
void AssignDigits(TDecimal& d, uint64_t magnitude) {
    char buf[24];
    char* end = buf + sizeof buf;
    char* p = end;
    for (; magnitude; magnitude /= 10) *--p = static_cast<char>('0' + magnitude % 10);
    d.Exponent = static_cast<int>(end - p);
    while (end[-1] == '0') --end;  // trailing zeros say nothing the exponent does not
    d.Digits.assign(p, end);
}

// A magnitude in [1E-4, 1E10) with at most four decimals as the whole number of its last
// decimal place (scaled) and their count: N / 10^k is then the value's shortest text, since any
// other text that short lies further than a unit of the last place away. False for the rest.
bool ScaledDigits(double magnitude, uint64_t& scaled, int& decimals) {
    if (!(magnitude < 1e10 && magnitude >= 1e-4)) return false;
    // A text of k <= 4 decimals that reads back as the value is also one of four decimals (the
    // same number): the whole number of ten-thousandths nearest to the value. Below 1E14, the
    // cast truncates exactly (and without a library call), and the product lies within 0.02 of
    // that number when it reads back; a unit of the fourth place is far wider than the value's
    // precision, so no other number of ten-thousandths can. The division, rounded as reading
    // rounds, decides; the trailing zeros then give the fewest decimals.
    const double n = magnitude * 1e4;
    const double whole = static_cast<double>(static_cast<int64_t>(n + 0.5));
    if (std::fabs(n - whole) > 0.05 || whole / 1e4 != magnitude) return false;
    auto units = static_cast<uint64_t>(whole);
    int k = 4;
    for (; k > 0 && units % 10 == 0; --k) units /= 10;
    scaled = units;
    decimals = k;
    return true;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
TDecimal RoundToKeep(const TDecimal& d, long keep) {
    if (d.IsZero() || keep >= static_cast<long>(d.Digits.size())) return d;
    TDecimal r = d;
    if (keep < 0) {
        r.Digits.clear();
        r.Exponent = 0;
        return r;
    }
    bool up = d.Digits[keep] >= '5';
    r.Digits.resize(keep);
    if (up) {
        long i = keep - 1;
        while (i >= 0 && r.Digits[i] == '9') r.Digits[i--] = '0';
        if (i >= 0) {
            ++r.Digits[i];
        } else {
            r.Digits.insert(r.Digits.begin(), '1');
            ++r.Exponent;
        }
    }
    TrimDigits(r);
    return r;
}

// One section of a pattern, analysed.
struct TSection {
    std::string_view Text;
    int IntPlaceholders = 0;
    int FirstIntZero = -1;  // index among the integer placeholders of the first '0'
    int FracPlaceholders = 0;
    int FracRequired = 0;  // fraction digits up to and including the last '0'
    bool Grouping = false;
    bool Scientific = false;
    bool HasDecimalPoint = false;
    // The section as output steps, for the fixed-point form.
    enum TStep : char { IntDigit, FracDigit, Point, Literal };
    struct TToken {
        TStep Step;
        int Index;             // placeholder number
        std::string_view Text;  // literal text
    };
    std::vector<TToken> Tokens;
    // Literals, then every integer placeholder, then the point and the fraction placeholders,
    // then literals: the common shape, written without walking the tokens. Prefix and Suffix
    // count the literal tokens at each end.
    bool Plain = false;
    int Prefix = 0, Suffix = 0;
    // A plain section's literals at each end joined, and the least number of integer digits.
    std::string PrefixText, SuffixText;
    int MinIntDigits = 0;
};

}  // namespace

size_t SkipQuoted(std::string_view p, size_t i) {
    char q = p[i];
    size_t j = p.find(q, i + 1);
    return j == std::string_view::npos ? p.size() : j + 1;
}

std::vector<std::string_view> SplitSections(std::string_view p) {
    std::vector<std::string_view> out;
    size_t start = 0;
    for (size_t i = 0; i < p.size();) {
        if (p[i] == '"' || p[i] == '\'') {
            i = SkipQuoted(p, i);
        } else if (p[i] == ';') {
            out.push_back(p.substr(start, i - start));
            start = ++i;
            if (out.size() == 2) break;
        } else {
            ++i;
        }
    }
    if (out.size() < 3) out.push_back(p.substr(start));
    return out;
}

namespace {

bool IsExponentAt(std::string_view p, size_t i) {
    return (p[i] == 'E' || p[i] == 'e') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-');
}

// The output steps of a fixed-point section, in pattern order.
void Tokenize(TSection& s) {
    const std::string_view p = s.Text;
    bool point = false;
    int intSeen = 0, fracSeen = 0;
    auto literal = [&](std::string_view t) {
        if (!t.empty()) s.Tokens.push_back({TSection::Literal, 0, t});
    };
    for (size_t i = 0; i < p.size();) {
        const char c = p[i];
        if (c == '"' || c == '\'') {
            const size_t end = SkipQuoted(p, i);
            const size_t stop = end > i + 1 && end <= p.size() && p[end - 1] == c ? end - 1 : end;
            literal(p.substr(i + 1, stop - i - 1));
            i = end;
            continue;
        }
        if (c == '0' || c == '#') {
            if (point) s.Tokens.push_back({TSection::FracDigit, fracSeen++, {}});
            else s.Tokens.push_back({TSection::IntDigit, intSeen++, {}});
        } else if (c == '.') {
            if (!point) s.Tokens.push_back({TSection::Point, 0, {}});
            point = true;
        } else if (c != ',') {
            literal(p.substr(i, 1));
        }
        ++i;
    }
}

TSection Analyse(std::string_view text) {
    TSection s;
    s.Text = text;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == '"' || c == '\'') {
            i = SkipQuoted(text, i);
            continue;
        }
        if (s.Scientific) {
            ++i;
            continue;
        }
        if (c == '0' || c == '#') {
            if (s.HasDecimalPoint) {
                ++s.FracPlaceholders;
                if (c == '0') s.FracRequired = s.FracPlaceholders;
            } else {
                if (c == '0' && s.FirstIntZero < 0) s.FirstIntZero = s.IntPlaceholders;
                ++s.IntPlaceholders;
            }
        } else if (c == '.') {
            s.HasDecimalPoint = true;
        } else if (c == ',') {
            s.Grouping = true;
        } else if (IsExponentAt(text, i)) {
            s.Scientific = true;
            i += 2;
            continue;
        }
        ++i;
    }
    if (!s.Scientific) {
        Tokenize(s);
        // Literals* IntDigit+ (Point FracDigit*)? Literals*
        const auto& t = s.Tokens;
        size_t i = 0;
        while (i < t.size() && t[i].Step == TSection::Literal) ++i;
        s.Prefix = static_cast<int>(i);
        int ints = 0;
        while (i < t.size() && t[i].Step == TSection::IntDigit) ++i, ++ints;
        if (i < t.size() && t[i].Step == TSection::Point) {
            ++i;
            while (i < t.size() && t[i].Step == TSection::FracDigit) ++i;
        }
        const size_t body = i;
        while (i < t.size() && t[i].Step == TSection::Literal) ++i;
        s.Suffix = static_cast<int>(i - body);
        s.Plain = i == t.size() && ints > 0 && ints == s.IntPlaceholders;
        if (s.Plain) {
            for (int k = 0; k < s.Prefix; ++k) s.PrefixText += t[static_cast<size_t>(k)].Text;
            for (size_t k = body; k < t.size(); ++k) s.SuffixText += t[k].Text;
        }
        s.MinIntDigits = s.FirstIntZero >= 0 ? s.IntPlaceholders - s.FirstIntZero : 0;
    }
    return s;
}

class TSectionWriter {
public:
    TSectionWriter(const TSection& s, std::string intDigits, std::string fracDigits, int exponent,
                   bool exponentNegative)
        : S(s), Int(std::move(intDigits)), Frac(std::move(fracDigits)), Exp(exponent),
          ExpNegative(exponentNegative), Fs(FormatSettings()) {}

    std::string Run() {
        const std::string_view p = S.Text;
        Out.reserve(p.size() + Int.size() + Frac.size() + 8);
        bool pointDone = false;
        for (size_t i = 0; i < p.size();) {
            char c = p[i];
            if (c == '"' || c == '\'') {
                size_t end = SkipQuoted(p, i);
                size_t stop = end > i + 1 && end <= p.size() && p[end - 1] == c ? end - 1 : end;
                Out.append(p.substr(i + 1, stop - i - 1));
                i = end;
                continue;
            }
            if (!ExpDone && IsExponentAt(p, i)) {
                WritePendingIntDigits();
                WriteExponent(p, i);
                continue;
            }
            if (!ExpDone && (c == '0' || c == '#')) {
                if (!pointDone) WriteIntPlaceholder();
                else WriteFracPlaceholder();
            } else if (c == '.' && !ExpDone) {
                if (!pointDone) {
                    pointDone = true;
                    WritePendingIntDigits();
                    if (!Frac.empty()) Out += Fs.DecimalSeparator;
                }
            } else if (c == ',' && !ExpDone) {
                // Grouping flag only.
            } else {
                Out += c;
            }
            ++i;
        }
        WritePendingIntDigits();
        return Out;
    }

private:
    void WriteDigit(size_t index) {
        Out += Int[index];
        size_t right = Int.size() - 1 - index;
        if (S.Grouping && right > 0 && right % 3 == 0) Out += Fs.ThousandSeparator;
    }

    void WriteIntPlaceholder() {
        long index = static_cast<long>(Int.size()) - S.IntPlaceholders + IntSeen;
        if (IntSeen == 0) {
            for (long k = 0; k < index; ++k) WriteDigit(k);
        }
        if (index >= 0) WriteDigit(index);
        ++IntSeen;
        if (IntSeen == S.IntPlaceholders) IntWritten = true;
    }

    // A pattern without integer placeholders still shows the integer part of the value.
    void WritePendingIntDigits() {
        if (IntWritten) return;
        IntWritten = true;
        if (S.IntPlaceholders == 0)
            for (size_t k = 0; k < Int.size(); ++k) WriteDigit(k);
    }

    void WriteFracPlaceholder() {
        if (FracSeen < Frac.size()) Out += Frac[FracSeen];
        ++FracSeen;
    }

    void WriteExponent(std::string_view p, size_t& i) {
        Out += p[i];
        bool alwaysSign = p[i + 1] == '+';
        i += 2;
        int width = 0;
        while (i < p.size() && p[i] == '0' && width < 4) {
            ++width;
            ++i;
        }
        if (ExpNegative) Out += '-';
        else if (alwaysSign) Out += '+';
        std::string digits = std::to_string(Exp);
        if (static_cast<int>(digits.size()) < width) Out.append(width - digits.size(), '0');
        Out += digits;
        ExpDone = true;
    }

    const TSection& S;
    std::string Int, Frac;
    int Exp;
    bool ExpNegative;
    const TFormatSettings& Fs;
    std::string Out;
    int IntSeen = 0;
    size_t FracSeen = 0;
    bool IntWritten = false;
    bool ExpDone = false;
};

std::string FixedDigitsOfInt(const TDecimal& d) {
    if (d.Exponent <= 0) return {};
    std::string s = d.Digits.substr(0, std::min<size_t>(d.Digits.size(), d.Exponent));
    s.append(d.Exponent - s.size(), '0');
    return s;
}

// The fixed-point form of a section from its rounded digits: d[0..n) with the point e places
// from the left, no trailing zeros; straight onto the end of out.
void EmitFixed(std::string& out, const TSection& s, const char* d, int n, int e, bool withMinus) {
    const int intLen = std::max(e, 0);
    const int width = std::max(intLen, s.MinIntDigits);  // integer digits shown
    const int leadingZeros = width - intLen;
    auto intDigit = [&](int j) { j -= leadingZeros; return j < 0 || j >= n ? '0' : d[j]; };
    int fracLen = s.FracPlaceholders;
    auto fracDigit = [&](int k) {
        const int idx = e + k;
        return idx >= 0 && idx < n ? d[idx] : '0';
    };
    while (fracLen > s.FracRequired && fracDigit(fracLen - 1) == '0') --fracLen;

    const TFormatSettings& fs = FormatSettings();
    // Room for every character the section can give: its literals, the digits, a separator
    // per three integer digits and the sign; filled through p and cut to length at the end.
    const std::string& thousands = fs.ThousandSeparator;
    const size_t start = out.size();
    out.resize(start + s.Text.size() + static_cast<size_t>(width + s.FracPlaceholders) +
               static_cast<size_t>(width / 3) * thousands.size() + 8);
    char* const begin = out.data() + start;
    char* p = begin;
    if (withMinus) *p++ = '-';
    bool intDone = false;
    auto emitInt = [&](int j) {
        *p++ = intDigit(j);
        const int right = width - 1 - j;
        if (s.Grouping && right > 0 && right % 3 == 0) {
            std::memcpy(p, thousands.data(), thousands.size());
            p += thousands.size();
        }
    };
    auto emitAllInt = [&] {
        if (intDone) return;
        intDone = true;
        if (s.IntPlaceholders == 0)
            for (int j = 0; j < width; ++j) emitInt(j);
    };
    auto literal = [&](const TSection::TToken& t) {
        std::memcpy(p, t.Text.data(), t.Text.size());
        p += t.Text.size();
    };
    if (s.Plain) {
        for (int i = 0; i < s.Prefix; ++i) literal(s.Tokens[i]);
        if (s.Grouping) {
            // A separator after every digit that has a multiple of three digits to its right.
            int untilSeparator = width % 3 == 0 ? 3 : width % 3;
            for (int j = 0; j < width; ++j) {
                *p++ = intDigit(j);
                if (--untilSeparator == 0 && j + 1 < width) {
                    std::memcpy(p, thousands.data(), thousands.size());
                    p += thousands.size();
                    untilSeparator = 3;
                }
            }
        } else {
            // Leading zeros, the digits before the point, the zeros up to it.
            const int shown = std::min(n, intLen);
            p = std::fill_n(p, leadingZeros, '0');
            p = std::copy_n(d, shown, p);
            p = std::fill_n(p, intLen - shown, '0');
        }
        if (fracLen > 0) {
            *p++ = fs.DecimalSeparator;
            // Zeros before the first digit, the digits, zeros after the last one.
            int k = 0;
            for (; k < fracLen && e + k < 0; ++k) *p++ = '0';
            if (e + k < n) {
                const int copied = std::min(fracLen - k, n - (e + k));
                p = std::copy_n(d + e + k, copied, p);
                k += copied;
            }
            p = std::fill_n(p, fracLen - k, '0');
        }
        for (size_t i = s.Tokens.size() - s.Suffix; i < s.Tokens.size(); ++i) literal(s.Tokens[i]);
        out.resize(start + static_cast<size_t>(p - begin));
        return;
    }
    for (const auto& t : s.Tokens) {
        switch (t.Step) {
            case TSection::IntDigit: {
                const int index = width - s.IntPlaceholders + t.Index;
                if (t.Index == 0)
                    for (int j = 0; j < index; ++j) emitInt(j);
                if (index >= 0) emitInt(index);
                if (t.Index + 1 == s.IntPlaceholders) intDone = true;
                break;
            }
            case TSection::Point:
                emitAllInt();
                if (fracLen > 0) *p++ = fs.DecimalSeparator;
                break;
            case TSection::FracDigit:
                if (t.Index < fracLen) *p++ = fracDigit(t.Index);
                break;
            case TSection::Literal: literal(t); break;
        }
    }
    emitAllInt();
    out.resize(start + static_cast<size_t>(p - begin));
}

// The fixed-point form of a section, straight from the digits onto the end of out.
void AppendFixed(std::string& out, const TSection& s, const TDecimal& value, bool withMinus) {
    // Round to the section's decimals: d holds the kept digits, e the point's place.
    char d[400];
    int n = static_cast<int>(std::min<size_t>(value.Digits.size(), sizeof d - 1));
    int e = value.Exponent;
    std::memcpy(d, value.Digits.data(), static_cast<size_t>(n));
    const long keep = static_cast<long>(e) + s.FracPlaceholders;
    if (keep < n) {
        if (keep < 0) {
            n = 0;
        } else {
            const bool up = d[keep] >= '5';
            n = static_cast<int>(keep);
            if (up) {
                int i = n - 1;
                while (i >= 0 && d[i] == '9') d[i--] = '0';
                if (i >= 0) {
                    ++d[i];
                } else {
                    std::memmove(d + 1, d, static_cast<size_t>(n));
                    d[0] = '1';
                    ++n;
                    ++e;
                }
            }
        }
        while (n > 0 && d[n - 1] == '0') --n;
        if (n == 0) e = 0;
    }
    EmitFixed(out, s, d, n, e, withMinus);
}

void AppendSection(std::string& out, const TSection& s, const TDecimal& value, bool withMinus) {
    if (!s.Scientific) {
        AppendFixed(out, s, value, withMinus);
        return;
    }
    std::string intDigits, fracDigits;
    int exponent = 0;
    bool expNegative = false;
    if (s.Scientific) {
        int intCount = std::max(s.IntPlaceholders, 1);
        TDecimal r = value.RoundedToSignificant(intCount + s.FracPlaceholders);
        std::string all = r.Digits;
        if (all.size() < static_cast<size_t>(intCount + s.FracPlaceholders))
            all.append(intCount + s.FracPlaceholders - all.size(), '0');
        intDigits = all.substr(0, intCount);
        fracDigits = all.substr(intCount, s.FracPlaceholders);
        int e = r.IsZero() ? 0 : r.Exponent - intCount;
        expNegative = e < 0;
        exponent = std::abs(e);
    } else {
        TDecimal r = value.RoundedToDecimals(s.FracPlaceholders);
        intDigits = FixedDigitsOfInt(r);
        for (int k = 0; k < s.FracPlaceholders; ++k) {
            long idx = static_cast<long>(r.Exponent) + k;
            fracDigits += idx >= 0 && idx < static_cast<long>(r.Digits.size()) ? r.Digits[idx] : '0';
        }
    }
    if (!s.Scientific && s.FirstIntZero >= 0) {
        size_t minDigits = s.IntPlaceholders - s.FirstIntZero;
        if (intDigits.size() < minDigits) intDigits.insert(0, minDigits - intDigits.size(), '0');
    }
    while (static_cast<int>(fracDigits.size()) > s.FracRequired && fracDigits.back() == '0')
        fracDigits.pop_back();
    if (withMinus) out += '-';
    out += TSectionWriter(s, intDigits, fracDigits, exponent, expNegative).Run();
}

// Whether the value shows as zero in the section: no digit survives the rounding.
bool RoundsToZero(const TSection& s, const TDecimal& v) {
    if (v.IsZero()) return true;
    if (s.Scientific) return false;
    const long keep = static_cast<long>(v.Exponent) + s.FracPlaceholders;
    return keep < 0 || (keep == 0 && v.Digits[0] < '5');
}

}  // namespace

TDecimal TDecimal::FromDouble(double value) {
    TDecimal d;
    if (value == 0 || !std::isfinite(value)) return d;
    // Most values have a few decimals (amounts, measures): below 1E10 a value given back by
    // N / 10^k (N whole, k <= 4) has N's digits as its shortest text, since any other text
    // that short lies further than a unit of the last place away. The general way below would
    // find the same digits.
    uint64_t scaled;
    int decimals;
    if (ScaledDigits(std::fabs(value), scaled, decimals)) {
        d.Negative = value < 0;
        AssignDigits(d, scaled);
        d.Exponent -= decimals;
        return d;
    }
    // The shortest text that reads back as the value; longer than 15 digits it is rounded to 15,
    // the precision every formatter shows.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific);
    *res.ptr = '\0';
    const char* p = buf;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.Digits += *p;
    d.Exponent = std::atoi(p + 1) + 1;
    TrimDigits(d);
    if (d.Digits.size() > static_cast<size_t>(kPrecision)) d = d.RoundedToSignificant(kPrecision);
    return d;
}

TDecimal TDecimal::FromInt64(int64_t value) {
    TDecimal d;
    if (value == 0) return d;
    d.Negative = value < 0;
    AssignDigits(d, d.Negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    return d;
}

TDecimal TDecimal::RoundedToDecimals(int decimals) const {
    return RoundToKeep(*this, static_cast<long>(Exponent) + decimals);
}

TDecimal TDecimal::RoundedToSignificant(int count) const { return RoundToKeep(*this, count); }

std::string GeneralForm(const TDecimal& value) { return GeneralForm(value, FormatSettings().DecimalSeparator); }

std::string GeneralForm(const TDecimal& value, char dec) {
    if (value.IsZero()) return "0";
    const int precision = std::max<int>(kPrecision, static_cast<int>(value.Digits.size()));
    TDecimal v = value.RoundedToSignificant(precision);
    std::string out = v.Negative ? "-" : "";
    const std::string& d = v.Digits;
    if (v.Exponent > precision || v.Exponent < -4) {
        out += d[0];
        if (d.size() > 1) {
            out += dec;
            out.append(d, 1);
        }
        out += 'E';
        out += std::to_string(v.Exponent - 1);
        return out;
    }
    if (v.Exponent <= 0) {
        out += '0';
        out += dec;
        out.append(-v.Exponent, '0');
        out += d;
        return out;
    }
    out += FixedDigitsOfInt(v);
    if (static_cast<int>(d.size()) > v.Exponent) {
        out += dec;
        out.append(d, v.Exponent);
    }
    return out;
}

// A pattern split into its analysed sections; patterns repeat for every value of a column,
// so the last few are kept.
struct TCompiledPattern {
    std::string Text;
    TSection Sections[3];
    int Count = 0;

    void Compile(std::string_view pattern) {
        Text.assign(pattern);
        std::vector<std::string_view> parts = SplitSections(Text);
        Count = static_cast<int>(parts.size());
        for (int i = 0; i < Count; ++i) Sections[i] = Analyse(parts[i]);
    }
};

namespace {

const TCompiledPattern& Compiled(std::string_view pattern) {
    static thread_local TCompiledPattern cache[8];
    static thread_local unsigned next = 0;
    for (auto& c : cache)
        if (c.Count && c.Text == pattern) return c;
    TCompiledPattern& slot = cache[next++ % 8];
    slot.Compile(pattern);
    return slot;
}

}  // namespace

std::string FormatDecimal(std::string_view pattern, const TDecimal& value) {
    std::string out;
    AppendDecimal(out, pattern, value);
    return out;
}

namespace {

// Which section shows a value of this sign, and whether it takes a minus; the zero section is
// chosen later, once the value is known to round to zero.
const TSection* SectionFor(const TCompiledPattern& p, bool negative, bool& minus) {
    minus = false;
    if (negative && p.Count > 1 && !p.Sections[1].Text.empty()) return &p.Sections[1];
    minus = negative;
    return &p.Sections[0];
}

bool HasZeroSection(const TCompiledPattern& p) { return p.Count > 2 && !p.Sections[2].Text.empty(); }

void AppendCompiled(std::string& out, const TCompiledPattern& p, const TDecimal& value) {
    bool minus = false;
    const TSection* chosen = SectionFor(p, value.Negative, minus);
    if (RoundsToZero(*chosen, value)) {
        if (HasZeroSection(p)) chosen = &p.Sections[2];
        minus = false;
    }
    if (chosen->Text.empty()) out += GeneralForm(value);
    else AppendSection(out, *chosen, value, minus);
}

// Exactly `count` decimal digits of v (v < 10^count) written backwards from end, two at a
// time; returns the first.
char* FixedDigitsBackwards(char* end, uint64_t v, int count) {
    char* p = end;
    for (; count >= 2; count -= 2, v /= 100) {
        p -= 2;
        PutTwoDigits(p, static_cast<unsigned>(v % 100));
    }
    if (count) *--p = static_cast<char>('0' + v);
    return p;
}

// The decimal digits of v written backwards from end, two at a time; returns the first.
char* DigitsOfBackwards(char* end, uint64_t v) {
    char* p = end;
    for (; v >= 100; v /= 100) {
        p -= 2;
        PutTwoDigits(p, static_cast<unsigned>(v % 100));
    }
    if (v >= 10) {
        p -= 2;
        PutTwoDigits(p, static_cast<unsigned>(v));
    } else {
        *--p = static_cast<char>('0' + v);
    }
    return p;
}

constexpr uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000,
                               1000000000, 10000000000ULL, 100000000000ULL, 1000000000000ULL,
                               10000000000000ULL, 100000000000000ULL, 1000000000000000ULL,
                               10000000000000000ULL, 100000000000000000ULL, 1000000000000000000ULL};

// A plain fixed section's form of a whole number of units of its last decimal place, as the
// digit path would give it: the digits built backwards in a stack buffer, from the units'
// binary value. Sections of many leading zeros or a long separator take the digit path's writer.
// units / 10^places, and the remainder in fraction: the usual places divide by constants,
// which compile to multiplications.
inline uint64_t SplitUnits(uint64_t units, int places, uint64_t& fraction) {
    switch (places) {
        case 1: fraction = units % 10; return units / 10;
        case 2: fraction = units % 100; return units / 100;
        case 3: fraction = units % 1000; return units / 1000;
        case 4: fraction = units % 10000; return units / 10000;
        default: fraction = units % kPow10[places]; return units / kPow10[places];
    }
}

void EmitScaled(std::string& out, const TSection& s, uint64_t units, bool minus) {
    const TFormatSettings& fs = FormatSettings();
    const std::string& separator = fs.ThousandSeparator;
    if (s.MinIntDigits > 24 || separator.size() > 4 || s.FracPlaceholders > 18) {
        char buf[24];
        char* const end = buf + sizeof buf;
        const char* d = units ? DigitsOfBackwards(end, units) : end;
        int n = static_cast<int>(end - d);
        const int e = n - s.FracPlaceholders;
        while (n > 0 && d[n - 1] == '0') --n;
        EmitFixed(out, s, d, n, n ? e : 0, minus);
        return;
    }
    // 18 fraction digits and a point, 20 integer digits with separators, 24 leading zeros;
    // after them a short suffix.
    char buf[192];
    char* const end = buf + 160;
    char* p = end;
    uint64_t whole = units;
    if (s.FracPlaceholders > 0) {
        uint64_t fraction;
        whole = SplitUnits(units, s.FracPlaceholders, fraction);
        // Trailing zeros go, down to the last required place.
        int shown = s.FracPlaceholders;
        for (; shown > s.FracRequired && fraction % 10 == 0; --shown) fraction /= 10;
        if (shown > 0) {
            p = FixedDigitsBackwards(p, fraction, shown);
            *--p = fs.DecimalSeparator;
        }
    }
    // The integer digits, at least the required ones (a zero integer part shows only those),
    // then a separator before every digit with a multiple of three digits to its right.
    const bool hasRequiredDigits = s.MinIntDigits == 0 || (s.MinIntDigits <= 19 && whole >= kPow10[s.MinIntDigits - 1]);
    if (hasRequiredDigits && !s.Grouping) {
        if (whole) p = DigitsOfBackwards(p, whole);
    } else if (hasRequiredDigits && separator.size() == 1) {
        // The usual case written straight into place, three digits and a separator at a time.
        for (; whole >= 1000; whole /= 1000) {
            const auto three = static_cast<unsigned>(whole % 1000);
            p -= 3;
            p[0] = static_cast<char>('0' + three / 100);
            PutTwoDigits(p + 1, three % 100);
            *--p = separator[0];
        }
        if (whole) p = DigitsOfBackwards(p, whole);
    } else {
        char digits[32];
        char* const digitsEnd = digits + sizeof digits;
        char* d = digitsEnd;
        if (whole) d = DigitsOfBackwards(d, whole);
        while (digitsEnd - d < s.MinIntDigits) *--d = '0';
        long n = digitsEnd - d;
        if (s.Grouping && n > 3) {
            const char* q = digitsEnd;
            for (; n > 3; n -= 3) {
                p -= 3;
                q -= 3;
                std::memcpy(p, q, 3);
                p -= separator.size();
                std::memcpy(p, separator.data(), separator.size());
            }
        }
        for (char* q = d + n; q != d;) *--p = *--q;
    }
    // The sign, a short prefix and a short suffix go into the buffer too: one append for most
    // values.
    const size_t prefix = s.PrefixText.size(), suffix = s.SuffixText.size();
    if (prefix <= static_cast<size_t>(p - buf) - 1 && suffix <= sizeof buf - 160) {
        if (prefix) {
            p -= prefix;
            CopyShort(p, s.PrefixText.data(), prefix);
        }
        if (minus) *--p = '-';
        CopyShort(end, s.SuffixText.data(), suffix);
        AppendShort(out, p, static_cast<size_t>(end + suffix - p));
    } else {
        if (minus) out += '-';
        out += s.PrefixText;
        out.append(p, static_cast<size_t>(end - p));
        out += s.SuffixText;
    }
}

}  // namespace

void AppendDecimal(std::string& out, std::string_view pattern, const TDecimal& value) {
    if (pattern.empty()) out += GeneralForm(value);
    else AppendCompiled(out, Compiled(pattern), value);
}

TNumberPattern::TNumberPattern(std::string_view pattern) : FText(pattern) {
    if (!pattern.empty()) {
        FCompiled = std::make_unique<TCompiledPattern>();
        FCompiled->Compile(pattern);
    }
}

TNumberPattern::~TNumberPattern() = default;

void TNumberPattern::Append(std::string& out, const TDecimal& value) const {
    if (!FCompiled) out += GeneralForm(value);
    else AppendCompiled(out, *FCompiled, value);
}

void TNumberPattern::AppendInt64(std::string& out, int64_t value) const {
    if (FCompiled) {
        bool minus = false;
        const TSection* s = SectionFor(*FCompiled, value < 0, minus);
        // A whole number rounds to zero only when it is zero; past 10^18 units the scaling
        // would overflow.
        if (s->Plain && !s->Scientific && s->FracPlaceholders <= 18 && (value != 0 || !HasZeroSection(*FCompiled))) {
            const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
            const uint64_t scale = kPow10[s->FracPlaceholders];
            if (magnitude <= UINT64_MAX / scale) {
                EmitScaled(out, *s, magnitude * scale, minus && value != 0);
                return;
            }
        }
    }
    Append(out, TDecimal::FromInt64(value));
}

void TNumberPattern::AppendDouble(std::string& out, double value) const {
    if (FCompiled && std::isfinite(value)) {
        bool minus = false;
        const TSection* s = SectionFor(*FCompiled, value < 0, minus);
        if (s->Plain && !s->Scientific && s->FracPlaceholders <= 9) {
            // The value in units of the section's last decimal place. Below 1E11 units the
            // product, the value's shortest digits and their rounding to 15 places all lie
            // within 6E-4 units of the exact value, so a fraction of a unit further than 1E-3
            // from one half rounds as the digit path rounds; nearer, the digit path decides.
            static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
            const double units = std::fabs(value) * kScale[s->FracPlaceholders];
            if (units < 1e11) {
                auto whole = static_cast<uint64_t>(units);
                const double fraction = units - static_cast<double>(whole);
                if (std::fabs(fraction - 0.5) > 1e-3) {
                    if (fraction > 0.5) ++whole;
                    if (whole != 0 || !HasZeroSection(*FCompiled)) {
                        EmitScaled(out, *s, whole, minus && whole != 0);
                        return;
                    }
                }
            }
        }
    }
    Append(out, TDecimal::FromDouble(value));
}

std::string FormatFloat(std::string_view pattern, double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    return FormatDecimal(pattern, TDecimal::FromDouble(value));
}

std::string FormatInt64(std::string_view pattern, int64_t value) {
    return FormatDecimal(pattern, TDecimal::FromInt64(value));
}

void AppendInteger(std::string& out, int64_t value) {
    char buf[24];
    char* const end = buf + sizeof buf;
    char* p = DigitsOfBackwards(end, value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    if (value < 0) *--p = '-';
    AppendShort(out, p, static_cast<size_t>(end - p));
}

void AppendGeneralForm(std::string& out, double value, char decimalSeparator) {
    uint64_t scaled;
    int decimals;
    if (value == 0 || !ScaledDigits(std::fabs(value), scaled, decimals)) {
        out += GeneralForm(TDecimal::FromDouble(value), decimalSeparator);
        return;
    }
    // At most 14 digits, the point within four places of the end: the fixed form of the
    // significant digits, with "0" before the point of a value below one.
    char buf[32];
    char* const end = buf + sizeof buf;
    char* p = end;
    // ScaledDigits leaves no trailing zero among the decimals.
    if (decimals > 0) {
        uint64_t fraction;
        scaled = SplitUnits(scaled, decimals, fraction);
        p = FixedDigitsBackwards(p, fraction, decimals);
        *--p = decimalSeparator;
    }
    p = DigitsOfBackwards(p, scaled);
    if (value < 0) *--p = '-';
    AppendShort(out, p, static_cast<size_t>(end - p));
}

std::string FloatToStr(double value) { return FormatFloat("", value); }

}  // namespace ostrel
