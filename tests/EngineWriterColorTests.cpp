// The output writer's bytes and padding, and the colour text.
#include "TestSupport.h"
#include "engine/IB_OstrelColor.h"
#include "engine/IB_OstrelWriter.h"

namespace ostrel::test {
namespace {

TEST(Writer, PaddingNeverTruncatesAndCountsCharacters) {
    EXPECT_EQ(TOstrelWriter::PadCenter("ab", '*', 7), "**ab***");
    EXPECT_EQ(TOstrelWriter::PadCenter("ab", '*', 6), "**ab**");
    EXPECT_EQ(TOstrelWriter::PadCenter("ab", '*', 1), "ab");
    EXPECT_EQ(TOstrelWriter::PadLeft("12", ' ', 5), "   12");
    EXPECT_EQ(TOstrelWriter::PadRight("abcdef", ' ', 3), "abcdef");
    EXPECT_EQ(TOstrelWriter::PadRight("ab", '.', 4), "ab..");
    EXPECT_EQ(TOstrelWriter::PadLeft("x", ' ', -3), "x");
    // A UTF-8 letter is one character wide.
    EXPECT_EQ(TOstrelWriter::PadRight("Łü", '_', 4), "Łü__");
    EXPECT_EQ(TOstrelWriter::PadLeft("東", ' ', 3), "  東");
}

TEST(Writer, LinesAreExactBytes) {
    TMemoryStream m;
    {
        TOstrelWriter w(m);
        w.CharLine('-', 80);
        EXPECT_EQ(m.Size(), 82);
        w.WriteLn("");
        w.EmptyLine();
        w.CharLine('=', 0);
        w.Write("a");
        w.WriteLn("b");
        EXPECT_EQ(w.AlignToStr(ecaLeft), "Left alignment");
        EXPECT_EQ(w.AlignToStr(ecaCenter), "Center alignment");
        EXPECT_EQ(w.AlignToStr(ecaRight), "Right alignment");
        EXPECT_EQ(w.AlignToStr(static_cast<TOstrelColAlign>(7)), "Unknown alignment");
    }
    EXPECT_EQ(m.Text(), std::string(80, '-') + "\r\n\r\n\r\n\r\nab\r\n");
}

TEST(ColorText, NamesHexAndFailures) {
    EXPECT_EQ(ColorToString(0x00FFFFFF), "clWhite");
    EXPECT_EQ(ColorToString(0x00FFFFFE), "$00FFFFFE");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x8000000F)), "clBtnFace");
    EXPECT_EQ(ColorToString(0x000080FF), "$000080FF");  // orange #FF8000
    EXPECT_EQ(ColorToString(0x00993333), "$00993333");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x80000019)), "$80000019");
    EXPECT_EQ(StringToColor("CLWHITE"), 0x00FFFFFF);
    EXPECT_EQ(StringToColor("$00993333"), 0x00993333);
    EXPECT_EQ(StringToColor("16777215"), 0x00FFFFFF);
    EXPECT_EQ(StringToColor("$8000000F"), static_cast<TColor>(0x8000000F));
    EXPECT_EQ(StringToColor("-1"), -1);
    EXPECT_EQ(StringToColor("cl3ddkshadow"), static_cast<TColor>(0x80000015));
    try {
        StringToColor("#FFFFFF");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'#FFFFFF' is not a valid integer value");
    }
    TColor c = 0;
    EXPECT_FALSE(IdentToColor("clLightGreen", c));
    EXPECT_TRUE(IdentToColor("clinfobk", c));
    EXPECT_EQ(c, static_cast<TColor>(0x80000018));
    // Every name and every hexadecimal form reads back to what was written.
    for (uint32_t v : {0x0u, 0x123456u, 0x80000000u, 0x80000018u, 0x1FFFFFFFu, 0xFFFFFFFFu})
        EXPECT_EQ(StringToColor(ColorToString(static_cast<TColor>(v))), static_cast<TColor>(v));
}

}  // namespace
}  // namespace ostrel::test
