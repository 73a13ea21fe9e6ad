// JSON documents: an array of objects, one per row (RFC 8259), or JSON Lines, one object per
// line. Always UTF-8 without a byte order mark; lines end with LF.
//
// - Keys are the columns' names, or their captions with CaptionsAsKeys. A key that an earlier
//   column already has gets "_2", "_3", ... (the first that no column has as its own key), so
//   that no value is lost to a reader that keeps one of two equal keys. Keys are compared as a
//   reader sees them, after the conversion below.
// - Values are typed by their column. Numbers are written from their decimal digits, never
//   through a binary float: BIGINT and NUMERIC values keep every digit, DOUBLE PRECISION values
//   the 15 significant digits the engine reads them with. Plain from 1E-6 to below 1E21, with an
//   exponent outside; float columns always show a point ("652230.0") and currency columns four
//   decimals ("363.0000"), so that each column reads as one kind of number. A non-finite float,
//   which JSON has no number for, is the string of its text ("NAN", "INF", "-INF").
//   Booleans are true and false, NULL is null, dates, times and timestamps are ISO 8601 strings
//   ("2024-07-02", "15:13:00", "2024-07-02T15:13:00", with ".zzz" only when there are
//   milliseconds); any other type is a string. Display patterns and NullString do not apply;
//   of Formats only the Boolean texts count, as the texts that read as Booleans.
// - List views and string grids give strings; a column that AutoCalcStrType typed gives values
//   of its type read from the text in the locale's conventions, and null for an empty text.
// - Strings escape the quote, the backslash, the control characters U+0000..U+001F (\b \f \n \r
//   \t, the others as \u00XX), and U+0085, U+2028 and U+2029, which end lines to readers that
//   split at every Unicode line end (U+2028 and U+2029 also in JavaScript). Text of the process
//   code page is converted to UTF-8; a byte that is no part of a valid UTF-8 sequence becomes
//   U+FFFD.
// - OnGetExportText sees the text a value is written from: a number's JSON text, the ISO text of
//   a date, "true" or "false", a string's text, an empty text for NULL. A text the handler leaves
//   alone is written as the typed value. A changed text is written as a string, except in an
//   integer, float or currency column when it is a JSON number by the grammar of RFC 8259 (no
//   blanks): then it is that number, as the handler wrote it.
// - An empty source, or a run that writes no rows, gives "[]" and a line end (an empty file as
//   JSON Lines). A stopped run still ends the array.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/IB_Ostrel.h"

namespace ostrel {

enum TJSONLayout : int {
    jlArray = 0,  // [ {...}, {...} ]
    jlLines = 1   // one object per line
};

class TIB_OstrelJSON : public TIB_OstrelText {
public:
    using TIB_OstrelText::TIB_OstrelText;
    // Captions for keys (CaptionsAsKeys), and the Boolean texts of list views and string grids.
    using TIB_Ostrel::Captions;
    using TIB_Ostrel::Formats;
    using TIB_Ostrel::SetCaptions;
    using TIB_Ostrel::SetFormats;

    TJSONLayout Layout() const { return FLayout; }
    void SetLayout(TJSONLayout value) { FLayout = value; }
    bool CaptionsAsKeys() const { return FCaptionsAsKeys; }
    void SetCaptionsAsKeys(bool value) { FCaptionsAsKeys = value; }

    // The keys of the last run, one per column in order, in the process code page: a column's
    // name or caption, with the suffix that made it unique.
    const std::vector<std::string>& Keys() const { return FKeys; }

protected:
    void BeginExport() override;
    void AfterExport() override;
    void EndExport() override;
    // The key of a column as a JSON string.
    std::string GetColCaption(int Index) override;
    // One row's object.
    std::string GetDataRow(bool Formatted) override;
    void WriteDataRow() override;
    // One value as JSON text.
    std::string GetColData(int Index, bool Formatted) override;
    TCharSet GetSpecialChars() override;
    // The text escaped for the inside of a JSON string, in UTF-8.
    std::string ReplaceSpecialChars(const std::string& Text) override;
    bool WritesEmptySource() const override { return true; }
    // As the engine tells it, with the dataset's columns looked up once per run.
    bool IsNullValue(int Index) override;

private:
    // jvIso: ASCII text without characters to escape, written in quotes.
    enum TValueKind { jvNull, jvNumber, jvString, jvIso, jvTrue, jvFalse };
    // Appends the text a value is written from (nothing for NULL), and tells how it is written.
    TValueKind ValueText(int Index, std::string& text);
    TValueKind TextOfNumber(int Index, std::string& text);
    TValueKind TextOfDateTime(int Index, std::string& text);
    TValueKind TextOfBoolean(int Index, std::string& text);
    void AppendOfKind(std::string& out, TValueKind kind, const std::string& text);
    void AppendValue(std::string& out, int Index);
    void AppendObject(std::string& out);
    void MakeKeys();
    void CloseDocument();

    TJSONLayout FLayout = jlArray;
    bool FCaptionsAsKeys = false;
    std::vector<std::string> FKeys;
    std::vector<std::string> FKeyTexts;  // the keys as JSON strings
    std::vector<std::string> FMembers;  // per column: ',' but for the first, the key and ':'
    std::vector<const TIB_Column*> FDatasetColumns;
    int FCodePage = 0;
    std::string FRow, FValue;  // reused by every row of a run
    int64_t FRowsWritten = 0;
    bool FDocumentOpen = false;
};

// Appends text of the code page as a JSON string (quotes included), in UTF-8.
void AppendJsonString(std::string& out, std::string_view text, int codePage);
// Appends a decimal as a JSON number with every digit: plain from 1E-6 to below 1E21 (where
// JavaScript writes numbers plain), with at least minDecimals digits after the point, padded
// with zeros; with "E" and an exponent outside.
void AppendJsonNumber(std::string& out, const TDecimal& value, int minDecimals = 0);
// Whether a text is a JSON number in the grammar of RFC 8259, whole.
bool IsJsonNumber(std::string_view text);

}  // namespace ostrel
