// LaTeX documents compiled by the engine the exporter names (pdflatex, lualatex) and read
// back with pdftotext: scripts, long and wide tables, the sample database.
#include <unistd.h>

#include <regex>
#include <set>

#include "ReaderSupport.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "platform/CodePage.h"

namespace ostrel::test {
namespace {

// Compiles file.tex in dir with the engine, twice as longtables want, and returns the PDF's
// text in content order. Glyphs missing from a font fail the test as errors would.
std::string CompileAndRead(const TTempDir& dir, const std::string& engine) {
    const std::string cd = "cd " + ShellQuote(dir.File("")) + " && ";
    for (int pass = 0; pass < 2; ++pass) {
        TCommandResult r = RunCommand(cd + engine + " -interaction=nonstopmode -halt-on-error file.tex");
        EXPECT_EQ(r.ExitCode, 0) << r.Output.substr(r.Output.size() > 3000 ? r.Output.size() - 3000 : 0);
        if (r.ExitCode != 0) return {};
    }
    const std::string log = ReadAll(dir.File("file.log"));
    EXPECT_EQ(log.find("Missing character"), std::string::npos) << log.substr(log.find("Missing character"), 300);
    return RunCommand("pdftotext -raw " + ShellQuote(dir.File("file.pdf")) + " -").Output;
}

// Text as compared: without blanks and line breaks (cells wrap), hyphens (words may be broken)
// and with typographic quotes as typed.
std::string Normalized(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t c = DecodeUtf8At(text, i);
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '-' || c == 0xAD) continue;
        if (c == 0x2019 || c == 0x2018) out += '\'';
        else if (c == 0x201C || c == 0x201D) out += '"';
        else out.append(text, start, i - start);
    }
    return out;
}

bool RightToLeft(char32_t c) { return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFEFC); }

TEST(LatexReaders, PdflatexSetsLatinGreekAndCyrillic) {
    REQUIRE_READER("pdflatex");
    REQUIRE_READER("pdftotext");
    TFormatSettingsScope locale(UsSettings());
    const std::vector<std::string> texts = {"Jürgen Ångström", "Łucja Śliwińska", "đurđevak Ðorđe", "Őrség Kőszeg",
                                            "Ελλάδα", "Κύπρος / Kıbrıs", "Україна", "Тоҷикистон", "Қазақстан",
                                            "Црна Гора / Crna Gora", "a--b ''q''"};
    TMemDataset ds;
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("TEXT", TMemFieldType::String, 60);
    for (size_t i = 0; i < texts.size(); ++i) ds.AppendRow({static_cast<int64_t>(i + 1), texts[i]});
    ds.Open();
    for (const char* languages : {"english", "english,russian"}) {
        SCOPED_TRACE(languages);
        TTempDir dir;
        TIB_OstrelLaTeX e;
        e.SetDataSet(&ds);
        e.Options().SetLanguages(languages);
        e.SetFileName(dir.File("file.tex"));
        e.DoExecute();
        ASSERT_EQ(e.Engine(), "pdflatex");
        EXPECT_NE(ReadAll(dir.File("file.tex")).find("]{babel}"), std::string::npos);
        EXPECT_NE(ReadAll(dir.File("file.tex")).find(std::string("\\usepackage[") + languages + "]{babel}"),
                  std::string::npos);
        const std::string text = Normalized(CompileAndRead(dir, "pdflatex"));
        size_t at = 0;
        for (const auto& t : texts) {
            const size_t found = text.find(Normalized(t), at);
            EXPECT_NE(found, std::string::npos) << t << "\n" << text;
            if (found != std::string::npos) at = found;
        }
    }
}

// The folder of this test program, where the build puts ostrel-export and the sample database.
std::string ProgramFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    return std::filesystem::path(std::string(path, static_cast<size_t>(n))).parent_path().string();
}

TEST(LatexReaders, SampleDatabaseCompilesWithTheEngineNamedAndShowsEveryCell) {
    REQUIRE_READER("lualatex");
    REQUIRE_READER("pdftotext");
    const std::string bin = ProgramFolder();
    const std::string exporter = bin + "/ostrel-export", database = bin + "/country.gdb";
    ASSERT_TRUE(std::filesystem::exists(exporter) && std::filesystem::exists(database))
        << "build ostrel-export and sample_db first: " << exporter << ", " << database;
    TTempDir dir;
    std::filesystem::copy_file(database, dir.File("country.gdb"));
    const std::string run = ShellQuote(exporter) + " --database " + ShellQuote(dir.File("country.gdb")) +
                            " --password tallowfin --sql 'select * from country order by id' ";
    TCommandResult tex = RunCommand(run + ShellQuote(dir.File("file.tex")) + " </dev/null");
    ASSERT_EQ(tex.ExitCode, 0) << tex.Output;
    // The message names the engine the file needs.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(tex.Output, m, std::regex("needs (lualatex|pdflatex)"))) << tex.Output;
    EXPECT_EQ(m[1], "lualatex");
    // The cells as a CSV export of the same query formats them.
    TCommandResult csv = RunCommand(run + "--separator , " + ShellQuote(dir.File("cells.csv")) + " </dev/null");
    ASSERT_EQ(csv.ExitCode, 0) << csv.Output;
    std::vector<std::vector<std::string>> cells = ParseCsv(ReadAll(dir.File("cells.csv")));
    ASSERT_EQ(cells.size(), 198u);
    for (auto& row : cells)
        if (!row.empty() && row.back().empty()) row.pop_back();  // after the closing separator
    for (const auto& row : cells) ASSERT_EQ(row.size(), 12u);

    const std::string text = Normalized(CompileAndRead(dir, m[1]));
    ASSERT_FALSE(text.empty());
    // Every cell in order, row after row; in cells of right-to-left scripts their other words.
    size_t at = 0;
    int shown = 0;
    for (size_t r = 1; r < cells.size(); ++r) {
        for (const std::string& cell : cells[r]) {
            std::vector<std::string> parts;
            bool rtl = false;
            std::string part;
            for (size_t i = 0; i < cell.size();) {
                const size_t start = i;
                const char32_t c = DecodeUtf8At(cell, i);
                if (RightToLeft(c)) {
                    rtl = true;
                    parts.push_back(part);
                    part.clear();
                } else {
                    part.append(cell, start, i - start);
                }
            }
            parts.push_back(part);
            if (!rtl) {
                const std::string want = Normalized(cell);
                if (want.empty()) continue;
                const size_t found = text.find(want, at);
                EXPECT_NE(found, std::string::npos) << "row " << r << ": " << cell;
                if (found == std::string::npos) continue;
                at = found + want.size();
                ++shown;
                continue;
            }
            for (const auto& p : parts) {
                const std::string want = Normalized(p);
                if (want.size() < 2 || want.find_first_not_of("/()") == std::string::npos) continue;
                EXPECT_NE(text.find(want, at), std::string::npos) << "row " << r << ": " << cell;
            }
        }
    }
    EXPECT_GT(shown, 197 * 11);
}

TEST(LatexReaders, AThousandRowsOfThirtyColumnsCompile) {
    REQUIRE_READER("pdflatex");
    REQUIRE_READER("pdftotext");
    TFormatSettingsScope locale(UsSettings());
    TMemDataset ds;
    for (int c = 0; c < 30; ++c) ds.AddField("COLUMN_" + std::to_string(c), TMemFieldType::String, 80);
    char token[16];
    for (int r = 0; r < 1000; ++r) {
        std::vector<TMemValue> row;
        for (int c = 0; c < 30; ++c) {
            std::snprintf(token, sizeof token, "R%04dC%02d", r, c);
            row.emplace_back(std::string(token) + (c % 3 == 0 ? " with a few more words & 5%" : ""));
        }
        ds.AppendRow(row);
    }
    ds.Open();
    TTempDir dir;
    TIB_OstrelLaTeX e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("file.tex"));
    e.DoExecute();
    ASSERT_EQ(e.Engine(), "pdflatex");
    const std::string text = CompileAndRead(dir, "pdflatex");
    std::set<std::string> seen;
    const std::regex cell("R[0-9]{4}C[0-9]{2}");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), cell); it != std::sregex_iterator(); ++it)
        seen.insert(it->str());
    EXPECT_EQ(seen.size(), 30000u);
    EXPECT_EQ(seen.count("R0000C00") + seen.count("R0999C29") + seen.count("R0500C15"), 3u);
    // Captions repeat on every page of every part.
    size_t captions = 0;
    for (size_t p = text.find("COLUMN"); p != std::string::npos; p = text.find("COLUMN", p + 1)) ++captions;
    EXPECT_GT(captions, 30u * 20);
}

}  // namespace
}  // namespace ostrel::test
