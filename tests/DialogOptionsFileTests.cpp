// The dialog's options file: the bytes of a save, round trips through a second window, the
// sections each export type keeps or removes, the defaults of missing keys, and the errors that
// stop a load or a save.
#include "TestSupport.h"

#include "dialog/DialogExporters.h"
#include "dialog/DialogOptionsFile.h"
#include "dialog/DialogSettings.h"
#include "platform/IniFile.h"

namespace ostrel::test {
namespace {

// A window over a dataset with the fields CODE and NAME, every export type offered.
struct TWindow {
    explicit TWindow(TIB_OstrelDialog& d) : Dialog(d) { Settings.FillFromComponent(d, Exporters, &Sender); }
    void Save(const std::string& file) { SaveOptions(Settings, Exporters, Dialog, file); }
    void Load(const std::string& file) { LoadOptions(Settings, Exporters, Dialog, file); }
    std::vector<std::string> Exported() const {
        std::vector<std::string> out;
        for (const TFieldRow& r : Settings.Fields().Rows(flExported)) out.push_back(r.Text);
        return out;
    }
    TIB_OstrelDialog& Dialog;
    TOstrelDialogExporters Exporters;
    TOstrelDialogSettings Settings;
    TObject Sender;
};

class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("CODE", TMemFieldType::String, 3);
        ds.AddField("NAME", TMemFieldType::String, 20);
        ds.AppendRow({"AT", "Austria"});
        ds.Open();
        d.SetDataSet(&ds);
        d.DialogColumns().Fill();
        d.SetFileName("people.txt");
    }
    std::string Text(const std::string& name) { return ReadAll(dir.File(name)); }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name), std::ios::binary) << text;
    }
    TMemDataset ds;
    TIB_OstrelDialog d;
    TTempDir dir;
};

// The first row of the captions grid holding `name`.
int RowOf(TOstrelDialogSettings& s, const std::string& name) {
    TOstrelCaptionsGrid& g = s.CaptionsGrid();
    for (int r = 0; r < g.RowCount(); ++r)
        if (g.Cell(0, r) == name) return r;
    return -1;
}

TEST_F(OptionsFile, CsvExportIsWrittenByteForByte) {
    TOstrelFormats f;
    f.SetIntegerFormat("#,##0");
    f.SetFloatFormat("0.00");
    f.SetDateFormat("dd.mm.yyyy");
    f.SetTimeFormat("hh:nn");
    f.SetDateTimeFormat("dd.mm.yyyy hh:nn");
    f.SetCurrencyFormat("0.00 EUR");
    f.SetBooleanTrue("yes");
    f.SetBooleanFalse("no");
    f.SetNullString("");
    d.SetFormats(f);
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeCSV);
    w.Settings.Fields().AddAll();
    w.Save(dir.File("a.ini"));
    EXPECT_EQ(Text("a.ini"),
              "[GENERAL]\r\nExportType=7\r\nFileName=people.csv\r\nShowFile=1\r\nPrintFile=0\r\n"
              "GoToFirstRecord=1\r\nExportRecCount=0\r\nSkipRecCount=0\r\nAllowCaptions=1\r\n"
              "[FORMATS]\r\nInteger=#,##0\r\nFloat=0.00\r\nDate=dd.mm.yyyy\r\nTime=hh:nn\r\n"
              "DateTime=dd.mm.yyyy hh:nn\r\nCurrency=0.00 EUR\r\nBooleanTrue=yes\r\nBooleanFalse=no\r\n"
              "NullString=\r\n"
              "[FIELDS]\r\nfield0=CODE\r\nfield1=NAME\r\n"
              "[CAPTIONS]\r\nCODE=CODE\r\nNAME=NAME\r\n"
              "[CSV]\r\nQuoteStrings=1\r\nComma=;\r\n");
}

TEST_F(OptionsFile, SectionsWithoutEntriesAreNotWritten) {
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeCSV);
    w.Save(dir.File("a.ini"));
    const std::string text = Text("a.ini");
    EXPECT_NE(text.find("[FORMATS]\r\nInteger="), std::string::npos);
    EXPECT_EQ(text.find("[FIELDS]"), std::string::npos);  // nothing exported
    EXPECT_EQ(text.find("[USER_FORMATS]"), std::string::npos);
    EXPECT_EQ(text.find("[HEADER]"), std::string::npos);
    EXPECT_EQ(text.find("[WIDTH]"), std::string::npos);
    EXPECT_EQ(text.find("[ALIGN]"), std::string::npos);
}

TEST_F(OptionsFile, CommonPagesRoundTripIntoAnotherWindow) {
    TWindow a(d);
    TOstrelDialogSettings& s = a.Settings;
    s.SetInt(dsExportType, aeTXT);
    s.SetStr(dsFileName, "out/list.txt");
    s.SetBool(dsShowFile, false);
    s.SetInt(dsSkipRecCount, 2);
    s.SetStr(dsDateFormat, "yyyy-mm-dd");
    s.SetStr(dsNullString, "<null>");
    s.UserFormats().SetRows({{"NAME", "@@"}});
    s.Fields().AddAll();
    s.Fields().MoveListItem(flExported, 1, flExported, 0);  // NAME first
    s.HeaderLines().Add("first");
    s.HeaderLines().Add("");
    s.FooterLines().Add("end");
    s.CaptionsGrid().SetCell(1, RowOf(s, "NAME"), "Country");
    s.CaptionsGrid().SetCell(2, RowOf(s, "NAME"), "Right");
    s.CaptionsGrid().SetCell(3, RowOf(s, "NAME"), "42");
    s.SetInt(dsTXTSpacing, 3);
    s.SetBool(dsTXTAutoCalcColWidth, false);
    a.Save(dir.File("a.ini"));

    TWindow b(d);
    b.Load(dir.File("a.ini"));
    TOstrelDialogSettings& t = b.Settings;
    EXPECT_EQ(t.Int(dsExportType), aeTXT);
    EXPECT_EQ(t.Str(dsFileName), "out/list.txt");
    EXPECT_FALSE(t.Bool(dsShowFile));
    EXPECT_EQ(t.Int(dsSkipRecCount), 2);
    EXPECT_EQ(t.Str(dsDateFormat), "yyyy-mm-dd");
    EXPECT_EQ(t.Str(dsNullString), "<null>");
    EXPECT_EQ(t.UserFormats().Rows(), (std::vector<TUserFormatRow>{{"NAME", "@@"}}));
    EXPECT_EQ(b.Exported(), (std::vector<std::string>{"NAME", "CODE"}));
    EXPECT_EQ(t.HeaderLines(), (TStrings{"first", ""}));
    EXPECT_EQ(t.FooterLines(), (TStrings{"end"}));
    const int row = RowOf(t, "NAME");
    EXPECT_EQ(t.CaptionsGrid().Cell(1, row), "Country");
    EXPECT_EQ(t.CaptionsGrid().Cell(2, row), "Right");
    EXPECT_EQ(t.CaptionsGrid().Cell(3, row), "42");
    EXPECT_EQ(t.CaptionsGrid().Cell(1, RowOf(t, "CODE")), "CODE");
    EXPECT_EQ(t.Int(dsTXTSpacing), 3);
    EXPECT_FALSE(t.Bool(dsTXTAutoCalcColWidth));

    const std::string text = Text("a.ini");
    EXPECT_NE(text.find("[HEADER]\r\nline0=first\r\nline1=\r\n[FOOTER]\r\nline0=end\r\n"), std::string::npos);
    // One pass over the rows: each row's caption, then its alignment, then its width.
    EXPECT_NE(text.find("[CAPTIONS]\r\nCODE=CODE\r\nNAME=Country\r\n[ALIGN]\r\nCODE=Left\r\nNAME=Right\r\n"
                        "[WIDTH]\r\nCODE="),
              std::string::npos);
    EXPECT_NE(text.find("NAME=42\r\n[TXT]\r\nAutoCalcColWidth=0\r\nSpacing=3\r\n"), std::string::npos);
}

TEST_F(OptionsFile, OptionPagesRoundTrip) {
    struct TCase {
        int Type;
        std::vector<std::pair<TDialogSetting, int>> Numbers;
        std::vector<std::pair<TDialogSetting, std::string>> Texts;
    };
    const std::vector<TCase> cases = {
        {aeHTML,
         {{dsHTMLUsingCSS, usExternal}, {dsHTMLFileRecCount, 50}, {dsHTMLGenerateIndex, 1}, {dsHTMLCellPadding, 7},
          {dsHTMLBackgroundColor, clNavy}, {dsHTMLALinkColor, 0x123456}},
         {{dsHTMLTitle, "People"}, {dsHTMLCSSFileName, "s.css"}, {dsHTMLBodyAdvanced, "a=1"}}},
        {aeXML, {{dsXMLStandalone, 0}}, {{dsXMLEncoding, "utf-8"}}},
        {aeSQL, {{dsSQLCreateTable, 1}, {dsSQLCommitRecCount, 9}}, {{dsSQLTableName, "T"}, {dsSQLStatementTerm, "^"}}},
        {aeCSV, {{dsCSVQuoteStrings, 0}, {dsCSVComma, '|'}}, {}},
        {aeXLS, {}, {{dsXLSPageHeader, "top"}, {dsXLSSheetTitle, "Data"}}},
        {aeRTF, {{dsRTFPageOrientation, 1}}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Type);
        TWindow a(d);
        a.Settings.SetInt(dsExportType, c.Type);
        for (const auto& [id, v] : c.Numbers) a.Settings.SetInt(id, v);
        for (const auto& [id, v] : c.Texts) a.Settings.SetStr(id, v);
        a.Save(dir.File("o.ini"));
        TWindow b(d);
        b.Load(dir.File("o.ini"));
        EXPECT_EQ(b.Settings.Int(dsExportType), c.Type);
        for (const auto& [id, v] : c.Numbers) EXPECT_EQ(b.Settings.Int(id), v) << TOstrelDialogSettings::Name(id);
        for (const auto& [id, v] : c.Texts) EXPECT_EQ(b.Settings.Str(id), v) << TOstrelDialogSettings::Name(id);
    }
}

TEST_F(OptionsFile, HtmlLinkKeysKeepTheirOldSpelling) {
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeHTML);
    w.Settings.SetInt(dsHTMLLinkColor, clRed);
    w.Save(dir.File("h.ini"));
    const std::string text = Text("h.ini");
    EXPECT_NE(text.find("LonkColor=clRed\r\nVLonkColor="), std::string::npos);
    EXPECT_NE(text.find("\r\nALonkColor="), std::string::npos);
    EXPECT_EQ(text.find("LinkColor"), std::string::npos);
}

TEST_F(OptionsFile, RtfFontsRoundTripThroughTheExporter) {
    TWindow a(d);
    a.Settings.SetInt(dsExportType, aeWord);
    TFont& f = a.Exporters.RTFExp.Options().HeaderFont;
    f.Name = "Courier New";
    f.Size = 14;
    f.Style = fsBold | fsStrikeOut;
    f.Color = clMaroon;
    f.Charset = 238;
    a.Save(dir.File("r.ini"));
    EXPECT_NE(Text("r.ini").find("HeaderFontName=Courier New\r\nHeaderFontBold=1\r\nHeaderFontItalic=0\r\n"
                                 "HeaderFontUnderline=0\r\nHeaderFontStrikeOut=1\r\nHeaderFontSize=14\r\n"
                                 "HeaderFontColor=clMaroon\r\nHeaderFontCharset=238\r\nPageOrientation=0\r\n"),
              std::string::npos);
    TWindow b(d);
    b.Load(dir.File("r.ini"));
    EXPECT_EQ(b.Exporters.RTFExp.Options().HeaderFont, f);
    EXPECT_EQ(b.Exporters.RTFExp.Options().DefaultFont, a.Exporters.RTFExp.Options().DefaultFont);
}

// ---- what a save keeps and removes ----

TEST_F(OptionsFile, PlainTextSectionsOutliveOtherTypes) {
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeTXT);
    w.Save(dir.File("e.ini"));
    w.Settings.SetInt(dsExportType, aeHTML);
    w.Save(dir.File("e.ini"));
    const TIniFile ini(dir.File("e.ini"));
    EXPECT_TRUE(ini.SectionExists("TXT"));
    EXPECT_TRUE(ini.SectionExists("HTML"));
    w.Settings.SetInt(dsExportType, aeXML);
    w.Save(dir.File("e.ini"));
    const TIniFile again(dir.File("e.ini"));
    EXPECT_FALSE(again.SectionExists("HTML"));
    EXPECT_TRUE(again.SectionExists("XML"));
    EXPECT_TRUE(again.SectionExists("TXT"));
}

TEST_F(OptionsFile, ExcelSectionsGoWhenAnotherTypeIsSaved) {
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeXLS);
    w.Save(dir.File("x.ini"));
    EXPECT_EQ(TIniFile(dir.File("x.ini")).ReadSections(),
              (std::vector<std::string>{"GENERAL", "FORMATS", "CAPTIONS", "WIDTH", "XLS", "XLS_FIELD_HEADER",
                                        "XLS_FIELD_CAPTION", "XLS_FIELD_AGGREGATE", "XLS_FIELD_FOOTER",
                                        "XLS_FIELD_CODE", "XLS_FIELD_NAME"}));
    TIniFile(dir.File("x.ini")).WriteString("old_xls_field_gone", "a", "1");
    TIniFile(dir.File("x.ini")).WriteString("kept", "a", "1");
    w.Settings.SetInt(dsExportType, aeCSV);
    w.Save(dir.File("x.ini"));
    EXPECT_EQ(TIniFile(dir.File("x.ini")).ReadSections(),
              (std::vector<std::string>{"GENERAL", "FORMATS", "kept", "CAPTIONS", "CSV"}));
}

TEST_F(OptionsFile, HiddenPagesEraseTheirSectionsButKeepFormats) {
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeTXT);
    w.Settings.HeaderLines().Add("h");
    w.Settings.UserFormats().SetRows({{"CODE", "x"}});
    w.Save(dir.File("p.ini"));
    TIniFile(dir.File("p.ini")).WriteString("FORMATS", "Integer", "kept");
    w.Settings.SetInt(dsExportType, aeSQL);  // no formats page, no captions page
    w.Save(dir.File("p.ini"));
    const TIniFile ini(dir.File("p.ini"));
    EXPECT_EQ(ini.ReadString("FORMATS", "Integer", ""), "kept");
    EXPECT_FALSE(ini.SectionExists("USER_FORMATS"));
    EXPECT_FALSE(ini.SectionExists("CAPTIONS"));
    EXPECT_FALSE(ini.SectionExists("WIDTH"));
    EXPECT_FALSE(ini.SectionExists("ALIGN"));
    EXPECT_TRUE(ini.SectionExists("HEADER"));  // the SQL type still shows the header page
}

// ---- read defaults ----

TEST_F(OptionsFile, MissingKeysTakeTheComponentsValues) {
    d.SetShowFile(false);
    d.SetSkipRecCount(5);
    d.SetAllowCaptions(false);
    d.SetHeader(TStrings{"component header"});
    TOstrelFormats f;
    f.SetNullString("NULL");
    d.SetFormats(f);
    TWindow w(d);
    w.Settings.SetStr(dsFileName, "changed.xls");
    w.Settings.SetBool(dsShowFile, true);
    w.Settings.SetInt(dsSkipRecCount, 9);
    w.Settings.SetStr(dsNullString, "changed");
    w.Settings.Fields().AddAll();
    Write("m.ini", "[GENERAL]\r\nExportType=3\r\nSkipRecCount=oops\r\n[HTML]\r\nCellPadding=x\r\n");
    w.Exporters.HTMLExp.TableOptions().CellPadding = 11;
    w.Load(dir.File("m.ini"));
    const TOstrelDialogSettings& s = w.Settings;
    EXPECT_EQ(s.Int(dsExportType), aeHTML);
    EXPECT_EQ(s.Str(dsFileName), "people.html");  // the component's name, then the type's extension
    EXPECT_FALSE(s.Bool(dsShowFile));
    EXPECT_EQ(s.Int(dsSkipRecCount), 5);
    EXPECT_FALSE(s.Bool(dsAllowCaptions));
    EXPECT_EQ(s.Str(dsNullString), "NULL");
    EXPECT_EQ(s.Int(dsHTMLCellPadding), 11);
    EXPECT_EQ(w.Settings.HeaderLines().Count(), 0);
    EXPECT_TRUE(w.Exported().empty());
    // No caption in the file: each field keeps its column's caption, never an empty one.
    for (int r = 0; r < w.Settings.CaptionsGrid().RowCount(); ++r)
        EXPECT_EQ(w.Settings.CaptionsGrid().Cell(1, r), d.DialogColumns()[r].Caption);
}

TEST_F(OptionsFile, AMissingFileReadsAsAnEmptyOne) {
    TWindow w(d);
    w.Settings.HeaderLines().Add("x");
    w.Load(dir.File("none.ini"));
    EXPECT_EQ(w.Settings.Int(dsExportType), aeXLS);
    EXPECT_EQ(w.Settings.HeaderLines().Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.ini")));
}

TEST_F(OptionsFile, AnUnofferedTypeKeepsTheCurrentOneAndReadsItsSection) {
    d.SetAllowedExports(ExportBit(aeTXT) | ExportBit(aeCSV));
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeCSV);
    Write("u.ini", "[GENERAL]\r\nExportType=3\r\n[CSV]\r\nComma=\r\n[HTML]\r\nTitle=t\r\n");
    w.Load(dir.File("u.ini"));
    EXPECT_EQ(w.Settings.Int(dsExportType), aeCSV);
    EXPECT_EQ(w.Settings.Int(dsCSVComma), 0);  // an empty value is the empty separator
    EXPECT_EQ(w.Settings.Str(dsHTMLTitle), "");
}

TEST_F(OptionsFile, ListsTakeOnlyWhatTheSourceHas) {
    TWindow w(d);
    Write("l.ini", "[GENERAL]\r\nExportType=6\r\nExportRecCount=10\r\n"
                   "[USER_FORMATS]\r\nMISSING=0.00\r\nname=@\r\n"
                   "[FIELDS]\r\na=NAME\r\nb=name\r\nc=CODE\r\nd=NOPE\r\n"
                   "[CAPTIONS]\r\nnope=x\r\ncode=Code\r\n[WIDTH]\r\nNAME=bad\r\n[ALIGN]\r\nNAME=Center\r\n");
    w.Load(dir.File("l.ini"));
    EXPECT_EQ(w.Settings.UserFormats().Rows(), (std::vector<TUserFormatRow>{{"name", "@"}}));
    EXPECT_EQ(w.Exported(), (std::vector<std::string>{"NAME", "CODE"}));
    // The Excel format list follows, as after moves on the fields page.
    const TOstrelXLSFormatList& xls = w.Settings.XLSFormats();
    EXPECT_EQ(xls.Entry(kXLSFixedCount).Text, "NAME");
    EXPECT_EQ(xls.Entry(kXLSFixedCount + 1).Text, "CODE");
    EXPECT_EQ(w.Settings.Int(dsExportRecCount), 10);
    EXPECT_TRUE(w.Settings.Bool(dsExportOnly));
    TOstrelCaptionsGrid& g = w.Settings.CaptionsGrid();
    EXPECT_EQ(g.Cell(1, RowOf(w.Settings, "CODE")), "Code");
    EXPECT_EQ(g.Cell(1, RowOf(w.Settings, "NAME")), d.DialogColumns()[RowOf(w.Settings, "NAME")].Caption);
    EXPECT_EQ(g.Cell(3, RowOf(w.Settings, "NAME")), "0");
    EXPECT_EQ(g.Cell(3, RowOf(w.Settings, "CODE")), "0");
    EXPECT_EQ(g.Cell(2, RowOf(w.Settings, "NAME")), "Center");
    EXPECT_EQ(g.Cell(2, RowOf(w.Settings, "CODE")), "Left");
}

// ---- failures ----

TEST_F(OptionsFile, ABadColourTextStopsTheLoad) {
    TWindow w(d);
    Write("c.ini", "[GENERAL]\r\nExportType=3\r\n[HTML]\r\nTitle=Before\r\nBackgroundColor=clNavy\r\n"
                   "FontColor=bogus\r\nHeadFontColor=clRed\r\n");
    try {
        w.Load(dir.File("c.ini"));
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "'bogus' is not a valid integer value");
    }
    EXPECT_EQ(w.Settings.Str(dsHTMLTitle), "Before");
    EXPECT_EQ(w.Settings.Int(dsHTMLBackgroundColor), clNavy);
    EXPECT_NE(w.Settings.Int(dsHTMLHeadFontColor), clRed);
}

TEST_F(OptionsFile, ABadSpreadsheetColourKeepsTheKeysBeforeIt) {
    TWindow w(d);
    Write("c.ini", "[XLS_FIELD_NAME]\r\nFontSize=20\r\nFontColor=clNope\r\nFontBold=1\r\n");
    EXPECT_THROW(w.Load(dir.File("c.ini")), std::exception);
    const TOstrelXLSFormatList& list = w.Settings.XLSFormats();
    const TxlsFieldFormat& f = list.Format(list.IndexOf("NAME"));
    EXPECT_EQ(f.Font.Size, 20);
    EXPECT_FALSE(f.Font.Style.Contains(xfsBold));
}

TEST_F(OptionsFile, ARefusedWriteNamesTheFile) {
    TWindow w(d);
    const std::string file = dir.File("no/such/dir/o.ini");
    try {
        w.Save(file);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
    }
}

TEST_F(OptionsFile, AWidthThatIsNoNumberStopsTheSave) {
    TWindow w(d);
    w.Settings.SetInt(dsExportType, aeTXT);
    w.Settings.CaptionsGrid().SetCell(3, RowOf(w.Settings, "NAME"), "wide");
    try {
        w.Save(dir.File("w.ini"));
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "'wide' is not a valid integer value");
    }
    const TIniFile ini(dir.File("w.ini"));
    EXPECT_EQ(ini.ReadString("CAPTIONS", "NAME", ""), "NAME");
    EXPECT_FALSE(ini.SectionExists("TXT"));
}

// ---- the Excel formats ----

TEST_F(OptionsFile, ExcelFormatsRoundTripAndUseTheScreenColours) {
    TWindow a(d);
    TOstrelXLSFormatList& list = a.Settings.XLSFormats();
    const int name = list.IndexOf("NAME");
    list.SelectOnly(name);
    list.SetFontColor(clrBrown);
    list.SetFontStyle(xfsItalic, true);
    list.SetBorderStyle(xsLeft, bstDouble);
    list.SetBorderColor(xsLeft, clrWhite);
    list.SetPattern(ptChess);
    list.SetAggregate(aggMax);
    list.SelectOnly(xfeFooter);
    list.SetFontName("Tahoma");
    a.Save(dir.File("x.ini"));
    const std::string text = Text("x.ini");
    EXPECT_NE(text.find("[XLS_FIELD_NAME]\r\nFontName=Arial\r\nFontSize=10\r\nFontColor=$00003399\r\nFontBold=0\r\n"
                        "FontItalic=1\r\nFontStrikeOut=0\r\nFontUnderline=0\r\nHorAlignment=0\r\nVertAlignment=2\r\n"
                        "BorderTop=0\r\nBorderTopColor=clBlack\r\nBorderBottom=0\r\nBorderBottomColor=clBlack\r\n"
                        "BorderLeft=6\r\nBorderLeftColor=clWhite\r\nBorderRight=0\r\nBorderRightColor=clBlack\r\n"
                        "FillPattern=2\r\nFillBackground=clWhite\r\nFillForeground=clBlack\r\nAggregate=4\r\n"),
              std::string::npos);

    TWindow b(d);
    b.Load(dir.File("x.ini"));
    const TOstrelXLSFormatList& got = b.Settings.XLSFormats();
    const TxlsFieldFormat& f = got.Format(got.IndexOf("NAME"));
    EXPECT_EQ(f.Font.Color, clrBrown);
    EXPECT_TRUE(f.Font.Style.Contains(xfsItalic));
    EXPECT_EQ(f.Borders.Left.Style, bstDouble);
    EXPECT_EQ(f.Borders.Left.Color, clrWhite);
    EXPECT_EQ(f.Fill.Pattern, ptChess);
    EXPECT_EQ(f.Aggregate, aggMax);
    EXPECT_EQ(got.FixedFormat(xfeFooter).Font.Name, "Tahoma");
}

TEST_F(OptionsFile, ExcelSectionsMatchInAnyCaseAndMapColoursToThePalette) {
    TWindow w(d);
    w.Settings.XLSFormats().SelectOnly(w.Settings.XLSFormats().IndexOf("CODE"));
    w.Settings.XLSFormats().SetFontSizeText("30");
    Write("x.ini", "[xls_field_name]\r\nFontColor=$00003399\r\nFillBackground=clSilver\r\n"
                   "FillForeground=clNavy\r\nBorderTopColor=$00123456\r\nFontUnderline=99\r\n"
                   "[Xls_Field_Caption]\r\nAggregate=2\r\nFontSize=12\r\n[XLS_FIELD_NOPE]\r\nFontSize=1\r\n");
    w.Load(dir.File("x.ini"));
    const TOstrelXLSFormatList& list = w.Settings.XLSFormats();
    const TxlsFieldFormat& f = list.Format(list.IndexOf("NAME"));
    EXPECT_EQ(f.Font.Color, clrBrown);
    EXPECT_EQ(f.Fill.Background, clrGray25Percent);
    EXPECT_EQ(f.Fill.Foreground, clrDarkBlue);
    EXPECT_EQ(f.Borders.Top.Color, clrBlack);
    EXPECT_EQ(f.Font.Underline, fulNone);  // out of range: the reset value
    EXPECT_EQ(list.FixedFormat(xfeCaption).Font.Size, 12);
    EXPECT_TRUE(list.FixedFormat(xfeCaption).Font.Style.Contains(xfsBold));  // reset, then read
    EXPECT_EQ(list.FixedFormat(xfeCaption).Aggregate, aggNone);
    EXPECT_EQ(list.Format(list.IndexOf("CODE")).Font.Size, 10);  // every entry reset first
}

}  // namespace
}  // namespace ostrel::test
