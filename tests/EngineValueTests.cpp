// Value formats: the settings object and the conversion of source values into export text.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelXML.h"

namespace ostrel::test {
namespace {

// An exporter whose escaping is visible: it brackets every escaped text.
class TEscapingRecorder : public TFileRecorder {
public:
    using TFileRecorder::TFileRecorder;

protected:
    std::string ReplaceSpecialChars(const std::string& text) override { return "[" + text + "]"; }
};

TEST(Formats, DefaultsSettersAndAssign) {
    TFormatSettingsScope us(UsSettings());
    TOstrelFormats f;
    EXPECT_EQ(f.IntegerFormat(), "#,###,##0");
    EXPECT_EQ(f.FloatFormat(), "#,###,##0.00");
    EXPECT_EQ(f.DateFormat(), "m/d/yyyy");
    EXPECT_EQ(f.TimeFormat(), "h:nn AMPM");
    EXPECT_EQ(f.DateTimeFormat(), "m/d/yyyy h:nn AMPM");
    EXPECT_EQ(f.CurrencyFormat(), "00.00$");
    EXPECT_EQ(f.BooleanTrue(), "true");
    EXPECT_EQ(f.BooleanFalse(), "false");
    EXPECT_EQ(f.NullString(), "");

    f.SetDateFormat("yyyy");
    f.SetNullString("<null>");
    {
        // Defaults follow the locale of the moment they are applied.
        TFormatSettingsScope de(GermanSettings());
        f.SetDateFormat("");
        EXPECT_EQ(f.DateFormat(), "dd/mm/yyyy");
        TOstrelFormats g;
        EXPECT_EQ(g.CurrencyFormat(), "00.00€");
    }
    f.SetNullString("");
    EXPECT_EQ(f.NullString(), "");
    f.SetBooleanTrue("");
    EXPECT_EQ(f.BooleanTrue(), "true");

    TOstrelFormats source;
    source.SetIntegerFormat("0");
    source.SetNullString("from source");
    TOstrelFormats target;
    target.SetNullString("kept");
    target.SetFloatFormat("0.0");
    target.Assign(source);
    EXPECT_EQ(target.IntegerFormat(), "0");
    EXPECT_EQ(target.FloatFormat(), "#,###,##0.00");
    EXPECT_EQ(target.NullString(), "kept");
    target.ResetFormats();
    EXPECT_EQ(target.NullString(), "");
    EXPECT_EQ(target.IntegerFormat(), "#,###,##0");
}

class ExportText : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("I", TMemFieldType::Integer);
        ds.AddField("F", TMemFieldType::Float);
        ds.AddField("S", TMemFieldType::String, 10);
        ds.AddField("B", TMemFieldType::Boolean);
        ds.AddField("D", TMemFieldType::Date);
        ds.AddField("BIG", TMemFieldType::BigInt);
        ds.AppendRow({int64_t{1234567}, 1234.5, "a<b", true, EncodeDate(2003, 2, 1), int64_t{5000000000}});
        ds.AppendRow({int64_t{0}, 0.004, "x", false, EncodeDate(1974, 5, 1), int64_t{-1}});
        ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
        ds.Open();
    }
    // Runs an export and returns its data lines.
    std::vector<std::string> Rows(TFileRecorder& e) {
        e.SetDataSet(&ds);
        e.SetAllowCaptions(false);
        e.SetFileName(dir.File("v.txt"));
        e.DoExecute();
        TStringList lines;
        lines.SetText(ReadAll(dir.File("v.txt")));
        std::vector<std::string> out(lines.begin(), lines.end());
        out.pop_back();  // "<end>"
        return out;
    }
    TTempDir dir;
    TMemDataset ds;
};

TEST_F(ExportText, TypedValuesInAPointCommaLocale) {
    TFormatSettingsScope us(UsSettings());
    TFileRecorder e;
    e.Formats().SetNullString("NULL");
    EXPECT_EQ(Rows(e), (std::vector<std::string>{"1,234,567|1,234.50|a<b|True|2/1/2003|5,000,000,000|",
                                                 "0|0.00|x|False|5/1/1974|-1|",
                                                 "NULL|NULL|NULL|NULL|NULL|NULL|"}));
}

TEST_F(ExportText, TypedValuesInACommaPointLocale) {
    TFormatSettingsScope de(GermanSettings());
    TFileRecorder e;  // the formats take the locale's defaults when created
    EXPECT_EQ(Rows(e), (std::vector<std::string>{"1.234.567|1.234,50|a<b|True|01.02.2003|5.000.000.000|",
                                                 "0|0,00|x|False|01.05.1974|-1|", "||||||"}));
}

TEST_F(ExportText, EscapingSkipsNullsBooleansAndUnformattedValues) {
    TFormatSettingsScope us(UsSettings());
    TEscapingRecorder e;
    e.Formats().SetNullString("<n>");
    std::vector<std::string> rows = Rows(e);
    EXPECT_EQ(rows[0], "[1,234,567]|[1,234.50]|[a<b]|True|[2/1/2003]|[5,000,000,000]|");
    EXPECT_EQ(rows[2], "<n>|<n>|<n>|<n>|<n>|<n>|");
    ds.First();
    EXPECT_EQ(e.GetExportText(2, false), "a<b");
    EXPECT_EQ(e.GetExportText(3, false), "True");
}

TEST_F(ExportText, UserFormatsAndTheLastChanceEvent) {
    TFormatSettingsScope us(UsSettings());
    TFileRecorder e;
    e.UserFormats().SetText("F=0.000\r\nS=0.000\r\nD=yyyy-mm-dd\r\nI=0.0");
    e.Formats().SetNullString("null");
    int calls = 0;
    e.OnGetExportText = [&](TObject* sender, int col, std::string& text) {
        EXPECT_EQ(sender, &e);
        ++calls;
        if (col == 0) text.clear();
    };
    EXPECT_EQ(Rows(e), (std::vector<std::string>{"|1234.500|a<b|True|2003-02-01|5,000,000,000|",
                                                 "|0.004|x|False|1974-05-01|-1|",
                                                 "|null|null|null|null|null|"}));
    EXPECT_EQ(calls, 18);
}

// Exports a list view without captions, its columns typed by their texts.
void ExportGuessed(TFileRecorder& e, TMemListView& lv, const std::string& file) {
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetAutoCalcStrType(true);
    e.SetAllowCaptions(false);
    e.SetFileName(file);
    e.DoExecute();
}

// A guessed type holds for every row, so later rows keep their values; a float column whose
// text does not convert still fails the run with the exact message.
TEST(ExportTextSources, GuessedTypesMeetLaterRows) {
    TFormatSettingsScope scope(PointDmySettings());
    TTempDir dir;
    TMemListView lv;
    lv.AddColumn("N", 50);
    lv.AddColumn("F", 50);
    lv.AddItem("7", {"1.25"});
    lv.AddItem("8", {"2"});
    lv.AddItem("1.5", {"abc"});
    TFileRecorder e;
    ExportGuessed(e, lv, dir.File("l.txt"));
    EXPECT_EQ(ReadAll(dir.File("l.txt")), "7.00|1.25|\r\n8.00|2|\r\n1.50|abc|\r\n<end>\r\n");

    // A run that starts on the grid's fixed row reads a text the data rows were not typed by.
    TMemStringGrid g;
    g.SetSize(1, 3);
    g.SetFixedRows(1);
    g.SetCell(0, 0, "someday");
    g.SetCell(0, 1, "01.02.2003");
    g.SetCell(0, 2, "02.02.2003");
    g.SetRow(0);
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetGoToFirstRecord(false);
    try {
        e.DoExecute();
        FAIL();
    } catch (const EConvertError& err) {
        EXPECT_STREQ(err.what(), "'someday' is not a valid date and time");
    }
}

// Empty cells do not type a guessed column, and they are written empty rather than failing the
// run as texts that are no number or date.
TEST(ExportTextSources, EmptyCellsOfGuessedColumnsStayEmpty) {
    TFormatSettingsScope scope(PointDmySettings());
    TTempDir dir;
    TMemListView lv;
    for (const char* c : {"I", "F", "D"}) lv.AddColumn(c, 50);
    lv.AddItem("1", {"1.5", "01.02.2003"});
    lv.AddItem("", {"", ""});
    lv.AddItem("3", {"2", "03.04.2005"});
    TFileRecorder e;
    ExportGuessed(e, lv, dir.File("l.txt"));
    ASSERT_EQ(e.Columns()[1].ColType, ectFloat);
    ASSERT_EQ(e.Columns()[2].ColType, ectDate);
    EXPECT_EQ(ReadAll(dir.File("l.txt")), "1|1.50|01.02.2003|\r\n|||\r\n3|2.00|03.04.2005|\r\n<end>\r\n");
}

// A text in an integer column that is no integer is written as it reads, escaped as a text;
// integers keep their format.
TEST(ExportTextSources, IntegerColumnsKeepTextsThatAreNoIntegers) {
    TFormatSettingsScope scope(UsSettings());
    TTempDir dir;
    TMemStringGrid g;
    g.SetSize(1, 6);
    g.SetFixedRows(3);
    const char* texts[] = {"qty", " 42 ", "2.5", "1", "12345", "-7"};
    for (int r = 0; r < 6; ++r) g.SetCell(0, r, texts[r]);
    g.SetRow(0);
    TEscapingRecorder e;
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetAutoCalcStrType(true);
    e.SetGoToFirstRecord(false);  // from the fixed rows on
    e.SetAllowCaptions(false);
    e.SetFileName(dir.File("g.txt"));
    e.DoExecute();
    ASSERT_EQ(e.Columns()[0].ColType, ectInteger);
    EXPECT_EQ(ReadAll(dir.File("g.txt")),
              "[qty]|\r\n[ 42 ]|\r\n[2.5]|\r\n[1]|\r\n[12,345]|\r\n[-7]|\r\n<end>\r\n");
}

// The texts of a CSV file typed by guessing reach every text format as they were written.
TEST(ExportTextSources, GuessedGridValuesReachEveryTextFormat) {
    TFormatSettingsScope scope(UsSettings());
    TTempDir dir;
    const std::vector<std::vector<std::string>> rows = {
        {"qty", "name"}, {"1", "apple"}, {"2.5", "pear"}, {"3", "fig"}, {"abc", "kiwi"}, {" 42 ", "lime"}};
    TMemStringGrid g;
    g.SetSize(2, static_cast<int>(rows.size()));
    g.SetFixedRows(1);
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 2; ++c) g.SetCell(c, static_cast<int>(r), rows[r][c]);
    g.SetRow(1);
    auto check = [&](TIB_OstrelText& e, const std::string& name) {
        SCOPED_TRACE(name);
        e.SetExportSource(esStringGrid);
        e.SetStringGrid(&g);
        e.SetAutoCalcStrType(true);
        e.SetFileName(dir.File(name));
        e.DoExecute();
        EXPECT_EQ(e.Columns()[0].ColType, ectString);
        const std::string out = ReadAll(dir.File(name));
        for (const char* value : {"2.5", "abc", " 42 "})
            EXPECT_NE(out.find(value), std::string::npos) << value << "\n" << out;
    };
    TIB_OstrelASCII csv, txt;
    csv.SetExportType(etCSV);
    check(csv, "g.csv");
    check(txt, "g.txt");
    TIB_OstrelXML xml;
    check(xml, "g.xml");
    TIB_OstrelHTML html;
    check(html, "g.htm");
}

TEST(ExportTextSources, DemoListViewWithGuessedTypes) {
    TFormatSettingsScope scope(PointDmySettings());
    TTempDir dir;
    TMemListView lv;
    FillDemoListView(lv);
    TFileRecorder e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetAutoCalcStrType(true);
    e.SetExportRecCount(2);
    e.SetFileName(dir.File("demo.txt"));
    e.DoExecute();
    EXPECT_EQ(ReadAll(dir.File("demo.txt")),
              "Code|Name|Date|Salary|IsMale|\r\n1|ALEX|01.05.1974|270.36|true|\r\n"
              "2|MARIA|12.11.1980|1,500.00|false|\r\n<end>\r\n");
}

}  // namespace
}  // namespace ostrel::test

namespace ostrel::test {
namespace {

// Typed reads of dataset values must give the bytes the text path gives; an OnGetExportText
// handler forces the text path.
TEST(TypedReads, GiveTheSameOutputAsTheTextPath) {
    for (const TFormatSettings& settings : {UsSettings(), GermanSettings()}) {
        TFormatSettingsScope scope(settings);
        TTempDir dir;
        TMemDataset ds;
        ds.AddField("I", TMemFieldType::Integer);
        ds.AddField("BIG", TMemFieldType::BigInt);
        ds.AddField("F", TMemFieldType::Float);
        ds.AddField("C", TMemFieldType::Currency);
        ds.AddField("D", TMemFieldType::Date);
        ds.AddField("T", TMemFieldType::Time);
        ds.AddField("DT", TMemFieldType::DateTime);
        ds.AppendRow({int64_t{-42}, int64_t{9000000000123}, 0.1 + 0.2, 1234.5678, EncodeDate(1899, 12, 30),
                      EncodeTime(23, 59, 59, 999), EncodeDate(2024, 2, 29) + EncodeTime(0, 0, 1, 500)});
        ds.AppendRow({int64_t{0}, int64_t{-1}, -1e-7, 0.0, EncodeDate(1, 1, 1), EncodeTime(0, 0, 0, 0),
                      -700000.25});
        ds.AppendRow({int64_t{7}, int64_t{1}, 123456789012345678.0, 99999.99995, EncodeDate(9999, 12, 31),
                      EncodeTime(12, 0, 0, 0), EncodeDate(2003, 2, 1)});
        ds.Open();
        auto run = [&](TFileRecorder& e, bool withEvent) {
            e.SetDataSet(&ds);
            e.SetFileName(dir.File("out"));
            if (withEvent) e.OnGetExportText = [](TObject*, int, std::string&) {};
            e.DoExecute();
            return ReadAll(dir.File("out"));
        };
        TFileRecorder typed, text;
        text.UserFormats().SetText("F=0.000000000");
        typed.UserFormats().SetText("F=0.000000000");
        EXPECT_EQ(run(typed, false), run(text, true));
    }
}

// Rows written value by value read as the same rows given whole; a row is never left half
// written, and the values past the last column are refused.
TEST(MemRows, WrittenValueByValueAreTheRowsGivenWhole) {
    const auto define = [](TMemDataset& ds) {
        ds.AddField("I", TMemFieldType::Integer);
        ds.AddField("F", TMemFieldType::Float);
        ds.AddField("B", TMemFieldType::Boolean);
        ds.AddField("S", TMemFieldType::String, 10);
        ds.AddField("D", TMemFieldType::Date);
    };
    TMemDataset whole, byValue;
    define(whole);
    define(byValue);
    whole.AppendRow({int64_t{7}, 1.5, true, std::string("a\0b", 3), 45000.0});
    whole.AppendRow({TMemValue{}, TMemValue{}, false, std::string()});
    whole.AppendRow({int64_t{1}});
    byValue.AppendRow({int64_t{7}, 1.5, true, std::string("a\0b", 3), 45000.0, int64_t{99}});  // the extra value is dropped
    TMemDataset::TRowWriter(byValue).Null().Null().Bool(false).Text("");
    TMemDataset::TRowWriter(byValue).Int(1);
    EXPECT_THROW(TMemDataset::TRowWriter(byValue).Int(2).Float(2).Bool(true).Text("x").Float(2).Int(3), EOstrelError);
    EXPECT_THROW(
        {
            TMemDataset::TRowWriter row(byValue);
            row.Int(3).Text("half");
            throw EOstrelError("a failure while the row is written");
        },
        EOstrelError);
    // A row that comes in while the set is open is read at once where the position stands.
    TMemDataset growing;
    growing.AddField("I", TMemFieldType::Integer);
    growing.Open();
    EXPECT_TRUE(growing.Fields(0)->IsNull());
    TMemDataset::TRowWriter(growing).Int(5);
    EXPECT_EQ(growing.Fields(0)->AsInteger(), 5);
    growing.Close();
    EXPECT_TRUE(growing.Fields(0)->IsNull());
    whole.Open();
    byValue.Open();
    ASSERT_EQ(byValue.RowCount(), 3);
    for (int row = 1; row <= 3; ++row) {
        whole.SetRecNo(row);
        byValue.SetRecNo(row);
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(byValue.Fields(c)->IsNull(), whole.Fields(c)->IsNull()) << row << " " << c;
            EXPECT_EQ(byValue.Fields(c)->AsString(), whole.Fields(c)->AsString()) << row << " " << c;
        }
    }
}

}  // namespace
}  // namespace ostrel::test
