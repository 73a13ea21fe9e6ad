// HTML pages in Chromium and tidy, RTF (and Word-named) documents in LibreOffice.
#include <cmath>
#include <cstring>
#include <regex>

#include "ReaderSupport.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "platform/CodePage.h"

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

namespace ostrel::test {
namespace {

// Tables wider than the page, printed to PDF by LibreOffice and read back with pdftotext one
// column at a time (the page cropped to the column's cell boundaries), so that a column cut
// off at the page's edge reads empty and a row broken across pages still reads in order.

// Text as pdftotext may give it back: without blanks and line breaks (cells wrap), bidi marks,
// hyphens (a hyphen ending a line is dropped) or combining marks (Latin, Arabic and Thaana
// ones come back out of order).
std::u16string Comparable(const std::string& text) {
    std::u16string out;
    for (char16_t c : ToUtf16(text, 65001)) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == 0xA0;
        const bool bidi = c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
        const bool mark = (c >= 0x300 && c <= 0x36F) || (c >= 0x64B && c <= 0x65F) || c == 0x670 ||
                          (c >= 0x7A6 && c <= 0x7B0);
        if (!blank && !bidi && !mark && c != '-') out += c;
    }
    return out;
}

// An expected cell text; the lam-alef ligature comes back as alef before lam.
std::u16string ComparableCell(const std::string& text) {
    std::u16string out = Comparable(text);
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        const char16_t next = out[i + 1];
        if (out[i] == 0x644 && (next == 0x627 || next == 0x623 || next == 0x625 || next == 0x622)) {
            std::swap(out[i], out[i + 1]);
            ++i;
        }
    }
    return out;
}

// Where the cell's characters appear in order from `from` on, allowing a few strays between
// them (a glyph wider than a neighbouring narrow cell reaches into this one); npos when not.
size_t FindCell(const std::u16string& column, const std::u16string& cell, size_t from) {
    for (size_t start = column.find(cell[0], from); start != std::u16string::npos;
         start = column.find(cell[0], start + 1)) {
        size_t at = start, matched = 0;
        const size_t limit = std::min(column.size(), start + cell.size() + 4);
        for (; at < limit && matched < cell.size(); ++at)
            if (column[at] == cell[matched]) ++matched;
        if (matched == cell.size()) return at;
    }
    return std::u16string::npos;
}

// Every text of rows[r][c] (row 0 the captions) appears in column c of the PDF, in row order,
// and the table lies on the page.
void ExpectEveryCellInItsColumn(const std::string& rtf, const std::string& pdf,
                                const std::vector<std::vector<std::string>>& rows) {
    const std::string document = ReadAll(rtf);
    std::vector<int> cellX{36};
    const std::regex cellx("\\\\cellx(\\d+)");
    for (auto it = std::sregex_iterator(document.begin(), document.end(), cellx); it != std::sregex_iterator(); ++it)
        cellX.push_back(std::stoi((*it)[1].str()));
    ASSERT_GT(cellX.size(), 1u);
    TCommandResult r = RunCommand("pdftotext -bbox -f 1 -l 1 " + ShellQuote(pdf) + " -");
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    std::smatch page, word;
    ASSERT_TRUE(std::regex_search(r.Output, page, std::regex("<page width=\"([0-9.]+)\"")));
    ASSERT_TRUE(std::regex_search(r.Output, word, std::regex("<word xMin=\"([0-9.]+)\"")));
    // The first caption starts 36 + 30 twips right of the left margin.
    const double left = std::stod(word[1].str()) - (36 + 30) / 20.0;
    const double pageWidth = std::stod(page[1].str());
    EXPECT_LE(left + cellX.back() / 20.0, pageWidth - left + 0.5) << "the table runs past the right margin";
    for (size_t c = 0; c + 1 < cellX.size(); ++c) {
        const long x = std::lround(left + cellX[c] / 20.0), x2 = std::lround(left + cellX[c + 1] / 20.0);
        TCommandResult column = RunCommand("pdftotext -x " + std::to_string(x) + " -y 0 -W " + std::to_string(x2 - x) +
                                           " -H 100000 " + ShellQuote(pdf) + " -");
        ASSERT_EQ(column.ExitCode, 0) << column.Output;
        const std::u16string text = Comparable(column.Output);
        size_t at = 0;
        for (size_t row = 0; row < rows.size(); ++row) {
            if (c >= rows[row].size()) continue;
            const std::u16string cell = ComparableCell(rows[row][c]);
            if (cell.empty()) continue;
            const size_t found = FindCell(text, cell, at);
            if (found == std::u16string::npos) {
                ADD_FAILURE() << pdf << ": column " << c << ", row " << row << ": " << rows[row][c]
                              << " is missing; the column reads on with: "
                              << FromUtf16(text.substr(at, 80), 65001);
                break;
            }
            at = found;
        }
    }
}

// Converts the files to PDF in one LibreOffice run.
void ConvertToPdf(const TTempDir& dir, const std::vector<std::string>& files) {
    std::string command = "soffice --headless -env:UserInstallation=file://" + dir.File("lo") +
                          " --convert-to pdf --outdir " + ShellQuote(dir.File("pdf"));
    for (const auto& f : files) command += " " + ShellQuote(f);
    TCommandResult r = RunCommand(command);
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
}

// The command-line exporter and the sample database, built beside this program.
std::string Built(const std::string& name) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

TEST(WideDocumentReaders, TheSampleDatabaseFitsThePagePortraitAndLandscape) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("pdftotext");
    const std::string exporter = Built("ostrel-export"), database = Built("country.gdb");
    ASSERT_TRUE(std::filesystem::exists(exporter) && std::filesystem::exists(database))
        << "build ostrel-export and the sample database (target sample_db) first";
    TTempDir dir;
    const std::string run = ShellQuote(exporter) + " --database " + ShellQuote(database) +
                            " --password tallowfin --sql 'select * from country order by id' -q ";
    // The cell texts as the CSV export writes them, captions first.
    TCommandResult r = RunCommand(run + ShellQuote(dir.File("country.csv")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    const auto rows = ParseCsv(ReadAll(dir.File("country.csv")));
    ASSERT_EQ(rows.size(), 198u);
    std::vector<std::string> files;
    for (const char* name : {"portrait-rtf.rtf", "portrait-doc.doc", "landscape-rtf.rtf", "landscape-doc.doc"}) {
        files.push_back(dir.File(name));
        const std::string landscape = std::string(name).starts_with("landscape") ? "--landscape " : "";
        r = RunCommand(run + landscape + ShellQuote(files.back()));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
    }
    EXPECT_EQ(ReadAll(files[0]), ReadAll(files[1]));  // a Word file name changes nothing
    EXPECT_EQ(ReadAll(files[2]), ReadAll(files[3]));
    ConvertToPdf(dir, files);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string base = std::filesystem::path(file).stem().string();
        ExpectEveryCellInItsColumn(file, dir.File("pdf/" + base + ".pdf"), rows);
    }
}

TEST(WideDocumentReaders, FortyColumnsShowEveryCellPortraitAndLandscape) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("pdftotext");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    std::vector<std::vector<std::string>> rows(1);
    for (int c = 0; c < 40; ++c) {
        ds.AddField("F" + std::to_string(c), TMemFieldType::String, 12);
        rows[0].push_back("F" + std::to_string(c));
    }
    for (int r = 0; r < 6; ++r) {
        std::vector<TMemValue> values;
        rows.emplace_back();
        for (int c = 0; c < 40; ++c) {
            // Short and long words, and a number that the narrow cell breaks.
            const std::string text = c % 3 == 0   ? "r" + std::to_string(r) + "c" + std::to_string(c)
                                     : c % 3 == 1 ? "Ångström " + std::to_string(r * 40 + c)
                                                  : std::to_string(123456789 + r * 1000 + c);
            values.push_back(text);
            rows.back().push_back(text);
        }
        ds.AppendRow(values);
    }
    ds.Open();
    std::vector<std::string> files;
    for (auto orientation : {poPortrait, poLandscape}) {
        TIB_OstrelRTF e;
        e.SetDataSet(&ds);
        e.Options().PageOrientation = orientation;
        e.Footer().SetText("Footer line");
        files.push_back(dir.File(orientation == poLandscape ? "landscape.rtf" : "portrait.rtf"));
        e.SetFileName(files.back());
        e.DoExecute();
    }
    ConvertToPdf(dir, files);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string pdf = dir.File("pdf/" + std::filesystem::path(file).stem().string() + ".pdf");
        ExpectEveryCellInItsColumn(file, pdf, rows);
        // The footer after the table is printed too.
        TCommandResult r = RunCommand("pdftotext " + ShellQuote(pdf) + " -");
        EXPECT_NE(r.Output.find("Footer line"), std::string::npos) << r.Output;
    }
}

}  // namespace
}  // namespace ostrel::test
