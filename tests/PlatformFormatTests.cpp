// Number and date-time patterns, in a point/comma and a comma/point locale.
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

#include "TestSupport.h"
#include "platform/DateTimeFormat.h"
#include "platform/NumberFormat.h"

namespace ostrel::test {
namespace {

TEST(NumberPatterns, DefaultPatternsInBothLocales) {
    {
        TFormatSettingsScope us(UsSettings());
        EXPECT_EQ(FormatInt64("#,###,##0", 1234567), "1,234,567");
        EXPECT_EQ(FormatFloat("#,###,##0.00", 1234.5), "1,234.50");
        EXPECT_EQ(FormatFloat("#,###,##0.00", 0.004), "0.00");
        EXPECT_EQ(FormatInt64("#,###,##0", 0), "0");
        EXPECT_EQ(FormatFloat("#,###,##0.00", -1234.5), "-1,234.50");
        EXPECT_EQ(FormatFloat("00.00$", 5.5), "05.50$");
    }
    {
        TFormatSettingsScope de(GermanSettings());
        EXPECT_EQ(FormatInt64("#,###,##0", 1234567), "1.234.567");
        EXPECT_EQ(FormatFloat("#,###,##0.00", 1234.5), "1.234,50");
        EXPECT_EQ(FormatFloat("#,###,##0.00", 0.004), "0,00");
        EXPECT_EQ(FormatFloat("00.00€", 12.345), "12,35€");
    }
}

TEST(NumberPatterns, PlaceholdersAndDecimalPoint) {
    TFormatSettingsScope us(UsSettings());
    EXPECT_EQ(FormatFloat("0.000", 2.5), "2.500");
    EXPECT_EQ(FormatFloat("#.##", 1), "1");
    EXPECT_EQ(FormatFloat("#.##", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.0#", 1.456), "1.46");
    EXPECT_EQ(FormatFloat("0.0#", 1), "1.0");
    EXPECT_EQ(FormatFloat("#", 0), "");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("0", 123456), "123456");
    EXPECT_EQ(FormatFloat(".00", 12.5), "12.50");
    EXPECT_EQ(FormatFloat("00-00", 1234), "12-34");
    EXPECT_EQ(FormatFloat("#,##0", 999), "999");
    EXPECT_EQ(FormatFloat("#,##0", 1000), "1,000");
    EXPECT_EQ(FormatFloat("0,", 1000000), "1,000,000");  // grouping anywhere in the section
}

TEST(NumberPatterns, RoundingOnDecimalDigits) {
    TFormatSettingsScope us(UsSettings());
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.01");
    EXPECT_EQ(FormatFloat("0", 0.5), "1");
    EXPECT_EQ(FormatFloat("0", -0.5), "-1");
    EXPECT_EQ(FormatFloat("0.00", 9.999), "10.00");
    EXPECT_EQ(FormatFloat("0.00", -0.001), "0.00");  // no minus on a value shown as zero
    EXPECT_EQ(FormatFloat("#,##0", 1e18), "1,000,000,000,000,000,000");
    // 64-bit integers keep every digit.
    EXPECT_EQ(FormatInt64("#,##0", INT64_MAX), "9,223,372,036,854,775,807");
    EXPECT_EQ(FormatInt64("0", INT64_MIN), "-9223372036854775808");
}

TEST(NumberPatterns, Sections) {
    TFormatSettingsScope us(UsSettings());
    const char* p = "0.00;(0.00);'zero'";
    EXPECT_EQ(FormatFloat(p, 5), "5.00");
    EXPECT_EQ(FormatFloat(p, -5), "(5.00)");
    EXPECT_EQ(FormatFloat(p, 0), "zero");
    EXPECT_EQ(FormatFloat(p, 0.001), "zero");
    EXPECT_EQ(FormatFloat("0;-0", -3), "-3");
    EXPECT_EQ(FormatFloat("0;", -3), "-3");  // an empty negative section falls back to the first
    EXPECT_EQ(FormatFloat("0.0;;\"nil\"", 0), "nil");
    EXPECT_EQ(FormatFloat("0';'x", 3), "3;x");  // a quoted semicolon is text
}

TEST(NumberPatterns, ScientificAndLiterals) {
    TFormatSettingsScope us(UsSettings());
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1.23E+03");
    EXPECT_EQ(FormatFloat("0.00E+00", 0.0012345), "1.23E-03");
    EXPECT_EQ(FormatFloat("0.0E-0", 12000), "1.2E4");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00012), "1.2E-4");
    EXPECT_EQ(FormatFloat("0.0e+000", 5), "5.0e+000");
    EXPECT_EQ(FormatFloat("0.00E+00", 0), "0.00E+00");
    EXPECT_EQ(FormatFloat("00.0E+0", 1234), "12.3E+2");
    EXPECT_EQ(FormatFloat("'Total: '#,##0", 1234), "Total: 1,234");
    EXPECT_EQ(FormatFloat("\"#\"0", 5), "#5");
    EXPECT_EQ(FormatFloat("0 kg", 5), "5 kg");
    // A pattern without placeholders still shows the value.
    EXPECT_EQ(FormatFloat("'unterminated", 5), "unterminated5");
}

// The digits of a double as its shortest text gives them, rounded to 15 significant digits.
std::string ShortestDigits(double v) {
    char buf[64];
    *std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::scientific).ptr = '\0';
    std::string digits;
    const char* p = buf + (buf[0] == '-');
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    int exponent = std::atoi(p + 1) + 1;
    TDecimal d{v < 0, digits, exponent};
    if (digits.size() > 15) d = d.RoundedToSignificant(15);
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    return (d.Negative ? "-" : "") + d.Digits + "e" + std::to_string(d.Exponent);
}

TEST(NumberPatterns, DecimalDigitsOfDoubles) {
    uint64_t state = 42;
    auto next = [&] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
    std::vector<double> values = {0.1, 0.05, 1e-4, 9999999999.9999, 9999999999.99999, 1e10, 123456789.1234,
                                  0.30000000000000004, 1.0 / 3, 45067.67, -7861.1805, 2.5, 1e15, 1e-5};
    for (int i = 0; i < 200000; ++i) {
        const int k = static_cast<int>(next() >> 60) % 6;
        const double n = static_cast<double>((next() >> 11) % 100000000000000ULL);
        values.push_back((i % 2 ? -1 : 1) * n / std::pow(10.0, k + (i % 7)));
        double raw;
        const uint64_t bits = next();
        std::memcpy(&raw, &bits, 8);
        if (std::isfinite(raw)) values.push_back(raw);
    }
    for (double v : values) {
        const TDecimal d = TDecimal::FromDouble(v);
        ASSERT_EQ((d.Negative ? "-" : "") + d.Digits + "e" + std::to_string(d.Exponent), ShortestDigits(v)) << v;
    }
}

// A pattern compiled once, and the general form, format whole numbers and doubles straight from
// their binary value; every text must be the one the decimal-digit path gives, above all next
// to a rounding edge (x.xx5 written, x.xx4999... or x.xx5000...1 stored) and past the range
// the direct way takes.
TEST(NumberPatterns, CompiledPatternsAndTheGeneralFormGiveTheDigitPathsTexts) {
    uint64_t state = 7;
    auto next = [&] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
    std::vector<double> doubles = {0.0, -0.0, 0.5, -0.5, 0.005, 0.015, 1.005, 2.675, 1.115, -1.125, 0.045,
                                   99999999.995, 1e-9, 4.9e-324, 1e300, -1e300, 1e11, 9.999999999e10,
                                   std::nan(""), INFINITY, -INFINITY, 0.30000000000000004, 123456.789012345678};
    std::vector<int64_t> integers = {0, 1, -1, 9, 10, 999, 1000, -1000000, INT64_MAX, INT64_MIN, 1000000000000000000,
                                     -999999999999999999};
    for (int i = 0; i < 20000; ++i) {
        // Halves at each place and their binary neighbours.
        const int places = static_cast<int>(next() >> 61);
        const double half = (static_cast<double>((next() >> 20) % 20000000) + 0.5) / std::pow(10.0, places);
        doubles.insert(doubles.end(), {half, -half, std::nextafter(half, 0.0), std::nextafter(half, 1e300)});
        doubles.push_back(static_cast<double>(static_cast<int64_t>(next() >> 16)) / std::pow(10.0, places + 4));
        double raw;
        const uint64_t bits = next();
        std::memcpy(&raw, &bits, 8);
        doubles.push_back(raw);
        integers.push_back(static_cast<int64_t>(next()) >> (next() >> 58));
    }
    // The general form of a double, as SQL and DIF write it; within 1E-4 .. 1E10 and up to 15
    // digits, the shortest fixed text the standard library finds, so that the quick way for a
    // few decimals is checked against a reader of its own. Values of up to four decimals, and
    // their binary neighbours, the most often.
    for (int i = 0; i < 20000; ++i) {
        const double few =
            static_cast<double>(next() >> 20 >> (next() >> 59)) / std::pow(10.0, static_cast<int>(next() >> 61) % 5);
        doubles.insert(doubles.end(), {few, -few, std::nextafter(few, 0.0), std::nextafter(few, 1e300)});
    }
    for (double v : doubles) {
        const double magnitude = std::fabs(v);
        if (!(magnitude >= 1e-4 && magnitude < 1e10)) continue;
        char text[64];
        const char* const end = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed).ptr;
        const std::string shortest(text, static_cast<size_t>(end - text));
        std::string digits;
        for (char c : shortest)
            if (c >= '0' && c <= '9') digits += c;
        if (digits.size() - digits.find_first_not_of('0') > 15) continue;  // rounded to 15 digits
        std::string out;
        AppendGeneralForm(out, v, '.');
        ASSERT_EQ(out, shortest) << v;
    }
    for (double v : doubles)
        for (char separator : {'.', ','}) {
            std::string out = "x";
            AppendGeneralForm(out, v, separator);
            ASSERT_EQ(out, "x" + GeneralForm(TDecimal::FromDouble(v), separator)) << v;
        }
    const char* patterns[] = {"0", "0.00", "#,##0.00", "#,###,##0", "00.00$", "0.####", "#.##", "#", "0.0#",
                              "0;(0)", "0.00;(0.00);'zero'", "#,##0.000000000", "'x'0.0\"y\"", "", "0.00E+00",
                              "0.000000000", "000000.0", ".00", "#,##0;-#,##0;", "0.00%",
                              // Grouped required zeros; one to five decimal places.
                              "#,##0000000", "#,##0.0", "0.000", "0.0000", "#,##0.00000",
                              // Longer than the stack buffers: leading zeros, decimals, literals.
                              "000000000000000000000000000000", "#,##0.000000000000000000", "#,#00.0",
                              "\"EUR \"#,##0.00\" net of tax and every other charge\"",
                              "'a prefix longer than the room the digits leave in a buffer of one hundred and "
                              "sixty bytes, so that it is appended on its own, as it is, before them: '#,##0.00"};
    TFormatSettings wide = GermanSettings();
    wide.ThousandSeparator = "\u202f";  // a narrow no-break space, three bytes
    TFormatSettings wider = UsSettings();
    wider.ThousandSeparator = "<sep>";
    for (const auto& settings : {UsSettings(), GermanSettings(), wide, wider}) {
        TFormatSettingsScope scope(settings);
        for (const char* text : patterns) {
            const TNumberPattern pattern(text);
            std::string direct, digits;
            for (double v : doubles) {
                direct.clear();
                pattern.AppendDouble(direct, v);
                ASSERT_EQ(direct, FormatDecimal(text, TDecimal::FromDouble(v))) << text << " " << v;
            }
            for (int64_t v : integers) {
                direct.clear();
                pattern.AppendInt64(direct, v);
                ASSERT_EQ(direct, FormatInt64(text, v)) << text << " " << v;
            }
            // Appended after what the buffer holds.
            digits = "ab";
            pattern.Append(digits, TDecimal::FromInt64(5));
            EXPECT_EQ(digits, "ab" + FormatInt64(text, 5));
        }
    }
}

TEST(NumberPatterns, GeneralForm) {
    {
        TFormatSettingsScope us(UsSettings());
        EXPECT_EQ(FloatToStr(1.5), "1.5");
        EXPECT_EQ(FloatToStr(-0.25), "-0.25");
        EXPECT_EQ(FloatToStr(100), "100");
        EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
        EXPECT_EQ(FloatToStr(1e20), "1E20");
        EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
        EXPECT_EQ(FloatToStr(0.0001), "0.0001");
        EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
        EXPECT_EQ(FloatToStr(0), "0");
        EXPECT_EQ(FormatInt64("", 123456789012345678), "123456789012345678");
    }
    TFormatSettingsScope de(GermanSettings());
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FormatFloat("", 2.25), "2,25");
    // Whole numbers in the scripts' plain form, at every length and both ends of the range.
    std::vector<int64_t> wholes = {0, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()};
    for (int64_t p = 1;; p *= 10) {
        for (const int64_t v : {p - 1, p, p + 1}) wholes.insert(wholes.end(), {v, -v});
        if (p == 1000000000000000000) break;  // the last power of ten an int64_t holds
    }
    for (const int64_t v : wholes) {
        std::string out = "x";
        AppendInteger(out, v);
        EXPECT_EQ(out, "x" + std::to_string(v));
    }
}

class DateTimePatterns : public ::testing::Test {
protected:
    // Saturday, 1 February 2003, 14:05:09.007
    TDateTime Value = EncodeDate(2003, 2, 1) + EncodeTime(14, 5, 9, 7);
};

TEST_F(DateTimePatterns, CalendarArithmetic) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
    TDateParts p = DecodeDateTime(Value);
    EXPECT_EQ(p.Year, 2003);
    EXPECT_EQ(p.Month, 2);
    EXPECT_EQ(p.Day, 1);
    EXPECT_EQ(p.Hour, 14);
    EXPECT_EQ(p.Minute, 5);
    EXPECT_EQ(p.Second, 9);
    EXPECT_EQ(p.MSec, 7);
    EXPECT_EQ(DayOfWeek(Value), 7);
    // Before 1899 the date counts backwards and the time forwards.
    p = DecodeDateTime(-1.25);
    EXPECT_EQ(p.Day, 29);
    EXPECT_EQ(p.Hour, 6);
    for (int y : {1, 1600, 1900, 2000, 2024, 9999})
        for (int m = 1; m <= 12; ++m) {
            TDateParts q = DecodeDateTime(EncodeDate(y, m, 28));
            ASSERT_EQ(q.Year * 10000 + q.Month * 100 + q.Day, y * 10000 + m * 100 + 28);
        }
    EXPECT_FALSE(IsValidDate(2003, 2, 29));
    EXPECT_TRUE(IsValidDate(2004, 2, 29));
    // Every day of a leap and a common year, both ways.
    for (TDateTime d = EncodeDate(2003, 12, 31); d <= EncodeDate(2005, 1, 1); d += 1) {
        const TDateParts q = DecodeDateTime(d);
        ASSERT_EQ(EncodeDate(q.Year, q.Month, q.Day), d);
    }
    // Every day of the calendar, from 1/1/1 to 12/31/9999, decodes to a valid date that encodes
    // back to it.
    for (TDateTime d = EncodeDate(1, 1, 1); d <= EncodeDate(9999, 12, 31); d += 1) {
        const TDateParts q = DecodeDateTime(d);
        ASSERT_TRUE(IsValidDate(q.Year, q.Month, q.Day)) << d;
        ASSERT_EQ(EncodeDate(q.Year, q.Month, q.Day), d);
    }
    // And the days past 9999 that values up to 3,000,000 reach.
    for (TDateTime d = EncodeDate(9999, 12, 31); d <= 3e6; d += 1) {
        const TDateParts q = DecodeDateTime(d);
        ASSERT_TRUE(q.Month >= 1 && q.Month <= 12 && q.Day >= 1 && q.Day <= 31) << d;
        ASSERT_EQ(EncodeDate(q.Year, q.Month, q.Day), d);
    }
    // The short cut to the parts' value agrees with decoding and encoding, also around
    // midnight, before 1899 and outside the calendar.
    for (TDateTime v : {0.0, 0.5, 37653.586909722224, 37653.999999999, 36585.99999421, -1.25, -693593.5,
                        -700000.75, 2958465.9999999, 5e6, -0.0000001}) {
        SCOPED_TRACE(v);
        const TDateParts q = DecodeDateTime(v);
        const TDateTime date = EncodeDate(q.Year, q.Month, q.Day), time = EncodeTime(q.Hour, q.Minute, q.Second, 0);
        EXPECT_EQ(RoundedToParts(v, TDateTimePart::Date), date);
        EXPECT_EQ(RoundedToParts(v, TDateTimePart::Time), time);
        EXPECT_EQ(RoundedToParts(v, TDateTimePart::Both), ComposeDateTime(date, time));
    }
}

// A pattern compiled once gives AppendDateTime's text for every value, the direct forms
// (numbers, separators, am/pm, literals) and the rest (names, nested locale patterns) alike.
TEST_F(DateTimePatterns, CompiledPatternsGiveTheSameTexts) {
    uint64_t state = 11;
    auto next = [&] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
    std::vector<TDateTime> values = {0, -0.5, -1.25, 2958465.99999999, -693593, 1e7, -1e7, std::nan(""), Value,
                                     EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999), EncodeDate(1, 1, 1)};
    for (int i = 0; i < 20000; ++i)
        values.push_back(static_cast<double>(static_cast<int64_t>(next() >> 40) % 3000000) +
                         static_cast<double>(next() >> 11) / 9007199254740992.0);
    const char* patterns[] = {"m/d/yyyy h:nn AMPM", "yyyy-mm-dd", "yyyy-mm-dd hh:nn:ss", "d.m.yy h:n:s.z",
                              "hh:nn:ss.zzz am/pm", "h a/p", "'at' yy \"o'clock\" hh", "mmm ddd", "mmmm dddd",
                              "c", "", "ddddd t", "dddddd tt", "yyyyy mmmmm ddddddd", "/:",
                              "yyy-m-d h:n:s z", "yy/mm/dd HH.NN.SS.ZZZ", "d", "zz"};
    for (const auto& settings : {UsSettings(), GermanSettings()}) {
        TFormatSettingsScope scope(settings);
        for (const char* text : patterns) {
            const TDateTimePattern pattern(text);
            std::string out;
            for (TDateTime v : values) {
                out.clear();
                pattern.Append(out, v);
                ASSERT_EQ(out, FormatDateTime(text, v)) << text << " " << v;
            }
        }
    }
}

// The one-append ISO form against the date and time writers, also outside the usual years.
// Values split as the calendar reads them give what their composed TDateTime gives: the same
// parts, pattern texts and ISO forms; outside the calendar they are not split.
TEST_F(DateTimePatterns, SplitValuesAreTheirComposedValues) {
    std::vector<TDateTime> values = {0, -0.25, 0.25, -1.25, 1e-12, -1e-12, 0.99999999999, -0.99999999999, 45000.5,
                                     2958465.99999, 3e6, -693593, -693593.5, 36525 + 86399.9996 / 86400};
    uint64_t state = 7;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        const double day = std::floor(-693593 + unit * 3693593);
        // Whole days, fractions near both ends of the day, and any fraction.
        values.insert(values.end(), {day, day + unit, day + 0.9999999 + unit * 1e-7, day + unit * 1e-8});
    }
    const std::vector<std::string> patterns = {"yyyy-mm-dd hh:nn:ss.zzz", "m/d/yy h:n:s am/pm", "dd.mm.yyyy", "c",
                                               "hh:nn", "ddd d mmm yyyy"};
    std::vector<TDateTimePattern> compiled(patterns.begin(), patterns.end());
    int split = 0;
    for (const TDateTime v : values) {
        for (const TDateTimePart part : {TDateTimePart::Date, TDateTimePart::Time, TDateTimePart::Both}) {
            TSplitDateTime s;
            const TDateTime rounded = RoundedToParts(v, part);
            if (!SplitRoundedToParts(v, part, s)) {
                EXPECT_TRUE(v < -693593 || v >= 3e6) << v;
                continue;
            }
            ++split;
            ASSERT_EQ(ComposeSplit(s), rounded) << v;
            const TDateParts a = DecodeDateTime(rounded), b = DecodeSplit(s);
            ASSERT_EQ(std::tie(a.Year, a.Month, a.Day, a.Hour, a.Minute, a.Second, a.MSec),
                      std::tie(b.Year, b.Month, b.Day, b.Hour, b.Minute, b.Second, b.MSec))
                << v;
            std::string composed, fromSplit;
            for (const TDateTimePattern& p : compiled) {
                p.Append(composed, rounded);
                p.AppendSplit(fromSplit, s);
            }
            AppendIsoDateTime(composed, rounded, true, true, ' ', '\'');
            AppendIsoDateTime(fromSplit, s, true, true, ' ', '\'');
            ASSERT_EQ(fromSplit, composed) << v;
        }
    }
    EXPECT_GT(split, 200000);
}

TEST_F(DateTimePatterns, IsoFormsInOneAppendAreTheDateAndTimeWriters) {
    uint64_t state = 5;
    auto next = [&] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
    std::vector<TDateTime> values = {0, -0.5, -1.25, 2958465.99999999, 2958466.5, 3e6, -693593, -693594.25, 1e7,
                                     std::nan(""), EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999),
                                     EncodeDate(1, 1, 1) + EncodeTime(0, 0, 0, 1)};
    for (int i = 0; i < 5000; ++i)
        values.push_back(static_cast<double>(static_cast<int64_t>(next() >> 40) % 6000000) - 3000000 +
                         static_cast<double>(next() >> 11) / 9007199254740992.0);
    for (TDateTime v : values)
        for (int shown = 1; shown <= 3; ++shown) {
            const bool date = shown & 1, time = shown & 2;
            const TDateParts parts = DecodeDateTime(v);
            std::string datePart, timePart;
            if (date) AppendIsoDate(datePart, parts);
            if (time) AppendIsoTime(timePart, parts);
            for (const char between : {' ', 'T'})
                for (const char quote : {'\'', '\0'}) {
                    std::string expected = "x";
                    if (quote) expected += quote;
                    expected += datePart;
                    if (date && time) expected += between;
                    expected += timePart;
                    if (quote) expected += quote;
                    std::string out = "x";
                    AppendIsoDateTime(out, v, date, time, between, quote);
                    ASSERT_EQ(out, expected) << v << " " << shown;
                }
        }
}

TEST_F(DateTimePatterns, DateElements) {
    TFormatSettingsScope us(UsSettings());
    EXPECT_EQ(FormatDateTime("d/m/yy", Value), "1/2/03");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", Value), "01/02/2003");
    EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", Value), "Sat Saturday Feb February");
    EXPECT_EQ(FormatDateTime("DD-MM-YYYY", Value), "01-02-2003");
    EXPECT_EQ(FormatDateTime("ddddd", Value), "2/1/2003");
    EXPECT_EQ(FormatDateTime("dddddd", Value), "Saturday, February 1, 2003");
    TFormatSettingsScope de(GermanSettings());
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", Value), "01.02.2003");
    EXPECT_EQ(FormatDateTime("dddd, d. mmmm", Value), "Samstag, 1. Februar");
    EXPECT_EQ(FormatDateTime("ddddd", Value), "01.02.2003");
}

TEST_F(DateTimePatterns, TimeElements) {
    TFormatSettingsScope us(UsSettings());
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Value), "14:05:09.007");
    EXPECT_EQ(FormatDateTime("h:n:s.z", Value), "14:5:9.7");
    EXPECT_EQ(FormatDateTime("hh:mm", Value), "14:05");  // m after h is the minute
    EXPECT_EQ(FormatDateTime("hh:mm am/pm", Value), "02:05 pm");
    EXPECT_EQ(FormatDateTime("h AM/PM", Value), "2 PM");
    EXPECT_EQ(FormatDateTime("h Am/Pm", Value), "2 Pm");
    EXPECT_EQ(FormatDateTime("h a/p", Value), "2 p");
    EXPECT_EQ(FormatDateTime("h ampm", Value), "2 PM");
    EXPECT_EQ(FormatDateTime("t", Value), "2:05 PM");
    EXPECT_EQ(FormatDateTime("tt", Value), "2:05:09 PM");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 30, 0, 0)), "12:30 am");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(12, 0, 0, 0)), "12:00 pm");
    TFormatSettingsScope de(GermanSettings());
    EXPECT_EQ(FormatDateTime("t", Value), "14:05");
    EXPECT_EQ(FormatDateTime("tt", Value), "14:05:09");
}

TEST_F(DateTimePatterns, CombinedLiteralsAndSeparators) {
    TFormatSettings s = UsSettings();
    s.DateSeparator = '-';
    s.TimeSeparator = '.';
    TFormatSettingsScope scope(s);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", Value), "2003-02-01 14.05");
    EXPECT_EQ(FormatDateTime("'yyyy' \"hh\"", Value), "yyyy hh");
    EXPECT_EQ(FormatDateTime("c", Value), "2-1-2003 2.05.09 PM");
    EXPECT_EQ(FormatDateTime("", Value), "2-1-2003 2.05.09 PM");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2003, 2, 1)), "2-1-2003");  // no time at midnight
    EXPECT_EQ(FormatDateTime("x#!", Value), "x#!");
}

TEST_F(DateTimePatterns, SelfReferringLocalePatternsEnd) {
    TFormatSettings s = UsSettings();
    s.ShortDateFormat = "ddddd c";
    s.LongTimeFormat = "tt";
    s.ShortTimeFormat = "t";
    TFormatSettingsScope scope(s);
    EXPECT_NO_THROW(FormatDateTime("c ddddd t tt", Value));
}

}  // namespace
}  // namespace ostrel::test
