// Plain-text exporter: fixed-width text, CSV, DIF and SYLK.
#pragma once

#include <cstdint>

#include "engine/IB_Ostrel.h"

namespace ostrel {

enum TOstrelASCIIType : int { etTXT = 0, etCSV = 1, etDIF = 2, etSYLK = 3 };

class TIB_OstrelASCII : public TIB_OstrelFormatText {
public:
    // CSV, DIF and SYLK end once this many rows have been passed, the row count older
    // spreadsheets hold.
    static constexpr int kRowLimit = 65536;

    explicit TIB_OstrelASCII(TComponent* AOwner = nullptr);

    TOstrelASCIIType ExportType() const { return FExportType; }
    // Switching to TXT turns the width pre-pass on.
    void SetExportType(TOstrelASCIIType value);
    char CSVComma() const { return FCSVComma; }
    void SetCSVComma(char value) { FCSVComma = value; }
    bool CSVQuoteStrings() const { return FCSVQuoteStrings; }
    void SetCSVQuoteStrings(bool value) { FCSVQuoteStrings = value; }
    int TXTSpacing() const { return FTXTSpacing; }
    void SetTXTSpacing(int value) { FTXTSpacing = value; }
    using TIB_Ostrel::AutoCalcColWidth;
    using TIB_Ostrel::ColumnsAlign;
    using TIB_Ostrel::ColumnsWidth;
    using TIB_Ostrel::OnFetchedRecord;
    using TIB_Ostrel::SetAutoCalcColWidth;
    using TIB_Ostrel::SetColumnsAlign;
    using TIB_Ostrel::SetColumnsWidth;
    // Unpublished but written by TXT and DIF.
    using TIB_Ostrel::SetTitle;
    using TIB_Ostrel::Title;

    // The row limit of CSV, DIF and SYLK: kRowLimit unless changed; 0 or less lifts it, for
    // readers without the limit.
    int RowLimit() const { return FRowLimit; }
    void SetRowLimit(int value) { FRowLimit = value; }

    // The number of rows the last run left out because of the row limit (0 when none), so
    // that callers can warn about an incomplete file.
    int64_t RowsLeftOut() const { return FRowsLeftOut; }
    // The DIF row count of the last run's pre-pass.
    int DIFRowCount() const { return FDIFRowCount; }

protected:
    void BeginExport() override;
    void AfterExport() override;
    void EndExport() override;
    bool IsEndOfData() override;
    std::string GetCaptionRow() override;
    void WriteCaptionRow() override;
    std::string GetDataRow(bool Formatted) override;
    void WriteDataRow() override;
    std::string GetColCaption(int Index) override;
    std::string GetColData(int Index, bool Formatted) override;
    std::string ReplaceSpecialChars(const std::string& Text) override;
    void DoFetchedRecord(int RecNo);

private:
    bool HasRowLimit() const { return FExportType != etTXT && FRowLimit > 0; }
    bool BaseEndOfData() { return TIB_OstrelFormatText::IsEndOfData(); }
    // The DIF row count pre-pass; false when it was stopped.
    bool CountDIFRows();
    std::string DIFTuple(int Index, bool Formatted);
    std::string SYLKCell(int Index, int row, const std::string& text) const;

    TOstrelASCIIType FExportType = etTXT;
    char FCSVComma;
    bool FCSVQuoteStrings = true;
    int FTXTSpacing = 1;
    int FRowLimit = kRowLimit;
    int FDIFRowCount = 0;
    int64_t FRowsLeftOut = 0;
};

}  // namespace ostrel
