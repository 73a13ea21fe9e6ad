// The INI store of the options and template files.
#include "TestSupport.h"
#include "engine/IB_OstrelColor.h"
#include "platform/IniFile.h"

namespace ostrel::test {
namespace {

TEST(IniFile, NewFileLayoutIsExact) {
    TTempDir dir;
    const std::string name = dir.File("classic.htf");
    TIniFile ini(name);
    // The Classic colour template, as the template file stores it.
    ini.WriteString("HTML options", "Background-color", ColorToString(0x00993333));
    ini.WriteString("HTML options", "Font-color", ColorToString(clWhite));
    ini.WriteString("HTML options", "Font-family", "Arial");
    ini.WriteString("HTML options", "LinkColor", ColorToString(0x007DEF69));
    ini.WriteString("HTML options", "VLinkColor", ColorToString(clFuchsia));
    ini.WriteString("HTML options", "ALinkColor", ColorToString(clLime));
    ini.WriteString("Table options", "Header-bgcolor", ColorToString(clRed));
    ini.WriteString("Table options", "Header-color", ColorToString(clWhite));
    ini.WriteString("Table options", "Table-color", ColorToString(clWhite));
    ini.WriteString("Table options", "Even_row-bgcolor", ColorToString(0x00EC7A00));
    ini.WriteString("Table options", "Odd_row-bgcolor", ColorToString(0x00CE6B00));
    ini.WriteString("Table options", "Border-color", ColorToString(clWhite));
    EXPECT_EQ(ReadAll(name),
              "[HTML options]\r\nBackground-color=$00993333\r\nFont-color=clWhite\r\n"
              "Font-family=Arial\r\nLinkColor=$007DEF69\r\nVLinkColor=clFuchsia\r\nALinkColor=clLime\r\n"
              "[Table options]\r\nHeader-bgcolor=clRed\r\nHeader-color=clWhite\r\nTable-color=clWhite\r\n"
              "Even_row-bgcolor=$00EC7A00\r\nOdd_row-bgcolor=$00CE6B00\r\nBorder-color=clWhite\r\n");
}

TEST(IniFile, WritesInPlaceAppendToSectionAndKeepOtherLines) {
    TTempDir dir;
    const std::string name = dir.File("o.ini");
    {
        std::ofstream f(name, std::ios::binary);
        f << "; comment\n[A]\nx=1\n\n[B]\ny=2\n[Mine]\nkeep=me\n";
    }
    TIniFile ini(name);
    ini.WriteString("a", "X", "10");     // replaced in place, case-insensitively
    ini.WriteString("A", "z", "3");      // appended after the last entry of A
    ini.WriteString("C", "w", "4");      // a new section at the end
    EXPECT_EQ(ReadAll(name),
              "; comment\r\n[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[Mine]\r\nkeep=me\r\n[C]\r\nw=4\r\n");
    // Every write reached the file: a second store reads them back.
    TIniFile again(name);
    EXPECT_EQ(again.ReadString("a", "x", ""), "10");
    EXPECT_EQ(again.ReadSections(), (std::vector<std::string>{"A", "B", "Mine", "C"}));
    EXPECT_EQ(again.ReadSection("A"), (std::vector<std::string>{"x", "z"}));
    EXPECT_TRUE(again.ValueExists("MINE", "KEEP"));
    again.EraseSection("b");
    EXPECT_FALSE(TIniFile(name).SectionExists("B"));
    again.DeleteKey("A", "z");
    EXPECT_EQ(TIniFile(name).ReadSection("A"), (std::vector<std::string>{"x"}));
}

TEST(IniFile, ReadingTrimsQuotesLimitsAndDefaults) {
    TTempDir dir;
    const std::string name = dir.File("r.ini");
    {
        std::ofstream f(name, std::ios::binary);
        f << "[S]\r\nq=  \"quoted value\"  \r\ns='single'\r\nhalf=\"open\r\nboth=\"'\r\n"
          << "first=1\r\nFIRST=2\r\nhex=0x1F\r\ndollar=$10\r\nbad=12abc\r\nneg=-3\r\nbool=5\r\n"
          << "eq=a=b\r\nlong=" << std::string(3000, 'x') << "\r\n";
    }
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("s", "Q", "d"), "quoted value");
    EXPECT_EQ(ini.ReadString("S", "s", "d"), "single");
    EXPECT_EQ(ini.ReadString("S", "half", "d"), "\"open");
    EXPECT_EQ(ini.ReadString("S", "both", "d"), "\"'");
    EXPECT_EQ(ini.ReadString("S", "first", "d"), "1");
    EXPECT_EQ(ini.ReadString("S", "eq", "d"), "a=b");
    EXPECT_EQ(ini.ReadString("S", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("Nope", "q", "d"), "d");
    EXPECT_EQ(ini.ReadString("S", "long", "").size(), 2047u);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 7), -3);
    EXPECT_TRUE(ini.ReadBool("S", "bool", false));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
    ini.WriteBool("S", "flag", false);
    ini.WriteInteger("S", "n", -12);
    EXPECT_FALSE(TIniFile(name).ReadBool("S", "flag", true));
    EXPECT_EQ(TIniFile(name).ReadInteger("S", "n", 0), -12);
}

TEST(IniFile, RefusedWriteFailsWithTheFileName) {
    const std::string name = "/nonexistent-ostrel-dir/options.ini";
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("A", "b", "def"), "def");
    try {
        ini.WriteString("A", "b", "c");
        FAIL();
    } catch (const EOstrelError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + name);
    }
    EXPECT_THROW(ini.EraseSection("A"), EOstrelError);
}

}  // namespace
}  // namespace ostrel::test
