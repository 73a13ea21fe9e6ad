#include "dialog/DialogExportCopy.h"

#include <stdexcept>

namespace ostrel {
namespace {

// The rows of "Exported fields:", or of "Available fields:" while nothing is exported.
const std::vector<TFieldRow>& ChosenFieldRows(const TOstrelDialogSettings& s) {
    const TOstrelDialogFieldLists& fields = s.Fields();
    return fields.Rows(fields.Count(flExported) > 0 ? flExported : flAvailable);
}

void CopyExcel(TOstrelDialogSettings& s, TIB_OstrelXLS& xls) {
    TXLSOptions& o = xls.Options();
    o.PageHeader = s.Str(dsXLSPageHeader);
    o.PageFooter = s.Str(dsXLSPageFooter);
    o.SetSheetTitle(s.Str(dsXLSSheetTitle));
    const TOstrelXLSFormatList& list = s.XLSFormats();
    o.HeaderFormat.Assign(list.FixedFormat(xfeHeader));
    o.CaptionsFormat.Assign(list.FixedFormat(xfeCaption));
    o.AggregateFormat.Assign(list.FixedFormat(xfeAggregate));
    o.FooterFormat.Assign(list.FixedFormat(xfeFooter));

    TxlsFieldFormats& formats = xls.FieldFormats();
    formats.Clear();
    for (const TFieldRow& row : ChosenFieldRows(s)) {
        for (int i = 0; i < list.Count(); ++i) {
            const TXLSFormatEntry& entry = list.Entry(i);
            if (entry.Fixed || !SameText(entry.Text, row.Text)) continue;
            TxlsFieldFormat* f = formats.Add();
            f->FieldName = entry.Text;
            f->Assign(*entry.Format);
        }
    }
}

void CopyHTML(const TOstrelDialogSettings& s, TIB_OstrelHTML& html) {
    html.SetTitle(s.Str(dsHTMLTitle));
    html.SetUsingCSS(static_cast<TUsingCSS>(s.Int(dsHTMLUsingCSS)));
    html.SetCSSFileName(s.Str(dsHTMLCSSFileName));
    html.SetMaxRecords(s.Int(dsHTMLFileRecCount));
    html.SetGenerateIndex(s.Bool(dsHTMLGenerateIndex));
    THTMLOptions& page = html.HTMLOptions();
    page.TextFont.Name = s.Str(dsHTMLFontName);
    page.BackgroundFileName = s.Str(dsHTMLBackground);
    page.AdvancedAttributes.SetText(s.Str(dsHTMLBodyAdvanced));
    TTableOptions& table = html.TableOptions();
    table.CellPadding = s.Int(dsHTMLCellPadding);
    table.CellSpacing = s.Int(dsHTMLCellSpacing);
    table.Border = s.Int(dsHTMLBorderWidth);
    table.AdvancedAttributes.SetText(s.Str(dsHTMLTableAdvanced));
    s.CopyColoursToExporter(html);
}

void CopySQL(const TOstrelDialogSettings& s, TIB_OstrelSQL& sql) {
    const std::string& table = s.Str(dsSQLTableName);
    // A name made from a file name is quoted where it is no plain identifier: a blank or a
    // semicolon in a file name must not break the script or end its statement.
    sql.SetTableName(table.empty() ? SqlIdentifier(TableNameOfFile(s.Str(dsFileName))) : table);
    sql.SetCreateTable(s.Bool(dsSQLCreateTable));
    sql.SetCommitRecCount(s.Int(dsSQLCommitRecCount));
    sql.SetCommitAfterScript(s.Bool(dsSQLCommitAfterScript));
    sql.SetCommitStatement(s.Str(dsSQLCommitStatement));
    // The exporter ends statements with one character; an empty setting keeps its own.
    const std::string& term = s.Str(dsSQLStatementTerm);
    if (!term.empty()) sql.SetStatementTerm(term[0]);
}

void CopyTypeSettings(TOstrelDialogSettings& s, TOstrelDialogExporters& e, int exportType) {
    switch (exportType) {
        case aeXLS: CopyExcel(s, e.XLSExp); break;
        case aeWord:
        case aeRTF:
            e.RTFExp.Options().PageOrientation = static_cast<TOstrelPageOrientation>(s.Int(dsRTFPageOrientation));
            break;
        case aeHTML: CopyHTML(s, e.HTMLExp); break;
        case aeXML:
            e.XMLExp.Options().SetStandAlone(s.Bool(dsXMLStandalone));
            e.XMLExp.Options().SetEncoding(s.Str(dsXMLEncoding));
            break;
        case aeTXT:
            e.ASCIIExp.SetExportType(etTXT);
            e.ASCIIExp.SetAutoCalcColWidth(s.Bool(dsTXTAutoCalcColWidth));
            e.ASCIIExp.SetTXTSpacing(s.Int(dsTXTSpacing));
            break;
        case aeCSV:
            e.ASCIIExp.SetExportType(etCSV);
            e.ASCIIExp.SetCSVQuoteStrings(s.Bool(dsCSVQuoteStrings));
            e.ASCIIExp.SetCSVComma(static_cast<char>(s.Int(dsCSVComma)));
            break;
        case aeDIFF: e.ASCIIExp.SetExportType(etDIF); break;
        case aeSylk: e.ASCIIExp.SetExportType(etSYLK); break;
        case aeSQL: CopySQL(s, e.SQLExp); break;
        default: break;
    }
}

// The exporter's own column list leaves out large objects and row keys, which it cannot write;
// the dialog's list keeps them, so "everything" is narrowed here.
void CopyExportedFields(const TOstrelDialogSettings& s, const TIB_OstrelDialog& component, TIB_Ostrel& ex) {
    TStrings& fields = ex.ExportedFields();
    fields.Clear();
    const TOstrelDialogFieldLists& lists = s.Fields();
    if (lists.Count(flExported) > 0) {
        for (const TFieldRow& row : lists.Rows(flExported)) fields.Add(row.Text);
        return;
    }
    for (const TFieldRow& row : lists.Rows(flAvailable)) {
        if (component.DialogColumns().IsBlobColumn(row.Text) || SameText(row.Text, "DB_KEY")) continue;
        fields.Add(row.Text);
    }
}

void CopyFormats(const TOstrelDialogSettings& s, TIB_Ostrel& ex) {
    TOstrelFormats& f = ex.CommonSettings().Formats;
    f.SetIntegerFormat(s.Str(dsIntegerFormat));
    f.SetFloatFormat(s.Str(dsFloatFormat));
    f.SetDateFormat(s.Str(dsDateFormat));
    f.SetTimeFormat(s.Str(dsTimeFormat));
    f.SetDateTimeFormat(s.Str(dsDateTimeFormat));
    f.SetCurrencyFormat(s.Str(dsCurrencyFormat));
    f.SetBooleanTrue(s.Str(dsBooleanTrue));
    f.SetBooleanFalse(s.Str(dsBooleanFalse));
    f.SetNullString(s.Str(dsNullString));
}

// Widths and alignments are merged, not replaced: entries of fields the grid does not list stay.
void CopyCaptionsGrid(TOstrelDialogSettings& s, TIB_Ostrel& ex, int exportType) {
    const TCaptionsGridLayout layout = CaptionsGridLayout(exportType);
    const TOstrelCaptionsGrid& grid = s.CaptionsGrid();
    TStrings& captions = ex.CommonSettings().Captions;
    captions.Clear();
    for (int row = 0; row < grid.RowCount(); ++row) {
        const std::string& name = grid.Cell(0, row);
        const std::string& caption = grid.Cell(1, row);
        if (caption != name) captions.Add(name + "=" + caption);
        if (layout.AlignCol >= 0) ex.CommonSettings().ColumnsAlign.SetValue(name, grid.Cell(layout.AlignCol, row));
        if (layout.WidthCol >= 0) ex.CommonSettings().ColumnsWidth.SetValue(name, grid.Cell(layout.WidthCol, row));
    }
}

void CopyCommonSettings(TOstrelDialogSettings& s, const TIB_OstrelDialog& component, TIB_Ostrel& ex,
                        int exportType) {
    // The dialog's column list already honoured OnlyVisibleFields, so it is not passed on.
    ex.SetAutoCalcStrType(component.AutoCalcStrType());
    ex.SetGoToFirstRecord(s.Bool(dsGoToFirstRecord));
    ex.SetExportRecCount(s.Int(dsExportRecCount));
    ex.SetSkipRecCount(s.Int(dsSkipRecCount));
    ex.CommonSettings().Header.Assign(s.HeaderLines());
    ex.CommonSettings().Footer.Assign(s.FooterLines());
    CopyExportedFields(s, component, ex);
    CopyFormats(s, ex);
    TStrings& userFormats = ex.CommonSettings().UserFormats;
    userFormats.Clear();
    for (const TUserFormatRow& row : s.UserFormats().Rows()) userFormats.SetValue(row.Field, row.Format);
    ex.SetExportSource(component.ExportSource());
    ex.SetDataSet(component.DataSet());
    ex.SetListView(component.ListView());
    ex.SetIBGrid(component.IBGrid());
    ex.SetStringGrid(component.StringGrid());
    if (auto* file = dynamic_cast<TIB_OstrelText*>(&ex)) {
        file->SetFileName(s.Str(dsFileName));
        file->SetShowFile(s.Bool(dsShowFile));
        file->SetPrintFile(s.Bool(dsPrintFile));
    }
    // The other exporters write captions by their own setting.
    if (auto* formatted = dynamic_cast<TIB_OstrelFormatText*>(&ex)) formatted->SetAllowCaptions(s.Bool(dsAllowCaptions));
    CopyCaptionsGrid(s, ex, exportType);
}

}  // namespace

TIB_Ostrel& ExporterOfType(TOstrelDialogExporters& e, int exportType) {
    switch (exportType) {
        case aeXLS: return e.XLSExp;
        case aeWord:
        case aeRTF: return e.RTFExp;
        case aeHTML: return e.HTMLExp;
        case aeXML: return e.XMLExp;
        case aeDBF: return e.DBFExp;
        case aeTXT:
        case aeCSV:
        case aeDIFF:
        case aeSylk: return e.ASCIIExp;
        case aeLaTeX: return e.LaTeXExp;
        case aeSQL: return e.SQLExp;
        case aeClipboard: return e.ClipExp;
        default: throw std::out_of_range("no export type " + std::to_string(exportType));
    }
}

std::string TableNameOfFile(const std::string& fileName) {
    const size_t slash = fileName.find_last_of("\\/");
    std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return UpperCase(name);
}

TIB_Ostrel& CopySettingsToExporter(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                                   const TIB_OstrelDialog& component, int exportType) {
    TIB_Ostrel& exporter = ExporterOfType(exporters, exportType);
    CopyTypeSettings(settings, exporters, exportType);
    CopyCommonSettings(settings, component, exporter, exportType);
    return exporter;
}

}  // namespace ostrel
