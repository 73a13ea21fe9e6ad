// dBase tables byte for byte.
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
    TIB_OstrelDBF e;
};

TEST_F(Dbf, HeaderDescriptorsAndRecords) {
    TFormatSettingsScope de(GermanSettings());  // numbers still get a point
    const std::string out = Run();
    const size_t headerLength = 32 * 7 + 1;
    const size_t recordLength = 1 + 11 + 15 + 254 + 8 + 8 + 1;
    ASSERT_EQ(out.size(), headerLength + 2 * recordLength + 1);
    EXPECT_EQ(out[0], '\x03');
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
    const std::string r2 = out.substr(headerLength + recordLength, recordLength);
    EXPECT_EQ(r2.substr(0, 27), " " + std::string(11, ' ') + "         0.0000");
    EXPECT_EQ(r2.substr(27, 254 + 16), std::string(254 + 16, ' '));
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
        EXPECT_STREQ(err.what(), "The value 1000000000000.0000 does not fit the 15 characters of the field N");
    }
    // A failed run leaves the earlier table as it was, and nothing of its own.
    EXPECT_EQ(ReadAll(dir.File("t.dbf")), out);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")), {}), 1);
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

}  // namespace
}  // namespace ostrel::test
