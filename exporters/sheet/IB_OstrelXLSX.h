// Office Open XML workbooks (.xlsx): the XLS exporter's settings, events and layout
// (IB_OstrelSheet.h) on a worksheet of 1,048,576 rows and 16,384 columns, written with
// libxlsxwriter in its constant-memory mode, one row at a time.
//
// - Numbers, dates and times are number cells with the number-format codes of XlsNumberFormat.h;
//   Booleans are Boolean cells. The empty value of a number, date or Boolean column (a NULL when
//   NullString is empty) is a blank cell with the column's style, where an XLS workbook holds 0
//   or FALSE; an empty text writes no cell, as there.
// - Texts are string cells, never formulas ("=1+1" stays a text). They are turned from the
//   process code page into UTF-8; a byte that is no UTF-8 becomes U+FFFD, as the XLS writer
//   reads it. What XML cannot hold is written in the format's escape _xHHHH_: control
//   characters (NUL included) other than tab and line feed, a carriage return, U+FFFE and
//   U+FFFF, and the underscore that starts a text looking like such an escape (_x005F_).
// - A text over 32,767 characters (UTF-16 units; escapes counted as the library counts them)
//   fails the run with "Cell R%d,C%d: String length more than 32767 characters".
// - The sheet title is cut to 31 characters; a title a workbook cannot have (characters
//   [ ] : * ? / \ or a control character, an apostrophe at either end) fails the run before
//   anything is written. Page header and footer are cut to 255 characters, control characters
//   becoming blanks; text before any section code gets the code of the centre (&C), where
//   it shows anyway. Number formats over 255 characters fail the run, as in XLS.
// - Aggregates are formulas (SUM, AVERAGE, MIN, MAX) that readers compute on load.
// - The file is written by the library into the run's temporary file (TOutputFiles), so the
//   final name appears only when the run succeeded.
#pragma once

#include <memory>
#include <string>

#include "exporters/sheet/IB_OstrelSheet.h"

namespace ostrel {

class TXlsxBook;

class TIB_OstrelXLSX : public TIB_OstrelSheet {
public:
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxColumns = 16384;
    static constexpr int kMaxTextLength = 32767;

    explicit TIB_OstrelXLSX(TComponent* AOwner = nullptr);
    ~TIB_OstrelXLSX() override;

    void DoExecute() override;

protected:
    TCellStyle DefaultStyle() const override { return 0; }
    TCellStyle CellStyle(const std::string& numberFormat, const TxlsFormat* format) override;
    void BeginSheet() override;
    void PutText(int row, int col, TCellStyle style, const std::string& text) override;
    void PutNumber(int row, int col, TCellStyle style, double value) override;
    void PutBoolean(int row, int col, TCellStyle style, bool value) override;
    void PutEmptyValue(int row, int col, TCellStyle style, TOstrelColType type) override;
    void PutAggregate(int row, int col, TCellStyle style, TxlsAggregate aggregate, int firstRow,
                      int lastRow) override;
    void CompleteSheet() override;
    void ResetSheet() override;

private:
    TXlsxBook& Book();
};

// The text of a string cell: UTF-8 from the process code page, with the format's escapes
// (exposed for tests).
std::string XlsxCellText(std::string_view text);

}  // namespace ostrel
