// Settings of the dialog copied into the exporter of the chosen type before a run: the exporter
// each type uses, the type's own settings, and the common ones (record window, field list without
// large objects and row keys, formats, captions, widths and alignments).
#include "TestSupport.h"

#include "dialog/DialogExportCopy.h"

namespace ostrel::test {
namespace {

using Strings = std::vector<std::string>;

Strings Lines(const TStrings& list) { return Strings(list.begin(), list.end()); }

// A window over a dataset with a large-object column and a row key among ordinary ones.
class DialogExportCopy : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("NOTES", TMemFieldType::Blob);
        ds.AddField("DB_KEY", TMemFieldType::DbKey);
        ds.AddField("CITY", TMemFieldType::String, 12);
        ds.AppendRow({int64_t{1}, "text", "k", "Oslo"});
        ds.Open();
        d.SetDataSet(&ds);
        d.DialogColumns().Fill();
        s.FillFromComponent(d, e, &window);
    }
    TIB_Ostrel& Copy(int type) {
        s.SetInt(dsExportType, type);
        return CopySettingsToExporter(s, e, d, type);
    }
    int GridRow(const std::string& name) {
        const TOstrelCaptionsGrid& g = s.CaptionsGrid();
        for (int row = 0; row < g.RowCount(); ++row)
            if (g.Cell(0, row) == name) return row;
        return -1;
    }

    TMemDataset ds;
    TIB_OstrelDialog d;
    TOstrelDialogExporters e;
    TOstrelDialogSettings s;
    TObject window;
};

TEST(DialogExporterOfType, EachTypeRunsOnItsEmbeddedExporter) {
    TOstrelDialogExporters e;
    const TIB_Ostrel* expected[kExportTypeCount] = {&e.XLSExp,   &e.RTFExp,   &e.RTFExp,   &e.HTMLExp, &e.XMLExp,
                                                    &e.DBFExp,   &e.ASCIIExp, &e.ASCIIExp, &e.ASCIIExp,
                                                    &e.ASCIIExp, &e.LaTeXExp, &e.SQLExp,   &e.ClipExp};
    for (int type = 0; type < kExportTypeCount; ++type) EXPECT_EQ(&ExporterOfType(e, type), expected[type]) << type;
    EXPECT_THROW(ExporterOfType(e, kExportTypeCount), std::out_of_range);
    EXPECT_THROW(ExporterOfType(e, -1), std::out_of_range);
}

TEST(DialogTableNameOfFile, NoDirectoryNoExtensionUpperCase) {
    EXPECT_EQ(TableNameOfFile("C:\\data\\orders.sql"), "ORDERS");
    EXPECT_EQ(TableNameOfFile("C:\\out\\my orders.sql"), "MY ORDERS");
    EXPECT_EQ(TableNameOfFile("C:\\out\\report"), "REPORT");
    EXPECT_EQ(TableNameOfFile("/tmp/a.b.sql"), "A.B");
    EXPECT_EQ(TableNameOfFile("plain"), "PLAIN");
}

TEST_F(DialogExportCopy, CsvWithNothingChosenLeavesOutLargeObjectsAndRowKeys) {
    TIB_OstrelASCII& ascii = e.ASCIIExp;
    ascii.SetExportedFields({"stale"});
    EXPECT_EQ(&Copy(aeCSV), &ascii);
    EXPECT_EQ(Lines(ascii.ExportedFields()), (Strings{"ID", "CITY"}));
    EXPECT_EQ(ascii.ExportType(), etCSV);

    // A chosen list goes over as it is, large objects included.
    s.Fields().Select(flAvailable, 3);
    s.Fields().AddSelected();
    s.Fields().Select(flAvailable, 1);
    s.Fields().AddSelected();
    Copy(aeCSV);
    EXPECT_EQ(Lines(ascii.ExportedFields()), (Strings{"CITY", "NOTES"}));
}

TEST_F(DialogExportCopy, CsvQuotingAndSeparator) {
    s.SetBool(dsCSVQuoteStrings, false);
    ASSERT_TRUE(s.SetCommaText("|"));
    Copy(aeCSV);
    EXPECT_FALSE(e.ASCIIExp.CSVQuoteStrings());
    EXPECT_EQ(e.ASCIIExp.CSVComma(), '|');

    s.SetBool(dsTXTAutoCalcColWidth, false);
    s.SetInt(dsTXTSpacing, 3);
    Copy(aeTXT);
    EXPECT_EQ(e.ASCIIExp.ExportType(), etTXT);
    EXPECT_FALSE(e.ASCIIExp.AutoCalcColWidth());
    EXPECT_EQ(e.ASCIIExp.TXTSpacing(), 3);
    Copy(aeSylk);
    EXPECT_EQ(e.ASCIIExp.ExportType(), etSYLK);
    Copy(aeDIFF);
    EXPECT_EQ(e.ASCIIExp.ExportType(), etDIF);
}

TEST_F(DialogExportCopy, SqlTableNameFromTheFileNameWhenNoneIsGiven) {
    s.SetInt(dsExportType, aeSQL);
    s.SetStr(dsSQLTableName, "");
    s.SetStr(dsFileName, "C:\\out\\my orders.sql");
    Copy(aeSQL);
    EXPECT_EQ(e.SQLExp.TableName(), "\"MY ORDERS\"");  // the table MY ORDERS, quoted as the script needs
    EXPECT_EQ(s.Str(dsSQLTableName), "");

    s.SetStr(dsFileName, "/tmp/x;DROP TABLE t.sql");
    Copy(aeSQL);
    EXPECT_EQ(e.SQLExp.TableName(), "\"X;DROP TABLE T\"");

    s.SetStr(dsFileName, "C:\\out\\report");
    Copy(aeSQL);
    EXPECT_EQ(e.SQLExp.TableName(), "REPORT");

    s.SetStr(dsSQLTableName, "Given");
    Copy(aeSQL);
    EXPECT_EQ(e.SQLExp.TableName(), "Given");
}

TEST_F(DialogExportCopy, SqlTerminatorIsTheFirstCharacterAndEmptyKeepsTheExporters) {
    s.SetBool(dsSQLCreateTable, true);
    s.SetInt(dsSQLCommitRecCount, 50);
    s.SetBool(dsSQLCommitAfterScript, true);
    s.SetStr(dsSQLCommitStatement, "COMMIT;");
    s.SetStr(dsSQLStatementTerm, "GO");
    Copy(aeSQL);
    EXPECT_EQ(e.SQLExp.StatementTerm(), 'G');
    EXPECT_TRUE(e.SQLExp.CreateTable());
    EXPECT_EQ(e.SQLExp.CommitRecCount(), 50);
    EXPECT_TRUE(e.SQLExp.CommitAfterScript());
    EXPECT_EQ(e.SQLExp.CommitStatement(), "COMMIT;");

    e.SQLExp.SetStatementTerm('#');
    s.SetStr(dsSQLStatementTerm, "");
    Copy(aeSQL);
    EXPECT_EQ(e.SQLExp.StatementTerm(), '#');
}

TEST_F(DialogExportCopy, OnlyCaptionsThatDifferFromTheNameAreCopied) {
    TOstrelCaptionsGrid& g = s.CaptionsGrid();
    g.SetCell(1, GridRow("ID"), "Number");
    g.SetCell(1, GridRow("CITY"), "CITY");  // edited back to the field name
    g.SetCell(1, GridRow("NOTES"), "notes");  // differs in case only
    e.LaTeXExp.SetCaptions({"OLD=Gone"});
    Copy(aeLaTeX);
    const TStrings& captions = e.LaTeXExp.Captions();
    EXPECT_EQ(captions.Values("ID"), "Number");
    EXPECT_EQ(captions.Values("NOTES"), "notes");
    EXPECT_EQ(captions.IndexOfName("CITY"), -1);
    EXPECT_EQ(captions.IndexOfName("OLD"), -1);
}

TEST_F(DialogExportCopy, TextWidthsAndAlignmentsMergeByFieldName) {
    s.SetInt(dsExportType, aeTXT);
    TOstrelCaptionsGrid& g = s.CaptionsGrid();
    ASSERT_EQ(g.CurrentLayout().AlignCol, 2);
    ASSERT_EQ(g.CurrentLayout().WidthCol, 3);
    g.SetCell(2, GridRow("ID"), "Right");
    g.SetCell(3, GridRow("ID"), "7");
    g.SetCell(3, GridRow("CITY"), "");
    e.ASCIIExp.SetColumnsWidth({"OTHER=3", "CITY=40"});
    e.ASCIIExp.SetColumnsAlign({"OTHER=C"});
    Copy(aeTXT);
    EXPECT_EQ(e.ASCIIExp.ColumnsWidth().Values("ID"), "7");
    EXPECT_EQ(e.ASCIIExp.ColumnsWidth().Values("OTHER"), "3");
    EXPECT_EQ(e.ASCIIExp.ColumnsWidth().IndexOfName("CITY"), -1);
    EXPECT_EQ(e.ASCIIExp.ColumnsAlign().Values("ID"), "Right");
    EXPECT_EQ(e.ASCIIExp.ColumnsAlign().Values("OTHER"), "C");
}

TEST_F(DialogExportCopy, HtmlTakesAlignmentsAndExcelWidthsFromTheThirdColumn) {
    s.SetInt(dsExportType, aeHTML);
    s.CaptionsGrid().SetCell(2, GridRow("CITY"), "Center");
    Copy(aeHTML);
    EXPECT_EQ(e.HTMLExp.ColumnsAlign().Values("CITY"), "Center");

    s.SetInt(dsExportType, aeXLS);
    s.CaptionsGrid().SetCell(2, GridRow("CITY"), "33");
    Copy(aeXLS);
    EXPECT_EQ(e.XLSExp.ColumnsWidth().Values("CITY"), "33");
}

TEST_F(DialogExportCopy, RecordWindowSourceAndFileSettings) {
    TMemListView lv;
    d.SetListView(&lv);
    d.SetAutoCalcStrType(true);
    d.SetOnlyVisibleFields(true);
    s.SetBool(dsGoToFirstRecord, false);
    s.SetInt(dsExportRecCount, 5);
    s.SetInt(dsSkipRecCount, 2);
    s.SetInt(dsExportType, aeDBF);
    s.SetStr(dsFileName, "out.dbf");
    s.SetBool(dsShowFile, false);
    s.SetBool(dsPrintFile, true);
    TIB_OstrelDBF& dbf = e.DBFExp;
    Copy(aeDBF);
    EXPECT_FALSE(dbf.GoToFirstRecord());
    EXPECT_EQ(dbf.ExportRecCount(), 5);
    EXPECT_EQ(dbf.SkipRecCount(), 2);
    EXPECT_TRUE(dbf.AutoCalcStrType());
    EXPECT_FALSE(dbf.OnlyVisibleFields());
    EXPECT_EQ(dbf.ExportSource(), esDataSet);
    EXPECT_EQ(dbf.DataSet(), &ds);
    EXPECT_EQ(dbf.ListView(), &lv);
    EXPECT_EQ(dbf.FileName(), "out.dbf");
    EXPECT_FALSE(dbf.ShowFile());
    EXPECT_TRUE(dbf.PrintFile());
}

TEST_F(DialogExportCopy, HeaderFooterFormatsAndUserFormats) {
    s.HeaderLines().Assign({"top 1", "top 2"});
    s.FooterLines().Assign({"bottom"});
    s.SetStr(dsIntegerFormat, "#,##0");
    s.SetStr(dsBooleanTrue, "yes");
    s.SetStr(dsNullString, "<null>");
    s.UserFormats().SetRows({{"ID", "000"}, {"CITY", ""}});
    e.XMLExp.SetUserFormats({"OLD=0.0"});
    Copy(aeXML);
    TIB_OstrelXML& xml = e.XMLExp;
    EXPECT_EQ(xml.Formats().IntegerFormat(), "#,##0");
    EXPECT_EQ(xml.Formats().BooleanTrue(), "yes");
    EXPECT_EQ(xml.Formats().NullString(), "<null>");
    EXPECT_EQ(Lines(xml.UserFormats()), (Strings{"ID=000"}));

    Copy(aeSQL);
    EXPECT_EQ(Lines(e.SQLExp.Header()), (Strings{"top 1", "top 2"}));
    EXPECT_EQ(Lines(e.SQLExp.Footer()), (Strings{"bottom"}));
}

TEST_F(DialogExportCopy, XmlAndRtfOptions) {
    s.SetBool(dsXMLStandalone, false);
    s.SetStr(dsXMLEncoding, "UTF-8");
    Copy(aeXML);
    EXPECT_FALSE(e.XMLExp.Options().StandAlone());
    EXPECT_EQ(e.XMLExp.Options().Encoding(), "UTF-8");

    s.SetInt(dsRTFPageOrientation, poLandscape);
    Copy(aeWord);
    EXPECT_EQ(e.RTFExp.Options().PageOrientation, poLandscape);
    s.SetInt(dsRTFPageOrientation, poPortrait);
    Copy(aeRTF);
    EXPECT_EQ(e.RTFExp.Options().PageOrientation, poPortrait);
}

TEST_F(DialogExportCopy, HtmlSettingsAndColoursReachTheExporter) {
    s.SetStr(dsHTMLTitle, "Report");
    s.SetStr(dsHTMLBodyAdvanced, "a=1\r\nb=2");
    s.SetStr(dsHTMLTableAdvanced, "");
    s.SetInt(dsHTMLCellPadding, 9);
    s.SetInt(dsHTMLOddRowBackgroundColor, 0x123456);
    s.SetInt(dsHTMLEvenRowBackgroundColor, 0x654321);
    s.SetInt(dsHTMLALinkColor, 0x0A0B0C);
    e.HTMLExp.TableOptions().AdvancedAttributes.Assign({"stale"});
    Copy(aeHTML);
    TIB_OstrelHTML& html = e.HTMLExp;
    EXPECT_EQ(html.Title(), "Report");
    EXPECT_EQ(Lines(html.HTMLOptions().AdvancedAttributes), (Strings{"a=1", "b=2"}));
    EXPECT_TRUE(html.TableOptions().AdvancedAttributes.Empty());
    EXPECT_EQ(html.TableOptions().CellPadding, 9);
    EXPECT_EQ(html.TableOptions().OddRowBgColor, 0x123456);
    EXPECT_EQ(html.TableOptions().TableBgColor, 0x654321);
    EXPECT_EQ(html.HTMLOptions().ALinkColor, 0x0A0B0C);
}

TEST_F(DialogExportCopy, ExcelFieldFormatsFollowTheChosenFieldsByName) {
    s.SetStr(dsXLSSheetTitle, "Data");
    TOstrelXLSFormatList& list = s.XLSFormats();
    list.SelectOnly(list.IndexOf("city"));
    list.SetFontSizeText("14");
    list.SelectOnly(xfeHeader);
    list.SetFontSizeText("20");
    TIB_OstrelXLS& xls = e.XLSExp;
    Copy(aeXLS);
    EXPECT_EQ(xls.Options().SheetTitle(), "Data");
    EXPECT_EQ(xls.Options().HeaderFormat.Font.Size, 20);
    Strings names;
    for (int i = 0; i < xls.FieldFormats().Count(); ++i) names.push_back(xls.FieldFormats().Items(i)->FieldName);
    EXPECT_EQ(names, (Strings{"ID", "NOTES", "DB_KEY", "CITY"}));
    EXPECT_EQ(xls.FieldFormats().Find("CITY")->Font.Size, 14);

    // Only the exported fields, in their order, once a choice is made.
    s.Fields().Select(flAvailable, 3);
    s.Fields().AddSelected();
    s.Fields().Select(flAvailable, 0);
    s.Fields().AddSelected();
    Copy(aeXLS);
    ASSERT_EQ(xls.FieldFormats().Count(), 2);
    EXPECT_EQ(xls.FieldFormats().Items(0)->FieldName, "CITY");
    EXPECT_EQ(xls.FieldFormats().Items(0)->Font.Size, 14);
    EXPECT_EQ(xls.FieldFormats().Items(1)->FieldName, "ID");
}

TEST_F(DialogExportCopy, ClipboardKeepsItsCaptionChoiceAndFormatTextTakesTheSetting) {
    s.SetBool(dsAllowCaptions, false);
    e.ClipExp.SetAllowCaptions(true);
    Copy(aeClipboard);
    EXPECT_TRUE(e.ClipExp.AllowCaptions());
    Copy(aeLaTeX);
    EXPECT_FALSE(e.LaTeXExp.AllowCaptions());
}

}  // namespace
}  // namespace ostrel::test
