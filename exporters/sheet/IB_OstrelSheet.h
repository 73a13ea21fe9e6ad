// The worksheet layout that the XLS and XLSX exporters share: which row and column the header
// block, the captions, the data, the aggregate row and the footer block take, which style each
// cell gets and what typed value it holds. A workbook format adds only its cell sink: the style
// handles it registers and the cells it stores.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/IB_Ostrel.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"

namespace ostrel {

// FormatText in these events is a number-format code of the workbook, written as it is; the
// column's own pattern reaches them already translated (XlsNumberFormat.h).
using TGetHeaderFooterParamsEvent =
    std::function<void(TObject* Sender, int Col, int Row, TxlsFormat& Format, std::string& S)>;
using TGetCaptionParamsEvent =
    std::function<void(TObject* Sender, int Col, TxlsFormat& Format, std::string& Caption)>;
using TGetDataParamsEvent =
    std::function<void(TObject* Sender, int Col, int Row, TxlsFormat& Format, std::string& FormatText)>;
using TGetAggregateParamsEvent = std::function<void(TObject* Sender, int Col, TxlsFormat& Format,
                                                    std::string& FormatText, std::string& Value)>;

class TIB_OstrelSheet : public TIB_OstrelFormatText {
public:
    using TIB_Ostrel::ColumnsWidth;
    using TIB_Ostrel::SetColumnsWidth;
    TXLSOptions& Options() { return FOptions; }
    const TXLSOptions& Options() const { return FOptions; }
    void SetOptions(const TXLSOptions& value) { FOptions.Assign(value); }
    TxlsFieldFormats& FieldFormats() { return FFieldFormats; }
    void SetFieldFormats(const TxlsFieldFormats& value) { FFieldFormats.Assign(value); }
    int HeaderRows() const { return FHeaderRows; }
    void SetHeaderRows(int value) { FHeaderRows = static_cast<uint16_t>(value); }
    int StartDataCol() const { return FStartDataCol; }
    void SetStartDataCol(int value) { FStartDataCol = value & FStartColMask; }
    int FooterRows() const { return FFooterRows; }
    void SetFooterRows(int value) { FFooterRows = static_cast<uint16_t>(value); }

    TGetHeaderFooterParamsEvent OnGetHeaderParams;
    TGetCaptionParamsEvent OnGetCaptionParams;
    TGetHeaderFooterParamsEvent OnGetBeforeDataParams;
    TGetDataParamsEvent OnGetDataParams;
    TGetAggregateParamsEvent OnGetAggregateParams;
    TGetHeaderFooterParamsEvent OnGetFooterParams;

    // The worksheet's size in the format.
    int MaxRows() const { return FMaxRows; }
    int MaxColumns() const { return FMaxColumns; }
    // Data rows the worksheet had no room for in the last run.
    int64_t RowsLeftOut() const { return FRowsLeftOut; }

protected:
    // StartDataCol keeps the bits of startColMask (the XLS exporter's byte), all when it is -1.
    TIB_OstrelSheet(TComponent* AOwner, int maxRows, int maxColumns, int startColMask);
    bool HandlesRows() const override {
        return TIB_OstrelFormatText::HandlesRows() || OnGetDataParams || OnGetAggregateParams;
    }

    // ---- the cell sink of a workbook format
    // A style handle of the sink: a number format code and a cell style registered together.
    using TCellStyle = uint32_t;
    // The style of cells that name none: General with the data format's font.
    virtual TCellStyle DefaultStyle() const = 0;
    // Registers what is new; a format of nullptr is the default style with the number format.
    virtual TCellStyle CellStyle(const std::string& numberFormat, const TxlsFormat* format) = 0;
    // Before the first cell, when the column styles are known.
    virtual void BeginSheet() = 0;
    // A text that is not empty.
    virtual void PutText(int row, int col, TCellStyle style, const std::string& text) = 0;
    virtual void PutNumber(int row, int col, TCellStyle style, double value) = 0;
    virtual void PutBoolean(int row, int col, TCellStyle style, bool value) = 0;
    // A number, date or Boolean column's empty value (a NULL when NullString is empty).
    virtual void PutEmptyValue(int row, int col, TCellStyle style, TOstrelColType type) = 0;
    virtual void PutAggregate(int row, int col, TCellStyle style, TxlsAggregate aggregate, int firstRow,
                              int lastRow) = 0;
    // After the last cell, also when the run failed.
    virtual void CompleteSheet() = 0;
    // Drops the run's styles and strings.
    virtual void ResetSheet() {}

    // ---- the layout
    void BeginExport() override;
    void AfterExport() override;
    void EndExport() override;
    bool IsEndOfData() override;
    void WriteCaptionRow() override;
    void WriteDataRow() override;

    // The row the next cells go to; equal to the rows written once the run ended.
    int SheetRow() const { return FSheetRow; }
    // Sheet columns in use: export columns after StartDataCol.
    int SheetColumnCount() const { return Columns().Count() + FStartDataCol; }
    // The first row of the aggregates' ranges.
    int FirstDataRow();

private:
    // What each export column needs per cell, fixed when its format is prepared.
    struct TColumnPlan {
        TCellStyle Style = 0;
        std::string NumberFormat = "General";
        const TxlsFieldFormat* FieldFormat = nullptr;
    };
    // The style prepared for a field name (the first column of a name sets it).
    struct TFieldStyle {
        std::string FieldName;
        TCellStyle Style = 0;
        std::string NumberFormat;
    };
    void PrepareColumnFormat(int i);
    TCellStyle GetDataStyle(int i);
    void WriteTextCell(int row, int col, TCellStyle style, const std::string& text);
    void WriteTextBlock(const TStrings& lines, int rowCount, TxlsFormat& format,
                        const TGetHeaderFooterParamsEvent& event);
    void WriteBeforeDataCells();
    int TrailingRows();

    TXLSOptions FOptions;
    TxlsFieldFormats FFieldFormats{this, &FOptions.DataFormat};
    uint16_t FHeaderRows = 0;
    int FStartDataCol = 0;
    uint16_t FFooterRows = 0;

    const int FMaxRows, FMaxColumns, FStartColMask;
    std::vector<TColumnPlan> FPlans;
    std::vector<TFieldStyle> FFieldStyles;
    int FSheetRow = 0;
    int FDataRowEnd = 0;  // the first row data may no longer take
    int64_t FRowsLeftOut = 0;
};

}  // namespace ostrel
