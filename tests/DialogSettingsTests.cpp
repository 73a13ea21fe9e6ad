// The dialog's settings model without a window: change announcements, export types with their
// file extensions, the record window, page visibility, the HTML multi-file rules, the values a
// window starts from, and the two field lists of the fields page.
#include "TestSupport.h"

#include <map>

#include "dialog/DialogExporters.h"
#include "dialog/DialogSettings.h"

namespace ostrel::test {
namespace {

// Counts the announcements of each setting.
struct TAnnouncements {
    explicit TAnnouncements(TOstrelDialogSettings& s) {
        s.AddListener([this](TDialogSetting id) {
            ++Count[id];
            Order.push_back(id);
        });
    }
    int Of(TDialogSetting id) const {
        auto it = Count.find(id);
        return it == Count.end() ? 0 : it->second;
    }
    int Total() const { return static_cast<int>(Order.size()); }
    void Reset() {
        Count.clear();
        Order.clear();
    }
    std::map<TDialogSetting, int> Count;
    std::vector<TDialogSetting> Order;
};

// A model offering every export type, as a window created with the default AllowedExports.
std::unique_ptr<TOstrelDialogSettings> AllTypes() {
    auto s = std::make_unique<TOstrelDialogSettings>();
    s->FillExportTypes(kAllExports);
    s->ExportTypeChanged();
    return s;
}

// ---- change announcements and numeric edits ----

TEST(DialogSettingsChanges, OnlyChangedValuesAreAnnouncedOnce) {
    TOstrelDialogSettings s;
    TAnnouncements a(s);
    s.SetStr(dsHTMLTitle, "");
    s.SetBool(dsShowFile, true);
    s.SetInt(dsShowFile, 7);  // still true
    s.SetInt(dsSkipRecCount, 0);
    s.SetInt(dsCSVComma, ';');
    s.SetStr(dsXLSSheetTitle, "Sheet 1");
    EXPECT_EQ(a.Total(), 0);

    s.SetStr(dsHTMLTitle, "People");
    s.SetBool(dsShowFile, false);
    s.SetInt(dsSkipRecCount, 3);
    EXPECT_EQ(a.Order, (std::vector<TDialogSetting>{dsHTMLTitle, dsShowFile, dsSkipRecCount}));
    EXPECT_EQ(s.Str(dsHTMLTitle), "People");
    EXPECT_FALSE(s.Bool(dsShowFile));
    EXPECT_EQ(s.Int(dsSkipRecCount), 3);

    a.Reset();
    s.SetStr(dsHTMLTitle, "People");
    s.SetInt(dsSkipRecCount, 3);
    EXPECT_TRUE(s.SetIntText(dsSkipRecCount, "3"));
    EXPECT_EQ(a.Total(), 0);
}

TEST(DialogSettingsChanges, NumericEditTextMustBeADecimalInteger) {
    TOstrelDialogSettings s;
    TAnnouncements a(s);
    EXPECT_TRUE(s.SetIntText(dsSkipRecCount, "12"));
    EXPECT_EQ(s.Int(dsSkipRecCount), 12);
    a.Reset();
    for (const char* text : {"abc", "", "1x", " 3", "3 ", "0x10", "1.5", "99999999999"}) {
        EXPECT_FALSE(s.SetIntText(dsSkipRecCount, text)) << '"' << text << '"';
        EXPECT_EQ(s.Int(dsSkipRecCount), 12) << '"' << text << '"';
    }
    EXPECT_EQ(a.Total(), 0);
}

TEST(DialogSettingsChanges, WholeNumberEditsTakeDigitsAndBackspaceOnly) {
    for (char c = '0'; c <= '9'; ++c) EXPECT_TRUE(TOstrelDialogSettings::AcceptsDigitKey(c)) << c;
    EXPECT_TRUE(TOstrelDialogSettings::AcceptsDigitKey('\b'));
    for (int c : std::initializer_list<int>{'a', 'Z', '-', '+', ' ', '.', ',', '/', ':', '\t', '\r', 127, 0})
        EXPECT_FALSE(TOstrelDialogSettings::AcceptsDigitKey(c)) << c;
}

TEST(DialogSettingsChanges, CommaEditTakesOneCharacterOrNone) {
    TOstrelDialogSettings s;
    EXPECT_EQ(s.Int(dsCSVComma), ';');
    EXPECT_TRUE(s.SetCommaText(","));
    EXPECT_EQ(s.Int(dsCSVComma), ',');
    EXPECT_TRUE(s.SetCommaText(""));
    EXPECT_EQ(s.Int(dsCSVComma), 0);
    EXPECT_TRUE(s.SetCommaText("\t"));
    EXPECT_EQ(s.Int(dsCSVComma), '\t');
    EXPECT_FALSE(s.SetCommaText("ab"));
    EXPECT_EQ(s.Int(dsCSVComma), '\t');
}

// ---- export types, file name and caption ----

TEST(DialogExportTypes, OfferedTypesAreInCodeOrderAndTheFirstIsSelected) {
    TOstrelDialogSettings s;
    s.FillExportTypes(ExportBit(aeSQL) | ExportBit(aeHTML));
    s.ExportTypeChanged();
    EXPECT_EQ(s.OfferedTypes(), (std::vector<int>{aeHTML, aeSQL}));
    EXPECT_EQ(s.Int(dsExportType), aeHTML);
    EXPECT_EQ(DialogText(ExportTypeInfo(aeHTML).Text), "HTML");
    EXPECT_EQ(DialogText(ExportTypeInfo(aeSQL).Text), "SQL");
    EXPECT_TRUE(s.PageVisible(dpHTML));
    EXPECT_FALSE(s.PageVisible(dpSQL));
    EXPECT_FALSE(s.PageVisible(dpExcel));
    EXPECT_EQ(s.DestinationFilter(), "HTML files (*.html, *.htm)|*.html;*.htm");
    EXPECT_EQ(s.DestinationDefaultExt(), "html");

    auto all = AllTypes();
    EXPECT_EQ(all->OfferedTypes().size(), 13u);
    EXPECT_EQ(all->Int(dsExportType), aeXLS);
    EXPECT_TRUE(all->PageVisible(dpExcel));
}

TEST(DialogExportTypes, TypeNotOfferedChangesNothing) {
    TOstrelDialogSettings s;
    s.FillExportTypes(ExportBit(aeSQL) | ExportBit(aeHTML));
    s.ExportTypeChanged();
    s.SetStr(dsFileName, "out.html");
    TAnnouncements a(s);
    s.SetInt(dsExportType, aeXLS);
    s.SetInt(dsExportType, aeClipboard);
    s.SetInt(dsExportType, 13);
    s.SetInt(dsExportType, -1);
    EXPECT_EQ(s.Int(dsExportType), aeHTML);
    EXPECT_EQ(s.Str(dsFileName), "out.html");
    EXPECT_EQ(a.Total(), 0);
    s.SetInt(dsExportType, aeSQL);
    EXPECT_EQ(s.Int(dsExportType), aeSQL);
    EXPECT_EQ(s.Str(dsFileName), "out.sql");
}

TEST(DialogExportTypes, TextsFiltersAndExtensionsOfEveryType) {
    const char* texts[] = {"MS Excel", "MS Word",  "RTF",      "HTML",      "XML", "DBF", "Text File",
                           "CSV File", "DIF File", "SYLK File", "LaTeX", "SQL", "Windows Clipboard"};
    const char* filters[] = {"Microsoft Excel files (*.xls)|*.xls", "Microsoft Word files (*.doc)|*.doc",
                             "RTF files (*.rtf)|*.rtf",             "HTML files (*.html, *.htm)|*.html;*.htm",
                             "XML files (*.xml)|*.xml",             "DBF files (*.dbf)|*.dbf",
                             "Text files (*.txt)|*.txt",            "CSV files (*.csv)|*.csv",
                             "DIF files (*.dif)|*.dif",             "SYLK files (*.slk)|*.slk",
                             "LaTeX files (*.tex)|*.tex",           "SQL files (*.sql)|*.sql"};
    const char* exts[] = {"xls", "doc", "rtf", "html", "xml", "dbf", "txt", "csv", "dif", "slk", "tex", "sql"};
    auto s = AllTypes();
    // From the clipboard, so that every type below is a change of type.
    s->SetInt(dsExportType, aeClipboard);
    s->SetStr(dsFileName, "/out/data");
    for (int code = 0; code < 12; ++code) {
        SCOPED_TRACE(code);
        s->SetInt(dsExportType, code);
        EXPECT_EQ(s->Int(dsExportType), code);
        EXPECT_EQ(DialogText(ExportTypeInfo(code).Text), texts[code]);
        EXPECT_EQ(s->DestinationFilter(), filters[code]);
        EXPECT_EQ(s->DestinationDefaultExt(), exts[code]);
        EXPECT_EQ(s->Str(dsFileName), std::string("/out/data.") + exts[code]);
    }
    EXPECT_EQ(DialogText(ExportTypeInfo(aeClipboard).Text), texts[12]);
    // The clipboard has no filter: the destination dialog keeps the last one.
    s->SetInt(dsExportType, aeClipboard);
    EXPECT_EQ(s->DestinationFilter(), filters[11]);
    EXPECT_EQ(s->DestinationDefaultExt(), "sql");
    EXPECT_EQ(s->Str(dsFileName), "/out/data.sql");
}

TEST(DialogExportTypes, ChoosingATypeReplacesTheFileExtension) {
    auto s = AllTypes();
    s->SetStr(dsFileName, "C:\\out\\data.xls");
    EXPECT_EQ(s->Caption(), "Export dialog -- Export to [data.xls]");
    s->SetInt(dsExportType, aeHTML);
    EXPECT_EQ(s->Str(dsFileName), "C:\\out\\data.html");
    EXPECT_EQ(s->Caption(), "Export dialog -- Export to [data.html]");
    EXPECT_TRUE(s->Enabled(dcDestination));

    s->SetInt(dsExportType, aeClipboard);
    EXPECT_EQ(s->Str(dsFileName), "C:\\out\\data.html");
    EXPECT_FALSE(s->Enabled(dcDestination));
    s->SetInt(dsExportType, aeCSV);
    EXPECT_EQ(s->Str(dsFileName), "C:\\out\\data.csv");
    EXPECT_TRUE(s->Enabled(dcDestination));
}

TEST(DialogExportTypes, OnlyTheLastPathElementCanCarryAnExtension) {
    auto s = AllTypes();
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\out\\data", "C:\\out\\data.html"},       {"/tmp/a.b/data", "/tmp/a.b/data.html"},
        {"/tmp/a.b/data.txt", "/tmp/a.b/data.html"},   {"C:\\a.b\\data", "C:\\a.b\\data.html"},
        {"data.tar.gz", "data.tar.html"},              {"data", "data.html"}};
    for (const auto& [before, after] : cases) {
        s->SetInt(dsExportType, aeXLS);
        s->SetStr(dsFileName, before);
        s->SetInt(dsExportType, aeHTML);
        EXPECT_EQ(s->Str(dsFileName), after) << before;
    }
}

TEST(DialogExportTypes, FileNameKeptWhenExtensionsAreNotChangedOrTheNameIsTyped) {
    auto s = AllTypes();
    s->SetAutoChangeFileExt(false);
    s->SetStr(dsFileName, "C:\\out\\data.xls");
    for (int code : {aeHTML, aeSQL, aeClipboard, aeTXT}) {
        s->SetInt(dsExportType, code);
        EXPECT_EQ(s->Str(dsFileName), "C:\\out\\data.xls") << code;
    }
    s->SetAutoChangeFileExt(true);
    s->SetInt(dsExportType, aeHTML);
    // A name typed afterwards is left as typed.
    s->SetStr(dsFileName, "report.xls");
    EXPECT_EQ(s->Str(dsFileName), "report.xls");
    EXPECT_EQ(s->Caption(), "Export dialog -- Export to [report.xls]");
}

TEST(DialogExportTypes, EmptyFileNameStaysEmptyAndGivesThePlainCaption) {
    auto s = AllTypes();
    EXPECT_EQ(s->Caption(), "Export dialog");
    s->SetInt(dsExportType, aeHTML);
    EXPECT_EQ(s->Str(dsFileName), "");
    EXPECT_EQ(s->Caption(), "Export dialog");
}

TEST(DialogExportTypes, StartButtonNeedsAFileNameExceptForTheClipboard) {
    auto s = AllTypes();
    for (int code = 0; code < 12; ++code) {
        s->SetInt(dsExportType, code);
        EXPECT_FALSE(s->Enabled(dcStartExport)) << code;
    }
    s->SetInt(dsExportType, aeClipboard);
    EXPECT_TRUE(s->Enabled(dcStartExport));
    s->SetInt(dsExportType, aeDBF);
    s->SetStr(dsFileName, "x");
    EXPECT_TRUE(s->Enabled(dcStartExport));
    s->SetStr(dsFileName, "");
    EXPECT_FALSE(s->Enabled(dcStartExport));
}

TEST(DialogExportTypes, TypeChangeIsAnnouncedAfterItsConsequences) {
    auto s = AllTypes();
    s->SetStr(dsFileName, "out.xls");
    bool sawConsistentState = false;
    s->AddListener([&](TDialogSetting id) {
        if (id != dsExportType) return;
        // A view refreshing on this announcement must see the new name and pages.
        sawConsistentState = s->Str(dsFileName) == "out.sql" && s->PageVisible(dpSQL) &&
                             !s->PageVisible(dpExcel) && s->DestinationDefaultExt() == "sql";
    });
    s->SetInt(dsExportType, aeSQL);
    EXPECT_TRUE(sawConsistentState);
}

// ---- the record window ----

TEST(DialogRecordWindow, CountAboveZeroChecksExportOnlyAndExportAllClearsIt) {
    auto s = AllTypes();
    EXPECT_FALSE(s->Bool(dsExportOnly));
    EXPECT_FALSE(s->Enabled(dcExportCount));
    EXPECT_TRUE(s->SetIntText(dsExportRecCount, "12"));
    EXPECT_TRUE(s->Bool(dsExportOnly));
    EXPECT_TRUE(s->Enabled(dcExportCount));
    EXPECT_FALSE(s->SetIntText(dsExportRecCount, "x"));
    EXPECT_EQ(s->Int(dsExportRecCount), 12);

    s->ExportAllRecords();
    EXPECT_EQ(s->Int(dsExportRecCount), 0);
    EXPECT_FALSE(s->Bool(dsExportOnly));
    EXPECT_FALSE(s->Enabled(dcExportCount));

    // "Export only" clicked with no count yet.
    s->SetBool(dsExportOnly, true);
    EXPECT_TRUE(s->Enabled(dcExportCount));
    EXPECT_EQ(s->Int(dsExportRecCount), 0);
}

// ---- page visibility ----

TEST(DialogPages, VisibilityByExportTypeAndCommonOptions) {
    // Per type: Fields, Formats, Header/Footer, Captions, RTF, XML, SQL, HTML, Excel, ASCII.
    const std::vector<std::vector<int>> byType = {
        /* XLS */ {1, 1, 1, 1, 0, 0, 0, 0, 1, 0},
        /* Word */ {1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
        /* RTF */ {1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
        /* HTML */ {1, 1, 1, 1, 0, 0, 0, 1, 0, 0},
        /* XML */ {1, 1, 0, 0, 0, 1, 0, 0, 0, 0},
        /* DBF */ {1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        /* TXT */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 1},
        /* CSV */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 1},
        /* DIF */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 0},
        /* SYLK */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 0},
        /* LaTeX */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 0},
        /* SQL */ {1, 0, 1, 0, 0, 0, 1, 0, 0, 0},
        /* Clipboard */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 0},
    };
    const TDialogPage pages[] = {dpFields, dpFormats, dpHeaderFooter, dpCaptions, dpRTF,
                                 dpXML,    dpSQL,     dpHTML,         dpExcel,    dpASCII};
    // The common option each page needs; -1 for the format pages, which need none.
    const int needs[] = {coFields, coFormats, coColons, coCaptions, -1, -1, -1, -1, -1, -1};

    std::vector<TCommonOptions> optionSets = {kAllCommonOptions, 0};
    for (int o = 0; o < 5; ++o) optionSets.push_back(kAllCommonOptions & ~OptionBit(TCommonOption(o)));
    for (TCommonOptions options : optionSets) {
        auto s = AllTypes();
        s->SetCommonOptions(options);
        EXPECT_EQ(s->OptionsSubPageVisible(), Contains(options, coOptions)) << int(options);
        for (int code = 0; code < kExportTypeCount; ++code) {
            s->SetInt(dsExportType, code);
            ASSERT_EQ(s->Int(dsExportType), code);
            EXPECT_TRUE(s->PageVisible(dpExportType));
            for (int p = 0; p < 10; ++p) {
                const bool expected =
                    byType[code][p] && (needs[p] < 0 || Contains(options, TCommonOption(needs[p])));
                EXPECT_EQ(s->PageVisible(pages[p]), expected)
                    << "type " << code << ", page " << int(pages[p]) << ", options " << int(options);
            }
        }
    }
}

// ---- the HTML multi-file rules ----

TEST(DialogHtmlMultiFile, TypingACountChecksMultiFileAndEnablesTheIndex) {
    TOstrelDialogSettings s;
    EXPECT_FALSE(s.Bool(dsHTMLMultiFile));
    // The count can be typed before "Use multi-file export" was ever touched.
    EXPECT_TRUE(s.Enabled(dcMultiFileCount));
    EXPECT_FALSE(s.Enabled(dcGenerateIndex));
    EXPECT_TRUE(s.SetIntText(dsHTMLFileRecCount, "5"));
    EXPECT_TRUE(s.Bool(dsHTMLMultiFile));
    EXPECT_TRUE(s.Enabled(dcMultiFileCount));
    EXPECT_TRUE(s.Enabled(dcGenerateIndex));
    s.SetBool(dsHTMLGenerateIndex, true);
    EXPECT_TRUE(s.Bool(dsHTMLGenerateIndex));

    // Clearing "Use multi-file export" resets the count and the index.
    s.SetBool(dsHTMLMultiFile, false);
    EXPECT_EQ(s.Int(dsHTMLFileRecCount), 0);
    EXPECT_FALSE(s.Bool(dsHTMLGenerateIndex));
    EXPECT_FALSE(s.Enabled(dcMultiFileCount));
    EXPECT_FALSE(s.Enabled(dcGenerateIndex));
}

TEST(DialogHtmlMultiFile, NoIndexWhileTheCountIsZero) {
    TOstrelDialogSettings s;
    TAnnouncements a(s);
    s.SetBool(dsHTMLGenerateIndex, true);
    EXPECT_FALSE(s.Bool(dsHTMLGenerateIndex));
    EXPECT_EQ(a.Of(dsHTMLGenerateIndex), 0);

    s.SetInt(dsHTMLFileRecCount, 10);
    s.SetBool(dsHTMLGenerateIndex, true);
    ASSERT_TRUE(s.Bool(dsHTMLGenerateIndex));
    s.SetIntText(dsHTMLFileRecCount, "0");
    EXPECT_FALSE(s.Bool(dsHTMLGenerateIndex));
    EXPECT_FALSE(s.Enabled(dcGenerateIndex));
    s.SetBool(dsHTMLGenerateIndex, true);
    EXPECT_FALSE(s.Bool(dsHTMLGenerateIndex));
}

TEST(DialogHtmlMultiFile, CssFileNameOnlyForExternalStyleSheets) {
    TOstrelDialogSettings s;
    EXPECT_EQ(s.Int(dsHTMLUsingCSS), usInternal);
    EXPECT_FALSE(s.Enabled(dcCSSFileName));
    s.SetInt(dsHTMLUsingCSS, usExternal);
    EXPECT_TRUE(s.Enabled(dcCSSFileName));
}

// ---- values from the embedded exporters ----

TEST(DialogFormatPages, EmbeddedExportersCarryTheDesignValues) {
    TOstrelDialogExporters e;
    EXPECT_EQ(e.HTMLExp.HTMLTemplate(), htClassic);
    EXPECT_TRUE(e.HTMLExp.GenerateIndex());
    EXPECT_EQ(e.HTMLExp.MaxRecords(), 0);
    EXPECT_EQ(e.HTMLExp.HTMLOptions().TextFont.Name, "Arial");
    EXPECT_EQ(e.RTFExp.Options().PageOrientation, poPortrait);
    EXPECT_EQ(e.RTFExp.Options().DefaultFont.Name, "Arial");
    EXPECT_EQ(e.RTFExp.Options().DefaultFont.Size, 10);
    EXPECT_EQ(e.RTFExp.Options().DefaultFont.Style, 0u);
    EXPECT_EQ(e.RTFExp.Options().HeaderFont.Name, "Arial");
    EXPECT_EQ(e.RTFExp.Options().HeaderFont.Size, 10);
    EXPECT_EQ(e.RTFExp.Options().HeaderFont.Style, static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(e.ClipExp.Separator(), ';');
    EXPECT_EQ(e.ClipExp.ClipboardViewer(), "Clipbrd.exe");
    EXPECT_EQ(e.LaTeXExp.Options().DocumentParams(), "a4paper");
    // The code page of the rows' text, so that the declared input encoding matches the bytes.
    EXPECT_EQ(e.LaTeXExp.Options().CodePage(), 65001);  // UTF-8, the tests' process code page
    EXPECT_EQ(e.LaTeXExp.Options().Languages(), "english");
}

TEST(DialogFormatPages, SettingsTakeTheDesignValues) {
    TOstrelDialogSettings s;
    // Other values first, so that only reading the exporters can bring the design values back.
    for (int i = 0; i < kDialogSettingCount; ++i) {
        const auto id = static_cast<TDialogSetting>(i);
        if (id == dsExportType) continue;
        if (TOstrelDialogSettings::Kind(id) == skString) s.SetStr(id, "changed");
        else s.SetInt(id, 77);
    }
    TOstrelDialogExporters e;
    s.FillFormatPages(e);

    EXPECT_EQ(s.Int(dsRTFPageOrientation), 0);
    EXPECT_EQ(s.Str(dsXLSPageHeader), "");
    EXPECT_EQ(s.Str(dsXLSPageFooter), "Page &P of &N");
    EXPECT_EQ(s.Str(dsXLSSheetTitle), "Sheet 1");
    EXPECT_EQ(s.Str(dsHTMLTitle), "");
    EXPECT_EQ(s.Int(dsHTMLUsingCSS), usInternal);
    EXPECT_EQ(s.Str(dsHTMLCSSFileName), "");
    EXPECT_EQ(s.Int(dsHTMLFileRecCount), 0);
    EXPECT_FALSE(s.Bool(dsHTMLGenerateIndex));  // designed True, but there is no count
    EXPECT_FALSE(s.Bool(dsHTMLMultiFile));
    EXPECT_EQ(s.Str(dsHTMLFontName), "Arial");
    EXPECT_EQ(s.Str(dsHTMLBackground), "");
    EXPECT_EQ(s.Str(dsHTMLBodyAdvanced), "");
    EXPECT_EQ(s.Int(dsHTMLCellPadding), 4);
    EXPECT_EQ(s.Int(dsHTMLCellSpacing), 1);
    EXPECT_EQ(s.Int(dsHTMLBorderWidth), 1);
    EXPECT_EQ(s.Str(dsHTMLTableAdvanced), "");
    EXPECT_EQ(s.Int(dsHTMLBackgroundColor), 0x993333);       // #333399
    EXPECT_EQ(s.Int(dsHTMLFontColor), clWhite);
    EXPECT_EQ(s.Int(dsHTMLHeadBackgroundColor), clRed);
    EXPECT_EQ(s.Int(dsHTMLHeadFontColor), clWhite);
    EXPECT_EQ(s.Int(dsHTMLOddRowBackgroundColor), 0xCE6B00);   // #006BCE
    EXPECT_EQ(s.Int(dsHTMLEvenRowBackgroundColor), 0xEC7A00);  // #007AEC
    EXPECT_EQ(s.Int(dsHTMLDataFontColor), clWhite);
    EXPECT_EQ(s.Int(dsHTMLLinkColor), 0x7DEF69);  // #69EF7D
    EXPECT_EQ(s.Int(dsHTMLVLinkColor), clFuchsia);
    EXPECT_EQ(s.Int(dsHTMLALinkColor), clLime);
    EXPECT_TRUE(s.Bool(dsXMLStandalone));
    EXPECT_EQ(s.Str(dsXMLEncoding), "");
    EXPECT_EQ(s.Str(dsSQLTableName), "");
    EXPECT_FALSE(s.Bool(dsSQLCreateTable));
    EXPECT_EQ(s.Int(dsSQLCommitRecCount), 0);
    EXPECT_FALSE(s.Bool(dsSQLCommitAfterScript));
    EXPECT_EQ(s.Str(dsSQLCommitStatement), "COMMIT WORK;");
    EXPECT_EQ(s.Str(dsSQLStatementTerm), ";");
    EXPECT_TRUE(s.Bool(dsTXTAutoCalcColWidth));
    EXPECT_EQ(s.Int(dsTXTSpacing), 1);
    EXPECT_TRUE(s.Bool(dsCSVQuoteStrings));
    EXPECT_EQ(s.Int(dsCSVComma), ';');
}

TEST(DialogFormatPages, SettingsFollowChangedExporters) {
    TOstrelDialogExporters e;
    e.HTMLExp.SetMaxRecords(10);
    e.HTMLExp.HTMLOptions().AdvancedAttributes = TStrings{"leftmargin=0", "topmargin=0"};
    e.HTMLExp.TableOptions().AdvancedAttributes = TStrings{"width=100%"};
    e.HTMLExp.TableOptions().CellPadding = 7;
    e.HTMLExp.SetUsingCSS(usExternal);
    e.SQLExp.SetStatementTerm('!');
    e.SQLExp.SetCommitStatement("COMMIT;");
    e.ASCIIExp.SetCSVComma(',');
    e.XMLExp.Options().SetEncoding("UTF-8");
    e.RTFExp.Options().PageOrientation = poLandscape;
    e.XLSExp.Options().SetSheetTitle("Data");

    TOstrelDialogSettings s;
    s.FillFormatPages(e);
    EXPECT_EQ(s.Int(dsHTMLFileRecCount), 10);
    EXPECT_TRUE(s.Bool(dsHTMLMultiFile));
    EXPECT_TRUE(s.Bool(dsHTMLGenerateIndex));
    EXPECT_TRUE(s.Enabled(dcGenerateIndex));
    // Lines joined by line breaks, none after the last.
    EXPECT_EQ(s.Str(dsHTMLBodyAdvanced), "leftmargin=0\r\ntopmargin=0");
    EXPECT_EQ(s.Str(dsHTMLTableAdvanced), "width=100%");
    EXPECT_EQ(s.Int(dsHTMLCellPadding), 7);
    EXPECT_EQ(s.Int(dsHTMLUsingCSS), usExternal);
    EXPECT_TRUE(s.Enabled(dcCSSFileName));
    EXPECT_EQ(s.Str(dsSQLStatementTerm), "!");
    EXPECT_EQ(s.Str(dsSQLCommitStatement), "COMMIT;");
    EXPECT_EQ(s.Int(dsCSVComma), ',');
    EXPECT_EQ(s.Str(dsXMLEncoding), "UTF-8");
    EXPECT_EQ(s.Int(dsRTFPageOrientation), poLandscape);
    EXPECT_EQ(s.Str(dsXLSSheetTitle), "Data");
}

// ---- the values a window starts from ----

class DialogFillFromComponent : public ::testing::Test {
protected:
    void SetUp() override {
        FillNumbered(ds, 3);
        d.SetDataSet(&ds);
        d.DialogColumns().Fill();
    }
    TMemDataset ds;
    TIB_OstrelDialog d;
    TOstrelDialogExporters e;
    TOstrelDialogSettings s;
    TObject window;  // stands for the dialog window passed as Sender
};

TEST_F(DialogFillFromComponent, ComponentValuesReachTheSettings) {
    d.SetFileName("C:\\out\\data.xls");
    d.SetShowFile(false);
    d.SetPrintFile(true);
    d.SetOptionsFileName("opts.cfg");
    d.SetGoToFirstRecord(false);
    d.SetSkipRecCount(4);
    d.SetAllowCaptions(false);
    d.SetSaveLoadButtons(true);
    TOstrelFormats f;
    f.SetIntegerFormat("0");
    f.SetBooleanTrue("yes");
    f.SetNullString("NULL");
    d.SetFormats(f);
    d.SetAllowedExports(ExportBit(aeHTML) | ExportBit(aeSQL));

    s.FillFromComponent(d, e, &window);
    EXPECT_EQ(s.OfferedTypes(), (std::vector<int>{aeHTML, aeSQL}));
    EXPECT_EQ(s.Int(dsExportType), aeHTML);
    EXPECT_TRUE(s.PageVisible(dpHTML));
    EXPECT_EQ(s.Str(dsFileName), "C:\\out\\data.html");
    EXPECT_EQ(s.Caption(), "Export dialog -- Export to [data.html]");
    EXPECT_FALSE(s.Bool(dsShowFile));
    EXPECT_TRUE(s.Bool(dsPrintFile));
    EXPECT_EQ(s.Str(dsOptionsFileName), "opts.cfg");
    EXPECT_FALSE(s.Bool(dsGoToFirstRecord));
    EXPECT_EQ(s.Int(dsSkipRecCount), 4);
    EXPECT_FALSE(s.Bool(dsExportOnly));
    EXPECT_FALSE(s.Enabled(dcExportCount));
    EXPECT_FALSE(s.Bool(dsAllowCaptions));
    EXPECT_FALSE(s.Enabled(dcCaptionsGrid));
    EXPECT_TRUE(s.Enabled(dcSaveLoadButtons));
    EXPECT_EQ(s.Str(dsIntegerFormat), "0");
    EXPECT_EQ(s.Str(dsFloatFormat), d.Formats().FloatFormat());
    EXPECT_EQ(s.Str(dsBooleanTrue), "yes");
    EXPECT_EQ(s.Str(dsNullString), "NULL");
    EXPECT_EQ(s.Str(dsSQLCommitStatement), "COMMIT WORK;");
    EXPECT_EQ(s.Fields().Count(flAvailable), 2);

    // Nothing goes back into the component.
    s.SetStr(dsFileName, "other.html");
    s.SetInt(dsSkipRecCount, 9);
    EXPECT_EQ(d.FileName(), "C:\\out\\data.xls");
    EXPECT_EQ(d.SkipRecCount(), 4);
}

TEST_F(DialogFillFromComponent, RecordCountChecksExportOnly) {
    d.SetExportRecCount(25);
    s.FillFromComponent(d, e, &window);
    EXPECT_EQ(s.Int(dsExportRecCount), 25);
    EXPECT_TRUE(s.Bool(dsExportOnly));
    EXPECT_TRUE(s.Enabled(dcExportCount));
}

TEST_F(DialogFillFromComponent, ComponentOptionsRuleTheWindow) {
    d.SetCommonOptions(kAllCommonOptions & ~OptionBit(coOptions) & ~OptionBit(coFields));
    d.SetAutoChangeFileExt(false);
    d.SetFileName("data.xls");
    d.SetAllowedExports(ExportBit(aeSQL));
    s.FillFromComponent(d, e, &window);
    EXPECT_FALSE(s.OptionsSubPageVisible());
    EXPECT_FALSE(s.PageVisible(dpFields));
    EXPECT_EQ(s.Str(dsFileName), "data.xls");
    EXPECT_FALSE(s.Enabled(dcSaveLoadButtons));
}

TEST_F(DialogFillFromComponent, HeaderAndFooterEventsSeeAndChangeTheCopiedLines) {
    d.SetHeader({"Report"});
    d.SetFooter({"End", "of report"});
    d.SetFileName("out.txt");
    std::vector<std::string> calls;
    d.OnGetHeader = [&](TObject* sender, TStrings& colon) {
        calls.push_back("header");
        EXPECT_EQ(sender, &window);
        EXPECT_EQ(&colon, &s.HeaderLines());
        EXPECT_EQ(colon, (TStrings{"Report"}));
        // Fields and formats are already in place, the file name not yet, the footer not yet.
        EXPECT_EQ(s.Fields().Count(flAvailable), 2);
        EXPECT_EQ(s.Str(dsIntegerFormat), d.Formats().IntegerFormat());
        EXPECT_EQ(s.Str(dsFileName), "");
        EXPECT_TRUE(s.FooterLines().Empty());
        colon.Add("Generated");
    };
    d.OnGetFooter = [&](TObject* sender, TStrings& colon) {
        calls.push_back("footer");
        EXPECT_EQ(sender, &window);
        EXPECT_EQ(&colon, &s.FooterLines());
        EXPECT_EQ(colon, (TStrings{"End", "of report"}));
        EXPECT_EQ(s.HeaderLines(), (TStrings{"Report", "Generated"}));
        colon.Clear();
    };
    s.FillFromComponent(d, e, &window);
    EXPECT_EQ(calls, (std::vector<std::string>{"header", "footer"}));
    EXPECT_EQ(s.HeaderLines(), (TStrings{"Report", "Generated"}));
    EXPECT_TRUE(s.FooterLines().Empty());
    EXPECT_EQ(d.Header(), (TStrings{"Report"}));
    EXPECT_EQ(d.Footer(), (TStrings{"End", "of report"}));
}

TEST_F(DialogFillFromComponent, WithoutEventsTheComponentLinesAreTaken) {
    d.SetHeader({"H1", "H2"});
    d.SetFooter({"F"});
    s.FillFromComponent(d, e, &window);
    EXPECT_EQ(s.HeaderLines(), (TStrings{"H1", "H2"}));
    EXPECT_EQ(s.FooterLines(), (TStrings{"F"}));
}

// ---- the fields page ----

class DialogFieldLists : public ::testing::Test {
protected:
    // Available rows named after the letters, in that order, with homes 0, 1, ...
    void Columns(const std::string& letters) {
        d.DialogColumns().Clear();
        for (char c : letters) d.DialogColumns().Add().Name = std::string(1, c);
        f.Fill(d.DialogColumns());
    }
    std::string Text(TFieldList list) const {
        std::string out;
        for (const TFieldRow& r : f.Rows(list)) out += r.Text;
        return out;
    }
    // Each row's text must still belong to its home.
    void ExpectHomesKept() const {
        for (TFieldList list : {flAvailable, flExported})
            for (const TFieldRow& r : f.Rows(list)) EXPECT_EQ(r.Text, d.DialogColumns()[r.Home].Name);
    }
    // Exports the available rows with these names, in this order.
    void Export(const std::string& letters) {
        for (char c : letters) {
            int i = 0;
            while (f.Rows(flAvailable).at(i).Text != std::string(1, c)) ++i;
            f.Select(flAvailable, i);
            f.AddSelected();
        }
    }
    void SelectExported(char c) {
        for (int i = 0; i < f.Count(flExported); ++i)
            if (f.Rows(flExported)[i].Text == std::string(1, c)) return f.Select(flExported, i);
        FAIL() << c << " is not exported";
    }

    TIB_OstrelDialog d;
    TOstrelDialogFieldLists f;
};

TEST_F(DialogFieldLists, FillOffersEveryColumnWithTheFirstSelected) {
    Columns("ABC");
    EXPECT_EQ(Text(flAvailable), "ABC");
    EXPECT_EQ(f.Rows(flAvailable)[2], (TFieldRow{"C", 2}));
    EXPECT_EQ(f.Selected(flAvailable), 0);
    EXPECT_EQ(f.Count(flExported), 0);
    EXPECT_EQ(f.Selected(flExported), -1);
    EXPECT_TRUE(f.ExportedNames().Empty());

    Export("B");
    Columns("");
    EXPECT_EQ(f.Count(flAvailable), 0);
    EXPECT_EQ(f.Count(flExported), 0);
    EXPECT_EQ(f.Selected(flAvailable), -1);
}

TEST_F(DialogFieldLists, AddAllPutsTheAvailableRowsBeforeTheExportedOnes) {
    Columns("ABCX");
    Export("X");
    ASSERT_EQ(Text(flAvailable), "ABC");
    f.AddAll();
    EXPECT_EQ(Text(flExported), "ABCX");
    EXPECT_EQ(Text(flAvailable), "");
    EXPECT_EQ(f.Selected(flAvailable), -1);
    EXPECT_EQ(f.ExportedNames(), (TStrings{"A", "B", "C", "X"}));
    ExpectHomesKept();
}

TEST_F(DialogFieldLists, AddAllKeepsTheExportedSelectionOnItsRow) {
    Columns("ABCX");
    Export("X");
    SelectExported('X');
    f.AddAll();
    ASSERT_EQ(f.Selected(flExported), 3);
    f.RemoveSelected();
    EXPECT_EQ(Text(flExported), "ABC");
    EXPECT_EQ(Text(flAvailable), "X");
}

TEST_F(DialogFieldLists, RemovedRowReturnsByItsHomePosition) {
    Columns("ABCDE");
    Export("ECA");
    ASSERT_EQ(Text(flAvailable), "BD");
    SelectExported('C');
    f.RemoveSelected();
    EXPECT_EQ(Text(flAvailable), "BCD");
    EXPECT_EQ(Text(flExported), "EA");
    SelectExported('E');
    f.RemoveSelected();
    EXPECT_EQ(Text(flAvailable), "BCDE");
    SelectExported('A');
    f.RemoveSelected();
    EXPECT_EQ(Text(flAvailable), "ABCDE");
    EXPECT_EQ(f.Selected(flExported), -1);
    ExpectHomesKept();
}

TEST_F(DialogFieldLists, RemovedRowFindsItsPlaceWhateverTheOrderOfTheOthers) {
    Columns("ABCDE");
    Export("C");
    // Swap A and B by dragging B onto A.
    f.Select(flAvailable, 1);
    f.Drop(flAvailable, flAvailable, 0);
    ASSERT_EQ(Text(flAvailable), "BADE");
    EXPECT_EQ(f.HomeIndex(f.Rows(flExported)[0]), 2);
    SelectExported('C');
    f.RemoveSelected();
    EXPECT_EQ(Text(flAvailable), "BACDE");
    // A row with the greatest home goes to the end.
    Export("E");
    EXPECT_EQ(f.HomeIndex(f.Rows(flExported)[0]), 4);
}

TEST_F(DialogFieldLists, RemoveAllReturnsEveryRowHome) {
    Columns("ABCDE");
    Export("CAE");
    SelectExported('A');
    f.RemoveAll();
    EXPECT_EQ(Text(flAvailable), "ABCDE");
    EXPECT_EQ(f.Count(flExported), 0);
    EXPECT_EQ(f.Selected(flExported), -1);
    EXPECT_TRUE(f.ExportedNames().Empty());
    ExpectHomesKept();
}

TEST_F(DialogFieldLists, SelectionMovesToTheRowNowAtTheOldIndexOrTheLast) {
    Columns("ABCD");
    f.Select(flAvailable, 1);
    f.AddSelected();
    EXPECT_EQ(Text(flAvailable), "ACD");
    EXPECT_EQ(f.Selected(flAvailable), 1);  // C
    f.Select(flAvailable, 2);
    f.AddSelected();
    EXPECT_EQ(Text(flAvailable), "AC");
    EXPECT_EQ(f.Selected(flAvailable), 1);  // the last, C
    EXPECT_EQ(Text(flExported), "BD");

    f.Select(flExported, 0);
    f.RemoveSelected();
    EXPECT_EQ(Text(flAvailable), "ABC");
    EXPECT_EQ(f.Selected(flExported), 0);  // D
    f.RemoveSelected();
    EXPECT_EQ(f.Selected(flExported), -1);
    EXPECT_EQ(Text(flAvailable), "ABCD");
}

TEST_F(DialogFieldLists, NothingSelectedMovesNothing) {
    Columns("ABC");
    f.Select(flAvailable, -1);
    f.AddSelected();
    EXPECT_EQ(Text(flAvailable), "ABC");
    EXPECT_EQ(Text(flExported), "");
    f.Select(flAvailable, 3);  // past the end selects nothing
    EXPECT_EQ(f.Selected(flAvailable), -1);
    f.AddSelected();
    f.RemoveSelected();
    f.Drop(flAvailable, flExported, 0);
    f.Drop(flExported, flAvailable, 0);
    f.Drop(flAvailable, flAvailable, 0);
    EXPECT_EQ(Text(flAvailable), "ABC");
    EXPECT_EQ(Text(flExported), "");
}

TEST_F(DialogFieldLists, DragsBetweenTheLists) {
    Columns("ABCD");
    f.Select(flAvailable, 2);
    f.Drop(flAvailable, flExported, -1);
    f.Select(flAvailable, 0);
    f.Drop(flAvailable, flExported, 0);  // appended, wherever it is dropped
    EXPECT_EQ(Text(flExported), "CA");
    EXPECT_EQ(Text(flAvailable), "BD");

    SelectExported('C');
    f.Drop(flExported, flAvailable, 0);  // home, wherever it is dropped
    EXPECT_EQ(Text(flAvailable), "BCD");
    EXPECT_EQ(Text(flExported), "A");
    ExpectHomesKept();
}

TEST_F(DialogFieldLists, DragWithinExportedMovesTheRowToTheEnd) {
    Columns("ABCD");
    Export("ABC");
    SelectExported('A');
    f.Drop(flExported, flExported, 2);
    EXPECT_EQ(Text(flExported), "BCA");
    EXPECT_EQ(f.ExportedNames(), (TStrings{"B", "C", "A"}));
    SelectExported('C');
    f.Drop(flExported, flExported, -1);
    EXPECT_EQ(Text(flExported), "BAC");
    ExpectHomesKept();
}

TEST_F(DialogFieldLists, DragWithinAvailableMovesTheRowToTheTargetIndex) {
    Columns("ABCDE");
    // Downwards: A onto D.
    f.Select(flAvailable, 0);
    f.Drop(flAvailable, flAvailable, 3);
    EXPECT_EQ(Text(flAvailable), "BCDAE");
    EXPECT_EQ(f.Selected(flAvailable), 3);
    // Upwards: E onto B.
    f.Select(flAvailable, 4);
    f.Drop(flAvailable, flAvailable, 0);
    EXPECT_EQ(Text(flAvailable), "EBCDA");
    EXPECT_EQ(f.Selected(flAvailable), 0);
    // Onto itself.
    f.Select(flAvailable, 2);
    f.Drop(flAvailable, flAvailable, 2);
    EXPECT_EQ(Text(flAvailable), "EBCDA");
    EXPECT_EQ(f.Selected(flAvailable), 2);
    // Where there is no row: nothing.
    f.Select(flAvailable, 1);
    f.Drop(flAvailable, flAvailable, -1);
    f.Drop(flAvailable, flAvailable, 5);
    EXPECT_EQ(Text(flAvailable), "EBCDA");
    EXPECT_EQ(f.Selected(flAvailable), 1);
    ExpectHomesKept();
}

TEST_F(DialogFieldLists, EveryActionIsReported) {
    int changes = 0;
    f.OnChanged = [&] { ++changes; };
    Columns("ABCD");
    EXPECT_EQ(changes, 1);
    f.AddSelected();
    EXPECT_EQ(changes, 2);
    f.AddAll();
    EXPECT_EQ(changes, 3);
    f.Select(flExported, 0);
    f.RemoveSelected();
    EXPECT_EQ(changes, 4);
    f.RemoveAll();
    EXPECT_EQ(changes, 5);
    f.Select(flAvailable, 0);
    f.Drop(flAvailable, flExported, -1);
    EXPECT_EQ(changes, 6);
    f.Select(flAvailable, 0);
    f.Drop(flAvailable, flExported, -1);
    f.Select(flExported, 0);
    f.Drop(flExported, flExported, -1);
    EXPECT_EQ(changes, 8);
    f.Drop(flExported, flAvailable, -1);
    EXPECT_EQ(changes, 9);
    f.Select(flAvailable, 0);
    f.Drop(flAvailable, flAvailable, 1);
    EXPECT_EQ(changes, 10);
}

}  // namespace
}  // namespace ostrel::test
