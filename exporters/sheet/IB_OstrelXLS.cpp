#include "exporters/sheet/IB_OstrelXLS.h"

#include "platform/OutputFiles.h"

namespace ostrel {

TIB_OstrelXLS::TIB_OstrelXLS(TComponent* AOwner) : TIB_OstrelSheet(AOwner, kMaxRows, kMaxColumns, 0xFF) {}

void TIB_OstrelXLS::DoExecute() {
    TOutputFiles files;
    TFileStream& file = files.Create(FileName());
    std::unique_ptr<TOstrelWriter> writer = RunWith(std::make_unique<TOXLSWriter>(*this, file));
    static_cast<TOXLSWriter&>(*writer).Flush();
    writer.reset();
    files.Commit();
    ShowResult();
}

void TIB_OstrelXLS::ResetSheet() {
    FRegistry.Reset();
    FRun.Reset();
}

TIB_OstrelSheet::TCellStyle TIB_OstrelXLS::CellStyle(const std::string& numberFormat, const TxlsFormat* format) {
    return FRegistry.GetXFIndex(numberFormat, format, Options().DataFormat.Font);
}

void TIB_OstrelXLS::BeginSheet() {
    Xls().WriteGlobals();
    FRun.ColumnCount = SheetColumnCount();
    Xls().WriteSheetHeader();
}

void TIB_OstrelXLS::PutText(int row, int col, TCellStyle style, const std::string& text) {
    // Checked before the text enters the shared strings, whose lengths are 16-bit.
    TOXLSWriter::CheckLabelLength(row, col, text);
    Xls().WriteLabel(row, col, XF(style), FRun.AddSSTString(text), text);
}

void TIB_OstrelXLS::PutNumber(int row, int col, TCellStyle style, double value) {
    Xls().WriteNumber(row, col, XF(style), value);
}

void TIB_OstrelXLS::PutBoolean(int row, int col, TCellStyle style, bool value) {
    Xls().WriteBoolean(row, col, XF(style), value);
}

void TIB_OstrelXLS::PutEmptyValue(int row, int col, TCellStyle style, TOstrelColType type) {
    if (type == ectBoolean) PutBoolean(row, col, style, false);
    else PutNumber(row, col, style, 0.0);
}

void TIB_OstrelXLS::PutAggregate(int row, int col, TCellStyle style, TxlsAggregate aggregate, int firstRow,
                                 int lastRow) {
    Xls().WriteAggregate(row, col, XF(style), aggregate, firstRow, lastRow);
}

void TIB_OstrelXLS::CompleteSheet() {
    FRun.CurrentRow = SheetRow();
    Xls().CompleteWorkbook();
}

}  // namespace ostrel
