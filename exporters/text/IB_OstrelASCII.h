// Plain-text exporter: fixed-width text, CSV, DIF and SYLK.
//
// No value ends a DIF or SYLK record early:
// - SYLK: ";" is doubled; a line break (CR LF, CR or LF) is written as the format's line-feed
//   escape ESC " :" (bytes 1B 20 3A), which readers turn back into a line break (LF). A value
//   that itself holds ESC " :" therefore reads back with a line break in its place.
// - DIF: '"' is doubled; a line break is written as CR LF inside the quoted string, which
//   readers join back with a line break (LF). A line of such a value that readers would take
//   for the start of the next value (a sign or digit first and a comma later, as in "1,0",
//   "-1,0" or "0,5", and not the value's last line) is joined to the line before it with a
//   blank instead of a line break.
// - In both, a NUL character, which ends the text for readers, is written as U+FFFD ("?" in a
//   single-byte code page).
// CSV cells are quoted and may span lines. With CSVFormulaGuard on, a text cell (a string value
// or a caption) that starts with "=", "+", "-", "@", tab or CR gets a leading apostrophe inside
// its quotes, so that spreadsheets show it as text rather than run it as a formula.
#pragma once

#include <cstdint>

#include "engine/IB_Ostrel.h"
#include "platform/ShortCopy.h"

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
    // CSV: an apostrophe in front of texts that would read as formulas (off by default).
    bool CSVFormulaGuard() const { return FCSVFormulaGuard; }
    void SetCSVFormulaGuard(bool value) { FCSVFormulaGuard = value; }
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
    void AppendWidthText(std::string& out, int Index) override;
    std::string ReplaceSpecialChars(const std::string& Text) override;
    void AppendSpecialChars(std::string& out, std::string_view Text) override;
    void EscapeAppended(std::string& out, size_t start) override;
    void DoFetchedRecord(int RecNo);

private:
    bool HasRowLimit() const { return FExportType != etTXT && FRowLimit > 0; }
    bool BaseEndOfData() { return TIB_OstrelFormatText::IsEndOfData(); }
    // The DIF row count pre-pass; false when it was stopped.
    bool CountDIFRows();
    void AppendDIFValue(std::string& out, int Index, bool Formatted);
    void AppendSYLKCell(std::string& out, int Index, int row, std::string& text, bool read);
    // A data row built in one buffer, value by value.
    void AppendFastRow();
    // A value of a TXT or SYLK fast row: its formatted text, not escaped.
    void AppendKeptValue(std::string& out, int Index);
    // A text in CSV's quotes; guardText: a string value or caption, which the formula guard
    // applies to.
    void AppendCSVText(std::string& out, std::string_view text, bool guardText) const;
    // EscapeAppended for CSV.
    void EscapeCSVAppended(std::string& out, size_t start, bool guardText);
    // A number or date that TCSVEscape::Target opened with a quote and that is empty or holds
    // a quote: the opening quote taken back, the text escaped as EscapeCSVAppended does.
    void EscapeFormattedCSV(std::string& out, size_t start);
    // CSV's escaping of a fast row's values (AppendCellWith): in place, no virtual call.
    struct TCSVEscape {
        TIB_OstrelASCII& Exporter;
        // Numbers and dates (not string values) are written after the opening quote: they
        // seldom need more than the two quotes.
        // In line (the row template is too large for the compiler to choose so).
        [[gnu::always_inline]] std::string& Target(std::string& out) {
            if (Exporter.FCSVQuoteStrings) AppendChar(out, '"');
            return out;
        }
        [[gnu::always_inline]] void Formatted(std::string& out, size_t start) {
            if (out.size() != start && !HoldsByte(std::string_view(out).substr(start), '"')) {
                if (Exporter.FCSVQuoteStrings) AppendChar(out, '"');
                return;
            }
            Exporter.EscapeFormattedCSV(out, start);
        }
        void Text(std::string& out, std::string_view text) {
            if (text.empty()) out += text;
            else Exporter.AppendCSVText(out, text, true);
        }
    };

    TOstrelASCIIType FExportType = etTXT;
    char FCSVComma;
    bool FCSVQuoteStrings = true;
    bool FCSVFormulaGuard = false;
    bool FGuardText = false;  // the text being escaped is a string value or a caption
    int FTXTSpacing = 1;
    int FRowLimit = kRowLimit;
    int FDIFRowCount = 0;
    int64_t FRowsLeftOut = 0;
    std::string FRow;    // the row being built on the fast path
    std::string FValue;  // one value's text
};

}  // namespace ostrel
