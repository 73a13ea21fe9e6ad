// dBase tables read back by python3-dbfread and LibreOffice.
#include "ReaderSupport.h"
#include "exporters/sheet/IB_OstrelDBF.h"

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
        {
            std::ofstream py(dir.File("dump.py"));
            py << kDbfDump;
        }
        TCommandResult r = RunCommand("/usr/bin/python3 " + ShellQuote(dir.File("dump.py")) + " " + ShellQuote(dir.File("t.dbf")));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
        EXPECT_EQ(r.Output,
                  "3\nID N 11 0\nNAME C 254 0\nSALARY N 15 4\nBORN D 8 0\nACTIVE L 1 0\n"
                  "1|'Jürgen Ångström'|1234.5|datetime.date(1974, 5, 1)|True\n"
                  "-2|'Łucja 東京'|-0.25|datetime.date(2000, 2, 29)|False\n"
                  "None|''|0.0|None|None\n");

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

}  // namespace
}  // namespace ostrel::test
