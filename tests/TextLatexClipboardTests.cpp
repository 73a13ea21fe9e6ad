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
