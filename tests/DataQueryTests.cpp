// The database layer against a real Firebird database file (embedded engine).
#include "TestSupport.h"
#include "data/IB_Query.h"
#include "data/IbClient.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "platform/Parsers.h"
#include "readers/ReaderSupport.h"

namespace ostrel::test {
namespace {

// A database file with one table of every type the layer maps.
class Database : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Dir = new TTempDir;
        const std::string db = Dir->File("types.fdb");
        std::ofstream script(Dir->File("types.sql"));
        script << "CREATE DATABASE '" << db << "' DEFAULT CHARACTER SET UTF8;\n"
               << "CREATE TABLE T (I SMALLINT, L INTEGER, B BIGINT, N NUMERIC(9,2), N4 NUMERIC(18,4),\n"
               << "  N0 NUMERIC(18,0), F FLOAT, D DOUBLE PRECISION, DT DATE, TM TIME, TS TIMESTAMP,\n"
               << "  BO BOOLEAN, C CHAR(5), V VARCHAR(10), BT BLOB SUB_TYPE TEXT, BB BLOB SUB_TYPE BINARY);\n"
               << "INSERT INTO T VALUES (-7, 2147483647, 9000000000123, -1234.50, 12345678901234.5678,\n"
               << "  123456789012345678, 0.1, 1234.5, '2003-02-01', '10:30:15.2500', '1974-05-01 14:05:09',\n"
               << "  TRUE, 'ab', 'Jürgen東', 'long text ü', x'00FF10');\n"
               << "INSERT INTO T (I) VALUES (NULL);\n"
               << "INSERT INTO T (I, C, TS) VALUES (3, 'xyz', '2000-01-01 00:00:00');\n"
               << "CREATE TABLE EMPTY_T (A INTEGER);\n"
               << "CREATE TABLE N (ID INTEGER, NAME VARCHAR(20), NOTES BLOB SUB_TYPE TEXT, CITY VARCHAR(20));\n"
               << "INSERT INTO N VALUES (1, 'one', 'n1', 'Oslo');\n"
               << "INSERT INTO N VALUES (2, 'two', 'n2', 'Rome');\n"
               << "COMMIT;\n";
        script.close();
        TCommandResult r = RunCommand("isql-fb -q -ch UTF8 -u SYSDBA -p x -bail -i " + ShellQuote(Dir->File("types.sql")));
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
    }
    static void TearDownTestSuite() {
        delete Dir;
        Dir = nullptr;
    }
    void SetUp() override {
        conn.SetDatabaseName(Dir->File("types.fdb"));
        conn.SetUsername("SYSDBA");
        conn.Connect();
        q.SetConnection(&conn);
    }
    void OpenQuery(const std::string& sql) {
        q.SetSQL(sql);
        q.Open();
    }
    TIB_QueryColumn& Col(const std::string& name) { return *dynamic_cast<TIB_QueryColumn*>(q.FieldByName(name)); }

    static TTempDir* Dir;
    TFormatSettingsScope locale{UsSettings()};
    TIB_Connection conn;
    TIB_Query q;
};

TTempDir* Database::Dir = nullptr;

TEST_F(Database, EveryTypeReadsWithItsPredicatesAndText) {
    OpenQuery("SELECT * FROM T");
    ASSERT_EQ(q.FieldCount(), 16);
    struct Expect {
        const char* Name;
        const char* Text;
        TOstrelColType Type;
        bool Integer;
    };
    const Expect expected[] = {
        {"I", "-7", ectInteger, true},
        {"L", "2147483647", ectInteger, true},
        {"B", "9000000000123", ectInteger, true},
        {"N", "-1234.50", ectFloat, false},
        {"N4", "12345678901234.5678", ectCurrency, false},
        {"N0", "123456789012345678", ectInteger, true},
        {"F", "0.1", ectFloat, false},
        {"D", "1234.5", ectFloat, false},
        {"DT", "2/1/2003", ectDate, false},
        {"TM", "10:30:15.250 AM", ectTime, false},
        {"TS", "5/1/1974 2:05:09 PM", ectDateTime, false},
        {"BO", "True", ectBoolean, false},
        {"C", "ab", ectString, false},
        {"V", "Jürgen東", ectString, false},
        {"BT", "long text ü", ectString, false},
        {"BB", "00FF10", ectString, false},
    };
    for (const auto& x : expected) {
        SCOPED_TRACE(x.Name);
        TIB_QueryColumn& c = Col(x.Name);
        EXPECT_EQ(c.AsString(), x.Text);
        EXPECT_EQ(ColTypeOfColumn(&c), x.Type);
        EXPECT_FALSE(c.IsNull());
        if (x.Integer) EXPECT_NO_THROW(c.AsInteger());
        else EXPECT_THROW(c.AsInteger(), EConvertError);
    }
    EXPECT_EQ(Col("B").AsInteger(), 9000000000123);
    EXPECT_TRUE(Col("BT").IsBlob());
    EXPECT_FALSE(Col("BT").IsText());
    EXPECT_EQ(Col("C").DataSize(), 5);  // characters, not UTF-8 bytes
    EXPECT_EQ(Col("V").DataSize(), 10);
    EXPECT_EQ(Col("L").DataSize(), 4);
    EXPECT_EQ(Col("B").DataSize(), 8);
    EXPECT_EQ(Col("V").FieldName(), "V");

    q.Next();  // the row of NULLs
    for (int i = 0; i < q.FieldCount(); ++i) {
        EXPECT_TRUE(q.Fields(i)->IsNull()) << i;
        EXPECT_EQ(q.Fields(i)->AsString(), "") << i;
    }
    EXPECT_EQ(Col("L").AsInteger(), 0);
    // A NULL does not make a float column an integer one.
    EXPECT_THROW(Col("D").AsInteger(), EConvertError);
    EXPECT_EQ(ColTypeOfColumn(&Col("D")), ectFloat);
    q.Next();
    EXPECT_EQ(Col("C").AsString(), "xyz");
    EXPECT_EQ(Col("TS").AsString(), "1/1/2000");  // midnight shows the date alone
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_THROW(q.Next(), EDatabaseError);
}

TEST_F(Database, TextFollowsTheLocaleAndReadsBack) {
    TFormatSettingsScope de(GermanSettings());
    OpenQuery("SELECT N, N4, D, DT, TM, TS FROM T");
    EXPECT_EQ(Col("N").AsString(), "-1234,50");
    EXPECT_EQ(Col("N4").AsString(), "12345678901234,5678");
    EXPECT_EQ(Col("D").AsString(), "1234,5");
    EXPECT_EQ(Col("DT").AsString(), "01.02.2003");
    EXPECT_EQ(Col("TM").AsString(), "10:30:15,250");
    EXPECT_EQ(Col("TS").AsString(), "01.05.1974 14:05:09");
    // What the layer writes, the engine's parsers read back.
    EXPECT_EQ(StrToDateTime(Col("TM").AsString()), EncodeTime(10, 30, 15, 250));
    EXPECT_EQ(StrToDecimal(Col("N4").AsString()).Digits, "123456789012345678");
}

TEST_F(Database, PositionsAreSavedAndRestoredByRunningAgain) {
    OpenQuery("SELECT I FROM T");
    EXPECT_FALSE(q.IsEmpty());
    EXPECT_EQ(q.RecNo(), 1);
    q.Next();
    q.Next();
    EXPECT_EQ(q.RecNo(), 3);
    EXPECT_EQ(q.Fields(0)->AsString(), "3");
    q.SetRecNo(1);
    EXPECT_EQ(q.Fields(0)->AsString(), "-7");
    EXPECT_EQ(q.Executions(), 2);
    q.SetRecNo(3);
    EXPECT_EQ(q.Fields(0)->AsString(), "3");
    EXPECT_EQ(q.Executions(), 2);  // forward needs no new run
    q.First();
    q.First();
    EXPECT_EQ(q.Executions(), 3);
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.RecNo(), 1);  // counting does not move
    q.SetRecNo(99);
    EXPECT_TRUE(q.Eof());
    q.SetSQL("SELECT A FROM EMPTY_T");
    q.Open();
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecordCount(), 0);
}

// Texts read in place for the fast rows are exactly what AsString gives (CHAR padding cut,
// OCTETS and DB_KEY left to their hex form), and a CSV file written with them is the file
// the per-value steps write.
TEST_F(Database, TextsReadInPlaceAreTheirTexts) {
    OpenQuery("SELECT T.*, T.RDB$DB_KEY AS K, CAST('  ' AS CHAR(3)) AS BLANK FROM T");
    int inPlace = 0;
    for (q.First(); !q.Eof(); q.Next())
        for (int i = 0; i < q.FieldCount(); ++i) {
            std::string_view view;
            if (!q.Fields(i)->GetText(view)) continue;
            ++inPlace;
            EXPECT_EQ(std::string(view), q.Fields(i)->AsString()) << q.Fields(i)->FieldName();
        }
    EXPECT_EQ(inPlace, 2 + 1 + 3);  // C and V in row 1, C in row 3, BLANK in each of the 3 rows

    struct TSlowCsv : TIB_OstrelASCII {
        using TIB_OstrelASCII::TIB_OstrelASCII;
    };
    TIB_OstrelASCII fast;
    TSlowCsv slow;
    for (TIB_OstrelASCII* e : {&fast, static_cast<TIB_OstrelASCII*>(&slow)}) {
        e->SetExportType(etCSV);
        e->SetDataSet(&q);
        e->SetExportedFields({"C", "V", "I", "N4", "TS", "BLANK", "K"});
        e->SetFileName(Dir->File(e == &fast ? "fast.csv" : "slow.csv"));
        e->DoExecute();
    }
    const std::string csv = ReadAll(Dir->File("fast.csv"));
    EXPECT_EQ(csv, ReadAll(Dir->File("slow.csv")));
    EXPECT_NE(csv.find("\"ab\",\"Jürgen東\",\"-7\""), std::string::npos) << csv;
}

TEST_F(Database, EngineColumnListFromAQuery) {
    OpenQuery("SELECT N.*, N.RDB$DB_KEY AS DB_KEY, ID * 2 AS TWICE FROM N");
    TFileRecorder e;
    e.SetDataSet(&q);
    e.Columns().Fill();
    std::vector<std::string> names;
    for (auto& c : e.Columns()) names.push_back(c.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"ID", "NAME"}));  // the BLOB ends the list
    e.Columns().Clear();
    e.SetExportedFields({"CITY", "TWICE", "ID"});
    e.Columns().Fill();
    ASSERT_EQ(e.Columns().Count(), 3);
    EXPECT_EQ(e.Columns()[1].ColType, ectInteger);
    EXPECT_EQ(e.Columns()[0].SQLType, "CHAR(20)");
    dynamic_cast<TIB_QueryColumn*>(q.FieldByName("TWICE"))->SetVisible(false);
    e.SetOnlyVisibleFields(true);
    e.Columns().Clear();
    e.Columns().Fill();
    EXPECT_EQ(e.Columns().Count(), 1);

    // Through a data grid, with the query's grid labels.
    q.GridLabels().SetText("NAME=Full name");
    TIB_DataSource src;
    src.SetDataset(&q);
    TMemGrid grid;
    grid.SetDataSource(&src);
    TFileRecorder g;
    g.SetExportSource(esDBGrid);
    g.SetIBGrid(&grid);
    g.SetFileName(Dir->File("grid.txt"));
    g.SetAutoCalcColWidth(true);
    g.DoExecute();
    // The grid shows the visible columns; its BLOB column ends the list.
    EXPECT_EQ(ReadAll(Dir->File("grid.txt")), "ID|Full name|\r\n1|one|\r\n2|two|\r\n<end>\r\n");
    EXPECT_EQ(q.ControlsDisabled(), 0);
}

TEST_F(Database, ErrorsCarryTheLibraryMessages) {
    q.SetSQL("SELECT NOPE FROM T");
    try {
        q.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("Column unknown"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(q.Active());
    TIB_Connection missing;
    missing.SetDatabaseName(Dir->File("missing.fdb"));
    try {
        missing.Connect();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.fdb"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(missing.Connected());
    // Disconnecting closes the open queries.
    OpenQuery("SELECT I FROM T");
    conn.Disconnect();
    EXPECT_FALSE(q.Active());
    EXPECT_THROW(q.Open(), EDatabaseError);
}

}  // namespace
}  // namespace ostrel::test
