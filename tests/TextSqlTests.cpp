// SQL scripts, byte for byte.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelSQL.h"

namespace ostrel::test {
namespace {

class Sql : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("NAME", TMemFieldType::String, 30);
        for (int i = 1; i <= 5; ++i) ds.AppendRow({int64_t{i}, i == 2 ? "O'Neil" : "n" + std::to_string(i)});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetTableName("CLIENTS");
        e.SetFileName(dir.File("out.sql"));
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("out.sql"));
    }
    static std::string Insert(const std::string& values, const std::string& table = "CLIENTS") {
        return "INSERT INTO " + table + "\r\n  (ID,NAME)\r\nVALUES(" + values + ");\r\n\r\n";
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelSQL e;
};

TEST_F(Sql, CreateTableInsertsAndCommits) {
    e.SetCreateTable(true);
    e.SetExportRecCount(2);
    e.Header().SetText("-- head");
    e.Footer().SetText("-- foot");
    e.SetCommitAfterScript(true);
    EXPECT_EQ(Run(), "-- head\r\nCREATE TABLE CLIENTS(\r\n  ID  INTEGER,\r\n  NAME  CHAR(30));\r\n\r\n" +
                         Insert("1,'n1'") + Insert("2,'O''Neil'") + "COMMIT WORK;\r\n-- foot\r\n");
    EXPECT_EQ(e.FieldList(), "ID,NAME");
}

TEST_F(Sql, CommitEveryNRecords) {
    e.SetCommitRecCount(2);
    e.SetCommitAfterScript(true);
    const std::string out = Run();
    const std::string commit = "COMMIT WORK;\r\n\r\n";
    EXPECT_EQ(out, Insert("1,'n1'") + commit + Insert("2,'O''Neil'") + Insert("3,'n3'") + commit +
                       Insert("4,'n4'") + Insert("5,'n5'") + commit + "COMMIT WORK;\r\n");
    e.SetCommitStatement("");
    EXPECT_EQ(Run().find("COMMIT"), std::string::npos);
}

TEST_F(Sql, TerminatorEmptyTableAndNoRecords) {
    e.SetStatementTerm('/');
    e.SetTableName("");
    e.SetCreateTable(true);
    e.SetExportRecCount(1);
    EXPECT_EQ(Run(), "INSERT INTO \r\n  (ID,NAME)\r\nVALUES(1,'n1')/\r\n\r\n");
    e.SetSkipRecCount(5);
    e.Footer().SetText("F");
    EXPECT_EQ(Run(), "F\r\n");
}

TEST_F(Sql, NullsBooleansNumbersAndDatesAreLiterals) {
    TMemDataset t;
    t.AddField("F", TMemFieldType::Float);
    t.AddField("B", TMemFieldType::Boolean);
    t.AddField("D", TMemFieldType::Date);
    t.AddField("TM", TMemFieldType::Time);
    t.AddField("TS", TMemFieldType::DateTime);
    t.AddField("BIG", TMemFieldType::BigInt);
    t.AppendRow({3.5, true, EncodeDate(1974, 5, 1), EncodeTime(10, 30, 15, 0),
                 EncodeDate(2003, 2, 1) + EncodeTime(14, 5, 0, 0), int64_t{9000000000}});
    t.AppendRow({TMemValue{}, false, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
    t.Open();
    e.SetDataSet(&t);
    e.SetTableName("T");
    e.SetCreateTable(true);
    TFormatSettingsScope de(GermanSettings());  // values read in a comma locale
    const std::string out = Run();
    SCOPED_TRACE(out);
    EXPECT_NE(out.find("  F  DOUBLE PRECISION,\r\n  B  BOOLEAN,\r\n  D  DATE,\r\n  TM  TIME,\r\n"
                       "  TS  TIMESTAMP,\r\n  BIG  BIGINT);"),
              std::string::npos);
    EXPECT_NE(out.find("VALUES(3.5,true,'1974-05-01','10:30:15','2003-02-01 14:05:00',9000000000);"),
              std::string::npos);
    EXPECT_NE(out.find("VALUES(NULL,false,NULL,NULL,NULL,NULL);"), std::string::npos);
    e.Formats().SetNullString("null");
    e.Formats().SetBooleanTrue("1");
    e.Formats().SetBooleanFalse("0");
    EXPECT_NE(Run().find("VALUES(null,0,null,null,null,null);"), std::string::npos);
}

TEST_F(Sql, IdentifiersThatAreNotPlainAreQuoted) {
    EXPECT_EQ(SqlIdentifier("NAME"), "NAME");
    EXPECT_EQ(SqlIdentifier("Name_2$"), "Name_2$");
    EXPECT_EQ(SqlIdentifier("0"), "\"0\"");
    EXPECT_EQ(SqlIdentifier("Date of birth"), "\"Date of birth\"");
    EXPECT_EQ(SqlIdentifier("date"), "\"date\"");
    EXPECT_EQ(SqlIdentifier("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(SqlIdentifier("Größe"), "\"Größe\"");
    EXPECT_EQ(SqlString("O'Neil"), "'O''Neil'");
    EXPECT_EQ(SqlString("a\nb\rc\td"), "'a\nb\rc\td'");
    EXPECT_EQ(SqlString("a\r\n'\r\r\n"), "'a\r' || '\n''\r\r' || '\n'");

    TMemStringGrid g;
    g.SetSize(2, 2);
    g.SetCell(0, 0, "a rather long text value");
    g.SetCell(1, 1, "x");
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetTableName("\"my table\"");  // the caller's SQL text, quotes included
    e.SetCreateTable(true);
    const std::string out = Run();
    // CHAR sizes hold the longest text of the grid, not only its column width.
    EXPECT_EQ(out.substr(0, out.find("INSERT")),
              "CREATE TABLE \"my table\"(\r\n  \"0\"  CHAR(24),\r\n  \"1\"  CHAR(9));\r\n\r\n");
    EXPECT_NE(out.find("INSERT INTO \"my table\"\r\n  (\"0\",\"1\")\r\nVALUES('a rather long text value','');"),
              std::string::npos);
    EXPECT_EQ(g.Row(), 1);
    // The table name is not touched, so a name the caller quoted is not quoted twice.
    e.SetTableName("S.\"T\"");
    EXPECT_NE(Run().find("INSERT INTO S.\"T\"\r\n"), std::string::npos);
}

TEST_F(Sql, OnlyAsciiLettersStartAPlainIdentifier) {
    // Bytes of non-ASCII letters, whatever the C library takes them for.
    EXPECT_EQ(SqlIdentifier("\xC4x"), "\"\xC4x\"");
    EXPECT_EQ(SqlIdentifier("x\xE9"), "\"x\xE9\"");
    EXPECT_EQ(SqlIdentifier("_x"), "\"_x\"");
    EXPECT_EQ(SqlIdentifier("FIELD_1"), "FIELD_1");
    EXPECT_EQ(SqlIdentifier(""), "\"\"");
}

TEST_F(Sql, ANulCharacterFailsTheRunNamingRowAndColumn) {
    TMemDataset t;
    t.AddField("ID", TMemFieldType::Integer);
    t.AddField("V", TMemFieldType::String, 40);
    t.AppendRow({int64_t{1}, "fine"});
    t.AppendRow({int64_t{2}, std::string("x\0y');DROP TABLE t;--", 21)});
    t.Open();
    e.SetDataSet(&t);
    e.SetTableName("T");
    try {
        Run();
        ADD_FAILURE() << "the run went through";
    } catch (const EOstrelError& error) {
        EXPECT_STREQ(error.what(), "Row 2, column V: a NUL character cannot be written in an SQL script");
    }
    const std::string out = ReadAll(dir.File("out.sql"));
    EXPECT_EQ(out.find('\0'), std::string::npos);
    EXPECT_EQ(out.find("DROP"), std::string::npos);

    // A string grid gives every value as text, numbers included; the name is the column's.
    TMemStringGrid g;
    g.SetSize(2, 1);
    g.SetCell(0, 0, "1");
    g.SetCell(1, 0, std::string("2\0", 2));
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetSkipRecCount(0);
    EXPECT_THROW(
        {
            try {
                Run();
            } catch (const EOstrelError& error) {
                EXPECT_STREQ(error.what(), "Row 1, column 1: a NUL character cannot be written in an SQL script");
                throw;
            }
        },
        EOstrelError);

    // Names are written as they are too: a list view column named with a NUL is refused.
    TMemListView lv;
    lv.AddColumn(std::string("b\0x", 3), 64);
    lv.AddItem("1");
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    try {
        Run();
        FAIL();
    } catch (const EOstrelError& error) {
        EXPECT_STREQ(error.what(), "Column 1's name: a NUL character cannot be written in an SQL script");
    }
}

}  // namespace
}  // namespace ostrel::test

namespace ostrel::test {
namespace {

TEST(SqlTypedReads, GiveTheSameScriptAsTheTextPath) {
    TFormatSettingsScope de(GermanSettings());
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("C", TMemFieldType::Currency);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("T", TMemFieldType::Time);
    ds.AddField("DT", TMemFieldType::DateTime);
    ds.AppendRow({-1e-7, 1234.5678, EncodeDate(2024, 2, 29), EncodeTime(23, 59, 59, 0),
                  EncodeDate(1850, 3, 1) - EncodeTime(6, 0, 0, 0)});
    ds.AppendRow({1e20, 0.0, EncodeDate(1, 1, 1), EncodeTime(0, 0, 0, 0), EncodeDate(2003, 2, 1)});
    ds.Open();
    auto run = [&](bool withEvent) {
        TIB_OstrelSQL e;
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("out.sql"));
        if (withEvent) e.OnGetExportText = [](TObject*, int, std::string&) {};
        e.DoExecute();
        return ReadAll(dir.File("out.sql"));
    };
    const std::string typed = run(false);
    EXPECT_EQ(typed, run(true));
    EXPECT_NE(typed.find("VALUES(-1E-7,1234.5678,'2024-02-29','23:59:59','1850-03-01 06:00:00');"), std::string::npos)
        << typed;
}

}  // namespace
}  // namespace ostrel::test
