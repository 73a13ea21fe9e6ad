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
        EXPECT_EQ(RunPython(dir, kDbfDump, ShellQuote(dir.File("t.dbf"))),
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
