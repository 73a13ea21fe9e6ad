#include "cli/OptionsReplay.h"

#include <algorithm>
#include <array>
#include <utility>

#include "dialog/IB_OstrelConsts.h"
#include "platform/Parsers.h"

namespace ostrel::cli {

namespace {

// The command line's format names in export-type code order.
const std::array<std::string, kExportTypeCount>& FormatNamesByType() {
    static const std::array<std::string, kExportTypeCount> names = {
        "xls", "word", "rtf", "html", "xml", "dbf", "txt", "csv", "dif", "sylk", "latex", "sql", "clipboard"};
    return names;
}

// NAME=VALUE split at the first '=' (the validators made sure there is one).
std::pair<std::string, std::string> Keyed(const std::string& line) {
    const size_t eq = line.find('=');
    return {line.substr(0, eq), eq == std::string::npos ? std::string() : line.substr(eq + 1)};
}

// The dialog column's own spelling of a name given in any case.
std::string ColumnName(const TIB_OstrelDialog& component, const std::string& name) {
    const int i = component.DialogColumns().IndexOf(name);
    return i < 0 ? name : component.DialogColumns()[i].Name;
}

int GridRow(const TOstrelCaptionsGrid& grid, const std::string& name) {
    for (int row = 0; row < grid.RowCount(); ++row)
        if (SameText(grid.Cell(0, row), name)) return row;
    return -1;
}

// The captions page's text of an alignment letter (L, C, R).
const std::string& AlignCellText(const std::string& letter) {
    const char a = letter.empty() ? 'L' : static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
    return DialogText(a == 'C' ? sAlignCenter : a == 'R' ? sAlignRight : sAlignLeft);
}

void SetLines(TStrings& lines, const std::vector<std::string>& texts) {
    lines.Clear();
    for (const auto& t : texts) lines.Add(t);
}

TxlsAggregate AggregateOf(const std::string& kind) {
    const std::string k = LowerCase(kind);
    return k == "sum" ? aggSum : k == "avg" ? aggAvg : k == "min" ? aggMin : k == "max" ? aggMax : aggNone;
}

// "Exported fields:" holds the given fields in their order, as moved there one by one.
void ChooseFields(TOstrelDialogFieldLists& fields, const std::vector<std::string>& names) {
    fields.RemoveAll();
    for (const std::string& name : names) {
        const auto& available = fields.Rows(flAvailable);
        const auto found = std::find_if(available.begin(), available.end(),
                                        [&](const TFieldRow& row) { return SameText(row.Text, name); });
        if (found == available.end()) continue;  // named twice: it is exported already
        fields.Select(flAvailable, static_cast<int>(found - available.begin()));
        fields.AddSelected();
    }
}

void SetUserFormats(TOstrelDialogUserFormats& formats, const TIB_OstrelDialog& component,
                    const std::vector<std::string>& lines) {
    std::vector<TUserFormatRow> rows = formats.Rows();
    for (const std::string& line : lines) {
        const auto keyed = Keyed(line);
        const std::string& name = keyed.first;
        std::erase_if(rows, [&](const TUserFormatRow& row) { return SameText(row.Field, name); });
        rows.push_back({ColumnName(component, name), keyed.second});
    }
    formats.SetRows(std::move(rows));
}

// The Excel page's aggregate of a field entry, chosen as the page does: the entry selected alone.
void SetAggregates(TOstrelXLSFormatList& list, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const auto [name, kind] = Keyed(line);
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Entry(i).Fixed || !SameText(list.Entry(i).Text, name)) continue;
            list.SelectOnly(i);
            list.SetAggregate(AggregateOf(kind));
            break;
        }
    }
}

}  // namespace

int ExportTypeOfFormat(const std::string& format) {
    const auto& names = FormatNamesByType();
    const auto found = std::find(names.begin(), names.end(), format);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

const std::string& FormatOfExportType(int exportType) { return FormatNamesByType().at(exportType); }

std::vector<std::string> DialogColumnNames(const TIB_OstrelDialog& component) {
    std::vector<std::string> names;
    const TOstrelDialogColumns& columns = component.DialogColumns();
    for (int i = 0; i < columns.Count(); ++i) names.push_back(columns[i].Name);
    return names;
}

void OverrideSettings(TOstrelDialogSettings& s, TOstrelDialogExporters& e, const TIB_OstrelDialog& component,
                      const TCliOptions& o, int exportType) {
    if (exportType >= 0) s.SetInt(dsExportType, exportType);
    // Given after the type, so that the name stays as it was typed.
    if (o.Gave("output")) s.SetStr(dsFileName, o.Output);

    if (o.Gave("fields")) ChooseFields(s.Fields(), o.Fields);
    if (o.Gave("skip")) s.SetInt(dsSkipRecCount, o.Skip);
    if (o.Gave("limit")) {
        if (o.Limit > 0) s.SetInt(dsExportRecCount, o.Limit);
        else s.ExportAllRecords();
    }
    if (o.Gave("no-captions")) s.SetBool(dsAllowCaptions, false);

    const std::pair<const char*, TDialogSetting> texts[] = {
        {"null", dsNullString},
        {"true", dsBooleanTrue},
        {"false", dsBooleanFalse},
        {"integer-format", dsIntegerFormat},
        {"float-format", dsFloatFormat},
        {"currency-format", dsCurrencyFormat},
        {"date-format", dsDateFormat},
        {"time-format", dsTimeFormat},
        {"datetime-format", dsDateTimeFormat},
    };
    const std::string* values[] = {&o.NullText,    &o.TrueText,   &o.FalseText,
                                   &o.IntegerFormat, &o.FloatFormat, &o.CurrencyFormat,
                                   &o.DateFormat,  &o.TimeFormat, &o.DateTimeFormat};
    for (size_t i = 0; i < std::size(texts); ++i)
        if (o.Gave(texts[i].first)) s.SetStr(texts[i].second, *values[i]);
    if (o.Gave("user-format")) SetUserFormats(s.UserFormats(), component, o.UserFormats);
    if (o.Gave("header")) SetLines(s.HeaderLines(), o.Header);
    if (o.Gave("footer")) SetLines(s.FooterLines(), o.Footer);

    // Widths and alignments go into the captions grid where its layout shows them; the
    // exporter takes the others after the copy.
    TOstrelCaptionsGrid& grid = s.CaptionsGrid();
    const TCaptionsGridLayout& layout = grid.CurrentLayout();
    if (o.Gave("caption"))
        for (const std::string& line : o.Captions) {
            const auto [name, caption] = Keyed(line);
            if (const int row = GridRow(grid, name); row >= 0) grid.SetCell(1, row, caption);
        }
    if (o.Gave("width") && layout.WidthCol >= 0)
        for (const std::string& line : o.Widths) {
            const auto [name, width] = Keyed(line);
            if (const int row = GridRow(grid, name); row >= 0) grid.SetCell(layout.WidthCol, row, Trim(width));
        }
    if (o.Gave("align") && layout.AlignCol >= 0)
        for (const std::string& line : o.Aligns) {
            const auto [name, align] = Keyed(line);
            if (const int row = GridRow(grid, name); row >= 0) grid.SetCell(layout.AlignCol, row, AlignCellText(align));
        }

    // Format pages.
    if (o.Gave("separator") && !o.Separator.empty())
        s.SetInt(dsCSVComma, static_cast<unsigned char>(o.Separator[0]));
    if (o.Gave("no-quote")) s.SetBool(dsCSVQuoteStrings, false);
    if (o.Gave("spacing")) s.SetInt(dsTXTSpacing, o.Spacing);
    if (o.Gave("no-auto-width")) s.SetBool(dsTXTAutoCalcColWidth, false);
    if (o.Gave("xml-encoding")) s.SetStr(dsXMLEncoding, o.XmlEncoding);
    if (o.Gave("xml-not-standalone")) s.SetBool(dsXMLStandalone, false);
    if (o.Gave("table")) s.SetStr(dsSQLTableName, o.Table);
    if (o.Gave("create-table")) s.SetBool(dsSQLCreateTable, true);
    if (o.Gave("commit-every")) s.SetInt(dsSQLCommitRecCount, o.CommitEvery);
    if (o.Gave("commit-at-end")) s.SetBool(dsSQLCommitAfterScript, true);
    if (o.Gave("commit-statement")) s.SetStr(dsSQLCommitStatement, o.CommitStatement);
    if (o.Gave("statement-term")) s.SetStr(dsSQLStatementTerm, o.StatementTerm);
    if (o.Gave("html-template")) s.ChooseHTMLTemplate(o.HtmlTemplate, e.HTMLExp);
    if (o.Gave("html-external-css")) s.SetInt(dsHTMLUsingCSS, usExternal);
    // The page count first: without pages there is no index.
    if (o.Gave("html-page-rows")) s.SetInt(dsHTMLFileRecCount, o.HtmlPageRows);
    if (o.Gave("html-index")) s.SetBool(dsHTMLGenerateIndex, true);
    if (o.Gave("title") && s.Int(dsExportType) == aeHTML) s.SetStr(dsHTMLTitle, o.Title);
    if (o.Gave("landscape")) s.SetInt(dsRTFPageOrientation, poLandscape);
    if (o.Gave("sheet-title")) s.SetStr(dsXLSSheetTitle, o.SheetTitle);
    if (o.Gave("page-header")) s.SetStr(dsXLSPageHeader, o.PageHeader);
    if (o.Gave("page-footer")) s.SetStr(dsXLSPageFooter, o.PageFooter);
    if (o.Gave("aggregate")) SetAggregates(s.XLSFormats(), o.Aggregates);
}

void OverrideExporter(TIB_Ostrel& exporter, const TOstrelDialogSettings& s, const TIB_OstrelDialog& component,
                      const TCliOptions& o) {
    const int type = s.Int(dsExportType);
    if (auto* file = dynamic_cast<TIB_OstrelText*>(&exporter)) {
        file->SetShowFile(false);
        file->SetPrintFile(false);
    }

    const TCaptionsGridLayout layout = CaptionsGridLayout(type);
    if (o.Gave("width") && layout.WidthCol < 0)
        for (const std::string& line : o.Widths) {
            const auto [name, width] = Keyed(line);
            exporter.CommonSettings().ColumnsWidth.SetValue(ColumnName(component, name), Trim(width));
        }
    if (o.Gave("align") && layout.AlignCol < 0)
        for (const std::string& line : o.Aligns) {
            const auto [name, align] = Keyed(line);
            exporter.CommonSettings().ColumnsAlign.SetValue(ColumnName(component, name), UpperCase(align));
        }

    if (auto* ascii = dynamic_cast<TIB_OstrelASCII*>(&exporter)) {
        if (o.Gave("formula-guard")) ascii->SetCSVFormulaGuard(true);
        if (o.Gave("no-row-limit")) ascii->SetRowLimit(0);
        if (o.Gave("title")) ascii->SetTitle(o.Title);
    }
    if (auto* clip = dynamic_cast<TIB_OstrelClipboard*>(&exporter)) {
        if (o.Gave("clipboard-fixed")) clip->SetExportType(etFixed);
        if (o.Gave("separator") && !o.Separator.empty()) clip->SetSeparator(o.Separator[0]);
        if (o.Gave("spacing")) clip->SetSpacing(o.Spacing);
        if (o.Gave("title")) clip->SetTitle(o.Title);
    }
    if (auto* latex = dynamic_cast<TIB_OstrelLaTeX*>(&exporter)) {
        TLaTeXOptions& l = latex->Options();
        if (o.Gave("latex209")) l.SetLaTeXVersion(LaTeX209);
        if (o.Gave("latex-class")) l.SetDocumentStyle(o.LatexClass == "book" ? dsBook : dsArticle);
        if (o.Gave("latex-params")) l.SetDocumentParams(o.LatexParams);
        if (o.Gave("latex-languages")) l.SetLanguages(o.LatexLanguages);
        if (o.Gave("latex-codepage")) l.SetCodePage(o.LatexCodePage);
    }
    if (auto* xls = dynamic_cast<TIB_OstrelXLS*>(&exporter); xls && o.Gave("start-col")) {
        // The command line takes the columns of an XLSX worksheet.
        if (o.StartCol > 255) throw EOstrelError("--start-col: an XLS worksheet has 256 columns (0 to 255)");
        xls->SetStartDataCol(o.StartCol);
    }
}

}  // namespace ostrel::cli
