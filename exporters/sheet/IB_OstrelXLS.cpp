#include "exporters/sheet/IB_OstrelXLS.h"
#include "exporters/sheet/XlsNumberFormat.h"
#include "platform/OutputFiles.h"

#include "platform/Errors.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

// The c-th tab-separated field of a header or footer line.
std::string FieldOfLine(std::string_view line, int c) {
    size_t start = 0;
    for (int k = 0; k < c; ++k) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) return {};
        start = tab + 1;
    }
    const size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) return {};  // text after the last tab is no field
    return std::string(line.substr(start, tab - start));
}

}  // namespace

TIB_OstrelXLS::TIB_OstrelXLS(TComponent* AOwner) : TIB_OstrelFormatText(AOwner) {}

void TIB_OstrelXLS::DoExecute() {
    TOutputFiles files;
    TFileStream& file = files.Create(FileName());
    std::unique_ptr<TOstrelWriter> writer = RunWith(std::make_unique<TOXLSWriter>(*this, file));
    static_cast<TOXLSWriter&>(*writer).Flush();
    writer.reset();
    files.Commit();
    ShowResult();
}

void TIB_OstrelXLS::ResetFormatLists() {
    FRegistry.Reset();
    FRun.Reset();
    FPlans.clear();
}

uint16_t TIB_OstrelXLS::GetXFIndex(const std::string& formatText, const TxlsFormat* format) {
    return FRegistry.GetXFIndex(formatText, format, FOptions.DataFormat.Font);
}

void TIB_OstrelXLS::BeginExport() {
    TIB_OstrelFormatText::BeginExport();
    ResetFormatLists();
    FRowsLeftOut = 0;
    // Checked before anything is written: a column past the last one would wrap around.
    const int columnCount = Columns().Count() + FStartDataCol;
    if (columnCount > kMaxColumns)
        throw EOstrelError(FormatMessage("A worksheet has at most 256 columns; the export needs %d",
                                         std::to_string(columnCount)));
    Xls().WriteGlobals();
    for (int i = 0; i < Columns().Count(); ++i) PrepareColumnFormat(i);
    FRun.ColumnCount = columnCount;
    Xls().WriteSheetHeader();
    WriteTextBlock(Header(), FHeaderRows, FOptions.HeaderFormat, OnGetHeaderParams);
    FDataRowEnd = kMaxRows - TrailingRows();
}

int TIB_OstrelXLS::TrailingRows() {
    bool aggregates = static_cast<bool>(OnGetAggregateParams);
    for (const TColumnPlan& plan : FPlans) aggregates |= plan.FieldFormat && plan.FieldFormat->Aggregate != aggNone;
    return (aggregates ? 1 : 0) + (FFooterRows ? FFooterRows : Footer().Count());
}

void TIB_OstrelXLS::PrepareColumnFormat(int i) {
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
    const uint16_t x = GetXFIndex(formatText, plan.FieldFormat);
    if (x != TxlsFormatRegistry::kDefaultXF && FRegistry.IndexOfField(c.Name) < 0)
        FRegistry.FieldXFormats.push_back({c.Name, FRegistry.XFormats[FRegistry.IndexOfIndex(x)].get()});
    plan.XF = FRegistry.XFIndexOf(c.Name);
    plan.NumberFormat = FRegistry.NumberFormatOf(plan.XF);
    FPlans.push_back(std::move(plan));
}

void TIB_OstrelXLS::WriteTextCell(int row, int col, uint16_t xf, const std::string& text) {
    if (text.empty()) return;
    // Checked before the text enters the shared strings, whose lengths are 16-bit.
    TOXLSWriter::CheckLabelLength(row, col, text);
    Xls().WriteLabel(row, col, xf, AddSSTString(text), text);
}

void TIB_OstrelXLS::WriteTextBlock(const TStrings& lines, int rowCount, TxlsFormat& format,
                                   const TGetHeaderFooterParamsEvent& event) {
    const int n = rowCount ? rowCount : lines.Count();
    for (int k = 0; k < n && FRun.CurrentRow < kMaxRows; ++k) {
        std::string line = k < lines.Count() ? lines[k] : std::string();
        if (!line.empty() && line.back() != '\t') line += '\t';
        for (int c = 0; c < kMaxColumns; ++c) {
            std::string s = FieldOfLine(line, c);
            if (event) event(this, c, FRun.CurrentRow, format, s);
            if (!s.empty()) WriteTextCell(FRun.CurrentRow, c, GetXFIndex("General", &format), s);
        }
        ++FRun.CurrentRow;
    }
}

void TIB_OstrelXLS::WriteBeforeDataCells() {
    if (!OnGetBeforeDataParams) return;
    for (int c = 0; c < FStartDataCol; ++c) {
        TxlsFormat f;
        f.Assign(FOptions.DataFormat);
        std::string s;
        OnGetBeforeDataParams(this, c, FRun.CurrentRow, f, s);
        if (!s.empty()) WriteTextCell(FRun.CurrentRow, c, GetXFIndex("General", &f), s);
    }
}

void TIB_OstrelXLS::WriteCaptionRow() {
    if (FRun.CurrentRow >= kMaxRows) return;
    WriteBeforeDataCells();
    for (int i = 0; i < Columns().Count(); ++i) {
        TxlsFormat f;
        f.Assign(FOptions.CaptionsFormat);
        std::string t = GetColCaption(i);
        if (OnGetCaptionParams) OnGetCaptionParams(this, FStartDataCol + i, f, t);
        if (t.empty()) continue;
        const uint16_t x = f.IsDefault() ? TxlsFormatRegistry::kDefaultXF : GetXFIndex("General", &f);
        WriteTextCell(FRun.CurrentRow, FStartDataCol + i, x, t);
    }
    ++FRun.CurrentRow;
}

uint16_t TIB_OstrelXLS::GetDataXF(int i) {
    const TColumnPlan& plan = FPlans[i];
    if (!OnGetDataParams) return plan.XF;
    TxlsFormat f;
    f.Assign(plan.FieldFormat ? static_cast<const TxlsFormat&>(*plan.FieldFormat) : FOptions.DataFormat);
    std::string formatText = "General";
    OnGetDataParams(this, FStartDataCol + i, FRun.CurrentRow, f, formatText);
    if (formatText.empty()) formatText = "General";
    if (formatText == "General") formatText = plan.NumberFormat;
    if (formatText == "General" && f.IsDefault()) return plan.XF;
    return GetXFIndex(formatText, &f);
}

bool TIB_OstrelXLS::IsEndOfData() {
    return TIB_OstrelFormatText::IsEndOfData() || FRun.CurrentRow >= FDataRowEnd;
}

void TIB_OstrelXLS::WriteDataRow() {
    WriteBeforeDataCells();
    const int row = FRun.CurrentRow;
    const std::string& nullString = Formats().NullString();
    for (int i = 0; i < Columns().Count(); ++i) {
        const TOstrelColumn& c = Columns()[i];
        const int col = FStartDataCol + i;
        const std::string t = GetColData(i, false);
        const uint16_t x = GetDataXF(i);
        if (!nullString.empty() && t == nullString) {
            WriteTextCell(row, col, x, t);
            continue;
        }
        switch (c.ColType) {
            case ectInteger:
            case ectFloat:
            case ectCurrency: Xls().WriteNumber(row, col, x, t.empty() ? 0.0 : StrToFloat(t)); break;
            case ectDate:
            case ectTime:
            case ectDateTime: Xls().WriteNumber(row, col, x, t.empty() ? 0.0 : StrToDateTime(t)); break;
            case ectString: WriteTextCell(row, col, x, t); break;
            case ectBoolean: Xls().WriteBoolean(row, col, x, SameText(t, Formats().BooleanTrue())); break;
            case ectUnknown: break;
        }
    }
    ++FRun.CurrentRow;
}

void TIB_OstrelXLS::AfterExport() {
    // Rows past the worksheet's last one, counted so that the caller can tell the user.
    if (!FAborted && FRun.CurrentRow >= FDataRowEnd) FRowsLeftOut = CountRowsLeft();
    TIB_OstrelFormatText::AfterExport();
}

int TIB_OstrelXLS::FirstDataRow() {
    int h = 0;
    if (!Header().Empty()) {
        h = Header().Count();
        if (FHeaderRows != 0 && FHeaderRows < h) h = FHeaderRows;
    }
    return AllowCaptions() ? h + 1 : h;
}

void TIB_OstrelXLS::EndExport() {
    if (FRun.CurrentRow < kMaxRows) {
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
                uint16_t x = formatText == "General" && f.IsDefault() ? TxlsFormatRegistry::kDefaultXF
                                                                       : GetXFIndex(formatText, &f);
                if (x == TxlsFormatRegistry::kDefaultXF) x = plan.XF;
                Xls().WriteAggregate(FRun.CurrentRow, col, x, g->Aggregate, FirstDataRow(), FRun.CurrentRow - 1);
                written = true;
            } else if (OnGetAggregateParams) {
                std::string formatText = "General";
                OnGetAggregateParams(this, col, f, formatText, value);
                if (!value.empty()) {
                    WriteTextCell(FRun.CurrentRow, col, GetXFIndex("General", &f), value);
                    written = true;
                }
            }
        }
        if (written) ++FRun.CurrentRow;
    }
    WriteTextBlock(Footer(), FFooterRows, FOptions.FooterFormat, OnGetFooterParams);
    Xls().CompleteWorkbook();
    ResetFormatLists();
    TIB_OstrelFormatText::EndExport();
}

}  // namespace ostrel
