// Workbooks with typed cells: numbers, dates and Booleans as values with number formats,
// texts as shared strings, header and footer blocks, captions and a row of live aggregates.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/IB_Ostrel.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"
#include "exporters/sheet/IB_OstrelXLSWriter.h"

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

class TIB_OstrelXLS : public TIB_OstrelFormatText {
public:
    // A worksheet has 65,536 rows and 256 columns.
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;

    explicit TIB_OstrelXLS(TComponent* AOwner = nullptr);

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
    void SetStartDataCol(int value) { FStartDataCol = static_cast<uint8_t>(value); }
    int FooterRows() const { return FFooterRows; }
    void SetFooterRows(int value) { FFooterRows = static_cast<uint16_t>(value); }

    TGetHeaderFooterParamsEvent OnGetHeaderParams;
    TGetCaptionParamsEvent OnGetCaptionParams;
    TGetHeaderFooterParamsEvent OnGetBeforeDataParams;
    TGetDataParamsEvent OnGetDataParams;
    TGetAggregateParamsEvent OnGetAggregateParams;
    TGetHeaderFooterParamsEvent OnGetFooterParams;

    void DoExecute() override;

    // Run state, read by the workbook writer.
    TxlsRunState& RunState() { return FRun; }
    const TxlsFormatRegistry& Registry() const { return FRegistry; }
    // Data rows the worksheet had no room for in the last run.
    int64_t RowsLeftOut() const { return FRowsLeftOut; }

protected:
    void BeginExport() override;
    void AfterExport() override;
    void EndExport() override;
    bool IsEndOfData() override;
    void WriteCaptionRow() override;
    void WriteDataRow() override;

    void ResetFormatLists();
    uint16_t GetXFIndex(const std::string& formatText, const TxlsFormat* format);
    uint32_t AddSSTString(std::string_view text) { return FRun.AddSSTString(text); }
    void PrepareColumnFormat(int i);
    uint16_t GetDataXF(int i);
    void WriteTextBlock(const TStrings& lines, int rowCount, TxlsFormat& format,
                        const TGetHeaderFooterParamsEvent& event);
    void WriteBeforeDataCells();
    int FirstDataRow();
    void WriteTextCell(int row, int col, uint16_t xf, const std::string& text);

private:
    TOXLSWriter& Xls() { return static_cast<TOXLSWriter&>(*Writer()); }
    // What each export column needs per cell, fixed when its format is prepared.
    struct TColumnPlan {
        uint16_t XF = TxlsFormatRegistry::kDefaultXF;
        std::string NumberFormat = "General";
        const TxlsFieldFormat* FieldFormat = nullptr;
    };
    int TrailingRows();

    TXLSOptions FOptions;
    TxlsFieldFormats FFieldFormats{this, &FOptions.DataFormat};
    uint16_t FHeaderRows = 0;
    uint8_t FStartDataCol = 0;
    uint16_t FFooterRows = 0;

    TxlsFormatRegistry FRegistry;
    TxlsRunState FRun;
    std::vector<TColumnPlan> FPlans;
    int FDataRowEnd = kMaxRows;  // the first row data may no longer take
    int64_t FRowsLeftOut = 0;
};

}  // namespace ostrel
