// Workbooks with typed cells: numbers, dates and Booleans as values with number formats,
// texts as shared strings, header and footer blocks, captions and a row of live aggregates.
// The layout is the worksheet exporters' (IB_OstrelSheet.h); this is its BIFF8 cell sink.
#pragma once

#include <memory>
#include <string>

#include "exporters/sheet/IB_OstrelSheet.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"
#include "exporters/sheet/IB_OstrelXLSWriter.h"

namespace ostrel {

class TIB_OstrelXLS : public TIB_OstrelSheet {
public:
    // A worksheet has 65,536 rows and 256 columns.
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;

    explicit TIB_OstrelXLS(TComponent* AOwner = nullptr);

    void DoExecute() override;

    // Run state, read by the workbook writer.
    TxlsRunState& RunState() { return FRun; }
    const TxlsFormatRegistry& Registry() const { return FRegistry; }

protected:
    TCellStyle DefaultStyle() const override { return TxlsFormatRegistry::kDefaultXF; }
    TCellStyle CellStyle(const std::string& numberFormat, const TxlsFormat* format) override;
    void BeginSheet() override;
    void PutText(int row, int col, TCellStyle style, const std::string& text) override;
    void PutNumber(int row, int col, TCellStyle style, double value) override;
    void PutBoolean(int row, int col, TCellStyle style, bool value) override;
    // A NULL is the number 0 or FALSE, as workbooks of this format have always held it.
    void PutEmptyValue(int row, int col, TCellStyle style, TOstrelColType type) override;
    void PutAggregate(int row, int col, TCellStyle style, TxlsAggregate aggregate, int firstRow,
                      int lastRow) override;
    void CompleteSheet() override;
    void ResetSheet() override;

private:
    TOXLSWriter& Xls() { return static_cast<TOXLSWriter&>(*Writer()); }
    static uint16_t XF(TCellStyle style) { return static_cast<uint16_t>(style); }

    TxlsFormatRegistry FRegistry;
    TxlsRunState FRun;
};

}  // namespace ostrel
