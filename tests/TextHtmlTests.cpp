// HTML pages, style sheets, paging, templates, byte for byte.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "platform/IniFile.h"

namespace ostrel::test {
namespace {

const std::string kClassicStyle =
    "<Style type=\"text/css\">\r\n"
    "  BODY { background: #333399; color: #FFFFFF;\r\n"
    "         font-family: Arial;\r\n"
    "  }\r\n"
    "  A:link { color: #69EF7D }\r\n"
    "  A:visited { color: #FF00FF }\r\n"
    "  A:active { color: #00FF00 }\r\n"
    "  .ThRows { background-color: #FF0000;  color: #FFFFFF;\r\n"
    "            font-weight: bold; text-align: center;\r\n"
    "            font-family: Arial;\r\n"
    "  }\r\n"
    "  .TrRows { background-color: #007AEC;  color: #FFFFFF;\r\n"
    "            font-family: Arial;\r\n"
    "  }\r\n"
    "  .TrOdd  { background-color: #006BCE;  color: #FFFFFF;\r\n"
    "            font-family: Arial;\r\n"
    "  }\r\n"
    "</STYLE>\r\n";

class Html : public ::testing::Test {
protected:
    void SetUp() override {
        lv.AddColumn("Name", 80);
        for (const char* v : {"Ann", "a<b", "", "l1\r\nl2\r\n\r\nl3", "Jürgen", "東", "x"}) lv.AddItem(v);
        e.SetExportSource(esListView);
        e.SetListView(&lv);
        e.SetFileName(dir.File("page.htm"));
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("page.htm"));
    }
    TFormatSettingsScope locale{UsSettings()};
    TShellScope shell;
    TTempDir dir;
    TMemListView lv;
    TIB_OstrelHTML e;
};

TEST_F(Html, DefaultPage) {
    e.SetExportRecCount(2);
    EXPECT_EQ(Run(), "<HTML>\r\n<HEAD>\r\n <meta charset=\"utf-8\">\r\n <Title></Title>\r\n" + kClassicStyle +
                         "</HEAD>\r\n<BODY>\r\n<br>\r\n"
                         "<Table Border=\"1\" Cellpadding=\"4\" Cellspacing=\"1\">\r\n"
                         "  <tr>\r\n    <td class=\"ThRows\">Name</td>\r\n  </tr>\r\n"
                         "  <tr>\r\n    <td class=\"TrRows\" align=Left>Ann</td>\r\n  </tr>\r\n"
                         "  <tr>\r\n    <td class=\"TrOdd\" align=Left>a&lt;b</td>\r\n  </tr>\r\n"
                         "</Table>\r\n<br>\r\n</BODY>\r\n</HTML>\r\n");
}

TEST_F(Html, CellTextsEmptyBreaksAndNoRecords) {
    const std::string out = Run();
    EXPECT_NE(out.find("align=Left>&nbsp</td>"), std::string::npos);
    EXPECT_NE(out.find(">l1<br>l2<br><br>l3</td>"), std::string::npos);
    EXPECT_NE(out.find(">Jürgen</td>"), std::string::npos);
    // No record left: still a whole page, with its caption row and no data row.
    e.SetSkipRecCount(7);
    const std::string empty = Run();
    EXPECT_EQ(empty.substr(0, 16), "<HTML>\r\n<HEAD>\r\n");
    EXPECT_NE(empty.find("<td class=\"ThRows\">Name</td>"), std::string::npos);
    EXPECT_EQ(empty.find("<td class=\"Tr"), std::string::npos);
    EXPECT_EQ(empty.substr(empty.size() - 34), "</Table>\r\n<br>\r\n</BODY>\r\n</HTML>\r\n");
}

TEST_F(Html, CaptionsOffBorderColourAndCellEvent) {
    e.SetAllowCaptions(false);
    e.TableOptions().BorderColor = clRed;
    e.SetExportRecCount(1);
    e.OnGetCellParams = [](TObject*, int recNo, int, const std::string& value, TOstrelColAlign& align, TFont& font,
                           TColor& background) {
        EXPECT_EQ(recNo, 0);
        EXPECT_EQ(value, "Ann");
        EXPECT_EQ(background, HtmlRGB(0x007AEC));  // the row's own class background
        align = ecaRight;
        font.Style |= fsBold;
        font.Color = clRed;
    };
    const std::string out = Run();
    EXPECT_EQ(out.find(".ThRows"), std::string::npos);
    EXPECT_EQ(out.find("class=\"ThRows\""), std::string::npos);
    EXPECT_NE(out.find("  .TrBC { background-color: #FF0000 }\r\n"), std::string::npos);
    EXPECT_NE(out.find("<Table cellspacing=0 cellpadding=0 class=\"TrBC\">\r\n<tr><td>\r\n<Table Border"),
              std::string::npos);
    EXPECT_NE(out.find("    <td class=\"TrRows\" align=Right style=\"color: #FF0000; font-weight: bold\">Ann</td>"),
              std::string::npos);
    // The wrapper is closed.
    EXPECT_NE(out.find("</Table>\r\n</td></tr>\r\n</Table>\r\n<br>\r\n</BODY>"), std::string::npos);
}

TEST_F(Html, PagedExportWithIndexAndExternalStyleSheet) {
    e.SetMaxRecords(-5);
    EXPECT_EQ(e.MaxRecords(), 0);
    e.SetMaxRecords(3);
    e.SetGenerateIndex(true);
    e.SetUsingCSS(usExternal);
    Run();
    const std::string p1 = dir.File("page01.htm"), p2 = dir.File("page02.htm"), p3 = dir.File("page03.htm");
    EXPECT_EQ(e.PageCount(), 3);
    EXPECT_EQ(e.CSSFileName(), dir.File("page01.css"));
    for (const auto& p : {p1, p2, p3}) {
        const std::string page = ReadAll(p);
        // Linked by its bare name: the pages and the style sheet lie in one folder.
        EXPECT_NE(page.find(" <link rel=\"stylesheet\" type=\"text/css\" href=\"page01.css\">"), std::string::npos);
        EXPECT_EQ(page.substr(page.size() - 34), "</Table>\r\n<br>\r\n</BODY>\r\n</HTML>\r\n");
    }
    auto rows = [](const std::string& page) {
        size_t n = 0;
        for (size_t at = page.find("<td class=\"Tr"); at != std::string::npos; at = page.find("<td class=\"Tr", at + 1)) ++n;
        return n;
    };
    // Seven records over pages of three.
    EXPECT_EQ(rows(ReadAll(p1)), 3u);
    EXPECT_EQ(rows(ReadAll(p2)), 3u);
    EXPECT_EQ(rows(ReadAll(p3)), 1u);
    EXPECT_EQ(ReadAll(e.CSSFileName()).substr(0, 38), "  BODY { background: #333399; color: #");
    const std::string index = ReadAll(dir.File("page.htm"));
    EXPECT_EQ(index, "<HTML>\r\n<HEAD>\r\n <meta charset=\"utf-8\">\r\n <link rel=\"stylesheet\" type=\"text/css\" "
                     "href=\"page01.css\">\r\n</HEAD>\r\n<BODY>\r\n<UI>\r\n<LI>\r\n<a href=\"page01.htm\">page01.htm</a>\r\n"
                     "<LI>\r\n<a href=\"page02.htm\">page02.htm</a>\r\n<LI>\r\n<a href=\"page03.htm\">page03.htm</a>\r\n"
                     "</UI>\r\n</BODY>\r\n</HTML>\r\n");
    // Without an index the destination is not emptied: the run writes only its pages, and shows
    // the first one.
    std::filesystem::remove(dir.File("page.htm"));
    e.SetGenerateIndex(false);
    e.SetShowFile(true);
    Run();
    EXPECT_FALSE(std::filesystem::exists(dir.File("page.htm")));
    EXPECT_EQ(rows(ReadAll(p1)), 3u);
    EXPECT_EQ(shell.Service->Calls, (std::vector<std::string>{"open " + p1}));
    EXPECT_EQ(e.PageFileName(12), dir.File("page12.htm"));
    // Only final names are left: no temporary file of any page.
    for (const auto& f : std::filesystem::directory_iterator(dir.File("")))
        EXPECT_EQ(f.path().string().find(".part"), std::string::npos) << f.path();
}

TEST_F(Html, StyleSheetNamesAndLinksStayInTheirPlace) {
    // A style sheet named like a page would be written over it: refused, nothing left.
    e.SetUsingCSS(usExternal);
    e.SetCSSFileName(dir.File("page.htm"));
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
    e.SetMaxRecords(3);
    e.SetCSSFileName(dir.File("page02.htm"));
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
    // File names are links, percent-encoded, and texts, escaped.
    e.SetCSSFileName("");
    e.SetGenerateIndex(true);
    e.SetFileName(dir.File("r#1 \"x\"&<b>.htm"));
    e.DoExecute();
    const std::string index = ReadAll(dir.File("r#1 \"x\"&<b>.htm"));
    EXPECT_NE(index.find("<a href=\"r%231%20%22x%22%26%3Cb%3E01.htm\">r#1 &quot;x&quot;&amp;&lt;b&gt;01.htm</a>"),
              std::string::npos) << index;
    EXPECT_NE(index.find("href=\"r%231%20%22x%22%26%3Cb%3E01.css\""), std::string::npos) << index;
}

TEST_F(Html, AFailedPagedRunLeavesNoPageBehind) {
    e.SetMaxRecords(2);
    e.SetGenerateIndex(true);
    e.SetUsingCSS(usExternal);
    int values = 0;
    e.OnGetExportText = [&](TObject*, int, std::string&) {
        if (++values == 5) throw EOstrelError("boom");  // on the third page
    };
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
}

TEST_F(Html, FontOptionsAndBackgroundPicture) {
    e.HTMLOptions().DefaultOptions = doFontName;
    e.HTMLOptions().TextFont.Size = 11;
    e.HTMLOptions().BackgroundFileName = "bg.png";
    e.SetAllowCaptions(false);
    e.SetExportRecCount(1);
    const std::string out = Run();
    EXPECT_NE(out.find("  BODY { background: #333399; color: #FFFFFF;\r\n         font-size: 11pt;\r\n"
                       "background-image: url(bg.png)\r\n  }\r\n"),
              std::string::npos);
    EXPECT_NE(out.find("  .TrRows { background-color: #007AEC;  color: #FFFFFF;\r\n            font-size: 11pt;\r\n  }"),
              std::string::npos);
    EXPECT_EQ(out.find("font-family"), std::string::npos);
}

TEST(HtmlColours, TextAndTemplates) {
    EXPECT_EQ(ColorToHTML(0xFFFFFF), "#FFFFFF");
    EXPECT_EQ(ColorToHTML(0x0000FF), "#FF0000");
    EXPECT_EQ(ColorToHTML(0x993333), "#333399");
    EXPECT_EQ(ColorToHTML(0x00EC7A00), "#007AEC");
    TIB_OstrelHTML e;
    EXPECT_EQ(e.HTMLTemplate(), htClassic);
    e.TableOptions().TableBgColor = clLime;
    e.SetHTMLTemplate(htClassic);  // the same template: hand-made changes stay
    EXPECT_EQ(e.TableOptions().TableBgColor, clLime);
    e.SetHTMLTemplate(htCustom);
    EXPECT_EQ(e.TableOptions().TableBgColor, clLime);
    e.TableOptions().BorderColor = clRed;
    e.HTMLOptions().TextFont.Size = 14;
    e.SetHTMLTemplate(htGray);
    EXPECT_EQ(e.TableOptions().HeadersRowBgColor, HtmlRGB(0x808080));
    EXPECT_EQ(e.TableOptions().BorderColor, clRed);  // templates leave the border and font size
    EXPECT_EQ(e.HTMLOptions().TextFont.Size, 14);
    EXPECT_STREQ(HTMLTemplateNames[htMS_Money], "MS_Money");
}

TEST(HtmlTemplateFiles, ClassicFileIsExactAndLoadsBack) {
    TTempDir dir;
    TIB_OstrelHTML classic;
    classic.SaveTemplateToFile(dir.File("classic.htf"));
    EXPECT_EQ(ReadAll(dir.File("classic.htf")),
              "[HTML options]\r\nBackground-color=$00993333\r\nFont-color=clWhite\r\nFont-family=Arial\r\n"
              "LinkColor=$007DEF69\r\nVLinkColor=clFuchsia\r\nALinkColor=clLime\r\n[Table options]\r\n"
              "Header-bgcolor=clRed\r\nHeader-color=clWhite\r\nTable-color=clWhite\r\nEven_row-bgcolor=$00EC7A00\r\n"
              "Odd_row-bgcolor=$00CE6B00\r\nBorder-color=clWhite\r\n");
    TIB_OstrelHTML bw;
    bw.SetHTMLTemplate(htBW);
    bw.TableOptions().BorderColor = clRed;
    TIniFile(dir.File("classic.htf")).DeleteKey("Table options", "Border-color");
    bw.LoadTemplateFromFile(dir.File("classic.htf"));
    EXPECT_EQ(bw.HTMLTemplate(), htBW);
    EXPECT_EQ(bw.HTMLOptions().BackgroundColor, HtmlRGB(0x333399));
    EXPECT_EQ(bw.HTMLOptions().TextFont.Color, clWhite);
    EXPECT_EQ(bw.TableOptions().HeadersRowBgColor, clRed);
    EXPECT_EQ(bw.HTMLOptions().VLinkColor, clFuchsia);
    EXPECT_EQ(bw.TableOptions().OddRowBgColor, HtmlRGB(0x006BCE));
    EXPECT_EQ(bw.TableOptions().BorderColor, clRed);  // no key: unchanged
    bw.LoadTemplateFromFile(dir.File("missing.htf"));
    EXPECT_EQ(bw.HTMLOptions().BackgroundColor, HtmlRGB(0x333399));
    EXPECT_THROW(bw.SaveTemplateToFile("/nonexistent-ostrel-dir/t.htf"), EOstrelError);
}

}  // namespace
}  // namespace ostrel::test
