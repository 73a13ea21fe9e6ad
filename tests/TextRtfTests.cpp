// RTF documents byte for byte, and the insertions into the written font and colour tables.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "platform/CodePage.h"

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
    // Cell boundary lines at the given positions.
    static std::string Cells(const std::vector<int>& xs) {
        std::string out;
        for (int x : xs)
            out += "\\clbrdrl\\brdrth \\clbrdrr\\brdrth \\clbrdrt\\brdrth \\clbrdrb\\brdrth\r\n\\cellx" +
                   std::to_string(x) + "\r\n";
        return out;
    }
    // The default document with the given cell boundary lines.
    static std::string Document(const std::string& cellX) {
        return "{\\rtf1\\ansi\\deff0\\deftab720\r\n{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Arial;}}\r\n"
               "{\\colortbl\\red0\\green0\\blue0;}\r\n\\f0\\fs20\r\n\\paperw11906\r\n\\paperh16838\r\n"
               "H\r\n\\par\r\n\\par\r\n\\trowd\\trql\\trgaph0\\trleft36\r\n" +
               cellX +
               "\\f0\\fs20\r\n"
               "\\pard\\intbl\\li30\\ri30{\\b N}\\cell\\pard\\intbl\\li30\\ri30{\\b T}\\cell\\row\r\n"
               "\\f0\\fs20\r\n"
               "\\pard\\intbl\\li30\\ri30\\qr{12.50}\\cell\\pard\\intbl\\li30\\ri30\\ql{C:\\\\TEMP}\\cell\\row\r\n"
               "\\pard\\intbl\\li30\\ri30\\qr{3.00}\\cell\\pard\\intbl\\li30\\ri30\\ql{a\\{b\\}c}\\cell\\row\r\n"
               "\\pard\r\n\\par\r\n\\par\r\nF\r\n}";
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelRTF e;
};

// The escaping of a cell's text against the rule stated unit by unit: the text as UTF-16 units,
// a backslash before \ { }, other ASCII as it is, every other unit as \uN? (N signed). Every
// text of up to three bytes from boundary bytes, in UTF-8 and in Windows-1252.
TEST(RtfText, EveryShortByteSequenceIsEscapedByTheRule) {
    const unsigned char bytes[] = {0x00, 0x41, 0x5C, 0x7B, 0x7D, 0x7F, 0x80, 0xA0, 0xBF, 0xC2,
                                   0xC3, 0xDF, 0xE0, 0xE2, 0xED, 0xEF, 0xF0, 0xF4, 0xFF};
    for (const auto& settings : {UsSettings(), [] { TFormatSettings s = UsSettings(); s.CodePage = CP_WINDOWS1252; return s; }()}) {
        TFormatSettingsScope scope(settings);
        ForEachByteText(bytes, 3, [&](const std::string& middle) {
            const std::string text = "a{" + middle + "\\z";
            std::string expected;
            for (char16_t u : ToUtf16(text)) {
                if (u == '\\' || u == '{' || u == '}') expected += '\\';
                if (u < 0x80) expected += static_cast<char>(u);
                else expected += "\\u" + std::to_string(static_cast<int16_t>(u)) + "?";
            }
            ASSERT_EQ(RtfEscape(text), expected) << ::testing::PrintToString(text);
        });
    }
    EXPECT_EQ(RtfEscape("\xC3\xBC{\xE6\x9D\xB1}\xF0\x9F\x98\x80"), "\\u252?\\{\\u26481?\\}\\u-10179?\\u-8704?");
}

TEST_F(Rtf, DefaultDocument) { EXPECT_EQ(Run(), Document(CellX(8, 5))); }

// The text area of an A4 page less the 1800-twip side margins: 8306 twips portrait, 13238
// landscape; one character of bold 10-point Arial is 7 pixels, 105 twips.
TEST_F(Rtf, ARowEndingWithinTheTextAreaKeepsItsWidths) {
    ASSERT_EQ(FontMetrics().TextWidth(e.Options().HeaderFont, "k"), 7);
    e.ColumnsWidth().SetText("N=40\nT=38");  // ends at 36 + 4210 + 4000 = 8246
    EXPECT_EQ(Run(), Document(CellX(40, 38)));
}

TEST_F(Rtf, AWiderRowIsNarrowedInProportionAndNothingElseChanges) {
    ASSERT_EQ(FontMetrics().TextWidth(e.Options().HeaderFont, "k"), 7);
    e.ColumnsWidth().SetText("N=40\nT=39");  // would end at 8351
    EXPECT_EQ(Run(), Document(Cells({4223, 8306})));  // 4210 and 4105 times 8270 / 8315
    e.ColumnsWidth().SetText("N=60\nT=100");  // would end at 16856
    EXPECT_EQ(Run(), Document(Cells({3138, 8306})));  // 6310 and 10510 times 8270 / 16820
}

TEST_F(Rtf, LandscapeGivesAWiderRowTheWiderTextArea) {
    e.Options().PageOrientation = poLandscape;
    e.ColumnsWidth().SetText("N=60\nT=100");
    const std::string out = Run();
    EXPECT_NE(out.find(Cells({4988, 13238})), std::string::npos);  // 6310 and 10510 times 13202 / 16820
    EXPECT_EQ(out.find("\\fs1"), std::string::npos);              // the font keeps its size
}

TEST_F(Rtf, NarrowingKeepsShortColumnsWhole) {
    e.ColumnsWidth().SetText("N=3\nT=200");
    // N keeps its natural 325 twips instead of its share of 126; T takes the rest.
    EXPECT_EQ(Run(), Document(Cells({361, 8306})));
    e.ColumnsWidth().SetText("N=8\nT=200");
    // N would get 322 twips: up to twelve characters a column keeps its natural width (850).
    EXPECT_EQ(Run(), Document(Cells({886, 8306})));
    e.ColumnsWidth().SetText("N=20\nT=200");
    // A wider column shares the narrowing, but keeps twelve characters (1270) at least.
    EXPECT_EQ(Run(), Document(Cells({1306, 8306})));
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

// The body goes straight into the document until a font or colour first appears after the
// tables; then what was written moves aside and the tables are written again before it: the
// document must be the one without the late entry but for the entry and its cell, whether it
// goes to a file or to memory.
TEST(RtfLateEntries, AColourFirstUsedLateRewritesTheTablesBeforeTheWholeBody) {
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillNumbered(ds, 3000);
    struct TMemoryRTF : TIB_OstrelRTF {
        using TIB_OstrelRTF::ExportToStream;
    };
    auto run = [&](bool late, bool toFile) {
        TMemoryRTF e;
        e.SetDataSet(&ds);
        e.OnGetCellParams = [late](TObject*, int recNo, int colNo, const std::string&, TOstrelColAlign&, TFont& font,
                                   TColor&) {
            if (late && recNo == 2500 && colNo == 1) font.Color = clRed;
        };
        if (!toFile) {
            TMemoryStream memory;
            e.ExportToStream(memory);
            return memory.Text();
        }
        e.SetFileName(dir.File("late.rtf"));
        e.DoExecute();
        return ReadAll(dir.File("late.rtf"));
    };
    std::string expected = run(false, true);
    const size_t tableEnd = expected.find("}\r\n", expected.find("{\\colortbl"));
    expected.insert(tableEnd, "\\red255\\green0\\blue0;");
    const size_t cell = expected.find("{row 2501}");
    ASSERT_NE(cell, std::string::npos);
    expected.replace(cell, 10, "{\\cf1 row 2501}");
    EXPECT_EQ(run(true, true), expected);
    EXPECT_EQ(run(true, false), expected);
    EXPECT_EQ(run(false, false), run(false, true));
}

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

namespace ostrel::test {
namespace {

// Many columns: the table's fonts shrink so that six characters fit each column, down to
// 6 points; then the columns share the row; the row runs past the page only when a column
// would be narrower than one character and the cell indents.
class RtfManyColumns : public ::testing::Test {
protected:
    void Fill(int columns) {
        for (int c = 0; c < columns; ++c) ds.AddField("C" + std::to_string(c), TMemFieldType::String, 10);
        for (int r = 0; r < 2; ++r) {
            std::vector<TMemValue> row;
            for (int c = 0; c < columns; ++c) row.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
            ds.AppendRow(row);
        }
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("many.rtf"));
        e.Footer().SetText("F");
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("many.rtf"));
    }
    static std::vector<int> CellXOf(const std::string& out) {
        std::vector<int> xs;
        for (size_t at = out.find("\\cellx"); at != std::string::npos; at = out.find("\\cellx", at + 1))
            xs.push_back(std::stoi(out.substr(at + 6)));
        return xs;
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelRTF e;
};

TEST_F(RtfManyColumns, FortyColumnsShareThePageAtSixPoints) {
    Fill(40);
    e.OnGetCellParams = [](TObject*, int recNo, int colNo, const std::string&, TOstrelColAlign&, TFont& font, TColor&) {
        if (recNo == 1 && colNo == 39) font.Name = "Courier New";
    };
    const std::string out = Run();
    const std::vector<int> xs = CellXOf(out);
    ASSERT_EQ(xs.size(), 40u);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(xs[i], 36 + (8270 * (i + 1)) / 40) << i;
    // The text before the table and the footer keep 10 points; captions and rows get 6.
    EXPECT_NE(out.find("\\f0\\fs20\r\n\\paperw11906\r\n"), std::string::npos);
    EXPECT_NE(out.find("\\cellx8306\r\n\\f0\\fs12\r\n\\pard\\intbl\\li30\\ri30{\\b C0}\\cell"), std::string::npos);
    EXPECT_NE(out.find("\\row\r\n\\f0\\fs12\r\n\\pard\\intbl\\li30\\ri30\\ql{r0c0}\\cell"), std::string::npos);
    EXPECT_NE(out.find("{\\f2\\fs12 r1c39}\\cell\\row\r\n\\f0\\fs20\r\n\\pard\r\n\\par\r\n\\par\r\nF\r\n}"),
              std::string::npos);
}

TEST_F(RtfManyColumns, FortyColumnsLandscape) {
    Fill(40);
    e.Options().PageOrientation = poLandscape;
    const std::string out = Run();
    const std::vector<int> xs = CellXOf(out);
    ASSERT_EQ(xs.size(), 40u);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(xs[i], 36 + (13202 * (i + 1)) / 40) << i;
    EXPECT_NE(out.find("\\cellx13238\r\n\\f0\\fs12\r\n"), std::string::npos);
}

TEST_F(RtfManyColumns, FifteenColumnsShrinkTheFontOnlyAsFarAsNeeded) {
    Fill(15);
    const std::string out = Run();
    // Six characters of 105 twips at 8.5 points: 15 * (630 * 0.85 + 10) = 8182 of 8270.
    EXPECT_NE(out.find("\\cellx8306\r\n\\f0\\fs17\r\n"), std::string::npos);
    EXPECT_EQ(CellXOf(out)[0], 36 + 8270 / 15);
    EXPECT_NE(out.find("\\row\r\n\\f0\\fs20\r\n\\pard\r\n"), std::string::npos);
}

TEST_F(RtfManyColumns, TwelveColumnsKeepTheirFont) {
    Fill(12);  // 12 * 640 fits 8270
    const std::string out = Run();
    EXPECT_NE(out.find("\\cellx8306\r\n\\f0\\fs20\r\n"), std::string::npos);
    EXPECT_NE(out.find("\\row\r\n\\pard\r\n\\par\r\n\\par\r\nF\r\n}"), std::string::npos);  // nothing restored
}

TEST(RtfTableFit, DecisionsForAnyNumberOfColumns) {
    // Fits: unchanged, whatever the page.
    TRTFTableFit fit = FitRtfTable({100, 200}, 105, 20, 11906);
    EXPECT_EQ(fit.CellX, (std::vector<int>{136, 336}));
    EXPECT_EQ(fit.FontScale, 1);
    // A 9-point header font can shrink to 6 points at most.
    fit = FitRtfTable(std::vector<int64_t>(40, 1060), 105, 18, 11906);
    EXPECT_DOUBLE_EQ(fit.FontScale, 12.0 / 18);
    // A font of 6 points or less is never shrunk further, nor enlarged.
    fit = FitRtfTable(std::vector<int64_t>(40, 1060), 105, 10, 11906);
    EXPECT_EQ(fit.FontScale, 1);
    EXPECT_EQ(fit.CellX.back(), 8306);
    // 100 columns: one character at 6 points (63 twips) and the indents (70) is 133 each,
    // 13300 in all: the row runs past the page, the columns at that minimum.
    fit = FitRtfTable(std::vector<int64_t>(100, 1060), 105, 20, 11906);
    ASSERT_EQ(fit.CellX.size(), 100u);
    EXPECT_DOUBLE_EQ(fit.FontScale, 0.6);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(fit.CellX[i], 36 + 133 * (i + 1)) << i;
    // 62 columns still fit (8270 / 62 = 133.4 each), 63 do not; landscape 99 and 100.
    EXPECT_EQ(FitRtfTable(std::vector<int64_t>(62, 1060), 105, 20, 11906).CellX.back(), 8306);
    EXPECT_EQ(FitRtfTable(std::vector<int64_t>(63, 1060), 105, 20, 11906).CellX.back(), 36 + 63 * 133);
    EXPECT_EQ(FitRtfTable(std::vector<int64_t>(99, 1060), 105, 20, 16838).CellX.back(), 13238);
    EXPECT_EQ(FitRtfTable(std::vector<int64_t>(100, 1060), 105, 20, 16838).CellX.back(), 36 + 100 * 133);
    // Widths that cannot be summed in 32 bits are narrowed too.
    fit = FitRtfTable({int64_t{1} << 40, 1060}, 105, 20, 11906);
    EXPECT_EQ(fit.CellX, (std::vector<int>{36 + 8270 - 1060, 8306}));
    // Seven columns of twelve characters stay whole with the type a tenth smaller:
    // 7 * 1270 = 8890 > 8270 at 10 points, 7 * (1134 + 10) = 8008 at 9 points.
    fit = FitRtfTable(std::vector<int64_t>(7, 12 * 105 + 10), 105, 20, 11906);
    EXPECT_DOUBLE_EQ(fit.FontScale, 0.9);
    EXPECT_EQ(fit.CellX.back(), 8306);
}

}  // namespace
}  // namespace ostrel::test
