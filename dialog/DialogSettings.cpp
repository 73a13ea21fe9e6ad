#include "dialog/DialogSettings.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "dialog/DialogExporters.h"
#include "platform/Errors.h"

namespace ostrel {

namespace {

struct TSettingInfo {
    const char* Name;
    TSettingKind Kind;
    const char* Text;
    int Number;
};

constexpr std::array<TSettingInfo, kDialogSettingCount> kSettings = {{
#define OSTREL_SETTING_S(id, text) {#id, skString, text, 0},
#define OSTREL_SETTING_N(id, kind, value) {#id, kind, "", value},
    OSTREL_DIALOG_SETTINGS(OSTREL_SETTING_S, OSTREL_SETTING_N)
#undef OSTREL_SETTING_S
#undef OSTREL_SETTING_N
}};

constexpr std::array<TExportTypeInfo, kExportTypeCount> kExportTypes = {{
    {sTypeXLS, sFilterXLS, "xls"},
    {sTypeWord, sFilterWord, "doc"},
    {sTypeRTF, sFilterRTF, "rtf"},
    {sTypeHTML, sFilterHTML, "html"},
    {sTypeXML, sFilterXML, "xml"},
    {sTypeDBF, sFilterDBF, "dbf"},
    {sTypeTXT, sFilterTXT, "txt"},
    {sTypeCSV, sFilterCSV, "csv"},
    {sTypeDIF, sFilterDIF, "dif"},
    {sTypeSYLK, sFilterSYLK, "slk"},
    {sTypeLaTeX, sFilterLaTeX, "tex"},
    {sTypeSQL, sFilterSQL, "sql"},
    {sTypeClipboard, sTypeClipboard, ""},
}};

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

// The file name without its directory.
std::string BaseName(const std::string& path) {
    const auto slash = std::find_if(path.rbegin(), path.rend(), IsPathSeparator);
    return std::string(slash.base(), path.end());
}

}  // namespace

const TExportTypeInfo& ExportTypeInfo(int code) { return kExportTypes.at(code); }

TOstrelDialogSettings::TOstrelDialogSettings() : FText(kDialogSettingCount), FNumber(kDialogSettingCount) {
    for (int i = 0; i < kDialogSettingCount; ++i) {
        FText[i] = kSettings[i].Text;
        FNumber[i] = kSettings[i].Number;
    }
    // The Excel format list stands in export order after every move on the fields page.
    FFields.OnChanged = [this] {
        FXLSFormats.Sync(FFields.ExportedNames());
        for (const auto& listener : FFieldsListeners) listener();
    };
}

TSettingKind TOstrelDialogSettings::Kind(TDialogSetting id) { return kSettings.at(id).Kind; }
const char* TOstrelDialogSettings::Name(TDialogSetting id) { return kSettings.at(id).Name; }

void TOstrelDialogSettings::SetStr(TDialogSetting id, const std::string& value) {
    if (FText.at(id) == value) return;
    FText[id] = value;
    Notify(id);
}

void TOstrelDialogSettings::SetInt(TDialogSetting id, int value) {
    if (id == dsExportType &&
        std::find(FOfferedTypes.begin(), FOfferedTypes.end(), value) == FOfferedTypes.end())
        return;  // no item of the radio group carries that code
    if (Kind(id) == skBoolean) value = value != 0;
    // No index without multi-file export.
    if (id == dsHTMLGenerateIndex && FNumber[dsHTMLFileRecCount] < 1) value = 0;
    if (FNumber.at(id) == value) return;
    FNumber[id] = value;
    // Enabling that follows the check box is in place before the views hear of it.
    if (id == dsHTMLMultiFile) FMultiFileControlsEnabled = value != 0;
    Notify(id);
    ApplyRules(id);
}

void TOstrelDialogSettings::ApplyRules(TDialogSetting id) {
    const int value = FNumber[id];
    switch (id) {
        case dsExportType: ExportTypeChanged(); break;
        case dsExportRecCount:
            if (value > 0) SetBool(dsExportOnly, true);
            break;
        case dsHTMLFileRecCount:
            if (value == 0) SetBool(dsHTMLGenerateIndex, false);
            if (value > 0) SetBool(dsHTMLMultiFile, true);
            break;
        case dsHTMLMultiFile:
            if (!value) {
                SetInt(dsHTMLFileRecCount, 0);
                SetBool(dsHTMLGenerateIndex, false);
            }
            break;
        default: break;
    }
}

bool TOstrelDialogSettings::SetIntText(TDialogSetting id, std::string_view text) {
    // Decimal only: an optional minus sign and digits, nothing around them.
    if (text.empty()) return false;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return false;
    SetInt(id, value);
    return true;
}

bool TOstrelDialogSettings::SetCommaText(std::string_view text) {
    if (text.empty()) {
        SetInt(dsCSVComma, 0);
        return true;
    }
    const unsigned char c = static_cast<unsigned char>(text[0]);
    if (text.size() != 1 || c >= 0x80) return false;
    SetInt(dsCSVComma, c);
    return true;
}

bool TOstrelDialogSettings::AcceptsDigitKey(int character) {
    return (character >= '0' && character <= '9') || character == '\b';
}

void TOstrelDialogSettings::Notify(TDialogSetting id) {
    for (const auto& listener : FListeners) listener(id);
}

void TOstrelDialogSettings::FillExportTypes(TAllowedExports allowed) {
    FOfferedTypes.clear();
    for (int code = 0; code < kExportTypeCount; ++code)
        if (Contains(allowed, static_cast<TAllowedExport>(code))) FOfferedTypes.push_back(code);
    if (FOfferedTypes.empty()) return;
    if (FNumber[dsExportType] != FOfferedTypes.front()) {
        FNumber[dsExportType] = FOfferedTypes.front();
        Notify(dsExportType);
    }
}

void TOstrelDialogSettings::ExportTypeChanged() {
    const int type = FNumber[dsExportType];
    if (type != aeClipboard) {
        FDestinationFilter = DialogText(ExportTypeInfo(type).Filter);
        FDestinationDefaultExt = ExportTypeInfo(type).Extension;
    }
    ApplyFileExt();
    if (FColumns) FCaptionsGrid.Layout(type, *FColumns);
    Notify(dsExportType);
}

void TOstrelDialogSettings::ApplyFileExt() {
    const int type = FNumber[dsExportType];
    const std::string& name = FText[dsFileName];
    if (!FAutoChangeFileExt || type == aeClipboard || name.empty()) return;
    const size_t base = name.size() - BaseName(name).size();
    const size_t dot = name.rfind('.');
    const std::string stem = dot != std::string::npos && dot >= base ? name.substr(0, dot) : name;
    SetStr(dsFileName, stem + "." + ExportTypeInfo(type).Extension);
}

void TOstrelDialogSettings::ExportAllRecords() {
    SetBool(dsExportOnly, false);
    SetInt(dsExportRecCount, 0);
}

std::string TOstrelDialogSettings::Caption() const {
    const std::string& name = FText[dsFileName];
    if (name.empty()) return DialogText(sDialogCaption);
    return FormatMessage(DialogText(sDialogCaptionFile), BaseName(name));
}

bool TOstrelDialogSettings::PageVisible(TDialogPage page) const {
    const int type = FNumber[dsExportType];
    auto has = [this](TCommonOption o) { return Contains(FCommonOptions, o); };
    switch (page) {
        case dpExportType: return true;
        case dpFields: return has(coFields);
        case dpFormats: return type != aeDBF && type != aeSQL && has(coFormats);
        case dpHeaderFooter: return type != aeXML && type != aeDBF && has(coColons);
        case dpCaptions: return type != aeXML && type != aeDBF && type != aeSQL && has(coCaptions);
        case dpRTF: return type == aeWord || type == aeRTF;
        case dpXML: return type == aeXML;
        case dpSQL: return type == aeSQL;
        case dpHTML: return type == aeHTML;
        case dpExcel: return type == aeXLS;
        case dpASCII: return type == aeTXT || type == aeCSV;
        case kDialogPageCount: break;
    }
    return false;
}

bool TOstrelDialogSettings::Enabled(TDialogControl control) const {
    switch (control) {
        case dcDestination: return FNumber[dsExportType] != aeClipboard;
        case dcExportCount: return Bool(dsExportOnly);
        case dcStartExport: return !FText[dsFileName].empty() || FNumber[dsExportType] == aeClipboard;
        case dcSaveLoadButtons: return FSaveLoadButtons;
        case dcCaptionsGrid: return Bool(dsAllowCaptions);
        case dcCSSFileName: return FNumber[dsHTMLUsingCSS] == usExternal;
        case dcMultiFileCount: return FMultiFileControlsEnabled;
        case dcGenerateIndex: return FMultiFileControlsEnabled && FNumber[dsHTMLFileRecCount] > 0;
        case kDialogControlCount: break;
    }
    return false;
}

void TOstrelDialogSettings::ResetFormats(const TOstrelFormats& formats) {
    SetStr(dsIntegerFormat, formats.IntegerFormat());
    SetStr(dsFloatFormat, formats.FloatFormat());
    SetStr(dsDateFormat, formats.DateFormat());
    SetStr(dsTimeFormat, formats.TimeFormat());
    SetStr(dsDateTimeFormat, formats.DateTimeFormat());
    SetStr(dsCurrencyFormat, formats.CurrencyFormat());
    SetStr(dsBooleanTrue, formats.BooleanTrue());
    SetStr(dsBooleanFalse, formats.BooleanFalse());
    SetStr(dsNullString, formats.NullString());
}

void TOstrelDialogSettings::FillFormatPages(TOstrelDialogExporters& e) {
    SetInt(dsRTFPageOrientation, e.RTFExp.Options().PageOrientation);
    const TXLSOptions& xls = e.XLSExp.Options();
    SetStr(dsXLSPageHeader, xls.PageHeader);
    SetStr(dsXLSPageFooter, xls.PageFooter);
    SetStr(dsXLSSheetTitle, xls.SheetTitle());

    TIB_OstrelHTML& html = e.HTMLExp;
    SetStr(dsHTMLTitle, html.Title());
    SetInt(dsHTMLUsingCSS, html.UsingCSS());
    SetStr(dsHTMLCSSFileName, html.CSSFileName());
    SetInt(dsHTMLFileRecCount, html.MaxRecords());
    SetBool(dsHTMLGenerateIndex, html.GenerateIndex());
    SetBool(dsHTMLMultiFile, html.MaxRecords() > 0);
    SetStr(dsHTMLFontName, html.HTMLOptions().TextFont.Name);
    SetStr(dsHTMLBackground, html.HTMLOptions().BackgroundFileName);
    std::string body = html.HTMLOptions().AdvancedAttributes.Text();
    // Lines joined by line breaks, without one after the last.
    if (body.size() >= 2) body.resize(body.size() - 2);
    SetStr(dsHTMLBodyAdvanced, body);
    SetInt(dsHTMLCellPadding, html.TableOptions().CellPadding);
    SetInt(dsHTMLCellSpacing, html.TableOptions().CellSpacing);
    SetInt(dsHTMLBorderWidth, html.TableOptions().Border);
    std::string table = html.TableOptions().AdvancedAttributes.Text();
    if (table.size() >= 2) table.resize(table.size() - 2);
    SetStr(dsHTMLTableAdvanced, table);
    CopyTemplateColours(html);
    ChooseHTMLTemplate(html.HTMLTemplate(), html);

    SetBool(dsXMLStandalone, e.XMLExp.Options().StandAlone());
    SetStr(dsXMLEncoding, e.XMLExp.Options().Encoding());
    SetStr(dsSQLTableName, e.SQLExp.TableName());
    SetBool(dsSQLCreateTable, e.SQLExp.CreateTable());
    SetInt(dsSQLCommitRecCount, e.SQLExp.CommitRecCount());
    SetBool(dsSQLCommitAfterScript, e.SQLExp.CommitAfterScript());
    SetStr(dsSQLCommitStatement, e.SQLExp.CommitStatement());
    SetStr(dsSQLStatementTerm, std::string(1, e.SQLExp.StatementTerm()));
    SetBool(dsTXTAutoCalcColWidth, e.ASCIIExp.AutoCalcColWidth());
    SetInt(dsTXTSpacing, e.ASCIIExp.TXTSpacing());
    SetBool(dsCSVQuoteStrings, e.ASCIIExp.CSVQuoteStrings());
    SetInt(dsCSVComma, static_cast<unsigned char>(e.ASCIIExp.CSVComma()));
}

void TOstrelDialogSettings::CopyTemplateColours(const TIB_OstrelHTML& html) {
    SetInt(dsHTMLBackgroundColor, html.HTMLOptions().BackgroundColor);
    SetInt(dsHTMLFontColor, html.HTMLOptions().TextFont.Color);
    SetInt(dsHTMLHeadBackgroundColor, html.TableOptions().HeadersRowBgColor);
    SetInt(dsHTMLHeadFontColor, html.TableOptions().HeadersRowFontColor);
    SetInt(dsHTMLOddRowBackgroundColor, html.TableOptions().OddRowBgColor);
    SetInt(dsHTMLEvenRowBackgroundColor, html.TableOptions().TableBgColor);
    SetInt(dsHTMLDataFontColor, html.TableOptions().TableFontColor);
    SetInt(dsHTMLLinkColor, html.HTMLOptions().LinkColor);
    SetInt(dsHTMLVLinkColor, html.HTMLOptions().VLinkColor);
    SetInt(dsHTMLALinkColor, html.HTMLOptions().ALinkColor);
}

void TOstrelDialogSettings::CopyColoursToExporter(TIB_OstrelHTML& html) const {
    THTMLOptions& page = html.HTMLOptions();
    TTableOptions& table = html.TableOptions();
    page.BackgroundColor = Int(dsHTMLBackgroundColor);
    page.TextFont.Color = Int(dsHTMLFontColor);
    table.HeadersRowBgColor = Int(dsHTMLHeadBackgroundColor);
    table.HeadersRowFontColor = Int(dsHTMLHeadFontColor);
    table.OddRowBgColor = Int(dsHTMLOddRowBackgroundColor);
    table.TableBgColor = Int(dsHTMLEvenRowBackgroundColor);
    table.TableFontColor = Int(dsHTMLDataFontColor);
    page.LinkColor = Int(dsHTMLLinkColor);
    page.VLinkColor = Int(dsHTMLVLinkColor);
    page.ALinkColor = Int(dsHTMLALinkColor);
}

void TOstrelDialogSettings::ChooseHTMLTemplate(int choice, TIB_OstrelHTML& html) {
    if (choice < htCustom || choice > htSimple) return;
    SetInt(dsHTMLTemplateChoice, choice);
    html.SetHTMLTemplate(static_cast<THTMLTemplate>(choice));
    if (choice != htCustom) CopyTemplateColours(html);
}

void TOstrelDialogSettings::TemplateLoaded(const TIB_OstrelHTML& html) {
    CopyTemplateColours(html);
    // Loaded colours belong to no built-in template; the exporter keeps its template choice.
    SetInt(dsHTMLTemplateChoice, htCustom);
}

void TOstrelDialogSettings::PickHTMLColour(TDialogSetting id, TColor colour) {
    SetInt(id, colour);
    SetInt(dsHTMLTemplateChoice, htCustom);
}

void TOstrelDialogSettings::FillFromComponent(TIB_OstrelDialog& dialog, TOstrelDialogExporters& exporters,
                                              TObject* sender, const std::function<void()>& applyTexts) {
    FCommonOptions = dialog.CommonOptions();
    FAutoChangeFileExt = dialog.AutoChangeFileExt();
    FSaveLoadButtons = dialog.SaveLoadButtons();
    FColumns = &dialog.DialogColumns();
    FFields.Fill(dialog.DialogColumns());
    FUserFormats.Fill(dialog.DialogColumns(), dialog.Formats());
    FCaptionsGrid.Fill(dialog.DialogColumns());
    FXLSFormats.Fill(exporters.XLSExp.Options(), dialog.DialogColumns());
    FXLSFormats.Sync(FFields.ExportedNames());
    ResetFormats(dialog.Formats());
    FHeader.Assign(dialog.Header());
    if (dialog.OnGetHeader) dialog.OnGetHeader(sender, FHeader);
    FFooter.Assign(dialog.Footer());
    if (dialog.OnGetFooter) dialog.OnGetFooter(sender, FFooter);
    if (applyTexts) applyTexts();
    SetStr(dsFileName, dialog.FileName());
    SetBool(dsShowFile, dialog.ShowFile());
    SetBool(dsPrintFile, dialog.PrintFile());
    SetStr(dsOptionsFileName, dialog.OptionsFileName());
    SetBool(dsGoToFirstRecord, dialog.GoToFirstRecord());
    SetInt(dsExportRecCount, dialog.ExportRecCount());
    SetInt(dsSkipRecCount, dialog.SkipRecCount());
    FillExportTypes(dialog.AllowedExports());
    ExportTypeChanged();
    if (dialog.ExportRecCount() > 0) SetBool(dsExportOnly, true);
    FUserFormats.ChooseField(FUserFormats.ChosenField());
    SetBool(dsAllowCaptions, dialog.AllowCaptions());
    FillFormatPages(exporters);
}

}  // namespace ostrel
