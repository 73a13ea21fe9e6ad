// Fixed-width text, CSV, DIF and SYLK, byte for byte.
#include "TestSupport.h"
#include "exporters/text/IB_OstrelASCII.h"

namespace ostrel::test {
namespace {

class Ascii : public ::testing::Test {
protected:
    void SetUp() override {
        FillDemoListView(lv);
        e.SetExportSource(esListView);
        e.SetListView(&lv);
        e.SetFileName(dir.File("out"));
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("out"));
    }
    std::vector<std::string> Lines() {
        TStringList l;
        l.SetText(Run());
        return {l.begin(), l.end()};
    }
    TFormatSettingsScope locale{PointDmySettings()};
    TTempDir dir;
    TMemListView lv;
    TIB_OstrelASCII e;
};

TEST_F(Ascii, CsvQuotingOnAndOff) {
    e.SetExportType(etCSV);
    e.SetCSVComma(';');
    e.SetExportRecCount(1);
    EXPECT_EQ(Run(), "\"Code\";\"Name\";\"Date\";\"Salary\";\"IsMale\";\r\n"
                     "\"1\";\"ALEX\";\"01.05.1974\";\"270.36\";\"true\";\r\n");
    e.SetCSVQuoteStrings(false);
    EXPECT_EQ(Run(), "Code;Name;Date;Salary;IsMale;\r\n1;ALEX;01.05.1974;270.36;true;\r\n");
}

TEST_F(Ascii, CsvEmptyQuotesNullsAndBooleans) {
    TMemDataset ds;
    ds.AddField("S", TMemFieldType::String, 10);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("N", TMemFieldType::Float);
    ds.AppendRow({"say \"hi\"", true, 1.5});
    ds.AppendRow({"", false, TMemValue{}});
    ds.Open();
    e.SetExportSource(esDataSet);
    e.SetDataSet(&ds);
    e.SetExportType(etCSV);
    e.SetCSVComma(',');
    e.Captions().SetText("S=\r\nN=a\"b");
    e.Formats().SetNullString("-");
    EXPECT_EQ(Run(), ",\"B\",\"a\"\"b\",\r\n\"say \"\"hi\"\"\",True,\"1.50\",\r\n,False,-,\r\n");
}

TEST_F(Ascii, TxtCellsPadByAlignmentAndSpacing) {
    TMemStringGrid g;
    g.SetSize(2, 1);
    g.SetCell(0, 0, "1");
    g.SetCell(1, 0, "ALEX");
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetAutoCalcColWidth(false);
    e.SetAllowCaptions(false);
    e.SetTXTSpacing(0);
    e.ColumnsWidth().SetText("0=4\r\n1=6");
    e.ColumnsAlign().SetText("0=R");
    EXPECT_EQ(Run(), "   1ALEX  \r\n\r\n");
}

TEST_F(Ascii, TxtTitleHeaderFooterAndComputedWidths) {
    e.SetTitle("People");
    e.Header().SetText("H1\r\nH2");
    e.Footer().SetText("F1");
    e.ColumnsAlign().SetText("Salary=R");
    e.ColumnsWidth().SetText("Code=0\r\nName=0\r\nDate=0\r\nSalary=0\r\nIsMale=0");
    e.SetExportRecCount(2);
    EXPECT_EQ(Run(), "People\r\n" + std::string(80, '-') + "\r\n\r\nH1\r\nH2\r\n\r\n"
                     "Code Name  Date       Salary IsMale \r\n"
                     "1    ALEX  01.05.1974 270.36 true   \r\n"
                     "2    MARIA 12.11.1980   1500 false  \r\n"
                     "\r\nF1\r\n");
}

TEST_F(Ascii, ExportTypeSwitchesTheWidthPass) {
    EXPECT_TRUE(e.AutoCalcColWidth());
    e.SetExportType(etCSV);
    Run();
    EXPECT_FALSE(e.AutoCalcColWidth());  // cleared by the CSV run
    e.SetExportType(etTXT);
    EXPECT_TRUE(e.AutoCalcColWidth());
    e.SetExportType(etTXT);  // no change, no effect
    e.SetAutoCalcColWidth(false);
    e.SetExportType(etTXT);
    EXPECT_FALSE(e.AutoCalcColWidth());
}

TEST_F(Ascii, SylkRowsFollowTheCaptions) {
    e.SetExportType(etSYLK);
    e.SetExportRecCount(1);
    e.ExportedFields().SetText("Code\r\nName");
    EXPECT_EQ(Run(), "ID;PVASCIIEXPORT\r\nC;X1;Y1;K\"Code\"\r\nC;X2;Y1;K\"Name\"\r\n"
                     "C;X1;Y2;K\"1\"\r\nC;X2;Y2;K\"ALEX\"\r\nE\r\n");
    e.SetAllowCaptions(false);
    EXPECT_EQ(Run(), "ID;PVASCIIEXPORT\r\nC;X1;Y1;K\"1\"\r\nC;X2;Y1;K\"ALEX\"\r\nE\r\n");
}

TEST_F(Ascii, SylkAndDifTextsStayInsideTheirQuotes) {
    TMemListView one;
    one.AddColumn("A;B", 50);
    one.AddItem("say \"hi\"; bye");
    e.SetListView(&one);
    e.SetExportType(etSYLK);
    EXPECT_EQ(Run(), "ID;PVASCIIEXPORT\r\nC;X1;Y1;K\"A;;B\"\r\nC;X1;Y2;K\"say \"hi\";; bye\"\r\nE\r\n");
    e.SetExportType(etDIF);
    const std::string dif = Run();
    EXPECT_NE(dif.find("1,0\r\n\"say \"\"hi\"\"; bye\"\r\n"), std::string::npos);
}

TEST_F(Ascii, LineBreaksAndNulsNeverEndASylkOrDifRecord) {
    TMemListView one;
    one.AddColumn("A", 50);
    one.AddItem(std::string("a;b\r\nc\nd\re\0f", 12));
    one.AddItem("\r\nE\r\n");
    one.AddItem("x\r\n1,0\r\n-1,0\ny\n0,5");
    one.AddItem("q\"\n \"");
    e.SetListView(&one);
    e.SetAllowCaptions(false);
    e.SetExportType(etSYLK);
    EXPECT_EQ(Run(), "ID;PVASCIIEXPORT\r\n"
                     "C;X1;Y1;K\"a;;b\x1B :c\x1B :d\x1B :e\xEF\xBF\xBD" "f\"\r\n"
                     "C;X1;Y2;K\"\x1B :E\x1B :\"\r\n"
                     "C;X1;Y3;K\"x\x1B :1,0\x1B :-1,0\x1B :y\x1B :0,5\"\r\n"
                     "C;X1;Y4;K\"q\"\x1B : \"\"\r\nE\r\n");
    e.SetExportType(etDIF);
    const std::string dif = Run();
    const std::string data = dif.substr(dif.find("DATA\r\n0,0\r\n\"\"\r\n") + 15);
    EXPECT_EQ(data, "-1,0\r\nBOT\r\n1,0\r\n\"a;b\r\nc\r\nd\r\ne\xEF\xBF\xBD" "f\"\r\n"
                    "-1,0\r\nBOT\r\n1,0\r\n\"\r\nE\r\n\"\r\n"
                    // Lines that would read as the next value's header join their line with a blank;
                    // the last line is followed by the closing quote and keeps its line break.
                    "-1,0\r\nBOT\r\n1,0\r\n\"x 1,0 -1,0\r\ny\r\n0,5\"\r\n"
                    "-1,0\r\nBOT\r\n1,0\r\n\"q\"\"\r\n \"\"\"\r\n"
                    "-1,0\r\nEOD\r\n");
    // A single-byte code page has no U+FFFD.
    TFormatSettings cp = PointDmySettings();
    cp.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope scope(cp);
    e.SetExportType(etSYLK);
    e.SetExportRecCount(1);
    EXPECT_EQ(Run(), "ID;PVASCIIEXPORT\r\nC;X1;Y1;K\"a;;b\x1B :c\x1B :d\x1B :e?f\"\r\nE\r\n");
}

TEST_F(Ascii, CsvFormulaGuardMarksTextsOnly) {
    TMemDataset ds;
    ds.AddField("S", TMemFieldType::String, 20);
    ds.AddField("N", TMemFieldType::Float);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("D", TMemFieldType::Date);
    for (const char* text : {"=1+2", "+1", "-x", "@SUM(A1)", "\tx", "\rx", "a=b", ""})
        ds.AppendRow({text, -1.5, true, EncodeDate(2001, 2, 3)});
    ds.AppendRow({TMemValue{}, TMemValue{}, false, TMemValue{}});
    ds.Open();
    e.SetExportSource(esDataSet);
    e.SetDataSet(&ds);
    e.SetExportType(etCSV);
    e.SetCSVComma(',');
    e.Captions().SetText("S=-S\r\nN=@N");
    e.Formats().SetNullString("=null");
    const std::string plain = Run();
    EXPECT_EQ(plain.substr(0, plain.find("\r\n")), "\"-S\",\"@N\",\"B\",\"D\",");
    EXPECT_FALSE(e.CSVFormulaGuard());
    e.SetCSVFormulaGuard(true);
    // The NULL text is the caller's setting, not a value from the source, and stays as set.
    EXPECT_EQ(Run(), "\"'-S\",\"'@N\",\"B\",\"D\",\r\n"
                     "\"'=1+2\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "\"'+1\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "\"'-x\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "\"'@SUM(A1)\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "\"'\tx\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "\"'\rx\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "\"a=b\",\"-1.50\",True,\"03.02.2001\",\r\n"
                     ",\"-1.50\",True,\"03.02.2001\",\r\n"
                     "=null,=null,False,=null,\r\n");
    e.SetCSVQuoteStrings(false);
    e.SetExportRecCount(1);
    EXPECT_EQ(Run(), "'-S,'@N,B,D,\r\n'=1+2,-1.50,True,03.02.2001,\r\n");
    // Other formats are never touched.
    e.SetExportType(etSYLK);
    EXPECT_NE(Run().find("K\"=1+2\""), std::string::npos);
}

TEST_F(Ascii, DifOfTheDemoListView) {
    e.SetExportType(etDIF);
    int fetched = 0;
    e.OnFetchedRecord = [&](TObject* sender, int) {
        EXPECT_EQ(sender, &e);
        ++fetched;
    };
    std::vector<std::string> lines = Lines();
    const std::vector<std::string> opening = {"TABLE", "0,1", "\"\"", "VECTORS", "0,5", "\"\"", "TUPLES",
                                              "0,5", "\"\"", "DATA", "0,0", "\"\""};
    ASSERT_GT(lines.size(), opening.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 12), opening);
    EXPECT_EQ(fetched, 5);
    // Caption tuple, then the first row: every column a string tuple.
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 12, lines.begin() + 16),
              (std::vector<std::string>{"-1,0", "BOT", "1,0", "\"Code\""}));
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 24, lines.begin() + 28),
              (std::vector<std::string>{"-1,0", "BOT", "1,0", "\"1\""}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()), (std::vector<std::string>{"-1,0", "EOD"}));
    EXPECT_EQ(lines.size(), 12u + 6 * 12 + 2);
    EXPECT_EQ(lv.FocusedIndex(), 0);
}

TEST_F(Ascii, DifTypedValuesAreReadableTuples) {
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("S", TMemFieldType::String, 5);
    ds.AppendRow({int64_t{1234}, -0.5, true, EncodeDate(1974, 5, 1), "x"});
    ds.AppendRow({TMemValue{}, 2.0, false, TMemValue{}, TMemValue{}});
    ds.Open();
    e.SetExportSource(esDataSet);
    e.SetDataSet(&ds);
    e.SetExportType(etDIF);
    e.SetAllowCaptions(false);
    e.SetTitle("T");
    e.Formats().SetNullString("n/a");
    EXPECT_EQ(Run(),
              "TABLE\r\n0,1\r\n\"T\"\r\nVECTORS\r\n0,5\r\n\"\"\r\nTUPLES\r\n0,2\r\n\"\"\r\nDATA\r\n0,0\r\n\"\"\r\n"
              "-1,0\r\nBOT\r\n0,1234\r\nV\r\n0,-0.5\r\nV\r\n0,1\r\nTRUE\r\n1,0\r\n\"01.05.1974\"\r\n1,0\r\n\"x\"\r\n"
              "-1,0\r\nBOT\r\n1,0\r\n\"n/a\"\r\n0,2\r\nV\r\n0,0\r\nFALSE\r\n1,0\r\n\"n/a\"\r\n1,0\r\n\"n/a\"\r\n"
              "-1,0\r\nEOD\r\n");
}

// The largest doubles' fifteen digits round past the largest double: no reader could take that
// number, so the value goes as its text; a value just inside stays a number. The same whether the
// value is read in one call or through the typed read of a descendant class.
TEST_F(Ascii, DifNumbersPastTheLargestDoubleAreTexts) {
    struct TDescendant : TIB_OstrelASCII {};
    TMemDataset ds;
    ds.AddField("F", TMemFieldType::Float);
    for (double v : {1.7976931348623157e308, -1.7976931348623157e308, 1.797693134862315e308, 1.79769313486231e308,
                     1e300})
        ds.AppendRow({v});
    ds.Open();
    TDescendant d;
    std::vector<std::string> outputs;
    for (TIB_OstrelASCII* x : {&e, static_cast<TIB_OstrelASCII*>(&d)}) {
        x->SetExportSource(esDataSet);
        x->SetDataSet(&ds);
        x->SetExportType(etDIF);
        x->SetAllowCaptions(false);
        x->Formats().SetFloatFormat("0.###E+0");
        x->SetFileName(dir.File("out"));
        x->DoExecute();
        outputs.push_back(ReadAll(dir.File("out")));
    }
    const std::string& out = outputs[0];
    const std::string data = out.substr(out.find("DATA\r\n0,0\r\n\"\"\r\n") + 15);
    EXPECT_EQ(data, "-1,0\r\nBOT\r\n1,0\r\n\"1.798E+308\"\r\n"
                    "-1,0\r\nBOT\r\n1,0\r\n\"-1.798E+308\"\r\n"
                    "-1,0\r\nBOT\r\n1,0\r\n\"1.798E+308\"\r\n"
                    "-1,0\r\nBOT\r\n0,1.79769313486231E308\r\nV\r\n"
                    "-1,0\r\nBOT\r\n0,1E300\r\nV\r\n"
                    "-1,0\r\nEOD\r\n");
    EXPECT_EQ(outputs[1], out);
}

TEST_F(Ascii, DifStoppedInItsPrePassHasNoClosingLines) {
    e.SetExportType(etDIF);
    e.OnFetchedRecord = [&](TObject*, int n) {
        if (n == 2) e.Abort();
    };
    const std::string out = Run();
    EXPECT_EQ(out, "TABLE\r\n0,1\r\n\"\"\r\nVECTORS\r\n0,5\r\n\"\"\r\nTUPLES\r\n");
    EXPECT_EQ(lv.UpdateDepth(), 0);
}

TEST(AsciiLimit, RowLimitLeavesOutRowsAndSaysHowMany) {
    TTempDir dir;
    TMemStringGrid g;
    g.SetSize(1, 70000);
    for (int r = 0; r < 70000; ++r) g.SetCell(0, r, std::to_string(r));
    TIB_OstrelASCII e;
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetFileName(dir.File("big.csv"));
    e.SetExportType(etCSV);
    e.SetCSVQuoteStrings(false);
    e.DoExecute();
    TStringList lines;
    lines.SetText(ReadAll(dir.File("big.csv")));
    EXPECT_EQ(lines.Count(), 1 + 65537);
    EXPECT_EQ(lines[lines.Count() - 1], "65536,");
    EXPECT_EQ(e.RowsLeftOut(), 70000 - 65537);
    e.SetExportRecCount(66000);
    e.DoExecute();
    EXPECT_EQ(e.RowsLeftOut(), 66000 - 65537);
    e.SetExportType(etTXT);
    e.SetExportRecCount(0);
    e.DoExecute();
    EXPECT_EQ(e.RowsLeftOut(), 0);
    // Lifting the limit writes every row.
    e.SetExportType(etCSV);
    e.SetRowLimit(0);
    e.DoExecute();
    lines.SetText(ReadAll(dir.File("big.csv")));
    EXPECT_EQ(lines.Count(), 1 + 70000);
    EXPECT_EQ(e.RowsLeftOut(), 0);
}

}  // namespace
}  // namespace ostrel::test
