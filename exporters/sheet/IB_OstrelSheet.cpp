#include "exporters/sheet/IB_OstrelSheet.h"

#include "exporters/sheet/XlsNumberFormat.h"
#include "platform/Errors.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

// The tab-separated fields of a header or footer line; text after the last tab is no field.
std::vector<std::string_view> FieldsOfLine(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) break;
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

}  // namespace

TIB_OstrelSheet::TIB_OstrelSheet(TComponent* AOwner, int maxRows, int maxColumns, int startColMask)
    : TIB_OstrelFormatText(AOwner), FMaxRows(maxRows), FMaxColumns(maxColumns), FStartColMask(startColMask),
      FDataRowEnd(maxRows) {}

void TIB_OstrelSheet::BeginExport() {
    TIB_OstrelFormatText::BeginExport();
    ResetSheet();
    FPlans.clear();
    FFieldStyles.clear();
    FSheetRow = 0;
    FRowsLeftOut = 0;
    // Checked before anything is written: a column past the last one would wrap around.
    if (FStartDataCol < 0)
        throw EOstrelError(FormatMessage("The first data column cannot be %d", std::to_string(FStartDataCol)));
    const int columnCount = SheetColumnCount();
    if (columnCount > FMaxColumns) {
        const std::string message =
            FormatMessage("A worksheet has at most %d columns; the export needs %d", std::to_string(FMaxColumns));
        throw EOstrelError(FormatMessage(message, std::to_string(columnCount)));
    }
    for (int i = 0; i < Columns().Count(); ++i) PrepareColumnFormat(i);
    BeginSheet();
    WriteTextBlock(Header(), FHeaderRows, FOptions.HeaderFormat, OnGetHeaderParams);
    FDataRowEnd = FMaxRows - TrailingRows();
}

int TIB_OstrelSheet::TrailingRows() {
    bool aggregates = static_cast<bool>(OnGetAggregateParams);
    for (const TColumnPlan& plan : FPlans) aggregates |= plan.FieldFormat && plan.FieldFormat->Aggregate != aggNone;
    return (aggregates ? 1 : 0) + (FFooterRows ? FFooterRows : Footer().Count());
}

void TIB_OstrelSheet::PrepareColumnFormat(int i) {
    const TOstrelColumn& c = Columns()[i];
    // The column's pattern (its UserFormats line, else its type's), as the code that shows the
    // values as the engine's text does; on other columns a pattern is already such a code, and
    // none means General, as an empty format text does for the data event.
    std::string formatText;
    switch (c.ColType) {
        case ectInteger:
        case ectFloat:
        case ectCurrency: formatText = XlsNumberFormat(c.Format, TXlsValueKind::Number); break;
        case ectDate: formatText = XlsNumberFormat(c.Format, TXlsValueKind::Date); break;
        case ectTime:
        case ectDateTime: formatText = XlsNumberFormat(c.Format, TXlsValueKind::DateTime); break;
        default: formatText = c.Format.empty() ? "General" : c.Format; break;
    }
    TColumnPlan plan;
    plan.FieldFormat = FFieldFormats.Find(c.Name);
    const TCellStyle style = CellStyle(formatText, plan.FieldFormat);
    auto find = [&]() -> const TFieldStyle* {
        for (const TFieldStyle& f : FFieldStyles)
            if (SameText(f.FieldName, c.Name)) return &f;
        return nullptr;
    };
    // Columns of one name share the style of the first (whose style is not the default).
    if (style != DefaultStyle() && !find()) FFieldStyles.push_back({c.Name, style, formatText});
    if (const TFieldStyle* f = find()) {
        plan.Style = f->Style;
        plan.NumberFormat = f->NumberFormat;
    } else {
        plan.Style = DefaultStyle();
    }
    FPlans.push_back(std::move(plan));
}

void TIB_OstrelSheet::WriteTextCell(int row, int col, TCellStyle style, const std::string& text) {
    if (!text.empty()) PutText(row, col, style, text);
}

void TIB_OstrelSheet::WriteTextBlock(const TStrings& lines, int rowCount, TxlsFormat& format,
                                     const TGetHeaderFooterParamsEvent& event) {
    const int n = rowCount ? rowCount : lines.Count();
    for (int k = 0; k < n && FSheetRow < FMaxRows; ++k) {
        std::string line = k < lines.Count() ? lines[k] : std::string();
        if (!line.empty() && line.back() != '\t') line += '\t';
        const std::vector<std::string_view> fields = FieldsOfLine(line);
        // Without an event only the line's fields can give cells; with one, every column.
        const int columns = event ? FMaxColumns : std::min<int>(FMaxColumns, static_cast<int>(fields.size()));
        for (int c = 0; c < columns; ++c) {
            std::string s = c < static_cast<int>(fields.size()) ? std::string(fields[c]) : std::string();
            if (event) event(this, c, FSheetRow, format, s);
            if (!s.empty()) WriteTextCell(FSheetRow, c, CellStyle("General", &format), s);
        }
        ++FSheetRow;
    }
}

void TIB_OstrelSheet::WriteBeforeDataCells() {
    if (!OnGetBeforeDataParams) return;
    for (int c = 0; c < FStartDataCol; ++c) {
        TxlsFormat f;
        f.Assign(FOptions.DataFormat);
        std::string s;
        OnGetBeforeDataParams(this, c, FSheetRow, f, s);
        if (!s.empty()) WriteTextCell(FSheetRow, c, CellStyle("General", &f), s);
    }
}

void TIB_OstrelSheet::WriteCaptionRow() {
    if (FSheetRow >= FMaxRows) return;
    WriteBeforeDataCells();
    for (int i = 0; i < Columns().Count(); ++i) {
        TxlsFormat f;
        f.Assign(FOptions.CaptionsFormat);
        std::string t = GetColCaption(i);
        if (OnGetCaptionParams) OnGetCaptionParams(this, FStartDataCol + i, f, t);
        if (t.empty()) continue;
        const TCellStyle style = f.IsDefault() ? DefaultStyle() : CellStyle("General", &f);
        WriteTextCell(FSheetRow, FStartDataCol + i, style, t);
    }
    ++FSheetRow;
}

TIB_OstrelSheet::TCellStyle TIB_OstrelSheet::GetDataStyle(int i) {
    const TColumnPlan& plan = FPlans[i];
    if (!OnGetDataParams) return plan.Style;
    TxlsFormat f;
    f.Assign(plan.FieldFormat ? static_cast<const TxlsFormat&>(*plan.FieldFormat) : FOptions.DataFormat);
    std::string formatText = "General";
    OnGetDataParams(this, FStartDataCol + i, FSheetRow, f, formatText);
    if (formatText.empty()) formatText = "General";
    if (formatText == "General") formatText = plan.NumberFormat;
    if (formatText == "General" && f.IsDefault()) return plan.Style;
    return CellStyle(formatText, &f);
}

bool TIB_OstrelSheet::IsEndOfData() {
    return TIB_OstrelFormatText::IsEndOfData() || FSheetRow >= FDataRowEnd;
}

void TIB_OstrelSheet::WriteDataRow() {
    WriteBeforeDataCells();
    const int row = FSheetRow;
    const std::string& nullString = Formats().NullString();
    for (int i = 0; i < Columns().Count(); ++i) {
        const TOstrelColumn& c = Columns()[i];
        const int col = FStartDataCol + i;
        const std::string t = GetColData(i, false);
        const TCellStyle style = GetDataStyle(i);
        if (!nullString.empty() && t == nullString) {
            WriteTextCell(row, col, style, t);
            continue;
        }
        switch (c.ColType) {
            case ectInteger:
            case ectFloat:
            case ectCurrency:
                if (t.empty()) PutEmptyValue(row, col, style, c.ColType);
                else PutNumber(row, col, style, StrToFloat(t));
                break;
            case ectDate:
            case ectTime:
            case ectDateTime:
                if (t.empty()) PutEmptyValue(row, col, style, c.ColType);
                else PutNumber(row, col, style, StrToDateTime(t));
                break;
            case ectString: WriteTextCell(row, col, style, t); break;
            case ectBoolean:
                if (t.empty()) PutEmptyValue(row, col, style, c.ColType);
                else PutBoolean(row, col, style, SameText(t, Formats().BooleanTrue()));
                break;
            case ectUnknown: break;
        }
    }
    ++FSheetRow;
}

void TIB_OstrelSheet::AfterExport() {
    // Rows past the worksheet's last one, counted so that the caller can tell the user.
    if (!FAborted && FSheetRow >= FDataRowEnd) FRowsLeftOut = CountRowsLeft();
    TIB_OstrelFormatText::AfterExport();
}

int TIB_OstrelSheet::FirstDataRow() {
    int h = 0;
    if (!Header().Empty()) {
        h = Header().Count();
        if (FHeaderRows != 0 && FHeaderRows < h) h = FHeaderRows;
    }
    return AllowCaptions() ? h + 1 : h;
}

void TIB_OstrelSheet::EndExport() {
    if (FSheetRow < FMaxRows) {
        WriteBeforeDataCells();
        bool written = false;
        for (int i = 0; i < Columns().Count(); ++i) {
            const TColumnPlan& plan = FPlans[i];
            const int col = FStartDataCol + i;
            const TxlsFieldFormat* g = plan.FieldFormat;
            TxlsFormat f;
            f.Assign(FOptions.AggregateFormat);
            std::string value;
            if (g && g->Aggregate != aggNone) {
                std::string formatText = plan.NumberFormat;
                if (OnGetAggregateParams) OnGetAggregateParams(this, col, f, formatText, value);
                if (formatText.empty() || formatText == "General") formatText = plan.NumberFormat;
                TCellStyle style =
                    formatText == "General" && f.IsDefault() ? DefaultStyle() : CellStyle(formatText, &f);
                if (style == DefaultStyle()) style = plan.Style;
                PutAggregate(FSheetRow, col, style, g->Aggregate, FirstDataRow(), FSheetRow - 1);
                written = true;
            } else if (OnGetAggregateParams) {
                std::string formatText = "General";
                OnGetAggregateParams(this, col, f, formatText, value);
                if (!value.empty()) {
                    WriteTextCell(FSheetRow, col, CellStyle("General", &f), value);
                    written = true;
                }
            }
        }
        if (written) ++FSheetRow;
    }
    WriteTextBlock(Footer(), FFooterRows, FOptions.FooterFormat, OnGetFooterParams);
    CompleteSheet();
    ResetSheet();
    FPlans.clear();
    FFieldStyles.clear();
    TIB_OstrelFormatText::EndExport();
}

}  // namespace ostrel
