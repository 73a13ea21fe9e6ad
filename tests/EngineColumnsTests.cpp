// The export column list of each kind of source, with and without ExportedFields.
#include "TestSupport.h"

namespace ostrel::test {
namespace {

std::vector<std::string> Names(TOstrelColumns& cols) {
    std::vector<std::string> out;
    for (auto& c : cols) out.push_back(c.Name);
    return out;
}

TOstrelColumns& Build(TFileRecorder& e) {
    e.Columns().Clear();
    e.Columns().Fill();
    return e.Columns();
}

class DatasetColumns : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("NAME", TMemFieldType::String, 30).SetDisplayLabel("Full name");
        ds.AddField("NOTES", TMemFieldType::Blob);
        ds.AddField("CITY", TMemFieldType::String, 12);
        ds.AppendRow({int64_t{1}, "Ann", "long text", "Oslo"});
        ds.Open();
        e.SetDataSet(&ds);
    }
    TMemDataset ds;
    TFileRecorder e;
};

TEST_F(DatasetColumns, BlobEndsTheListUnlessFieldsAreNamed) {
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"ID", "NAME"}));
    e.SetExportedFields({"NAME", "ID", "CITY"});
    TOstrelColumns& cols = Build(e);
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"NAME", "ID", "CITY"}));
    EXPECT_EQ(cols[0].Number, 1);
    EXPECT_EQ(cols[1].Number, 0);
    EXPECT_EQ(cols[2].Number, 3);
    EXPECT_EQ(cols[0].Caption, "Full name");
    EXPECT_EQ(cols[0].Width, 30);
    EXPECT_EQ(cols[0].SQLType, "CHAR(30)");
    // A name the dataset does not know ends the list there.
    e.SetExportedFields({"city", "NOPE", "ID"});
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"CITY"}));
}

TEST_F(DatasetColumns, HiddenAndDbKeyColumns) {
    dynamic_cast<TMemColumn*>(ds.Fields(1))->SetVisible(false);
    e.SetOnlyVisibleFields(true);
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"ID"}));
    e.SetExportedFields({"ID", "NAME"});
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"ID"}));
    e.SetOnlyVisibleFields(false);
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"ID", "NAME"}));

    TMemDataset keyed;
    keyed.AddField("A", TMemFieldType::Integer);
    keyed.AddField("db_key", TMemFieldType::DbKey);
    keyed.AddField("B", TMemFieldType::Integer);
    keyed.AppendRow({int64_t{1}, "k", int64_t{2}});
    keyed.Open();
    TFileRecorder k;
    k.SetDataSet(&keyed);
    EXPECT_EQ(Names(Build(k)), (std::vector<std::string>{"A"}));
}

TEST(ColumnTypes, DatasetTypesFormatsAlignmentsAndSqlTypes) {
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("W", TMemFieldType::Float);  // a whole number is still a float
    ds.AddField("C", TMemFieldType::Currency);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("T", TMemFieldType::Time);
    ds.AddField("DT", TMemFieldType::DateTime);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("S", TMemFieldType::String, 7);
    ds.AppendRow({int64_t{5}, 2.5, 2.0, 9.99, 37000.0, 0.5, 37000.5, true, "x"});
    ds.Open();
    TFileRecorder e;
    e.SetDataSet(&ds);
    TOstrelColumns& cols = Build(e);
    ASSERT_EQ(cols.Count(), 9);
    const TOstrelColType types[] = {ectInteger, ectFloat, ectFloat, ectCurrency, ectDate,
                                    ectTime,    ectDateTime, ectBoolean, ectString};
    const TOstrelColAlign aligns[] = {ecaRight, ecaRight, ecaRight, ecaRight, ecaLeft,
                                      ecaLeft,  ecaLeft,  ecaCenter, ecaLeft};
    const char* sql[] = {"INTEGER", "DOUBLE PRECISION", "DOUBLE PRECISION", "DOUBLE PRECISION", "DATE",
                         "TIME",    "TIMESTAMP",        "BOOLEAN", "CHAR(7)"};
    const TOstrelFormats& f = e.Formats();
    const std::string formats[] = {f.IntegerFormat(), f.FloatFormat(), f.FloatFormat(),
                                   f.CurrencyFormat(), f.DateFormat(), f.TimeFormat(),
                                   f.DateTimeFormat(), "", ""};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(cols[i].Name);
        EXPECT_EQ(cols[i].ColType, types[i]);
        EXPECT_EQ(cols[i].Align, aligns[i]);
        EXPECT_EQ(cols[i].SQLType, sql[i]);
        EXPECT_EQ(cols[i].Format, formats[i]);
    }
    EXPECT_EQ(ColTypeName(cols[6].ColType), "DateTime");
    // A NULL in the current row does not change a column's type.
    ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{},
                  TMemValue{}, TMemValue{}});
    ds.SetRecNo(2);
    TOstrelColumns& again = Build(e);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(again[i].ColType, types[i]) << i;
    EXPECT_EQ(ColTypeOfColumn(nullptr), ectUnknown);
}

TEST(ColumnSettings, KeyedListsCaptionsWidthsAlignmentsAndUserFormats) {
    TMemDataset ds;
    ds.AddField("Salary", TMemFieldType::Float);
    ds.AddField("Name", TMemFieldType::String, 10);
    ds.AddField("Age", TMemFieldType::Integer);
    ds.AddField("Ok", TMemFieldType::Boolean);
    ds.AppendRow({1.5, "a", int64_t{3}, false});
    ds.Open();
    TFileRecorder e;
    e.SetDataSet(&ds);
    e.ColumnsAlign().SetText("SALARY=right\r\nName=Center\r\nsalary=left");
    e.ColumnsWidth().SetText("name=25\r\nAge=wide");
    e.Captions().SetText("age=Years\r\nAge=ignored");
    e.UserFormats().SetText("Name=0.000");
    TOstrelColumns& cols = Build(e);
    EXPECT_EQ(cols[0].Align, ecaRight);  // the first matching line wins
    EXPECT_EQ(cols[1].Align, ecaCenter);
    EXPECT_EQ(cols[2].Align, ecaRight);  // numbers by type
    EXPECT_EQ(cols[3].Align, ecaCenter);  // Booleans by type
    EXPECT_EQ(cols[1].Width, 25);
    EXPECT_EQ(cols[2].Width, 0);  // not a number
    EXPECT_EQ(cols[2].Caption, "Years");
    EXPECT_EQ(cols[1].Format, "0.000");  // kept even for a text column
    e.ColumnsAlign().SetText("Salary=");
    EXPECT_EQ(Build(e)[0].Align, ecaLeft);
}

TEST(ColumnTypes, SqlTypeOfColTypeAndGuessing) {
    EXPECT_EQ(SQLTypeOfColType(ectString, 12), "CHAR(12)");
    EXPECT_EQ(SQLTypeOfColType(ectFloat, 12), "DOUBLE PRECISION");
    EXPECT_EQ(SQLTypeOfColType(ectCurrency, 0), "DOUBLE PRECISION");
    EXPECT_EQ(SQLTypeOfColType(ectBoolean, 0), "BOOLEAN");
    EXPECT_EQ(SQLTypeOfColType(ectDate, 0), "DATE");
    EXPECT_EQ(SQLTypeOfColType(ectTime, 0), "TIME");
    EXPECT_EQ(SQLTypeOfColType(ectDateTime, 0), "TIMESTAMP");
    EXPECT_EQ(SQLTypeOfColType(ectUnknown, 0), "");
    TFormatSettingsScope scope(PointDmySettings());
    EXPECT_EQ(GuessColType("", "true", "false"), ectString);
    EXPECT_EQ(GuessColType("FALSE", "true", "false"), ectBoolean);
    EXPECT_EQ(GuessColType("ja", "ja", "nein"), ectBoolean);
    EXPECT_EQ(GuessColType("-12", "true", "false"), ectInteger);
    EXPECT_EQ(GuessColType("3000000000", "true", "false"), ectFloat);  // beyond 32 bits
    EXPECT_EQ(GuessColType("1.5", "true", "false"), ectFloat);
    EXPECT_EQ(GuessColType("01.02.2003", "true", "false"), ectDate);
    EXPECT_EQ(GuessColType("01.02.2003 10:30", "true", "false"), ectDateTime);
    EXPECT_EQ(GuessColType("10:30", "true", "false"), ectTime);
    EXPECT_EQ(GuessColType("30.12.1899", "true", "false"), ectDate);
    EXPECT_EQ(GuessColType("ALEX", "true", "false"), ectString);
}

TEST(DataGridColumns, DisplayedColumnsLabelsAndPixelWidths) {
    TMemDataset ds;
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 20);
    ds.AddField("HIDDEN", TMemFieldType::String, 5).SetVisible(false);
    ds.AddField("NOTE", TMemFieldType::Blob);
    ds.AppendRow({int64_t{1}, "n", "h", "b"});
    ds.GridLabels().SetText("NAME=Customer\r\nID=");
    ds.Open();
    TMemDataSource src;
    src.SetDataset(&ds);
    TMemGrid grid;
    grid.SetDataSource(&src);
    grid.AddColumn("NAME", 140);
    grid.AddColumn("HIDDEN", 70);
    grid.AddColumn("ID", 30);
    TFileRecorder e;
    e.SetExportSource(esDBGrid);
    e.SetIBGrid(&grid);
    TOstrelColumns& cols = Build(e);
    ASSERT_EQ(Names(cols), (std::vector<std::string>{"NAME", "HIDDEN", "ID"}));
    const int x = grid.TextWidth("X");
    EXPECT_EQ(cols[0].Width, 140 / x);
    EXPECT_EQ(cols[2].Width, 30 / x);
    EXPECT_EQ(cols[0].Caption, "Customer");  // the grid label
    EXPECT_EQ(cols[2].Caption, "ID");        // an empty label keeps the display label
    e.SetOnlyVisibleFields(true);
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"NAME"}));
    e.SetExportedFields({"id", "name", "hidden"});
    EXPECT_EQ(Names(Build(e)), (std::vector<std::string>{"ID", "NAME"}));
    EXPECT_EQ(Build(e)[0].Number, 2);
}

TEST(ListViewColumns, NamesCaptionsWidthsAndGuessedTypes) {
    TFormatSettingsScope scope(PointDmySettings());
    TMemListView lv;
    lv.AddColumn("Code", 70);
    lv.AddColumn("Name", 140);
    lv.AddColumn("Flag", 35);
    lv.AddColumn("Born", 70);
    lv.AddColumn("At", 70);
    lv.AddItem("12", {"1.5", "true", "01.02.2003", "10:30"});
    TFileRecorder e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    TOstrelColumns& cols = Build(e);
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"Code", "Name", "Flag", "Born", "At"}));
    for (auto& c : cols) EXPECT_EQ(c.ColType, ectString);
    const int x = FontMetrics().TextWidth(lv.Font(), "X");
    EXPECT_EQ(cols[1].Width, 140 / x);
    EXPECT_EQ(cols[1].SQLType, "CHAR(" + std::to_string(140 / x) + ")");
    e.SetAutoCalcStrType(true);
    TOstrelColumns& typed = Build(e);
    const TOstrelColType expected[] = {ectInteger, ectFloat, ectBoolean, ectDate, ectTime};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(typed[i].ColType, expected[i]) << i;
    EXPECT_EQ(typed[1].SQLType, "DOUBLE PRECISION");
    e.SetExportedFields({"name"});
    TOstrelColumns& one = Build(e);
    ASSERT_EQ(one.Count(), 1);
    EXPECT_EQ(one[0].Number, 1);
}

TEST(StringGridColumns, NumberedColumnsAndPickedColumns) {
    TMemStringGrid g;
    g.SetSize(3, 4);
    g.SetFixedRows(1);
    g.SetCell(0, 1, "abc");
    g.SetCell(0, 2, "42");
    g.SetColWidth(2, 128);
    g.SetRow(2);
    TFileRecorder e;
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    TOstrelColumns& cols = Build(e);
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(cols[0].Caption, "ColNo_0");
    EXPECT_EQ(cols[2].Caption, "ColNo_2");
    EXPECT_EQ(cols[2].Width, 128 / g.TextWidth("X"));
    e.SetExportedFields({"2", "0", "x", "1"});
    TOstrelColumns& picked = Build(e);
    EXPECT_EQ(Names(picked), (std::vector<std::string>{"2", "0"}));
    e.SetExportedFields({"7"});  // beyond the grid: kept, its cells read empty
    EXPECT_EQ(Build(e)[0].Number, 7);
}

// A column takes a guessed type only when every non-empty text agrees; one item or row does
// not decide for the others.
TEST(ListViewColumns, GuessedTypesAgreeOverEveryItem) {
    TFormatSettingsScope scope(PointDmySettings());
    TMemListView lv;
    for (const char* caption : {"Int", "Mixed", "Num", "Gap", "Empty", "Flag", "When", "Word", "Short"})
        lv.AddColumn(caption, 50);
    lv.AddItem("1", {"1", "1", "", "", "true", "01.02.2003", "7", "5"});
    lv.AddItem("-2", {"x", "2.5", "3", "", "FALSE", "02.02.2003", "8"});  // no sub-item for Short
    lv.AddItem("30000", {"2", "4", "", "", "true", "03.02.2003 10:00", "nine", "6"});
    TFileRecorder e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetAutoCalcStrType(true);
    const TOstrelColType expected[] = {
        ectInteger,  // Int
        ectString,   // Mixed: a word among integers
        ectFloat,    // Num: integers and floats together
        ectInteger,  // Gap: empty texts do not decide
        ectString,   // Empty: no text at all guesses as an empty text
        ectBoolean,  // Flag
        ectString,   // When: dates and a date with a time
        ectString,   // Word: the word comes last
        ectInteger,  // Short: a missing sub-item reads as empty
    };
    TOstrelColumns& cols = Build(e);
    ASSERT_EQ(cols.Count(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(cols[i].ColType, expected[i]) << cols[i].Name;
    EXPECT_EQ(cols[2].SQLType, "DOUBLE PRECISION");
    EXPECT_EQ(cols[2].Format, e.Formats().FloatFormat());
    EXPECT_EQ(cols[1].Align, ecaLeft);
}

TEST(StringGridColumns, GuessedTypesAgreeOverEveryDataRow) {
    TFormatSettingsScope scope(PointDmySettings());
    TMemStringGrid g;
    g.SetSize(4, 5);
    g.SetFixedRows(1);
    const std::vector<std::vector<std::string>> rows = {
        {"qty", "price", "code", "day"},  // the fixed row: captions, not data
        {"1", "1", "10", "01.02.2003"},
        {"", "2.5", "abc", "02.02.2003"},
        {"3", "3", "12", ""},
        {"4", "", "13", "04.02.2003"},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) g.SetCell(c, r, rows[r][c]);
    g.SetRow(3);  // the current row does not decide either
    TFileRecorder e;
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetAutoCalcStrType(true);
    TOstrelColumns& cols = Build(e);
    EXPECT_EQ(cols[0].ColType, ectInteger);
    EXPECT_EQ(cols[1].ColType, ectFloat);
    EXPECT_EQ(cols[2].ColType, ectString);
    EXPECT_EQ(cols[3].ColType, ectDate);
    // Without fixed rows the caption texts are data too.
    g.SetFixedRows(0);
    EXPECT_EQ(Build(e)[0].ColType, ectString);
    // A grid of fixed rows only has no data: its columns are texts.
    g.SetSize(4, 1);
    g.SetFixedRows(1);
    EXPECT_EQ(Build(e)[0].ColType, ectString);
}

TEST(NameIndex, FindsWhatIndexOfNameFinds) {
    TStringList list;
    list.SetText("Alpha=1\nbeta=2\nALPHA=3\nno equals\n=empty name\ngamma\nBeta=\nx=y=z\n\xC3\x84=upper\n"
                 "\xC3\xA4=lower\n01=zero one\n1=one");
    const TNameIndex index(list);
    const std::pair<const char*, int> cases[] = {
        {"alpha", 0}, {"ALPHA", 0}, {"Beta", 1}, {"", 4},      {"gamma", -1}, {"no equals", -1},
        {"x", 7},     {"x=y", -1},  {"01", 10},  {"1", 11},    {"delta", -1}, {"alpha ", -1},
    };
    for (const auto& [name, line] : cases) {
        EXPECT_EQ(index.Find(name), line) << name;
        EXPECT_EQ(list.IndexOfName(name), line) << name;
    }
    // Bytes beyond ASCII compare as SameText compares them.
    for (const char* name : {"\xC3\x84", "\xC3\xA4"}) EXPECT_EQ(index.Find(name), list.IndexOfName(name)) << name;
    EXPECT_EQ(TNameIndex(TStringList{}).Find("alpha"), -1);

    TNameIndex added;
    added.Add("Code", 0);
    added.Add("CODE", 1);
    added.Add("name", 2);
    added.Add("NAME", 3, true);
    EXPECT_EQ(added.Find("code"), 0);  // kept
    EXPECT_EQ(added.Find("Name"), 3);  // replaced
}

// Every keyed list applies its first line for a name, whatever the case and however many
// columns and lines there are.
TEST(ColumnSettings, KeyedListsOfAWideGrid) {
    const int n = 300;
    TMemStringGrid g;
    g.SetSize(n, 2);
    TFileRecorder e;
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    for (int c = n - 1; c >= 0; --c) e.Captions().Add(std::to_string(c) + "=Caption " + std::to_string(c));
    e.Captions().Insert(0, "7=first");   // wins over the later line for 7
    e.Captions().Add("8=too late");
    e.Captions().Insert(0, "09=not 9");  // "09" is another name than "9"
    e.ColumnsWidth().SetText("5=12\n5=99\n6=x");
    e.ColumnsAlign().SetText("5=right\n5=center\n6=Center");
    e.UserFormats().SetText("5=0.0\n5=0.00");
    TOstrelColumns& cols = Build(e);
    ASSERT_EQ(cols.Count(), n);
    EXPECT_EQ(cols[7].Caption, "first");
    EXPECT_EQ(cols[8].Caption, "Caption 8");
    EXPECT_EQ(cols[9].Caption, "Caption 9");
    EXPECT_EQ(cols[n - 1].Caption, "Caption " + std::to_string(n - 1));
    EXPECT_EQ(cols[5].Width, 12);
    EXPECT_EQ(cols[6].Width, 0);
    EXPECT_EQ(cols[5].Align, ecaRight);
    EXPECT_EQ(cols[6].Align, ecaCenter);
    EXPECT_EQ(cols[5].Format, "0.0");

    // List-view names differ in case only: ExportedFields takes the last matching column, the
    // keyed lists the first matching line.
    TMemListView lv;
    lv.AddColumn("Code", 50);
    lv.AddColumn("Name", 50);
    lv.AddColumn("CODE", 50);
    lv.AddItem("a", {"b", "c"});
    TFileRecorder l;
    l.SetExportSource(esListView);
    l.SetListView(&lv);
    l.SetExportedFields({"code", "NAME", "nope"});
    l.Captions().SetText("code=first\nCODE=second\nname=N");
    TOstrelColumns& picked = Build(l);
    ASSERT_EQ(picked.Count(), 2);
    EXPECT_EQ(picked[0].Number, 2);
    EXPECT_EQ(picked[0].Caption, "first");
    EXPECT_EQ(picked[1].Number, 1);
    EXPECT_EQ(picked[1].Caption, "N");
}

}  // namespace
}  // namespace ostrel::test
