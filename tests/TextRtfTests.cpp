// RTF documents byte for byte, and the insertions into the written font and colour tables.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelRTF.h"

namespace ostrel::test {
namespace {

class Rtf : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("N", TMemFieldType::Float);
        ds.AddField("T", TMemFieldType::String, 5);
        ds.AppendRow({12.5, "C:\\TEMP"});
        ds.AppendRow({3.0, "a{b}c"});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("doc.rtf"));
        e.Header().SetText("H");
        e.Footer().SetText("F");
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("doc.rtf"));
    }
    // The cell boundary of the columns: 36 + 15 * width * pixels of "k" + 10 per column.
    std::string CellX(int width1, int width2) {
        const int k = FontMetrics().TextWidth(e.Options().HeaderFont, "k");
        const int x1 = 36 + 15 * width1 * k + 10;
        const int x2 = x1 + 15 * width2 * k + 10;
        const std::string border = "\\clbrdrl\\brdrth \\clbrdrr\\brdrth \\clbrdrt\\brdrth \\clbrdrb\\brdrth\r\n";
        return border + "\\cellx" + std::to_string(x1) + "\r\n" + border + "\\cellx" + std::to_string(x2) + "\r\n";
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelRTF e;
};

TEST_F(Rtf, DefaultDocument) {
    EXPECT_EQ(Run(), "{\\rtf1\\ansi\\deff0\\deftab720\r\n{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Arial;}}\r\n"
                     "{\\colortbl\\red0\\green0\\blue0;}\r\n\\f0\\fs20\r\n\\paperw11906\r\n\\paperh16838\r\n"
                     "H\r\n\\par\r\n\\par\r\n\\trowd\\trql\\trgaph0\\trleft36\r\n" +
                         CellX(8, 5) +
                         "\\f0\\fs20\r\n"
                         "\\pard\\intbl\\li30\\ri30{\\b N}\\cell\\pard\\intbl\\li30\\ri30{\\b T}\\cell\\row\r\n"
                         "\\f0\\fs20\r\n"
                         "\\pard\\intbl\\li30\\ri30\\qr{12.50}\\cell\\pard\\intbl\\li30\\ri30\\ql{C:\\\\TEMP}\\cell\\row\r\n"
                         "\\pard\\intbl\\li30\\ri30\\qr{3.00}\\cell\\pard\\intbl\\li30\\ri30\\ql{a\\{b\\}c}\\cell\\row\r\n"
                         "\\pard\r\n\\par\r\n\\par\r\nF\r\n}");
}

TEST_F(Rtf, LandscapeBoldDefaultAndNonAscii) {
    e.Options().PageOrientation = poLandscape;
    e.Options().DefaultFont.Style = fsBold;
    ds.AppendRow({1.0, "Jürgen 東 😀"});
    e.OnGetCellParams = [](TObject*, int, int, const std::string&, TOstrelColAlign&, TFont& font, TColor&) {
        font.Style = 0;  // the default font's bold stays
    };
    const std::string out = Run();
    EXPECT_NE(out.find("\\landscape\r\n\\paperw16838\r\n\\paperh11906\r\n"), std::string::npos);
    EXPECT_NE(out.find("\\qr{\\b 12.50}\\cell"), std::string::npos);
    EXPECT_NE(out.find("{\\b J\\u252?rgen \\u26481? \\u-10179?\\u-8704?}\\cell"), std::string::npos);
}

TEST_F(Rtf, NewColourAndFontAreInsertedIntoTheWrittenTables) {
    e.OnGetCellParams = [](TObject*, int recNo, int colNo, const std::string&, TOstrelColAlign&, TFont& font,
                           TColor& background) {
        if (recNo == 1 && colNo == 0) font.Color = clRed;
        if (recNo == 1 && colNo == 1) font.Name = "Courier New";
        if (recNo == 0 && colNo == 1) background = clYellow;
    };
    const std::string out = Run();
    EXPECT_EQ(out.substr(0, out.find("\\f0\\fs20")),
              "{\\rtf1\\ansi\\deff0\\deftab720\r\n{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Arial;}{\\f2\\fnil Courier New;}}\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green0\\blue0;}\r\n");
    EXPECT_NE(out.find("\\pard\\intbl\\li30\\ri30\\cbpat1\\ql{C:\\\\TEMP}\\cell"), std::string::npos);
    EXPECT_NE(out.find("\\qr{\\cf2 3.00}\\cell"), std::string::npos);
    EXPECT_NE(out.find("\\ql{\\f2\\fs20 a\\{b\\}c}\\cell"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 23), "\\pard\r\n\\par\r\n\\par\r\nF\r\n}");
}

TEST_F(Rtf, StoppedRunStillEndsTheDocumentOnce) {
    e.OnExportedRecord = [&](TObject*, int) { e.Abort(); };
    const std::string out = Run();
    EXPECT_EQ(out.substr(out.size() - 23), "\\pard\r\n\\par\r\n\\par\r\nF\r\n}");
    EXPECT_EQ(out.find("3.00"), std::string::npos);
    size_t ends = 0;
    for (size_t at = out.find("\\pard\r\n"); at != std::string::npos; at = out.find("\\pard\r\n", at + 1)) ++ends;
    EXPECT_EQ(ends, 1u);
}

}  // namespace
}  // namespace ostrel::test

namespace ostrel::test {
namespace {

TEST(RtfFailures, AFailedRunKeepsTheWholeDocumentWithItsTables) {
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillNumbered(ds, 5);
    TIB_OstrelRTF e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("f.rtf"));
    int values = 0;
    e.OnGetCellParams = [](TObject*, int, int, const std::string&, TOstrelColAlign&, TFont& font, TColor&) {
        font.Color = clBlue;
    };
    e.OnGetExportText = [&](TObject*, int, std::string&) {
        if (++values == 5) throw EOstrelError("boom");
    };
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("f.rtf")));  // a failed run leaves no file
    // The document itself was still completed: the same failing run into memory.
    struct TMemoryRTF : TIB_OstrelRTF {
        using TIB_OstrelRTF::ExportToStream;
    } m;
    m.SetDataSet(&ds);
    m.OnGetCellParams = e.OnGetCellParams;
    m.OnGetExportText = e.OnGetExportText;
    values = 0;
    TMemoryStream memory;
    EXPECT_THROW(m.ExportToStream(memory), EOstrelError);
    const std::string out = memory.Text();
    EXPECT_EQ(out.substr(0, 29), "{\\rtf1\\ansi\\deff0\\deftab720\r\n");
    EXPECT_NE(out.find("{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"), std::string::npos);
    EXPECT_NE(out.find("{\\cf1 1}\\cell"), std::string::npos);
    EXPECT_EQ(out.back(), '}');
}

}  // namespace
}  // namespace ostrel::test
