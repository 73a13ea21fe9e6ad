// Text formats read back by independent readers: LibreOffice (CSV, DIF, SYLK), xmllint,
// SQLite and Firebird (SQL scripts), pdflatex (LaTeX).
#include "ReaderSupport.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"

namespace ostrel::test {
namespace {

using Grid = std::vector<std::vector<std::string>>;

// Rows of typed values with non-ASCII text, separators and quotes inside, and NULLs.
void FillPeople(TMemDataset& ds) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 30);
    ds.AddField("SALARY", TMemFieldType::Float);
    ds.AddField("BORN", TMemFieldType::Date);
    ds.AddField("ACTIVE", TMemFieldType::Boolean);
    ds.AddField("NOTE", TMemFieldType::String, 10);
    ds.AppendRow({int64_t{1}, "Jürgen Ångström", 1234.5, EncodeDate(1974, 5, 1), true, "ok"});
    ds.AppendRow({int64_t{2}, "Łucja; \"Q\", O'Neil", -0.25, EncodeDate(2000, 2, 29), false, TMemValue{}});
    ds.AppendRow({int64_t{3}, "東京", 0.0, EncodeDate(1969, 3, 3), true, "a,b"});
    ds.Open();
}

Grid Trimmed(Grid g) {
    for (auto& row : g)
        while (!row.empty() && row.back().empty()) row.pop_back();
    while (!g.empty() && g.back().empty()) g.pop_back();
    return g;
}

class TextReaders : public ::testing::Test {
protected:
    void SetUp() override { FillPeople(ds); }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
};

const Grid kFormattedCells = {
    {"ID", "NAME", "SALARY", "BORN", "ACTIVE", "NOTE"},
    {"1", "Jürgen Ångström", "1,234.50", "5/1/1974", "True", "ok"},
    {"2", "Łucja; \"Q\", O'Neil", "-0.25", "2/29/2000", "False"},
    {"3", "東京", "0.00", "3/3/1969", "True", "a,b"},
};

TEST_F(TextReaders, LibreOfficeReadsCsvBack) {
    REQUIRE_READER("soffice");
    TIB_OstrelASCII e;
    e.SetDataSet(&ds);
    e.SetExportType(etCSV);
    e.SetCSVComma(';');
    e.SetFileName(dir.File("people.csv"));
    e.DoExecute();
    // Semicolon-separated, quoted fields kept as text, UTF-8.
    Grid cells = Trimmed(LibreOfficeCells(dir, dir.File("people.csv"), "Text - txt - csv (StarCalc):59,34,76,1,,0,true"));
    // Booleans are written unquoted, so the reader takes them as truth values.
    Grid expected = kFormattedCells;
    for (auto& row : expected)
        for (auto& cell : row)
            if (cell == "True" || cell == "False") cell = UpperCase(cell);
    EXPECT_EQ(cells, expected);
}

TEST_F(TextReaders, LibreOfficeReadsSylkBack) {
    REQUIRE_READER("soffice");
    TIB_OstrelASCII e;
    e.SetDataSet(&ds);
    e.SetExportType(etSYLK);
    e.SetFileName(dir.File("people.slk"));
    e.DoExecute();
    EXPECT_EQ(Trimmed(LibreOfficeCells(dir, dir.File("people.slk"), "")), kFormattedCells);
}

TEST_F(TextReaders, LibreOfficeReadsDifBackWithNumbersAsNumbers) {
    REQUIRE_READER("soffice");
    TIB_OstrelASCII e;
    e.SetDataSet(&ds);
    e.SetExportType(etDIF);
    e.SetTitle("People");
    e.SetFileName(dir.File("people.dif"));
    e.DoExecute();
    // DIF declares no encoding; the import is told UTF-8 (76).
    const Grid expected = {
        {"ID", "NAME", "SALARY", "BORN", "ACTIVE", "NOTE"},
        {"1", "Jürgen Ångström", "1234.5", "5/1/1974", "1", "ok"},
        {"2", "Łucja; \"Q\", O'Neil", "-0.25", "2/29/2000", "0"},
        {"3", "東京", "0", "3/3/1969", "1", "a,b"},
    };
    Grid cells = Trimmed(LibreOfficeCells(dir, dir.File("people.dif"), "DIF:76"));
    // Booleans arrive as truth values; LibreOffice shows them as TRUE/FALSE or 1/0.
    for (auto& row : cells)
        for (auto& cell : row) {
            if (cell == "TRUE") cell = "1";
            if (cell == "FALSE") cell = "0";
        }
    EXPECT_EQ(cells, expected);
}

// Texts with line breaks and the characters that end SYLK and DIF fields, and a row after them,
// so that a record ended early shows as a lost or shifted row.
void FillBreaks(TMemDataset& ds) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("V", TMemFieldType::String, 30);
    const char* texts[] = {"a\r\nb", "lf\nonly", "semi;colon;", "\"q\"; \"", "\r\nE\r\n", "x\r\n1,0\r\ny", "last"};
    int64_t id = 0;
    for (const char* text : texts) ds.AppendRow({++id, text});
    ds.Open();
}

// The cells LibreOffice reads back: line breaks as LF, the cell it shows for each value.
Grid BreaksReadBack(const std::string& headerLikeLine) {
    return {{"ID", "V"}, {"1", "a\nb"}, {"2", "lf\nonly"}, {"3", "semi;colon;"}, {"4", "\"q\"; \""},
            {"5", "\nE\n"}, {"6", headerLikeLine}, {"7", "last"}};
}

TEST_F(TextReaders, LibreOfficeReadsSylkLineBreaksAndSemicolonsBack) {
    REQUIRE_READER("soffice");
    TMemDataset breaks;
    FillBreaks(breaks);
    TIB_OstrelASCII e;
    e.SetDataSet(&breaks);
    e.SetExportType(etSYLK);
    e.SetFileName(dir.File("breaks.slk"));
    e.DoExecute();
    EXPECT_EQ(Trimmed(LibreOfficeCells(dir, dir.File("breaks.slk"), "")), BreaksReadBack("x\n1,0\ny"));
}

TEST_F(TextReaders, LibreOfficeReadsDifLineBreaksAndQuotesBack) {
    REQUIRE_READER("soffice");
    TMemDataset breaks;
    FillBreaks(breaks);
    TIB_OstrelASCII e;
    e.SetDataSet(&breaks);
    e.SetExportType(etDIF);
    e.SetFileName(dir.File("breaks.dif"));
    e.DoExecute();
    // The line that would read as a value header is joined with a blank, as documented.
    EXPECT_EQ(Trimmed(LibreOfficeCells(dir, dir.File("breaks.dif"), "DIF:76")), BreaksReadBack("x 1,0\ny"));
}

TEST_F(TextReaders, LibreOfficeShowsGuardedCsvFormulasAsText) {
    REQUIRE_READER("soffice");
    TMemDataset f;
    f.AddField("S", TMemFieldType::String, 40);
    f.AddField("N", TMemFieldType::Float);
    f.AppendRow({"=HYPERLINK(\"http://x\")", -1.5});
    f.Open();
    TIB_OstrelASCII e;
    e.SetDataSet(&f);
    e.SetExportType(etCSV);
    e.SetCSVComma(',');
    e.SetFileName(dir.File("f.csv"));
    // Quoted fields not forced to text, formulas evaluated: what a spreadsheet user gets.
    const std::string filter = "Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,,,,,true";
    e.DoExecute();
    EXPECT_EQ(Trimmed(LibreOfficeCells(dir, dir.File("f.csv"), filter)),
              (Grid{{"S", "N"}, {"http://x", "-1.5"}}));  // without the guard, the formula ran
    e.SetCSVFormulaGuard(true);
    e.DoExecute();
    EXPECT_EQ(Trimmed(LibreOfficeCells(dir, dir.File("f.csv"), filter)),
              (Grid{{"S", "N"}, {"'=HYPERLINK(\"http://x\")", "-1.5"}}));
}

// The value an XPath expression selects, without the line end xmllint adds.
std::string XPath(const std::string& expr, const std::string& file) {
    std::string out = RunCommand("xmllint --xpath " + ShellQuote(expr) + " " + ShellQuote(file)).Output;
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

TEST_F(TextReaders, XmllintAcceptsNastyCaptionsAndValues) {
    REQUIRE_READER("xmllint");
    ds.AppendRow({int64_t{4}, "a<b&c\"d'>\r\nline2\ttab\x01", 1.0, EncodeDate(2001, 1, 1), false, "]]>"});
    TIB_OstrelXML e;
    e.SetDataSet(&ds);
    e.Captions().SetText("ID=1st col\r\nNAME=Name \"quoted\" <x>\r\nSALARY=a:b\r\nBORN=Born & raised\r\n"
                         "ACTIVE=Größe\r\nNOTE=Name \"quoted\" <x>");
    e.Formats().SetNullString("<null & void>");
    e.SetFileName(dir.File("nasty.xml"));
    e.DoExecute();
    TCommandResult lint = RunCommand("xmllint --noout " + ShellQuote(dir.File("nasty.xml")));
    EXPECT_EQ(lint.ExitCode, 0) << lint.Output << ReadAll(dir.File("nasty.xml"));
    // Values read back through XPath are the exported texts, line breaks included.
    const std::string nasty = dir.File("nasty.xml");
    EXPECT_EQ(XPath("string(//ROW[4]/@Name__quoted___x_)", nasty), "a<b&c\"d'>\r\nline2\ttab\xEF\xBF\xBD");
    EXPECT_EQ(XPath("string(//ROW[2]/@Name__quoted___x__2)", nasty), "<null & void>");
    EXPECT_EQ(XPath("string(//ROW[3]/@Name__quoted___x_)", nasty), "東京");
    EXPECT_EQ(XPath("string(//FIELD[2]/@DisplayLabel)", nasty), "Name \"quoted\" <x>");

    // A Windows-1252 export declares its encoding, and the reader decodes the same letters.
    TFormatSettings cp = UsSettings();
    cp.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope scope(cp);
    TMemListView lv;
    lv.AddColumn("Name", 80);
    lv.AddItem("J\xFCrgen \x80");
    TIB_OstrelXML w;
    w.SetExportSource(esListView);
    w.SetListView(&lv);
    w.SetFileName(dir.File("cp1252.xml"));
    w.DoExecute();
    EXPECT_EQ(XPath("string(//ROW[1]/@Name)", dir.File("cp1252.xml")), "Jürgen €");
}

TEST_F(TextReaders, XmlReadersDecodeEveryDeclaredEncoding) {
    REQUIRE_READER("xmllint");
    TMemDataset one;
    one.AddField("SIZE", TMemFieldType::String, 30).SetDisplayLabel("Größe東");
    one.AppendRow({std::string("é € 東 <\0>\t\x1F.", 17)});
    one.Open();
    // NUL and other control characters cannot be carried by XML and read back as U+FFFD.
    const std::string expected = "é € 東 <\xEF\xBF\xBD>\t\xEF\xBF\xBD.";
    const std::string python =
        "import sys, xml.etree.ElementTree as ET\n"
        "root = ET.parse(sys.argv[1]).getroot()\n"
        "field = root.find('METADATA/FIELDS/FIELD')\n"
        "row = root.find('ROWDATA/ROW')\n"
        "sys.stdout.buffer.write((field.get('DisplayLabel') + '|' + list(row.attrib.values())[0]).encode('utf-8'))\n";
    for (const char* encoding : {"", "UTF-8", "ISO-8859-1", "latin1", "ISO-8859-15", "windows-1252", "US-ASCII"}) {
        SCOPED_TRACE(encoding);
        TIB_OstrelXML e;
        e.SetDataSet(&one);
        e.Options().SetEncoding(encoding);
        const std::string file = dir.File("enc.xml");
        e.SetFileName(file);
        e.DoExecute();
        TCommandResult lint = RunCommand("xmllint --noout " + ShellQuote(file));
        EXPECT_EQ(lint.ExitCode, 0) << lint.Output;
        EXPECT_EQ(lint.Output, "");
        EXPECT_EQ(XPath("string(//ROW[1]/@*)", file), expected);
        EXPECT_EQ(XPath("string(//FIELD[1]/@DisplayLabel)", file), "Größe東");
        EXPECT_EQ(RunPython(dir, python, ShellQuote(file)), "Größe東|" + expected);
    }
}

// A script for the typed rows, in a comma-decimal locale so that no literal depends on it.
std::string WriteSqlScript(TTempDir& dir, TMemDataset& ds, const std::string& name, const std::string& header,
                           const std::string& commit) {
    TFormatSettingsScope de(GermanSettings());
    TIB_OstrelSQL e;
    e.SetDataSet(&ds);
    e.SetTableName("PEOPLE");
    e.SetCreateTable(true);
    e.SetCommitAfterScript(true);
    e.SetCommitStatement(commit);
    e.Header().SetText(header);
    e.SetFileName(dir.File(name));
    e.DoExecute();
    return dir.File(name);
}

void FillSqlTypes(TMemDataset& ds) {
    ds.AddField("AT", TMemFieldType::Time);
    ds.AddField("STAMP", TMemFieldType::DateTime);
    ds.AddField("BIG", TMemFieldType::BigInt);
}

TEST(SqlReaders, SqliteRecreatesTheRows) {
    REQUIRE_READER("sqlite3");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillPeople(ds);
    const std::string script = WriteSqlScript(dir, ds, "people.sql", "BEGIN;", "COMMIT;");
    const std::string db = dir.File("people.sqlite");
    TCommandResult run = RunCommand("sqlite3 " + ShellQuote(db) + " < " + ShellQuote(script));
    ASSERT_EQ(run.ExitCode, 0) << run.Output << ReadAll(script);
    TCommandResult q = RunCommand("sqlite3 -csv -nullvalue '<NULL>' " + ShellQuote(db) +
                                  " 'SELECT ID, NAME, SALARY, BORN, ACTIVE, NOTE FROM PEOPLE ORDER BY ID'");
    EXPECT_EQ(Trimmed(ParseCsv(q.Output)), (Grid{{"1", "Jürgen Ångström", "1234.5", "1974-05-01", "1", "ok"},
                                        {"2", "Łucja; \"Q\", O'Neil", "-0.25", "2000-02-29", "0", "<NULL>"},
                                        {"3", "東京", "0.0", "1969-03-03", "1", "a,b"}}));
}

// Runs isql-fb on a fresh embedded database; returns the output of `query` in list form.
std::string FirebirdRun(TTempDir& dir, const std::string& script, const std::string& query) {
    const std::string db = dir.File("fb.fdb");
    {
        std::ofstream create(dir.File("create.sql"));
        create << "CREATE DATABASE '" << db << "' DEFAULT CHARACTER SET UTF8;\n";
    }
    TCommandResult c = RunCommand("isql-fb -q -ch UTF8 -u SYSDBA -p x -i " + ShellQuote(dir.File("create.sql")));
    EXPECT_EQ(c.ExitCode, 0) << c.Output;
    TCommandResult r = RunCommand("isql-fb -q -ch UTF8 -u SYSDBA -p x -bail -i " + ShellQuote(script) + " " +
                                  ShellQuote(db));
    EXPECT_EQ(r.ExitCode, 0) << r.Output << ReadAll(script);
    EXPECT_EQ(r.Output, "") << ReadAll(script);
    {
        std::ofstream q(dir.File("query.sql"));
        q << "SET LIST ON;\n" << query << "\n";
    }
    return RunCommand("isql-fb -q -ch UTF8 -u SYSDBA -p x -i " + ShellQuote(dir.File("query.sql")) + " " +
                      ShellQuote(db))
        .Output;
}

// The "NAME value" lines of isql's list output, blanks of CHAR padding removed.
std::vector<std::string> ListLines(const std::string& output) {
    std::vector<std::string> out;
    TStringList lines;
    lines.SetText(output);
    for (const auto& line : lines) {
        if (Trim(line).empty()) continue;
        size_t gap = line.find(' ');
        out.push_back(line.substr(0, gap) + "=" + (gap == std::string::npos ? "" : Trim(line.substr(gap))));
    }
    return out;
}

TEST(SqlReaders, FirebirdRecreatesTheRowsWithTimesAndNulls) {
    REQUIRE_READER("isql-fb");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 30);
    ds.AddField("SALARY", TMemFieldType::Float);
    ds.AddField("ACTIVE", TMemFieldType::Boolean);
    FillSqlTypes(ds);
    ds.AppendRow({int64_t{1}, "Jürgen O'Neil 東", 1234.5, true, EncodeTime(10, 30, 15, 0),
                  EncodeDate(2003, 2, 1) + EncodeTime(14, 5, 9, 0), int64_t{9000000000}});
    ds.AppendRow({int64_t{2}, TMemValue{}, TMemValue{}, false, TMemValue{}, TMemValue{}, TMemValue{}});
    ds.Open();
    const std::string script = WriteSqlScript(dir, ds, "fb.sql", "", "COMMIT WORK;");
    const std::string out = FirebirdRun(dir, script, "SELECT * FROM PEOPLE ORDER BY ID;");
    EXPECT_EQ(ListLines(out), (std::vector<std::string>{
                                  "ID=1", "NAME=Jürgen O'Neil 東", "SALARY=1234.500000000000", "ACTIVE=<true>",
                                  "AT=10:30:15.0000", "STAMP=2003-02-01 14:05:09.0000", "BIG=9000000000", "ID=2",
                                  "NAME=<null>", "SALARY=<null>", "ACTIVE=<false>", "AT=<null>", "STAMP=<null>",
                                  "BIG=<null>"}));
}

TEST(SqlReaders, FirebirdTakesStringGridColumnsAndLongTexts) {
    REQUIRE_READER("isql-fb");
    TFormatSettingsScope locale(PointDmySettings());
    TTempDir dir;
    TMemStringGrid g;
    g.SetSize(3, 2);
    g.SetCell(0, 0, "a text far longer than the column is wide");
    g.SetCell(1, 0, "1.5");
    g.SetCell(2, 0, "01.02.2003 10:30");
    g.SetCell(0, 1, "Łódź");
    g.SetCell(1, 1, "2");
    g.SetCell(2, 1, "24.12.1999 23:59:58");
    TIB_OstrelSQL e;
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetAutoCalcStrType(true);
    e.SetTableName("\"grid data\"");
    e.SetCreateTable(true);
    e.SetCommitAfterScript(true);
    e.SetFileName(dir.File("grid.sql"));
    e.DoExecute();
    const std::string out = FirebirdRun(dir, dir.File("grid.sql"), "SELECT * FROM \"grid data\";");
    EXPECT_EQ(ListLines(out),
              (std::vector<std::string>{"0=a text far longer than the column is wide", "1=1.500000000000000",
                                        "2=2003-02-01 10:30:00.0000", "0=Łódź", "1=2.000000000000000",
                                        "2=1999-12-24 23:59:58.0000"}));
}

// Texts that end an SQL literal or statement early when written carelessly.
const std::vector<std::string> kAwkwardTexts = {
    "O'Neil \"quoted\" ''",
    "line1\r\nline2",
    "lf\nonly",
    "cr\ronly",
    "tab\there\t.",
    "x');DROP TABLE PEOPLE;--",
    "a -- not a comment",
    "--leading",
    "/* not a comment */ ;",
    "ü 東 Ł",
};

void FillAwkward(TMemDataset& ds) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("V", TMemFieldType::String, 60);
    for (size_t i = 0; i < kAwkwardTexts.size(); ++i) ds.AppendRow({int64_t(i + 1), kAwkwardTexts[i]});
    ds.Open();
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

TEST(SqlReaders, SqliteReadsAwkwardTextsBackExactly) {
    REQUIRE_READER("sqlite3");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillAwkward(ds);
    const std::string script = WriteSqlScript(dir, ds, "awkward.sql", "BEGIN;", "COMMIT;");
    const std::string db = dir.File("awkward.sqlite");
    TCommandResult run = RunCommand("sqlite3 -bail " + ShellQuote(db) + " < " + ShellQuote(script));
    ASSERT_EQ(run.ExitCode, 0) << run.Output << ReadAll(script);
    EXPECT_EQ(run.Output, "");
    // Hexadecimal bytes, so that line breaks and tabs are compared exactly.
    TCommandResult q = RunCommand("sqlite3 -csv " + ShellQuote(db) + " 'SELECT ID, hex(V) FROM PEOPLE ORDER BY ID'");
    Grid expected;
    for (size_t i = 0; i < kAwkwardTexts.size(); ++i) expected.push_back({std::to_string(i + 1), Hex(kAwkwardTexts[i])});
    EXPECT_EQ(Trimmed(ParseCsv(q.Output)), expected);
}

TEST(SqlReaders, FirebirdReadsAwkwardTextsBackExactly) {
    REQUIRE_READER("isql-fb");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillAwkward(ds);
    const std::string script = WriteSqlScript(dir, ds, "awkward.sql", "", "COMMIT WORK;");
    // Each value between markers, without the blanks that pad a CHAR column.
    const std::string out =
        FirebirdRun(dir, script, "SELECT '<<' || TRIM(TRAILING FROM V) || '>>' AS V FROM PEOPLE ORDER BY ID;");
    std::vector<std::string> values;
    for (size_t at = out.find("<<"); at != std::string::npos; at = out.find("<<", at)) {
        const size_t end = out.find(">>", at);
        ASSERT_NE(end, std::string::npos) << out;
        values.push_back(out.substr(at + 2, end - at - 2));
        at = end;
    }
    EXPECT_EQ(values, kAwkwardTexts) << out;
}

TEST(LatexReaders, PdflatexCompilesAndShowsTheCells) {
    REQUIRE_READER("pdflatex");
    REQUIRE_READER("pdftotext");
    TFormatSettingsScope locale(UsSettings());
    TTempDir dir;
    TMemListView lv;
    lv.AddColumn("Item", 80);
    lv.AddColumn("Cost", 80);
    lv.AddItem("50% & more #1", {"$5"});
    lv.AddItem("a_b{c} C:\\x", {"x^2 ~y"});
    lv.AddItem("Jürgen Müller ß é", {"<tag>"});
    for (const char* languages : {"english", "english,russian"}) {
        SCOPED_TRACE(languages);
        // Cyrillic needs the Russian language set-up.
        if (std::string(languages).find("russian") != std::string::npos) lv.AddItem("Привет, мир", {"Ёж"});
        TIB_OstrelLaTeX e;
        e.SetExportSource(esListView);
        e.SetListView(&lv);
        e.Options().SetLanguages(languages);
        e.Header().SetText("Header line");
        e.Footer().SetText("Footer line");
        e.SetFileName(dir.File("doc.tex"));
        e.DoExecute();
        TCommandResult r = RunCommand("cd " + ShellQuote(dir.File("")) +
                                      " && pdflatex -interaction=nonstopmode -halt-on-error doc.tex");
        ASSERT_EQ(r.ExitCode, 0) << r.Output.substr(r.Output.size() > 3000 ? r.Output.size() - 3000 : 0);
        const std::string text = RunCommand("pdftotext -layout " + ShellQuote(dir.File("doc.pdf")) + " -").Output;
        for (const char* expected : {"50% & more #1", "$5", "C:\\x", "<tag>", "Header line", "Footer line", "ß"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
        if (std::string(languages).find("russian") != std::string::npos) {
            EXPECT_NE(text.find("Привет, мир"), std::string::npos) << text;
            EXPECT_NE(text.find("Ёж"), std::string::npos) << text;
        } else {
            // The accent may come out composed or as a combining mark.
            EXPECT_TRUE(text.find("Jürgen") != std::string::npos || text.find("Ju\xCC\x88rgen") != std::string::npos)
                << text;
        }
    }
}

}  // namespace
}  // namespace ostrel::test
