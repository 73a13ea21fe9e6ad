// Reading integers, numbers and date-times in the locale, with the exact failure messages.
#include <ctime>

#include "TestSupport.h"
#include "platform/Parsers.h"

namespace ostrel::test {
namespace {

TEST(IntegerParser, DecimalHexAndRange) {
    int32_t v = 0;
    EXPECT_TRUE(TryStrToInt("12", v) && v == 12);
    EXPECT_TRUE(TryStrToInt("  -5", v) && v == -5);
    EXPECT_TRUE(TryStrToInt("+7", v) && v == 7);
    EXPECT_TRUE(TryStrToInt("$FF", v) && v == 255);
    EXPECT_TRUE(TryStrToInt("$ff", v) && v == 255);
    EXPECT_TRUE(TryStrToInt("0x10", v) && v == 16);
    EXPECT_TRUE(TryStrToInt("$FFFFFFFF", v) && v == -1);  // eight digits keep the sign bit
    EXPECT_TRUE(TryStrToInt("-2147483648", v) && v == INT32_MIN);
    EXPECT_TRUE(TryStrToInt("2147483647", v) && v == INT32_MAX);
    for (const char* bad : {"2147483648", "-2147483649", "1.5", "", " ", "12 ", "x", "$", "0x",
                            "$1FFFFFFFF", "--1", "1e3"})
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    int64_t w = 0;
    EXPECT_TRUE(TryStrToInt64("9223372036854775807", w) && w == INT64_MAX);
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", w) && w == INT64_MIN);
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", w));
    EXPECT_EQ(StrToIntDef("abc", 42), 42);
    try {
        StrToInt("#FFFFFF");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'#FFFFFF' is not a valid integer value");
    }
}

TEST(FloatParser, LocaleDecimalSeparator) {
    double v = 0;
    {
        TFormatSettingsScope us(UsSettings());
        EXPECT_TRUE(TryStrToFloat("1234.5", v) && v == 1234.5);
        EXPECT_TRUE(TryStrToFloat(" -2.5 ", v) && v == -2.5);
        EXPECT_TRUE(TryStrToFloat("1e3", v) && v == 1000);
        EXPECT_TRUE(TryStrToFloat(".5", v) && v == 0.5);
        EXPECT_TRUE(TryStrToFloat("5.", v) && v == 5);
        EXPECT_TRUE(TryStrToFloat("1.5E-2", v) && v == 0.015);
        for (const char* bad : {"1,234.5", "1234,5", ".", "", "abc", "1e", "1e+", "1.2.3", "inf", "nan",
                                "1e999", "- 1"})
            EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    }
    TFormatSettingsScope de(GermanSettings());
    EXPECT_TRUE(TryStrToFloat("1234,5", v) && v == 1234.5);
    EXPECT_FALSE(TryStrToFloat("1234.5", v));
    try {
        StrToFloat("1.5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1.5' is not a valid floating point value");
    }
}

TEST(FloatParser, DecimalReadingKeepsEveryDigit) {
    TFormatSettingsScope us(UsSettings());
    TDecimal d = StrToDecimal("00123456789012345678.2500");
    EXPECT_FALSE(d.Negative);
    EXPECT_EQ(d.Digits, "12345678901234567825");
    EXPECT_EQ(d.Exponent, 18);
    d = StrToDecimal("-0.0012e2");
    EXPECT_TRUE(d.Negative);
    EXPECT_EQ(d.Digits, "12");
    EXPECT_EQ(d.Exponent, 0);  // 0.12
    EXPECT_TRUE(StrToDecimal("0.000").IsZero());
    EXPECT_THROW(StrToDecimal("12a"), EConvertError);
}

TEST(DateTimeParser, MonthDayYearLocale) {
    TFormatSettingsScope us(UsSettings());
    EXPECT_EQ(StrToDateTime("2/1/2003"), EncodeDate(2003, 2, 1));
    EXPECT_EQ(StrToDateTime("2/1/2003 2:05:09 PM"), EncodeDate(2003, 2, 1) + EncodeTime(14, 5, 9, 0));
    EXPECT_EQ(StrToDateTime("2/1/2003 12:00 AM"), EncodeDate(2003, 2, 1));
    EXPECT_EQ(StrToDateTime("14:05"), EncodeTime(14, 5, 0, 0));
    EXPECT_EQ(StrToDateTime("10:30:15.5"), EncodeTime(10, 30, 15, 500));
    EXPECT_EQ(StrToDateTime("PM 3:00"), EncodeTime(15, 0, 0, 0));
    TDateTime v;
    for (const char* bad : {"", "2/30/2003", "13/1/2003", "2003", "2/1/2003 25:00", "13:00 PM",
                            "2/1/2003 x", "0:00 AM", "1:60", "a/b/c"})
        EXPECT_FALSE(TryStrToDateTime(bad, v)) << bad;
    try {
        StrToDateTime("31/31/2003");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'31/31/2003' is not a valid date and time");
    }
}

TEST(DateTimeParser, DayMonthYearLocaleAndCenturyWindow) {
    TFormatSettingsScope de(GermanSettings());
    EXPECT_EQ(StrToDateTime("01.02.2003"), EncodeDate(2003, 2, 1));
    EXPECT_EQ(StrToDateTime("1.2.2003 14:05:09"), EncodeDate(2003, 2, 1) + EncodeTime(14, 5, 9, 0));
    EXPECT_EQ(StrToDateTime("10:30:15,250"), EncodeTime(10, 30, 15, 250));
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    const int year = tm.tm_year + 1900;
    // Two-digit years fall within 50 years of now.
    TDateParts p = DecodeDateTime(StrToDateTime("01.01.00"));
    EXPECT_GE(p.Year, year - 50);
    EXPECT_LT(p.Year, year + 50);
    EXPECT_EQ(p.Year % 100, 0);
    // A date without its year is in the current year.
    p = DecodeDateTime(StrToDateTime("24.12"));
    EXPECT_EQ(p.Year, year);
    TFormatSettings ymd = GermanSettings();
    ymd.ShortDateFormat = "yyyy/mm/dd";
    ymd.DateSeparator = '-';
    TFormatSettingsScope iso(ymd);
    EXPECT_EQ(StrToDateTime("2003-02-01"), EncodeDate(2003, 2, 1));
}

}  // namespace
}  // namespace ostrel::test
