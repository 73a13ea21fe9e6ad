// ostrel-export end to end: the sample database into each format, and every way of failing.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "TestSupport.h"
#include "readers/ReaderSupport.h"
#include "platform/CodePage.h"

namespace ostrel::test {
namespace {

TCommandResult Export(const std::string& args) {
    return RunCommand(std::string(OSTREL_EXPORT_BIN) + " " + args + " </dev/null");
}

// A copy of the sample database per test: the embedded engine locks a file to one process.
std::string SampleCopy(const TTempDir& dir) {
    const std::string copy = dir.File("country.gdb");
    if (!std::filesystem::exists(copy)) std::filesystem::copy_file(OSTREL_SAMPLE_DB, copy);
    return copy;
}

// The names of temporary files left in the folder, if any.
std::string TemporaryFiles(const TTempDir& dir) {
    std::string found;
    for (const auto& f : std::filesystem::directory_iterator(dir.File("")))
        if (f.path().string().ends_with(".part")) found += f.path().filename().string() + " ";
    return found;
}

std::string CsvFile(const TTempDir& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir.File(name), std::ios::binary) << text;
    return ShellQuote(dir.File(name));
}

std::string SampleArgs(const TTempDir& dir) {
    return "--database " + ShellQuote(SampleCopy(dir)) + " --password tallowfin --sql " +
           ShellQuote("select * from country order by id");
}

TEST(Cli, EveryFormatFromTheSampleDatabase) {
    TTempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {"c.txt", "Afghanistan"}, {"c.csv", "\"Afghanistan\""},   {"c.dif", "\"Afghanistan\""},
        {"c.slk", "K\"Afghanistan\""}, {"c.xml", "NAME=\"Afghanistan\""}, {"c.sql", "'Afghanistan'"},
        {"c.tex", "Afghanistan"}, {"c.htm", ">Afghanistan</td>"}, {"c.rtf", "{Afghanistan}\\cell"},
        {"c.doc", "{Afghanistan}\\cell"}, {"c.dbf", "Afghanistan"}, {"c.xls", "Afghanistan"}};
    for (auto [file, needle] : cases) {
        SCOPED_TRACE(file);
        TCommandResult r = Export(SampleArgs(dir) + " " + ShellQuote(dir.File(file)));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
        EXPECT_NE(r.Output.find("197 rows written to"), std::string::npos) << r.Output;
        const std::string out = ReadAll(dir.File(file));
        // Workbooks hold their texts in UTF-16, RTF beyond ASCII as \u escapes.
        const std::string name(file);
        const bool xls = name.ends_with(".xls"), rtf = name.ends_with(".rtf") || name.ends_with(".doc");
        auto encoded = [&](const std::string& text) {
            if (!xls) return text;
            std::string wide;
            for (char16_t c : ToUtf16(text, 65001)) wide += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
            return wide;
        };
        EXPECT_NE(out.find(encoded(needle)), std::string::npos);
        EXPECT_NE(out.find(encoded("Zimbabwe")), std::string::npos);
        EXPECT_NE(out.find(rtf ? "\\u26085?\\u26412?" : encoded("日本")), std::string::npos);
    }
    EXPECT_EQ(TemporaryFiles(dir), "");
}

TEST(Cli, CommonSettingsReachTheExporter) {
    TTempDir dir;
    const std::string out = dir.File("few.csv");
    TCommandResult r = Export(SampleArgs(dir) + " --fields code,name,population --skip 1 --limit 2 --caption NAME=Country" +
                              " --user-format POPULATION=0 --separator ';' --no-quote -q " + ShellQuote(out));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(r.Output, "");
    EXPECT_EQ(ReadAll(out), "CODE;Country;POPULATION;\r\nAL;Albania;2775634;\r\nDZ;Algeria;44903225;\r\n");
}

TEST(Cli, WorkbookOptionsReachTheExporter) {
    TTempDir dir;
    const std::string out = dir.File("c.xls");
    TCommandResult r = Export(SampleArgs(dir) + " --fields code,population --sheet-title Länder --start-col 1" +
                              " --aggregate POPULATION=sum -q " + ShellQuote(out));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    const std::string file = ReadAll(out);
    EXPECT_NE(file.find(std::string("L\0\xE4\0n\0d\0e\0r\0", 12)), std::string::npos);  // the title in UTF-16
    // FORMULA: row 198 (under the caption and 197 rows), column 2, SUM of rows 1 to 197.
    const size_t formula = file.find(std::string("\x06\x00\x23\x00\xC6\x00\x02\x00", 8));
    ASSERT_NE(formula, std::string::npos);
    EXPECT_EQ(file.substr(formula + 4 + 22, 5), std::string("\x25\x01\x00\xC5\x00", 5));
    EXPECT_EQ(file[formula + 4 + 33], '\x04');
}

TEST(Cli, CsvFileAsSource) {
    TTempDir dir;
    {
        std::ofstream in(dir.File("in.csv"));
        in << "Name,Salary,Born\n\"Smith, J\",1234.5,12/24/1980\nŁucja,99,1/2/2003\n";
    }
    TCommandResult r = Export("--csv " + ShellQuote(dir.File("in.csv")) + " --guess-types --fields born,name,salary -q " +
                              ShellQuote(dir.File("out.txt")) + " --spacing 1");
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    // Widths start from the grid's 64-pixel columns (9 characters) and grow to the data.
    EXPECT_EQ(ReadAll(dir.File("out.txt")), "Born       Name         Salary \r\n"
                                            "12/24/1980 Smith, J   1,234.50 \r\n"
                                            "1/2/2003   Łucja         99.00 \r\n\r\n");
}

// A CSV file from a pipe, which gives its bytes once, exports as the file itself does, also
// with the passes that go over the rows again (text widths, typed columns).
TEST(Cli, CsvFromAPipe) {
    TTempDir dir;
    const std::string csv = CsvFile(dir, "p.csv", "n,t\n1,\"a\nb\"\n2,c\n-3,\"d,e\"\n");
    TCommandResult r = Export("-q --csv " + csv + " --guess-types " + ShellQuote(dir.File("file.txt")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    r = RunCommand("cat " + csv + " | " + OSTREL_EXPORT_BIN + " -q --csv /dev/stdin --guess-types " +
                   ShellQuote(dir.File("pipe.txt")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("pipe.txt")), ReadAll(dir.File("file.txt")));
    EXPECT_NE(ReadAll(dir.File("file.txt")).find("d,e"), std::string::npos);
}

// The rows of a CSV file are read as the export asks for them: the run's peak memory stays
// well below the size of the file.
TEST(Cli, CsvFileReadAsAStream) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer keeps freed memory";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the sanitizer keeps freed memory";
#endif
#endif
    TTempDir dir;
    const std::string input = dir.File("big.csv"), output = dir.File("big.jsonl");
    const int rows = 300000;
    {
        std::ofstream out(input, std::ios::binary);
        out << "id,name,text\n";
        const std::string filler(80, 'x');
        for (int i = 0; i < rows; ++i) out << i << ",\"name\n" << i << "\"," << filler << "\n";
    }
    const auto fileKb = static_cast<long>(std::filesystem::file_size(input) / 1024);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::execl(OSTREL_EXPORT_BIN, OSTREL_EXPORT_BIN, "-q", "--csv", input.c_str(), output.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ASSERT_EQ(::wait4(pid, &status, 0, &usage), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_LT(usage.ru_maxrss, fileKb / 2) << "peak KB against a file of " << fileKb << " KB";
    const std::string written = ReadAll(output);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), rows);
    EXPECT_NE(written.find("{\"id\":\"299999\",\"name\":\"name\\n299999\",\"text\":\"xxx"), std::string::npos);
}

TEST(Cli, BadUsageIsExitCodeTwo) {
    TTempDir dir;
    for (const std::string& args : {std::string("--bogus x.csv"), std::string("x.csv"),
                                   "--database x.gdb " + ShellQuote(dir.File("x.csv")),
                                   SampleArgs(dir) + " " + ShellQuote(dir.File("x.unknown")),
                                   SampleArgs(dir) + " --format nope " + ShellQuote(dir.File("x.csv")),
                                   SampleArgs(dir) + " --limit -3 " + ShellQuote(dir.File("x.csv")),
                                   SampleArgs(dir) + " --aggregate POPULATION=median " + ShellQuote(dir.File("x.xls"))}) {
        SCOPED_TRACE(args);
        TCommandResult r = Export(args);
        EXPECT_EQ(r.ExitCode, 2) << r.Output;
        EXPECT_FALSE(r.Output.empty());
    }
    EXPECT_EQ(Export("--help").ExitCode, 0);
}

// --start-col takes the columns of an XLSX worksheet; an XLS worksheet has 256.
TEST(Cli, StartColumnWithinTheWorkbooksColumns) {
    TTempDir dir;
    TCommandResult r = Export(SampleArgs(dir) + " --start-col 300 " + ShellQuote(dir.File("x.xls")));
    EXPECT_EQ(r.ExitCode, 2) << r.Output;
    EXPECT_NE(r.Output.find("an XLS worksheet has 256 columns"), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.xls")));
    r = Export(SampleArgs(dir) + " -q --start-col 16372 " + ShellQuote(dir.File("x.xlsx")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("x.xlsx")).substr(0, 2), "PK");
    r = Export(SampleArgs(dir) + " --start-col 16373 " + ShellQuote(dir.File("y.xlsx")));
    EXPECT_EQ(r.ExitCode, 1) << r.Output;
    EXPECT_NE(r.Output.find("A worksheet has at most 16384 columns; the export needs 16385"), std::string::npos)
        << r.Output;
    EXPECT_EQ(TemporaryFiles(dir), "");
}

TEST(Cli, FailuresAreExitCodeOneAndLeaveNoFile) {
    TTempDir dir;
    const std::string out = dir.File("out.csv");
    struct Case {
        std::string Args;
        std::string Message;
    };
    const Case cases[] = {
        {"--database " + ShellQuote(dir.File("missing.gdb")) + " --sql 'select 1 from rdb$database' " + ShellQuote(out),
         "missing.gdb"},
        {"--database " + ShellQuote(SampleCopy(dir)) + " --sql 'select nope from country' " + ShellQuote(out),
         "Column unknown"},
        {SampleArgs(dir) + " /nonexistent-ostrel-dir/out.csv", "Cannot create file \"/nonexistent-ostrel-dir/out.csv\""},
        {"--csv " + ShellQuote(dir.File("bad.csv")) + " " + ShellQuote(out), "no closing quote"},
    };
    {
        std::ofstream bad(dir.File("bad.csv"));
        bad << "a,b\n\"open,1\n";
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args);
        TCommandResult r = Export(c.Args);
        EXPECT_EQ(r.ExitCode, 1) << r.Output;
        EXPECT_NE(r.Output.find(c.Message), std::string::npos) << r.Output;
        EXPECT_FALSE(std::filesystem::exists(out));
        EXPECT_EQ(TemporaryFiles(dir), "");
    }
    // A value that fails in the middle of the run: the file that was there stays as it was.
    CsvFile(dir, "huge.csv", "n\n1.5\n100000000000000000000\n");
    std::ofstream(dir.File("old.dbf")) << "old";
    TCommandResult r = Export("--csv " + ShellQuote(dir.File("huge.csv")) + " --guess-types " +
                              ShellQuote(dir.File("old.dbf")));
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_NE(r.Output.find("does not fit the 15 characters of the field n"), std::string::npos) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("old.dbf")), "old");
    EXPECT_EQ(TemporaryFiles(dir), "");
}

// A wrong password needs a server that checks it (the embedded engine does not): the
// Firebird server of the machine, started for the test when none listens.
TEST(Cli, WrongPasswordOnAServer) {
    const char* server = "/usr/sbin/firebird";
    if (!std::filesystem::exists(server)) {
        if (std::getenv("OSTREL_ALLOW_MISSING_READERS") && !std::getenv("OSTREL_REQUIRE_READERS")) GTEST_SKIP() << server;
        FAIL() << "not installed: " << server << " (firebird3.0-server)";
    }
    TTempDir dir;
    const std::string out = dir.File("out.csv");
    const std::string args = "--database " + ShellQuote("localhost:" + SampleCopy(dir)) +
                             " --password not-the-password --sql 'select 1 from rdb$database' " + ShellQuote(out);
    std::string started;
    TCommandResult r = Export(args);
    if (r.Output.find("network request") != std::string::npos || r.Output.find("refused") != std::string::npos) {
        started = Trim(RunCommand(std::string(server) + " >/dev/null 2>&1 & echo $!").Output);
        for (int i = 0; i < 50; ++i) {
            r = Export(args);
            if (r.Output.find("network request") == std::string::npos && r.Output.find("refused") == std::string::npos)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    if (!started.empty()) RunCommand("kill " + started);
    EXPECT_EQ(r.ExitCode, 1) << r.Output;
    EXPECT_NE(r.Output.find("Your user name and password are not defined"), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(TemporaryFiles(dir), "");
}

TEST(Cli, RowLimitIsReported) {
    TTempDir dir;
    {
        std::ofstream in(dir.File("big.csv"));
        in << "n\n";
        for (int i = 0; i < 65600; ++i) in << i << "\n";
    }
    TCommandResult r = Export("--csv " + ShellQuote(dir.File("big.csv")) + " " + ShellQuote(dir.File("out.slk")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_NE(r.Output.find("warning: 63 rows were left out"), std::string::npos) << r.Output;
    EXPECT_NE(r.Output.find(" 65537 rows written to"), std::string::npos) << r.Output;
}

TEST(Cli, TheOutputFileIsReplacedWholeAndNothingElse) {
    TTempDir dir;
    const std::string csv = CsvFile(dir, "s.csv", "val,name\n1,a\n2,b\n");
    const std::string expected = "\"val\",\"name\",\r\n\"1\",\"a\",\r\n\"2\",\"b\",\r\n";
    // A link planted where a temporary file might be written is not followed.
    std::ofstream(dir.File("victim.txt")) << "precious";
    std::filesystem::create_symlink(dir.File("victim.txt"), dir.File("y.csv.part"));
    TCommandResult r = Export("-q --csv " + csv + " " + ShellQuote(dir.File("y.csv")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("victim.txt")), "precious");
    EXPECT_EQ(ReadAll(dir.File("y.csv")), expected);
    std::filesystem::remove(dir.File("y.csv.part"));

    // A replaced file keeps its permission bits.
    std::ofstream(dir.File("private.csv")) << "old";
    const auto ownerOnly = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(dir.File("private.csv"), ownerOnly);
    EXPECT_EQ(Export("-q --csv " + csv + " " + ShellQuote(dir.File("private.csv"))).ExitCode, 0);
    EXPECT_EQ(ReadAll(dir.File("private.csv")), expected);
    EXPECT_EQ(std::filesystem::status(dir.File("private.csv")).permissions() & std::filesystem::perms::all, ownerOnly);

    // A folder as the output: a clear message before anything is written.
    std::filesystem::create_directory(dir.File("adir"));
    for (const std::string format : {"", "--format csv "}) {
        r = Export("--csv " + csv + " " + format + ShellQuote(dir.File("adir")));
        EXPECT_EQ(r.ExitCode, 2) << r.Output;
        EXPECT_NE(r.Output.find("adir is a folder: give the name of the file to write"), std::string::npos) << r.Output;
        EXPECT_TRUE(std::filesystem::is_empty(dir.File("adir")));
    }
    EXPECT_EQ(TemporaryFiles(dir), "");

    // Two runs onto one name: each writes its own temporary file, and the name ends up holding
    // one whole result, never a mixture.
    std::string a = "n\n", b = "n\n";
    for (int i = 0; i < 40000; ++i) {
        a += "a" + std::to_string(i) + "\n";
        b += "b" + std::to_string(i) + "\n";
    }
    const std::string ca = CsvFile(dir, "a.csv", a), cb = CsvFile(dir, "b.csv", b);
    const std::string bin = OSTREL_EXPORT_BIN;
    RunCommand(bin + " -q --no-quote --csv " + ca + " " + ShellQuote(dir.File("a.out.csv")));
    RunCommand(bin + " -q --no-quote --csv " + cb + " " + ShellQuote(dir.File("b.out.csv")));
    const std::string same = ShellQuote(dir.File("same.csv"));
    TCommandResult both = RunCommand("(" + bin + " -q --no-quote --csv " + ca + " " + same + " & " + bin +
                                     " -q --no-quote --csv " + cb + " " + same + "; wait) && echo both-done");
    EXPECT_NE(both.Output.find("both-done"), std::string::npos) << both.Output;
    const std::string result = ReadAll(dir.File("same.csv"));
    EXPECT_TRUE(result == ReadAll(dir.File("a.out.csv")) || result == ReadAll(dir.File("b.out.csv")));
    EXPECT_EQ(TemporaryFiles(dir), "");
}

TEST(Cli, PagedHtmlEndsUnderItsFinalNamesWithWorkingLinks) {
    TTempDir dir;
    std::string rows = "k,v\n";
    for (int i = 1; i <= 25; ++i) rows += std::to_string(i) + ",x" + std::to_string(i) + "\n";
    const std::string csv = CsvFile(dir, "h.csv", rows);
    std::filesystem::create_directory(dir.File("site"));
    TCommandResult r = Export("-q --csv " + csv + " --html-page-rows 10 --html-index --html-external-css " +
                              ShellQuote(dir.File("site/pg.html")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    auto count = [](const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(ReadAll(dir.File("site/pg01.html")), "<td class=\"Tr"), 20u);  // 10 rows of 2 cells
    EXPECT_EQ(count(ReadAll(dir.File("site/pg02.html")), "<td class=\"Tr"), 20u);
    EXPECT_EQ(count(ReadAll(dir.File("site/pg03.html")), "<td class=\"Tr"), 10u);
    const std::string index = ReadAll(dir.File("site/pg.html"));
    for (const char* page : {"pg01.html", "pg02.html", "pg03.html"})
        EXPECT_NE(index.find(std::string("<a href=\"") + page + "\">"), std::string::npos) << index;
    EXPECT_NE(ReadAll(dir.File("site/pg02.html")).find("href=\"pg01.css\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.File("site/pg01.css")));
    size_t files = 0;
    for (const auto& f : std::filesystem::directory_iterator(dir.File("site"))) {
        EXPECT_FALSE(f.path().string().ends_with(".part")) << f.path();
        ++files;
    }
    EXPECT_EQ(files, 5u);  // the index, three pages and the style sheet
}

TEST(Cli, UsageFaultsNameWhatIsWrong) {
    TTempDir dir;
    const std::string csv = CsvFile(dir, "s.csv", "val,name\n1,a\n2,b\n");
    // Repeatable options take one value each, so the output name after them is not swallowed.
    TCommandResult r = Export("-q --csv " + csv + " --fields val,name --caption val=V --width val=3 --align val=R " +
                              "--header top " + ShellQuote(dir.File("a.txt")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("a.txt")).substr(0, 5), "top\r\n");
    r = Export("-q --csv " + csv + " --fields name --fields val " + ShellQuote(dir.File("b.csv")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("b.csv")).substr(0, 15), "\"name\",\"val\",\r\n");

    const std::pair<std::string, std::string> cases[] = {
        {"--fields nosuch", "--fields: no column named 'nosuch'; the columns are: val, name"},
        {"--caption nosuch=X", "--caption: no column named 'nosuch'"},
        {"--width nosuch=3", "--width: no column named 'nosuch'"},
        {"--align nosuch=R", "--align: no column named 'nosuch'"},
        {"--user-format nosuch=0.0", "--user-format: no column named 'nosuch'"},
        {"--aggregate nosuch=sum", "--aggregate: no column named 'nosuch'"},
        {"--width val=2000000000", "expected NAME=CHARACTERS"},
        {"--width val=-1", "expected NAME=CHARACTERS"},
        {"--align val=middle", "expected NAME=L|C|R"},
        {"--spacing 100000", "--spacing"},
        {"--csv-separator " + ShellQuote("\""), "cannot be a quote or a line break"},
        {"--caption val", "expected NAME=CAPTION"},
        {"--user-format val", "expected NAME=PATTERN"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args);
        r = Export("--csv " + csv + " " + args + " " + ShellQuote(dir.File("c.xls")));
        EXPECT_EQ(r.ExitCode, 2) << r.Output;
        EXPECT_NE(r.Output.find(message), std::string::npos) << r.Output;
        EXPECT_FALSE(std::filesystem::exists(dir.File("c.xls")));
    }
    // Texts a spreadsheet would take for formulas, guarded on request; numbers never are.
    const std::string formulas = CsvFile(dir, "f.csv", "n,t\n-5,=HYPERLINK(\"http://x\")\n1,@SUM(1)\n");
    r = Export("-q --guess-types --formula-guard --csv " + formulas + " " + ShellQuote(dir.File("f.out.csv")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("f.out.csv")),
              "\"n\",\"t\",\r\n\"-5\",\"'=HYPERLINK(\"\"http://x\"\")\",\r\n\"1\",\"'@SUM(1)\",\r\n");

    r = Export("--csv " + csv);
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_NE(r.Output.find("no output: give an output file"), std::string::npos) << r.Output;
    EXPECT_NE(r.Output.find("--format clipboard"), std::string::npos) << r.Output;
}

// Scripts from a CSV file run as they are: the table is named after the file, the columns by
// the header.
TEST(Cli, SqlTakesItsNamesFromTheFileAndTheHeader) {
    REQUIRE_READER("sqlite3");
    TTempDir dir;
    const std::string csv = CsvFile(dir, "s.csv", "id,name\n1,Ann\n2,O'Neil\n");
    const std::pair<std::string, std::string> cases[] = {
        {"people.sql", "PEOPLE"}, {"my people.sql", "\"MY PEOPLE\""}, {"order.sql", "\"ORDER\""}};
    for (const auto& [file, table] : cases) {
        SCOPED_TRACE(file);
        TCommandResult r = Export("-q --csv " + csv + " --create-table " + ShellQuote(dir.File(file)));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
        const std::string script = ReadAll(dir.File(file));
        EXPECT_NE(script.find("INSERT INTO " + table + "\r\n  (id,name)\r\n"), std::string::npos) << script;
        std::ofstream(dir.File("query.sql")) << "select name from " << table << " order by id;\n";
        r = RunCommand("cat " + ShellQuote(dir.File(file)) + " " + ShellQuote(dir.File("query.sql")) +
                       " | sqlite3 :memory:");
        EXPECT_EQ(r.ExitCode, 0) << r.Output;
        EXPECT_EQ(r.Output, "Ann\nO'Neil\n");
    }
    TCommandResult r = Export("-q --csv " + csv + " " + ShellQuote(dir.File("p.xml")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_NE(ReadAll(dir.File("p.xml")).find("<FIELD FieldName=\"name\" DisplayLabel=\"name\""), std::string::npos);
}

// Header texts that repeat (in any case) or are empty still give every column a name of its
// own, so the script runs; the captions stay the header's.
TEST(Cli, RepeatedAndEmptyHeaderTextsAreToldApart) {
    REQUIRE_READER("sqlite3");
    TTempDir dir;
    const std::string csv = CsvFile(dir, "t.csv", "a,A,,b\n1,2,3,4\n");
    TCommandResult r = Export("-q --csv " + csv + " --create-table " + ShellQuote(dir.File("t.sql")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_NE(ReadAll(dir.File("t.sql")).find("  (a,A_2,column3,b)\r\n"), std::string::npos) << ReadAll(dir.File("t.sql"));
    std::ofstream(dir.File("q.sql")) << "select a, A_2, column3, b from T;\n";
    r = RunCommand("cat " + ShellQuote(dir.File("t.sql")) + " " + ShellQuote(dir.File("q.sql")) + " | sqlite3 :memory:");
    EXPECT_EQ(r.Output, "1|2|3|4\n");
    r = Export("-q --csv " + csv + " --fields A_2,a " + ShellQuote(dir.File("t.csv.out.csv")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("t.csv.out.csv")), "\"A\",\"a\",\r\n\"2\",\"1\",\r\n");
    r = Export("-q --csv " + csv + " " + ShellQuote(dir.File("all.csv")));
    EXPECT_EQ(ReadAll(dir.File("all.csv")).substr(0, 15), "\"a\",\"A\",,\"b\",\r\n");
}

// JSON by format name or file extension; keys from the captions on request; a file without
// rows gives an empty array. The export dialog, and so its options file, has no JSON type.
TEST(Cli, JsonByNameOrExtensionWithCaptionsOnRequest) {
    TTempDir dir;
    const std::string csv = CsvFile(dir, "j.csv", "n,a,A\n1,x,\"y\nz\"\n");
    const std::string row = "{\"n\":\"1\",\"a\":\"x\",\"A_2\":\"y\\nz\"}\n";
    const std::pair<std::string, std::string> cases[] = {
        {"j.json", "[\n" + row + "]\n"}, {"j.jsonl", row}, {"j.ndjson", row}, {"--format jsonl j.txt", row}};
    for (const auto& [args, content] : cases) {
        SCOPED_TRACE(args);
        const std::string file = args.substr(args.rfind(' ') + 1);
        const std::string options = args.find(' ') == std::string::npos ? "" : args.substr(0, args.rfind(' '));
        TCommandResult r = Export("-q --csv " + csv + " " + options + " " + ShellQuote(dir.File(file)));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
        EXPECT_EQ(ReadAll(dir.File(file)), content);
    }
    TCommandResult r = Export("-q --csv " + csv + " --guess-types --json-captions --caption n=No. " +
                              ShellQuote(dir.File("c.json")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("c.json")), "[\n{\"No.\":1,\"a\":\"x\",\"A\":\"y\\nz\"}\n]\n");
    // A caption that repeats keeps its value under a key of its own, and the run says so.
    r = Export("--csv " + csv + " --json-captions --caption n=a " + ShellQuote(dir.File("d.json")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("d.json")), "[\n{\"a\":\"1\",\"a_2\":\"x\",\"A\":\"y\\nz\"}\n]\n");
    EXPECT_NE(r.Output.find("note: column 2 (a) has the key a of an earlier column: written as a_2"), std::string::npos)
        << r.Output;

    r = Export("--csv " + CsvFile(dir, "h.csv", "n,a\n") + " " + ShellQuote(dir.File("h.json")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_NE(r.Output.find("0 rows written"), std::string::npos) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("h.json")), "[]\n");

    std::ofstream(dir.File("o.cfg")) << "";
    r = Export("--options " + ShellQuote(dir.File("o.cfg")) + " --csv " + csv + " --format json " +
               ShellQuote(dir.File("o.json")));
    EXPECT_EQ(r.ExitCode, 2) << r.Output;
    EXPECT_NE(r.Output.find("the export dialog has no json export type"), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.json")));
    EXPECT_EQ(TemporaryFiles(dir), "");
}


}  // namespace
}  // namespace ostrel::test
