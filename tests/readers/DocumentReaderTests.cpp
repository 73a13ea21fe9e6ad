// HTML pages in Chromium and tidy, RTF (and Word-named) documents in LibreOffice.
#include <cstring>
#include <regex>

#include "ReaderSupport.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelRTF.h"

namespace ostrel::test {
namespace {

void FillNasty(TMemListView& lv) {
    lv.AddColumn("Name", 80);
    lv.AddColumn("Note", 80);
    lv.AddItem("Jürgen Ångström", {"a<b & \"c\""});
    lv.AddItem("Łucja 東京", {"{braces} C:\\TEMP"});
    lv.AddItem("", {"two\r\nlines"});
}

std::string Unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (auto [from, to] : entities)
        for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + std::strlen(to)))
            s.replace(at, std::strlen(from), to);
    return s;
}

TEST(DocumentReaders, ChromiumShowsTheCellTexts) {
    REQUIRE_READER("chromium");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemListView lv;
    FillNasty(lv);
    TIB_OstrelHTML e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetFileName(dir.File("page.htm"));
    e.DoExecute();
    TCommandResult r = RunCommand("chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                                  "--disable-background-networking --disable-component-update --disable-sync "
                                  "--user-data-dir=" + ShellQuote(dir.File("chrome")) +
                                  " --dump-dom " + ShellQuote("file://" + dir.File("page.htm")) + " 2>/dev/null");
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    std::vector<std::string> cells;
    const std::regex td("<td[^>]*>([\\s\\S]*?)</td>");
    for (auto it = std::sregex_iterator(r.Output.begin(), r.Output.end(), td); it != std::sregex_iterator(); ++it)
        cells.push_back(Unescape((*it)[1].str()));
    EXPECT_EQ(cells, (std::vector<std::string>{"Name", "Note", "Jürgen Ångström", "a<b & \"c\"", "Łucja 東京",
                                               "{braces} C:\\TEMP", " ", "two<br>lines"}))
        << r.Output;
}

TEST(DocumentReaders, TidyFindsNoErrors) {
    REQUIRE_READER("tidy");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemListView lv;
    FillNasty(lv);
    TIB_OstrelHTML e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.TableOptions().BorderColor = clRed;  // the wrapper table too
    e.SetFileName(dir.File("page.htm"));
    e.DoExecute();
    TCommandResult r = RunCommand("tidy -q -e " + ShellQuote(dir.File("page.htm")));
    EXPECT_LT(r.ExitCode, 2) << r.Output;  // warnings, no errors
    EXPECT_EQ(r.Output.find("Error:"), std::string::npos) << r.Output;
}

TEST(DocumentReaders, LibreOfficeReadsRtfAndWordNamedDocuments) {
    REQUIRE_READER("soffice");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemListView lv;
    FillNasty(lv);
    for (const char* name : {"doc.rtf", "word.doc"}) {
        SCOPED_TRACE(name);
        TIB_OstrelRTF e;
        e.SetExportSource(esListView);
        e.SetListView(&lv);
        e.Header().SetText("Header line");
        e.OnGetCellParams = [](TObject*, int recNo, int colNo, const std::string&, TOstrelColAlign&, TFont& font,
                               TColor& background) {
            if (recNo == 1 && colNo == 1) font.Name = "Courier New";
            if (recNo == 2) background = clYellow;
        };
        e.SetFileName(dir.File(name));
        e.DoExecute();
        const std::string base = std::string(name).substr(0, std::string(name).find('.'));
        TCommandResult r = RunCommand("soffice --headless -env:UserInstallation=file://" + dir.File("lo") +
                                      " --convert-to txt:Text --outdir " + ShellQuote(dir.File("txt")) + " " +
                                      ShellQuote(dir.File(name)));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
        const std::string text = ReadAll(dir.File("txt/" + base + ".txt"));
        size_t at = 0;
        for (const char* expected : {"Header line", "Name", "Note", "Jürgen Ångström", "a<b & \"c\"", "Łucja 東京",
                                     "{braces} C:\\TEMP", "two"}) {
            const size_t found = text.find(expected, at);
            ASSERT_NE(found, std::string::npos) << expected << "\n" << text;
            at = found;
        }
        r = RunCommand("soffice --headless -env:UserInstallation=file://" + dir.File("lo") + " --convert-to pdf --outdir " +
                       ShellQuote(dir.File("pdf")) + " " + ShellQuote(dir.File(name)));
        EXPECT_EQ(r.ExitCode, 0) << r.Output;
        EXPECT_GT(ReadAll(dir.File("pdf/" + base + ".pdf")).size(), 1000u);
    }
}

}  // namespace
}  // namespace ostrel::test
