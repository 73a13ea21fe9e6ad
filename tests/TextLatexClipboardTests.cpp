// LaTeX sources and clipboard text, byte for byte.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelClipboard.h"
#include "exporters/text/IB_OstrelLaTeX.h"

namespace ostrel::test {
namespace {

class Latex : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("N", TMemFieldType::Integer);
        ds.AddField("T", TMemFieldType::String, 20);
        ds.AppendRow({int64_t{1}, "50% & more"});
        ds.AppendRow({int64_t{2}, "a_b{c} C:\\x a<b ^~#$"});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("out.tex"));
    }
    std::vector<std::string> Lines() {
        e.DoExecute();
        TStringList l;
        l.SetText(ReadAll(dir.File("out.tex")));
        return {l.begin(), l.end()};
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelLaTeX e;
};

TEST_F(Latex, DefaultDocument) {
    e.Options().SetCodePage(1252);
    e.Header().SetText("H");
    e.Footer().SetText("F");
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "\\documentclass[a4paper]{article}", "\\usepackage[cp1252]{inputenc}",
                           "\\usepackage[english]{babel}", "\\begin{document}", "", "H", "\\par\\bigskip",
                           "\\begin{tabular}{|r|l|}", "\\hline", "N & T", "\\\\", "\\hline", "1 & 50\\% \\& more",
                           "\\\\", "\\hline",
                           "2 & a\\_b\\{c\\} C:\\textbackslash{}x a$<$b \\textasciicircum{}\\textasciitilde{}\\#\\$",
                           "\\\\", "\\hline", "\\end{tabular}", "", "F", "\\end{document}"}));
}

TEST_F(Latex, PreambleVariants) {
    // The process code page UTF-8 is the default and is written as inputenc's utf8.
    EXPECT_EQ(Lines()[1], "\\usepackage[utf8]{inputenc}");
    e.Options().SetLaTeXVersion(LaTeX209);
    e.Options().SetDocumentParams("");
    e.Options().SetDocumentStyle(dsBook);
    std::vector<std::string> l = Lines();
    EXPECT_EQ(l[0], "\\documentstyle{book}");
    EXPECT_EQ(l[1], "\\begin{document}");
    e.Options().SetLaTeXVersion(LaTeX2e);
    e.Options().SetLanguages("english,russian");
    e.Preambula().SetText("\\usepackage{x}");
    l = Lines();
    EXPECT_EQ(l[2], "\\usepackage[english,russian]{babel}");
    EXPECT_EQ(l[3], "\\usepackage{x}");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "\\providecommand{\\Rus}{\\selectlanguage{russian}}");
    EXPECT_EQ(l[6], "\\begin{document}");
    EXPECT_EQ(l[7], "\\Rus");
    e.Options().SetLanguages("");
    EXPECT_EQ(Lines()[2], "\\usepackage[]{babel}");
    e.Options().SetCodePage(0);
    EXPECT_EQ(e.Options().CodePage(), CP_UTF8);
}

TEST_F(Latex, NoCaptionsAndStoppedRuns) {
    e.SetAllowCaptions(false);
    e.OnExportedRecord = [&](TObject*, int) { e.Abort(); };
    std::vector<std::string> l = Lines();
    auto hline = std::find(l.begin(), l.end(), "\\hline");
    ASSERT_NE(hline, l.end());
    EXPECT_EQ(*(hline + 1), "1 & 50\\% \\& more");
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\end{tabular}"), 1);
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\end{document}"), 1);
    EXPECT_EQ(l.back(), "\\end{document}");
}

TEST_F(Latex, EscapesNullTextsLigaturePairsAndControlCharacters) {
    ds.AppendRow({int64_t{3}, "a--b ''q'' x\ty"});
    ds.AppendRow({int64_t{4}});
    e.Options().SetCodePage(1252);
    e.Formats().SetNullString("n/a & 100%");
    std::vector<std::string> l = Lines();
    EXPECT_NE(std::find(l.begin(), l.end(), "3 & a-{}-b '{}'q'{}' x y"), l.end());
    EXPECT_NE(std::find(l.begin(), l.end(), "4 & n/a \\& 100\\%"), l.end());
}

TEST_F(Latex, StoppedBeforeTheRowsStillCompleteTheDocument) {
    e.OnBeginExport = [&](TObject*) { e.Abort(); };
    std::vector<std::string> l = Lines();
    EXPECT_EQ(l.front(), "\\documentclass[a4paper]{article}");
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\begin{tabular}{|r|l|}"), 1);
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\end{tabular}"), 1);
    EXPECT_EQ(l.back(), "\\end{document}");
}

// Non-ASCII runs of a script are wrapped in its command; the preamble and the engine follow
// from what the rows hold.
class LatexScripts : public ::testing::Test {
protected:
    std::vector<std::string> Export(const std::vector<std::string>& texts) {
        TMemDataset ds;
        ds.AddField("T", TMemFieldType::String, 100);
        for (const auto& t : texts) ds.AppendRow({t});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("s.tex"));
        e.DoExecute();
        TStringList l;
        l.SetText(ReadAll(dir.File("s.tex")));
        return {l.begin(), l.end()};
    }
    static bool Has(const std::vector<std::string>& l, const std::string& line) {
        return std::find(l.begin(), l.end(), line) != l.end();
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TIB_OstrelLaTeX e;
};

TEST_F(LatexScripts, AsciiKeepsTheOldPreamble) {
    std::vector<std::string> l = Export({"plain"});
    EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 4),
              (std::vector<std::string>{"\\documentclass[a4paper]{article}", "\\usepackage[utf8]{inputenc}",
                                        "\\usepackage[english]{babel}", "\\begin{document}"}));
    EXPECT_EQ(e.Engine(), "pdflatex");
}

TEST_F(LatexScripts, LatinGreekAndCyrillicAreForPdflatex) {
    std::vector<std::string> l = Export({"Jürgen Łucja đ", "Ελλάδα", "Тоҷикистон, Монгол Улс"});
    EXPECT_EQ(e.Engine(), "pdflatex");
    EXPECT_EQ(l[1], "\\usepackage[LGR,T2A,T1]{fontenc}");
    EXPECT_EQ(l[2], "\\usepackage{lmodern}");
    EXPECT_EQ(l[3], "\\usepackage[utf8]{inputenc}");
    EXPECT_EQ(l[4], "\\usepackage[english]{babel}");
    EXPECT_EQ(l[5], "\\newcommand*\\ostrelGrek[1]{{\\fontencoding{LGR}\\selectfont#1}}");
    EXPECT_EQ(l[6], "\\newcommand*\\ostrelCyrl[1]{{\\fontencoding{T2A}\\selectfont#1}}");
    EXPECT_EQ(l[7], "\\newcommand*\\ostrelLatn[1]{{\\fontencoding{T1}\\selectfont#1}}");
    // Latin words beyond ASCII are wrapped whole, so that a language's encoding cannot lose them.
    EXPECT_TRUE(Has(l, "\\ostrelLatn{Jürgen} \\ostrelLatn{Łucja} \\ostrelLatn{đ}"));
    EXPECT_TRUE(Has(l, "\\ostrelGrek{Ελλάδα}"));
    // Blanks join a run; punctuation ends it, since encodings differ in it.
    EXPECT_TRUE(Has(l, "\\ostrelCyrl{Тоҷикистон}, \\ostrelCyrl{Монгол Улс}"));
    // Latin alone needs T1 only, and the languages stay as set.
    e.Options().SetLanguages("english,russian");
    l = Export({"Shqipëria"});
    EXPECT_EQ(l[1], "\\usepackage[T1]{fontenc}");
    EXPECT_EQ(l[4], "\\usepackage[english,russian]{babel}");
}

TEST_F(LatexScripts, OtherScriptsNeedLualatex) {
    std::vector<std::string> l = Export({"Djibouti / جيبوتي", "नेपाल", "臺灣"});
    EXPECT_EQ(e.Engine(), "lualatex");
    EXPECT_EQ(l[1], "\\usepackage{iftex}");
    EXPECT_EQ(l[2].rfind("\\ifLuaTeX\\else\\errmessage{This document needs lualatex", 0), 0u);
    EXPECT_EQ(l[3], "\\usepackage{fontspec}");
    EXPECT_TRUE(Has(l, "\\usepackage[english]{babel}"));
    EXPECT_TRUE(Has(l, "\\newcommand*\\ostrelArab[1]{{\\ostrelfontArab\\textdir TRT #1}}"));
    EXPECT_TRUE(Has(l, "\\newcommand*\\ostrelDeva[1]{{\\ostrelfontDeva #1}}"));
    EXPECT_TRUE(Has(l, "\\newcommand*\\ostrelHani[1]{{\\ostrelfontHani #1}}"));
    EXPECT_FALSE(Has(l, "\\usepackage[utf8]{inputenc}"));
    EXPECT_TRUE(Has(l, "Djibouti / \\ostrelArab{جيبوتي}"));
    EXPECT_TRUE(Has(l, "\\newcommand*\\ostrelLatn[1]{#1}") || !Has(l, "\\ostrelLatn"));
    EXPECT_TRUE(Has(l, "\\ostrelDeva{नेपाल}"));
    // A combining mark or a Latin letter outside the encodings also needs lualatex.
    Export({"Aorōkin M̧ajeļ"});
    EXPECT_EQ(e.Engine(), "lualatex");
    Export({"Azərbaycan"});
    EXPECT_EQ(e.Engine(), "lualatex");
    Export({"Azerbaijan"});
    EXPECT_EQ(e.Engine(), "pdflatex");
}

TEST_F(LatexScripts, SingleByteCodePagesAreNotWrapped) {
    e.Options().SetCodePage(1251);
    std::vector<std::string> l = Export({"\xCF\xF0\xE8\xE2\xE5\xF2"});  // a Cyrillic word in code page 1251
    EXPECT_EQ(l[1], "\\usepackage[cp1251]{inputenc}");
    EXPECT_EQ(l[2], "\\usepackage[english]{babel}");
    EXPECT_EQ(l[3], "\\begin{document}");
    EXPECT_TRUE(Has(l, "\xCF\xF0\xE8\xE2\xE5\xF2"));
}

// Tables longer than a page or wider than the text.
class LatexLayout : public LatexScripts {
protected:
    std::vector<std::string> ExportGrid(int rows, int columns, const std::string& text) {
        TMemDataset ds;
        for (int c = 0; c < columns; ++c) ds.AddField("C" + std::to_string(c), TMemFieldType::String, 200);
        for (int r = 0; r < rows; ++r)
            ds.AppendRow(std::vector<TMemValue>(columns, TMemValue{text + std::to_string(r)}));
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("g.tex"));
        e.DoExecute();
        TStringList l;
        l.SetText(ReadAll(dir.File("g.tex")));
        return {l.begin(), l.end()};
    }
};

TEST_F(LatexLayout, ManyRowsGoIntoALongtableWithTheCaptionsOnEveryPage) {
    e.Options().SetCodePage(1252);
    std::vector<std::string> l = ExportGrid(TIB_OstrelLaTeX::SmallTableRows, 2, "r");
    EXPECT_TRUE(Has(l, "\\begin{tabular}{|l|l|}"));
    l = ExportGrid(TIB_OstrelLaTeX::SmallTableRows + 1, 2, "r");
    // The single-byte preamble is kept; the package comes after it.
    EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 5),
              (std::vector<std::string>{"\\documentclass[a4paper]{article}", "\\usepackage[cp1252]{inputenc}",
                                        "\\usepackage[english]{babel}", "\\usepackage{longtable}",
                                        "\\begin{document}"}));
    auto begin = std::find(l.begin(), l.end(), "\\begin{longtable}{|l|l|}");
    ASSERT_NE(begin, l.end());
    EXPECT_EQ(std::vector<std::string>(begin + 1, begin + 7),
              (std::vector<std::string>{"\\hline", "C0 & C1", "\\\\", "\\hline", "\\endhead", "r0 & r0"}));
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\hline"), TIB_OstrelLaTeX::SmallTableRows + 1 + 2);
    EXPECT_TRUE(Has(l, "\\end{longtable}"));
}

TEST_F(LatexLayout, WideTablesTakeSmallerTypeOrALandscapePage) {
    // Six columns of twelve letters: too wide for the class's text, not for narrower margins.
    std::vector<std::string> l = ExportGrid(3, 6, "abcdefghijk");
    EXPECT_TRUE(Has(l, "\\usepackage{longtable}"));
    EXPECT_TRUE(Has(l, "\\usepackage[margin=15mm]{geometry}"));
    EXPECT_TRUE(Has(l, "\\begin{longtable}{|l|l|l|l|l|l|}"));
    EXPECT_FALSE(Has(l, "\\begingroup"));
    // Eleven need a landscape page and smaller type.
    l = ExportGrid(3, 11, "abcdefghijk");
    EXPECT_TRUE(Has(l, "\\usepackage[landscape,margin=15mm]{geometry}"));
    EXPECT_TRUE(Has(l, "\\begingroup\\small"));
    EXPECT_TRUE(Has(l, "\\begin{longtable}{|l|l|l|l|l|l|l|l|l|l|l|}"));
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\endgroup"), 1);
    // A page set by the user's preamble is left alone.
    e.Preambula().SetText("\\usepackage[margin=1cm]{geometry}");
    l = ExportGrid(3, 11, "abcdefghijk");
    EXPECT_FALSE(Has(l, "\\usepackage[landscape,margin=15mm]{geometry}"));
    EXPECT_TRUE(Has(l, "\\usepackage[margin=1cm]{geometry}"));
}

TEST_F(LatexLayout, TablesTooWideForAnyTypeWrapOrSplitIntoParts) {
    // Long texts of short words in few columns wrap in paragraph columns, in one part.
    std::string sentence;
    for (int i = 0; i < 40; ++i) sentence += "word" + std::to_string(i) + " ";
    std::vector<std::string> l = ExportGrid(2, 3, sentence);
    EXPECT_TRUE(Has(l, "\\usepackage{array}"));
    EXPECT_TRUE(Has(l, "\\begingroup\\scriptsize"));
    EXPECT_TRUE(Has(l, "\\setlength\\tabcolsep{3pt}"));
    auto isStart = [](const std::string& line) { return line.rfind("\\begin{longtable}", 0) == 0; };
    auto start = std::find_if(l.begin(), l.end(), isStart);
    ASSERT_NE(start, l.end());
    EXPECT_EQ(start->substr(0, 63), "\\begin{longtable}{|>{\\raggedright\\arraybackslash\\hspace{0pt}}p{");
    EXPECT_EQ(std::count_if(l.begin(), l.end(), isStart), 1);
    // Sixty columns of long words cannot stand side by side: they split into parts, each with
    // the captions and every row.
    l = ExportGrid(2, 60, "Abcdefghijklmnopqrstuv");
    const auto parts = std::count_if(l.begin(), l.end(), isStart);
    EXPECT_GT(parts, 1);
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\end{longtable}"), parts);
    EXPECT_EQ(std::count(l.begin(), l.end(), "\\endhead"), parts);
    int cells = 0;
    for (const auto& line : l)
        for (size_t at = line.find("stuv1"); at != std::string::npos; at = line.find("stuv1", at + 1)) ++cells;
    EXPECT_EQ(cells, 60);
}

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        FillDemoListView(lv);
        e.SetExportSource(esListView);
        e.SetListView(&lv);
        e.SetExportRecCount(2);
    }
    std::string Run() {
        e.DoExecute();
        return clip.Service->Text;
    }
    TClipboardScope clip;
    TMemListView lv;
    TIB_OstrelClipboard e;
};

TEST_F(Clipboard, SeparatedAndFixedLayouts) {
    e.SetSeparator(';');
    EXPECT_EQ(Run(), "Code;Name;Date;Salary;IsMale;\r\n1;ALEX;01.05.1974;270.36;true;\r\n"
                     "2;MARIA;12.11.1980;1500;false;\r\n");
    e.SetExportType(etFixed);
    e.SetSpacing(2);
    lv.SetFont(TFont{"Courier New", 72});  // wide letters: the data decides the widths
    EXPECT_EQ(Run(), "Code   Name        Date  Salary  IsMale  \r\n"
                     "   1   ALEX  01.05.1974  270.36    true  \r\n"
                     "   2  MARIA  12.11.1980    1500   false  \r\n");
    e.SetExportType(etSeparated);
    EXPECT_EQ(Run().substr(0, 5), "Code;");
}

TEST_F(Clipboard, TitleHeaderFooterAndBareRows) {
    e.SetSeparator(',');
    e.SetTitle("T");
    e.Header().SetText("H");
    e.Footer().SetText("F");
    EXPECT_EQ(Run(), "T\r\nH\r\n\r\nCode,Name,Date,Salary,IsMale,\r\n1,ALEX,01.05.1974,270.36,true,\r\n"
                     "2,MARIA,12.11.1980,1500,false,\r\nF\r\n\r\n");
    e.SetTitle("");
    e.Header().Clear();
    e.Footer().Clear();
    e.SetAllowCaptions(false);
    EXPECT_EQ(Run(), "1,ALEX,01.05.1974,270.36,true,\r\n2,MARIA,12.11.1980,1500,false,\r\n");
    EXPECT_EQ(e.ClipboardViewer(), "Clipbrd.exe");
}

}  // namespace
}  // namespace ostrel::test
