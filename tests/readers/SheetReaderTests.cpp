// dBase tables read back by python3-dbfread and LibreOffice.
#include "ReaderSupport.h"
#include "exporters/sheet/IB_OstrelDBF.h"
#include "platform/CodePage.h"

namespace ostrel::test {
namespace {

const char* kDbfDump =
    "import sys, dbfread\n"
    "t = dbfread.DBF(sys.argv[1], encoding='utf-8')\n"
    "print(len(t))\n"
    "for f in t.fields: print(f.name, f.type, f.length, f.decimal_count)\n"
    "for r in t: print('|'.join(repr(v) for v in r.values()))\n";

TEST(SheetReaders, DbfreadAndLibreOfficeReadTheTable) {
    REQUIRE_READER("/usr/bin/python3");
    for (const TFormatSettings& settings : {UsSettings(), GermanSettings()}) {
        TFormatSettingsScope scope(settings);
        TTempDir dir;
        TMemDataset ds;
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("Name", TMemFieldType::String, 20);
        ds.AddField("Salary", TMemFieldType::Float);
        ds.AddField("Born", TMemFieldType::Date);
        ds.AddField("Active", TMemFieldType::Boolean);
        ds.AppendRow({int64_t{1}, "Jürgen Ångström", 1234.5, EncodeDate(1974, 5, 1), true});
        ds.AppendRow({int64_t{-2}, "Łucja 東京", -0.25, EncodeDate(2000, 2, 29), false});
        ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
        ds.Open();
        TIB_OstrelDBF e;
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("t.dbf"));
        e.DoExecute();
        EXPECT_EQ(RunPython(dir, kDbfDump, ShellQuote(dir.File("t.dbf"))),
                  "3\nID N 11 0\nNAME C 254 0\nSALARY N 15 4\nBORN D 8 0\nACTIVE L 1 0\n"
                  "1|'Jürgen Ångström'|1234.5|datetime.date(1974, 5, 1)|True\n"
                  "-2|'Łucja 東京'|-0.25|datetime.date(2000, 2, 29)|False\n"
                  "None|''|None|None|None\n");
        EXPECT_EQ(ReadAll(dir.File("t.cpg")), "UTF-8");

        REQUIRE_READER("soffice");
        const auto cells = LibreOfficeCells(dir, dir.File("t.dbf"), "dBase:76");
        ASSERT_GE(cells.size(), 3u);
        EXPECT_EQ(cells[0][0].substr(0, 2), "ID");
        EXPECT_EQ(cells[1][1], "Jürgen Ångström");
        EXPECT_EQ(cells[2][1], "Łucja 東京");
        EXPECT_DOUBLE_EQ(std::stod(cells[2][2]), -0.25);
        EXPECT_EQ(cells[0][2], "SALARY,N,15,4");
    }
}

// dbfread takes the encoding from the language driver when it is not told one.
const char* kDbfUntold =
    "import sys, dbfread\n"
    "t = dbfread.DBF(sys.argv[1])\n"
    "print(t.encoding)\n"
    "for r in t: print('|'.join(repr(v) for v in r.values()))\n";

// The cells Gnumeric reads. It warns when the header names no code page (a UTF-8 table, whose
// ".cpg" file it does not read; it then takes the bytes for Windows-1252).
std::vector<std::vector<std::string>> Gnumeric(const TTempDir& dir, const std::string& table, bool namesCodePage) {
    const TCommandResult r = RunCommand("ssconvert " + ShellQuote(table) + " " + ShellQuote(dir.File("g.csv")));
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(r.Output.find("unknown or missing code page") == std::string::npos, namesCodePage) << r.Output;
    return ParseCsv(ReadAll(dir.File("g.csv")));
}

TEST(SheetReaders, DbfCodePageReadFromTheLanguageDriver) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("ssconvert");
    struct TCase {
        int CodePage;
        std::string Encoding, Name;  // the name as the code page's bytes
    };
    for (const TCase& c : std::vector<TCase>{
             {1252, "cp1252", ConvertCodePage("Jürgen Ångström €5 Œuvre", CP_UTF8, 1252)},
             {1250, "cp1250", "\xA3\xF3" "d\x9F"}}) {  // Łódź
        SCOPED_TRACE(c.CodePage);
        TFormatSettings settings = UsSettings();
        settings.CodePage = c.CodePage;
        TFormatSettingsScope scope(settings);
        TTempDir dir;
        TMemDataset ds;
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("Name", TMemFieldType::String, 40);
        ds.AppendRow({int64_t{1}, c.Name});
        ds.Open();
        TIB_OstrelDBF e;
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("t.dbf"));
        e.DoExecute();
        EXPECT_FALSE(std::filesystem::exists(dir.File("t.cpg")));
        const std::string name = c.CodePage == 1252 ? "Jürgen Ångström €5 Œuvre" : "Łódź";
        EXPECT_EQ(RunPython(dir, kDbfUntold, ShellQuote(dir.File("t.dbf"))), c.Encoding + "\n1|'" + name + "'\n");
        EXPECT_EQ(Gnumeric(dir, dir.File("t.dbf"), true),
                  (std::vector<std::vector<std::string>>{{"ID", "NAME"}, {"1", name}}));
        if (c.CodePage == 1252) {
            // LibreOffice does not read the driver; it is told the encoding (1: Windows-1252).
            REQUIRE_READER("soffice");
            const auto cells = LibreOfficeCells(dir, dir.File("t.dbf"), "dBase:1");
            ASSERT_EQ(cells.size(), 2u);
            EXPECT_EQ(cells[1][1], name);
        }
    }
}

// NULLs are no value, texts of the application's handler are the values, and numbers keep
// their value.
TEST(SheetReaders, DbfValuesReadAsWritten) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("ssconvert");
    TFormatSettingsScope scope(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("S", TMemFieldType::String, 10);
    ds.AppendRow({int64_t{7}, 1.5, EncodeDate(2024, 2, 29), "a"});
    ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
    ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
    ds.AppendRow({int64_t{1}, 2.0, EncodeDate(2000, 1, 1), "b"});
    ds.Open();
    TIB_OstrelDBF e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("t.dbf"));
    // Row 3 gets its values from the handler; row 4 an integer text with leading zeros.
    e.OnGetExportText = [&](TObject*, int col, std::string& text) {
        if (e.RecordCounter() == 2) text = std::vector<std::string>{"12", "-0.25", "12/31/1999", "x"}[col];
        if (e.RecordCounter() == 3 && col == 0) text = "007";
    };
    e.DoExecute();
    EXPECT_EQ(RunPython(dir, kDbfDump, ShellQuote(dir.File("t.dbf"))),
              "4\nI N 11 0\nF N 15 4\nD D 8 0\nS C 254 0\n"
              "7|1.5|datetime.date(2024, 2, 29)|'a'\n"
              "None|None|None|''\n"
              "12|-0.25|datetime.date(1999, 12, 31)|'x'\n"
              "7|2.0|datetime.date(2000, 1, 1)|'b'\n");
    // Gnumeric reads the values (it shows a blank number as 0 and a blank date as its blanks,
    // so the NULL row is left out here; the texts are ASCII, which it reads in any code page).
    const auto rows = Gnumeric(dir, dir.File("t.dbf"), false);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"7", "1.5", "2024/02/29", "a"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"12", "-0.25", "1999/12/31", "x"}));
    EXPECT_EQ(rows[4], (std::vector<std::string>{"7", "2", "2000/01/01", "b"}));
}

}  // namespace
}  // namespace ostrel::test

#include "platform/CompoundFile.h"

namespace ostrel::test {
namespace {

const char* kOleCheck =
    "import sys, olefile\n"
    "ole = olefile.OleFileIO(sys.argv[1])\n"
    "data = ole.openstream('Workbook').read()\n"
    "print(ole.listdir(), data == open(sys.argv[2], 'rb').read(), ole.get_size('Workbook'))\n";

TEST(SheetReaders, OlefileReadsTheCompoundFile) {
    REQUIRE_READER("/usr/bin/python3");
    TTempDir dir;
    // Empty, mini stream, the cut-off on both sides, and a stream large enough for DIFAT sectors.
    for (size_t size : {size_t{0}, size_t{100}, size_t{4095}, size_t{4096}, size_t{5000}, size_t{8000000}}) {
        SCOPED_TRACE(size);
        std::string data(size, '\0');
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
        {
            TFileStream f(dir.File("book.xls"), TFileMode::Create);
            WriteCompoundFile(f, u"Workbook", data);
            f.Close();
            TFileStream raw(dir.File("raw.bin"), TFileMode::Create);
            raw.Write(data);
            raw.Close();
        }
        const std::string file = ReadAll(dir.File("book.xls"));
        EXPECT_EQ(file.size() % 512, 0u);
        EXPECT_EQ(file.substr(0, 8), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
        EXPECT_EQ(RunPython(dir, kOleCheck, ShellQuote(dir.File("book.xls")) + " " + ShellQuote(dir.File("raw.bin"))),
                  "[['Workbook']] True " + std::to_string(size) + "\n");
    }
}

}  // namespace
}  // namespace ostrel::test
