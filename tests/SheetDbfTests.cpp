// dBase tables byte for byte.
#include <algorithm>

#include "TestSupport.h"
#include "exporters/sheet/IB_OstrelDBF.h"

namespace ostrel::test {
namespace {

uint32_t Get32(const std::string& s, size_t at) {
    return static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 | static_cast<uint8_t>(s[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24;
}
uint16_t Get16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}

// The names in a folder, sorted, separated by blanks.
std::string Files(const TTempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : " ") + n;
    return out;
}

// The exporter does not publish Formats; an application reaches NullString through a subclass.
struct TDbfWithFormats : TIB_OstrelDBF {
    using TIB_Ostrel::Formats;
};

class Dbf : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("I", TMemFieldType::Integer);
        ds.AddField("F", TMemFieldType::Float);
        ds.AddField("longcaption_x", TMemFieldType::String, 10);
        ds.AddField("D", TMemFieldType::Date);
        ds.AddField("T", TMemFieldType::Time);
        ds.AddField("B", TMemFieldType::Boolean);
        ds.AppendRow({int64_t{-42}, 3.5, "Jürgen", EncodeDate(1974, 5, 1), EncodeTime(10, 30, 0, 0), true});
        ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, false});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("t.dbf"));
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("t.dbf"));
    }
    TTempDir dir;
    TMemDataset ds;
    TDbfWithFormats e;
};

TEST_F(Dbf, HeaderDescriptorsAndRecords) {
    TFormatSettingsScope de(GermanSettings());  // numbers still get a point
    const std::string out = Run();
    const size_t headerLength = 32 * 7 + 1;
    const size_t recordLength = 1 + 11 + 15 + 254 + 8 + 8 + 1;
    ASSERT_EQ(out.size(), headerLength + 2 * recordLength + 1);
    EXPECT_EQ(out[0], '\x03');
    EXPECT_EQ(out[29], '\0');  // UTF-8 has no language driver
    EXPECT_EQ(Get32(out, 4), 2u);
    EXPECT_EQ(Get16(out, 8), headerLength);
    EXPECT_EQ(Get16(out, 10), recordLength);
    // Descriptors: name (upper case, 10 characters), type, offset, length, decimals.
    const std::string d3 = out.substr(32 * 3, 32);
    EXPECT_EQ(d3.substr(0, 11), std::string("LONGCAPTIO\0", 11));
    EXPECT_EQ(d3[11], 'C');
    EXPECT_EQ(Get32(d3, 12), 26u);
    EXPECT_EQ(static_cast<uint8_t>(d3[16]), 254);
    const std::string d2 = out.substr(64, 32);
    EXPECT_EQ(d2[11], 'N');
    EXPECT_EQ(d2[16], 15);
    EXPECT_EQ(d2[17], 4);
    EXPECT_EQ(out[headerLength - 1], '\x0D');
    const std::string r1 = out.substr(headerLength, recordLength);
    EXPECT_EQ(r1.substr(0, 1 + 11 + 15), "         -42         3.5000");
    EXPECT_EQ(r1.substr(27, 8), "Jürgen ");
    EXPECT_EQ(r1.substr(27 + 254, 17), "1974050118991230T");
    // NULLs are blank in every field but the logical one.
    const std::string r2 = out.substr(headerLength + recordLength, recordLength);
    EXPECT_EQ(r2.substr(0, 27 + 254 + 16), std::string(27 + 254 + 16, ' '));
    EXPECT_EQ(r2.back(), 'F');
    EXPECT_EQ(out.back(), '\x1A');
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
}

TEST_F(Dbf, NoRowsLongTextsBooleansAndOverflow) {
    e.SetSkipRecCount(2);
    EXPECT_EQ(Run().size(), 32u + 32 * 6 + 1 + 1);
    TMemListView lv;
    lv.AddColumn("Flag", 50);
    lv.AddColumn("Text", 50);
    lv.AddItem("yes", {std::string(300, 'x')});
    lv.AddItem("is TrUe", {"ü" + std::string(253, 'y')});
    e.SetSkipRecCount(0);
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    std::string out = Run();
    const size_t h = 32 * 3 + 1;
    const size_t record = 1 + 254 + 254;
    EXPECT_EQ(out.substr(h + 1 + 254, 254), std::string(254, 'x'));
    // Cut on a character boundary, the rest blank.
    EXPECT_EQ(out.substr(h + record + 1 + 254, 254), "ü" + std::string(252, 'y'));

    TMemDataset big;
    big.AddField("N", TMemFieldType::Float);
    big.AppendRow({1e12});
    big.Open();
    e.SetExportSource(esDataSet);
    e.SetDataSet(&big);
    try {
        Run();
        FAIL();
    } catch (const EConvertError& err) {
        EXPECT_STREQ(err.what(),
                     "Row 1, column N: the value 1000000000000.0000 does not fit the 15 characters of the field N");
    }
    // A failed run leaves the earlier table and its companion as they were, and nothing of its own.
    EXPECT_EQ(ReadAll(dir.File("t.dbf")), out);
    EXPECT_EQ(Files(dir), "t.cpg t.dbf");
}

// Integer fields hold integers only. Columns are typed from every row, so the values of a CSV
// file keep their texts; an empty text is a blank field; a value that still is no integer
// (here from the application's last-chance handler) fails the run naming its row and column
// instead of being rounded or replaced.
TEST_F(Dbf, IntegerFieldsAreNeverRoundedOrReplaced) {
    TFormatSettingsScope us(UsSettings());
    TMemStringGrid g;
    const std::vector<std::vector<std::string>> rows = {
        {"qty", "name"}, {"1", "apple"}, {"2.5", "pear"}, {"3", "fig"}, {"abc", "kiwi"}};
    g.SetSize(2, 5);
    g.SetFixedRows(1);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 2; ++c) g.SetCell(c, r, rows[r][c]);
    g.SetRow(1);
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetAutoCalcStrType(true);
    std::string out = Run();
    const size_t h = 32 * 3 + 1, record = 1 + 254 + 254;
    EXPECT_EQ(out[32 + 11], 'C');
    EXPECT_EQ(out.substr(h + record + 1, 4), "2.5 ");
    EXPECT_EQ(out.substr(h + 3 * record + 1, 4), "abc ");

    TMemListView lv;
    lv.AddColumn("Qty", 50);
    lv.AddItem("1");
    lv.AddItem("");
    lv.AddItem("-30000");
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    out = Run();
    const size_t lh = 32 * 2 + 1, lrecord = 1 + 11;
    ASSERT_EQ(out[32 + 11], 'N');
    EXPECT_EQ(out.substr(lh, 3 * lrecord), "           1" "            " "      -30000");

    for (const char* text : {"2.5", "abc", "0x"}) {
        SCOPED_TRACE(text);
        e.OnGetExportText = [&](TObject*, int, std::string& value) {
            if (e.RecordCounter() == 1) value = text;
        };
        try {
            Run();
            FAIL();
        } catch (const EConvertError& err) {
            EXPECT_EQ(std::string(err.what()),
                      std::string("Row 2, column Qty: '") + text +
                          "' is not an integer, and the column's dBase field holds integers only");
        }
    }
    // Integers in other forms keep their value.
    e.OnGetExportText = [&](TObject*, int, std::string& value) {
        if (e.RecordCounter() == 1) value = " 42 ";
        if (e.RecordCounter() == 2) value = "1e3";
    };
    out = Run();
    EXPECT_EQ(out.substr(lh, 3 * lrecord), "           1" "          42" "        1000");
}

// Offsets in the records of the fixture's table.
constexpr size_t kHeader = 32 * 7 + 1, kRecord = 1 + 11 + 15 + 254 + 8 + 8 + 1;
constexpr size_t kI = 1, kF = 12, kC = 27, kD = 281, kT = 289, kB = 297;

// A value is never turned into another one: numeric and date fields take the value's text
// (the handler's included), NULLs are blank there unless the handler gives a text, and
// NullString is for character fields.
TEST_F(Dbf, ValuesKeepWhatTheyAreAndNullsAreBlank) {
    TFormatSettingsScope us(UsSettings());
    e.Formats().SetNullString("n/a");
    std::string out = Run();
    std::string r2 = out.substr(kHeader + kRecord, kRecord);
    EXPECT_EQ(r2.substr(kI, 11 + 15), std::string(26, ' '));
    EXPECT_EQ(r2.substr(kC, 4), "n/a ");
    EXPECT_EQ(r2.substr(kD, 16), std::string(16, ' '));
    EXPECT_EQ(r2[kB], 'F');

    // The handler sees no text for NULLs of numeric and date fields, NullString for the others,
    // and what it returns is written.
    std::vector<std::string> seen;
    e.OnGetExportText = [&](TObject*, int col, std::string& text) {
        if (e.RecordCounter() == 0 && col == 0) text = "007";
        if (e.RecordCounter() == 0 && col == 1) text = " 1.5";
        if (e.RecordCounter() != 1) return;
        seen.push_back(text);
        if (col == 0 || col == 1) text = "12";
        if (col == 3) text = "5/1/1974";
    };
    out = Run();
    EXPECT_EQ(seen, (std::vector<std::string>{"", "", "n/a", "", "", "False"}));
    const std::string r1 = out.substr(kHeader, kRecord);
    EXPECT_EQ(r1.substr(kI, 11 + 15), "        007         1.5000");
    r2 = out.substr(kHeader + kRecord, kRecord);
    EXPECT_EQ(r2.substr(kI, 11 + 15), "         12        12.0000");
    EXPECT_EQ(r2.substr(kD, 16), "19740501        ");

    // Integer texts are copied, blanks around them dropped; other whole numbers keep their value.
    for (const auto& c : std::vector<std::pair<std::string, std::string>>{
             {"+5", "         +5"}, {"-0", "         -0"}, {"\t00000000001 ", "00000000001"}, {"2.0", "          2"},
             {"", "           "}, {"  ", "           "}}) {
        SCOPED_TRACE(c.first);
        const std::string text = c.first;
        e.OnGetExportText = [&](TObject*, int col, std::string& value) {
            if (col == 0) value = text;
        };
        EXPECT_EQ(Run().substr(kHeader + kI, 11), c.second);
    }

    // A float field reads the locale's separator and the point alike.
    {
        TFormatSettingsScope de(GermanSettings());
        e.OnGetExportText = [&](TObject*, int col, std::string& value) {
            if (col == 1) value = e.RecordCounter() == 0 ? "1,5" : "-2.25";
        };
        out = Run();
        EXPECT_EQ(out.substr(kHeader + kF, 15), "         1.5000");
        EXPECT_EQ(out.substr(kHeader + kRecord + kF, 15), "        -2.2500");
    }
}

// A text that a numeric or date field cannot hold fails the run, naming the row and column.
TEST_F(Dbf, TextsThatAreNoValueOfTheFieldFailNamingRowAndColumn) {
    TFormatSettingsScope us(UsSettings());
    const std::string before = Run();
    struct TCase {
        int Col;
        std::string Text, Message;
    };
    for (const TCase& c : std::vector<TCase>{
             {1, "abc", "Row 2, column F: 'abc' is not a number, and the column's dBase field holds numbers only"},
             {1, "1,5", "Row 2, column F: '1,5' is not a number, and the column's dBase field holds numbers only"},
             {0, "1.5", "Row 2, column I: '1.5' is not an integer, and the column's dBase field holds integers only"},
             {0, "12-", "Row 2, column I: '12-' is not an integer, and the column's dBase field holds integers only"},
             {0, "123456789012", "Row 2, column I: the value 123456789012 does not fit the 11 characters of the field I"},
             {1, "1e10", "Row 2, column F: the value 10000000000.0000 does not fit the 15 characters of the field F"},
             {3, "someday", "Row 2, column D: 'someday' is not a valid date and time"}}) {
        SCOPED_TRACE(c.Text);
        e.OnGetExportText = [&](TObject*, int col, std::string& value) {
            if (col == c.Col && e.RecordCounter() == 1) value = c.Text;
        };
        try {
            Run();
            ADD_FAILURE() << "no failure";
        } catch (const EConvertError& err) {
            EXPECT_EQ(std::string(err.what()), c.Message);
        }
        EXPECT_EQ(ReadAll(dir.File("t.dbf")), before);
    }
}

// Records are kept and written in blocks: every one of many rows lands in order, before the
// end-of-file mark, and the header counts them.
TEST_F(Dbf, ManyRecordsLandInOrderBeforeTheEndMark) {
    TMemDataset many;
    many.AddField("N", TMemFieldType::Integer);
    many.AddField("S", TMemFieldType::String, 20);
    for (int i = 0; i < 3000; ++i) many.AppendRow({int64_t{i}, "row " + std::to_string(i)});
    many.Open();
    e.SetDataSet(&many);
    const std::string out = Run();
    const size_t h = 32 * 3 + 1, record = 1 + 11 + 254;
    ASSERT_EQ(out.size(), h + 3000 * record + 1);
    EXPECT_EQ(Get32(out, 4), 3000u);
    for (int i = 0; i < 3000; i += 7) {
        const std::string r = out.substr(h + i * record, record);
        const std::string n = std::to_string(i);
        ASSERT_EQ(r.substr(0, 12), std::string(12 - n.size(), ' ') + n) << i;
        ASSERT_EQ(r.substr(12, 4 + n.size() + 1), "row " + n + " ") << i;
    }
    EXPECT_EQ(out.back(), '\x1A');
}

// The writer on its own: a number wider than its field is refused, not written over its
// neighbour; a record whose fields never came is written blank in them and counted.
TEST(DbfWriter, WideNumbersRefusedAndUnfinishedRecordsBlank) {
    TMemoryStream s;
    {
        TODBFWriter w(s);
        TDBFField n, c;
        n.Type = 'N';
        n.Length = 3;
        c.Type = 'C';
        c.Length = 4;
        c.Offset = 3;
        w.AddField(n);
        w.AddField(c);
        w.WriteHeader();
        w.WriteField(0, "7");
        w.WriteField(1, "ab");
        EXPECT_THROW(w.WriteField(0, "1234"), EOstrelError);
        w.WriteField(0, "12");
        w.Finish();
        EXPECT_EQ(w.RecordCount(), 3u);
    }
    const std::string out = s.Text();
    const size_t h = 32 * 3 + 1;
    // The record begun by the refused field stays, blank.
    EXPECT_EQ(out.substr(h), "   7ab  " + std::string(8, ' ') + "  12    ");
    EXPECT_EQ(Get32(out, 4), 3u);
}

TEST(DbfCodePage, LanguageDriversAndCompanionNames) {
    EXPECT_EQ(DbfLanguageDriver(1252), 0x03);
    EXPECT_EQ(DbfLanguageDriver(1250), 0xC8);
    EXPECT_EQ(DbfLanguageDriver(1251), 0xC9);
    EXPECT_EQ(DbfLanguageDriver(1253), 0xCB);
    EXPECT_EQ(DbfLanguageDriver(437), 0x01);
    EXPECT_EQ(DbfLanguageDriver(850), 0x02);
    EXPECT_EQ(DbfLanguageDriver(CP_UTF8), 0);
    EXPECT_EQ(DbfLanguageDriver(28592), 0);
    EXPECT_EQ(DbfCodePageText(CP_UTF8), "UTF-8");
    EXPECT_EQ(DbfCodePageText(1252), "1252");
    EXPECT_EQ(DbfCodePageFileName("/a/t.dbf"), "/a/t.cpg");
    EXPECT_EQ(DbfCodePageFileName("/a/T.DBF"), "/a/T.CPG");
    EXPECT_EQ(DbfCodePageFileName("/a/t.Dbf"), "/a/t.cpg");
    EXPECT_EQ(DbfCodePageFileName("/a.b/t"), "/a.b/t.cpg");
    EXPECT_EQ(DbfCodePageFileName("/a/.dbf"), "/a/.dbf.cpg");
    EXPECT_EQ(DbfCodePageFileName("t.x.dbf"), "t.x.cpg");
    EXPECT_EQ(DbfCodePageFileName("t.cpg"), "t.cpg");
}

// The header names the code page where dBase has a driver for it; otherwise (UTF-8) the ".cpg"
// file beside the table does, and one left there by an earlier run is brought in line.
TEST_F(Dbf, CodePageInTheHeaderOrTheCompanionFile) {
    auto runIn = [&](int codePage) {
        TFormatSettings s = UsSettings();
        s.CodePage = codePage;
        TFormatSettingsScope scope(s);
        return Run();
    };
    std::string out = runIn(CP_UTF8);
    EXPECT_EQ(out[29], '\0');
    EXPECT_EQ(ReadAll(dir.File("t.cpg")), "UTF-8");
    EXPECT_EQ(Files(dir), "t.cpg t.dbf");
    out = runIn(1252);
    EXPECT_EQ(static_cast<uint8_t>(out[29]), 0x03);
    EXPECT_EQ(ReadAll(dir.File("t.cpg")), "1252");
    std::filesystem::remove(dir.File("t.cpg"));
    for (const auto& [codePage, driver] : std::vector<std::pair<int, int>>{{1252, 0x03}, {1250, 0xC8}, {1251, 0xC9}}) {
        SCOPED_TRACE(codePage);
        out = runIn(codePage);
        EXPECT_EQ(static_cast<uint8_t>(out[29]), driver);
        EXPECT_EQ(Files(dir), "t.dbf");
    }
    // Everything else of the header is as before.
    EXPECT_EQ(out.substr(12, 17), std::string(17, '\0'));
    EXPECT_EQ(out.substr(30, 2), std::string(2, '\0'));
    out = runIn(28592);
    EXPECT_EQ(out[29], '\0');
    EXPECT_EQ(ReadAll(dir.File("t.cpg")), "28592");

    // Upper-case names, a table named like its companion, and a device, which has none.
    e.SetFileName(dir.File("U.DBF"));
    runIn(CP_UTF8);
    EXPECT_EQ(ReadAll(dir.File("U.CPG")), "UTF-8");
    e.SetFileName(dir.File("v.cpg"));
    runIn(CP_UTF8);
    EXPECT_EQ(Files(dir), "U.CPG U.DBF t.cpg t.dbf v.cpg");
    std::filesystem::remove("/dev/null.cpg");
    e.SetFileName("/dev/null");
    runIn(CP_UTF8);
    EXPECT_FALSE(std::filesystem::exists("/dev/null.cpg"));
    std::filesystem::remove("/dev/null.cpg");
}

// A failed run leaves neither its table nor its companion, not even as a temporary file; a
// stopped one keeps both.
TEST_F(Dbf, FailedRunLeavesNoCompanionFile) {
    TFormatSettings s = UsSettings();
    s.CodePage = CP_UTF8;
    TFormatSettingsScope scope(s);
    e.SetFileName(dir.File("new.dbf"));
    e.OnGetExportText = [&](TObject*, int col, std::string& value) {
        if (col == 0 && e.RecordCounter() == 1) value = "x";
    };
    EXPECT_THROW(e.DoExecute(), EConvertError);
    EXPECT_EQ(Files(dir), "");
    // A failure before the first row, and one after an earlier run wrote both files.
    e.OnGetExportText = nullptr;
    e.DoExecute();
    const std::string table = ReadAll(dir.File("new.dbf"));
    std::ofstream(dir.File("new.cpg"), std::ios::trunc) << "earlier";
    e.OnBeginExport = [](TObject*) { throw EOstrelError("stop here"); };
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_EQ(Files(dir), "new.cpg new.dbf");
    EXPECT_EQ(ReadAll(dir.File("new.cpg")), "earlier");
    EXPECT_EQ(ReadAll(dir.File("new.dbf")), table);
    e.OnBeginExport = [&](TObject*) { e.Abort(); };
    e.DoExecute();
    EXPECT_EQ(Files(dir), "new.cpg new.dbf");
    EXPECT_EQ(ReadAll(dir.File("new.cpg")), "UTF-8");
}

}  // namespace
}  // namespace ostrel::test
