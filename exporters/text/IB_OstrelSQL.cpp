#include "exporters/text/IB_OstrelSQL.h"

#include <algorithm>
#include <cstdio>

#include "platform/CodePage.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

// The words Firebird and SQLite reserve, in order: as names they must be quoted.
constexpr const char* kReservedWords[] = {
    "ABORT", "ACTION", "ADD", "ADMIN", "AFTER", "ALL", "ALTER", "ANALYZE", "AND", "ANY", "AS",
    "ASC", "AT", "ATTACH", "AUTOINCREMENT", "AVG", "BEFORE", "BEGIN", "BETWEEN", "BIGINT",
    "BIT_LENGTH", "BLOB", "BOOLEAN", "BOTH", "BY", "CASCADE", "CASE", "CAST", "CHAR", "CHARACTER",
    "CHARACTER_LENGTH", "CHAR_LENGTH", "CHECK", "CLOSE", "COLLATE", "COLUMN", "COMMIT", "CONFLICT",
    "CONNECT", "CONSTRAINT", "CORR", "COUNT", "COVAR_POP", "COVAR_SAMP", "CREATE", "CROSS",
    "CURRENT", "CURRENT_CONNECTION", "CURRENT_DATE", "CURRENT_ROLE", "CURRENT_TIME",
    "CURRENT_TIMESTAMP", "CURRENT_TRANSACTION", "CURRENT_USER", "CURSOR", "DATABASE", "DATE", "DAY",
    "DEC", "DECIMAL", "DECLARE", "DEFAULT", "DEFERRABLE", "DEFERRED", "DELETE", "DELETING", "DESC",
    "DETACH", "DETERMINISTIC", "DISCONNECT", "DISTINCT", "DO", "DOUBLE", "DROP", "EACH", "ELSE",
    "END", "ESCAPE", "EXCEPT", "EXCLUSIVE", "EXECUTE", "EXISTS", "EXPLAIN", "EXTERNAL", "EXTRACT",
    "FAIL", "FALSE", "FETCH", "FILTER", "FLOAT", "FOR", "FOREIGN", "FROM", "FULL", "FUNCTION",
    "GDSCODE", "GLOB", "GLOBAL", "GRANT", "GROUP", "HAVING", "HOUR", "IF", "IGNORE", "IMMEDIATE",
    "IN", "INDEX", "INDEXED", "INITIALLY", "INNER", "INSENSITIVE", "INSERT", "INSERTING", "INSTEAD",
    "INT", "INTEGER", "INTERSECT", "INTO", "IS", "ISNULL", "JOIN", "KEY", "LEADING", "LEFT", "LIKE",
    "LIMIT", "LONG", "LOWER", "MATCH", "MAX", "MERGE", "MIN", "MINUTE", "MONTH", "NATIONAL",
    "NATURAL", "NCHAR", "NO", "NOT", "NOTNULL", "NULL", "NUMERIC", "OCTET_LENGTH", "OF", "OFFSET",
    "ON", "ONLY", "OPEN", "OR", "ORDER", "OUTER", "OVER", "PARAMETER", "PLAN", "POSITION",
    "POST_EVENT", "PRAGMA", "PRECISION", "PRIMARY", "PROCEDURE", "QUERY", "RAISE", "REAL",
    "RECORD_VERSION", "RECREATE", "RECURSIVE", "REFERENCES", "REGEXP", "REINDEX", "RELEASE",
    "RENAME", "REPLACE", "RESTRICT", "RETURN", "RETURNING_VALUES", "RETURNS", "REVOKE", "RIGHT",
    "ROLLBACK", "ROW", "ROWS", "ROW_COUNT", "SAVEPOINT", "SCROLL", "SECOND", "SELECT", "SENSITIVE",
    "SET", "SIMILAR", "SMALLINT", "SOME", "SQLCODE", "SQLSTATE", "START", "STDDEV_POP",
    "STDDEV_SAMP", "SUM", "TABLE", "TEMP", "TEMPORARY", "THEN", "TIME", "TIMESTAMP", "TO",
    "TRAILING", "TRANSACTION", "TRIGGER", "TRIM", "TRUE", "UNION", "UNIQUE", "UNKNOWN", "UPDATE",
    "UPDATING", "UPPER", "USER", "USING", "VACUUM", "VALUE", "VALUES", "VARCHAR", "VARIABLE",
    "VARYING", "VAR_POP", "VAR_SAMP", "VIEW", "VIRTUAL", "WHEN", "WHERE", "WHILE", "WINDOW", "WITH",
    "WITHOUT", "YEAR",
};

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Letters, digits, "_" and "$", starting with a letter, ASCII only: such a name reads the same
// in every database and needs no quotes unless the database reserves it.
bool IsPlainIdentifier(const std::string& name) {
    if (name.empty() || !IsAsciiLetter(name[0])) return false;
    for (char c : name)
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '_' && c != '$') return false;
    const std::string upper = UpperCase(name);
    return !std::binary_search(std::begin(kReservedWords), std::end(kReservedWords), upper,
                               [](const auto& a, const auto& b) { return std::string_view(a) < std::string_view(b); });
}

// Date and time literals in the ISO forms that Firebird and SQLite read whatever the locale.
void AppendIsoLiteral(std::string& out, TOstrelColType type, TDateTime value) {
    AppendIsoDateTime(out, value, type != ectTime, type != ectDate, ' ', '\'');
}

// SqlString's literal appended to out.
void AppendSqlString(std::string& out, std::string_view text) {
    const size_t start = out.size();
    AppendQuotedDoubling(out, text, '\'');
    if (!HoldsByte(text, '\r')) return;
    // Script runners read line by line and drop the CR of a CR LF, also inside a literal; a
    // literal that ends after the CR, joined to one that starts with the LF, keeps both.
    for (size_t at = out.find("\r\n", start); at != std::string::npos; at = out.find("\r\n", at + 8))
        out.replace(at, 2, "\r' || '\n");
}

// Whether a Boolean column's text reads as true ("true" in any case, blanks around it).
bool IsTrueText(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    // ASCII case folding: only T, R, U and E fold onto the letters of "true" (as tolower
    // folds them in any locale).
    if (e - b != 4) return false;
    char folded[4];
    for (size_t i = 0; i < 4; ++i) folded[i] = static_cast<char>(text[b + i] | 0x20);
    return std::string_view(folded, 4) == "true";
}

}  // namespace

std::string SqlIdentifier(const std::string& name) {
    return IsPlainIdentifier(name) ? name : QuotedDoubling(name, '"');
}

std::string SqlString(const std::string& text) {
    std::string out;
    AppendSqlString(out, text);
    return out;
}

void TIB_OstrelSQL::BeginExport() {
    TIB_OstrelAdvancedText::BeginExport();
    NoteOwnClass<TIB_OstrelSQL>();
    // Names and the NULL text go into the script as they are: a NUL would end them early too.
    auto refuseNul = [](const std::string& text, const std::string& what) {
        if (text.find('\0') != std::string::npos)
            throw EOstrelError(what + ": a NUL character cannot be written in an SQL script");
    };
    refuseNul(FTableName, "The table name");
    refuseNul(Formats().NullString(), "The NULL text");
    for (int i = 0; i < Columns().Count(); ++i)
        refuseNul(Columns()[i].Name, "Column " + std::to_string(i + 1) + "'s name");
    TOstrelWriter& w = *Writer();
    for (const auto& line : Header()) w.WriteLn(line);
    if (FCreateTable && !FTableName.empty()) {
        SizeTextColumns();
        // The table name is the caller's SQL text, written as given (quotes included).
        w.WriteLn("CREATE TABLE " + FTableName + "(");
        for (int i = 0; i < Columns().Count(); ++i) {
            const TOstrelColumn& c = Columns()[i];
            std::string line = "  " + SqlIdentifier(c.Name) + "  " + c.SQLType;
            if (i + 1 < Columns().Count()) w.WriteLn(line + ",");
            else w.Write(line);
        }
        w.WriteLn(");");
        w.EmptyLine();
    }
    FFieldList.clear();
    for (int i = 0; i < Columns().Count(); ++i) FFieldList += SqlIdentifier(Columns()[i].Name) + ",";
    if (!FFieldList.empty()) FFieldList.pop_back();
    FRowPrefix = "INSERT INTO " + FTableName + "\r\n  (" + FFieldList + ")\r\nVALUES(";
}

void TIB_OstrelSQL::SizeTextColumns() {
    if (ExportSource() != esListView && ExportSource() != esStringGrid) return;
    std::vector<size_t> longest(Columns().Count(), 1);
    RestoringPosition([&] {
        MoveFirst();
        while (!IsEndOfData()) {
            for (int i = 0; i < Columns().Count(); ++i)
                longest[i] = std::max(longest[i], CharLength(SourceText(Columns()[i])));
            MoveNext();
        }
    });
    for (int i = 0; i < Columns().Count(); ++i) {
        TOstrelColumn& c = Columns()[i];
        if (c.ColType == ectString)
            c.SQLType = "CHAR(" + std::to_string(std::max<size_t>(longest[i], c.Width)) + ")";
    }
}

void TIB_OstrelSQL::EndExport() {
    if (FCommitAfterScript && !FCommitStatement.empty()) Writer()->WriteLn(FCommitStatement);
    for (const auto& line : Footer()) Writer()->WriteLn(line);
    TIB_OstrelAdvancedText::EndExport();
}

// The statement after its head: the values, the closing bracket and the terminator.
std::string TIB_OstrelSQL::ValuesTail(bool Formatted) {
    std::string values = TIB_OstrelAdvancedText::GetDataRow(Formatted);
    CloseValues(values, 0);
    return values;
}

// The last value's comma becomes the closing bracket (or the bracket follows the head).
void TIB_OstrelSQL::CloseValues(std::string& row, size_t valuesStart) const {
    if (row.size() > valuesStart) row.back() = ')';
    else row += ')';
    row += FStatementTerm;
}

std::string TIB_OstrelSQL::GetDataRow(bool Formatted) { return FRowPrefix + ValuesTail(Formatted); }

void TIB_OstrelSQL::WriteDataRow() {
    const int written = RecordCounter();
    if (FastRows<TIB_OstrelSQL>()) {
        // GetDataRow's text and a blank line, built in one buffer.
        FRow = FRowPrefix;
        for (int i = 0; i < Columns().Count(); ++i) {
            if (!AppendReadLiteral(FRow, i)) AppendSteppedLiteral(FRow, i, true);
            FRow += ',';
        }
        CloseValues(FRow, FRowPrefix.size());
        FRow += "\r\n\r\n";
        Writer()->Write(FRow);
    } else {
        // GetDataRow's text and a blank line, written in two pieces rather than assembled first.
        Writer()->Write(FRowPrefix);
        Writer()->Write(ValuesTail(false) += "\r\n\r\n");
    }
    if (FCommitRecCount > 0 && written % FCommitRecCount == 0 && !FCommitStatement.empty()) {
        Writer()->WriteLn(FCommitStatement);
        Writer()->EmptyLine();
    }
}

std::string TIB_OstrelSQL::GetColData(int Index, bool) {
    std::string literal;
    AppendSqlLiteral(literal, Index, false);
    return literal += ',';
}

// The literal of a value read in one step, as the steps below write it; false when the value
// takes them.
bool TIB_OstrelSQL::AppendReadLiteral(std::string& out, int Index) {
    TCellValue value;
    const TOstrelColType type = Columns()[Index].ColType;
    const bool number = type == ectInteger || type == ectFloat || type == ectCurrency;
    switch (ReadSourceCell(Index, value)) {
        case ckNull: {
            const std::string& null = Formats().NullString();
            out += null.empty() ? "NULL" : null;
            return true;
        }
        case ckInteger:
            // Longer whole numbers may take the general form's exponent.
            if (!number || value.Integer <= -1000000000000000 || value.Integer >= 1000000000000000) return false;
            AppendInteger(out, value.Integer);
            return true;
        case ckFloat:
            if (!number) return false;
            AppendGeneralForm(out, value.Float, '.');
            return true;
        case ckDateTime:
            if (type != ectDate && type != ectTime && type != ectDateTime) return false;
            if (value.Split) AppendIsoDateTime(out, value.Moment, type != ectTime, type != ectDate, ' ', '\'');
            else AppendIsoLiteral(out, type, value.Float);
            return true;
        case ckText:
            if (HoldsByte(value.Text, '\0')) return false;
            if (type == ectBoolean) {
                out += IsTrueText(value.Text) ? Formats().BooleanTrue() : Formats().BooleanFalse();
                return true;
            }
            if (type != ectString) return false;
            AppendSqlString(out, value.Text);
            return true;
        default: return false;
    }
}

// The literal of a value; `inPlace` reads its text without the virtual steps (fast rows only).
void TIB_OstrelSQL::AppendSqlLiteral(std::string& out, int Index, bool inPlace) {
    if (!(inPlace && AppendReadLiteral(out, Index))) AppendSteppedLiteral(out, Index, inPlace);
}

void TIB_OstrelSQL::AppendSteppedLiteral(std::string& out, int Index, bool inPlace) {
    if (IsNullValue(Index)) {
        // An empty NULL text would leave a gap between two commas.
        const std::string& null = Formats().NullString();
        out += null.empty() ? "NULL" : null;
        return;
    }
    const TOstrelColType type = Columns()[Index].ColType;
    // Typed dataset values need no trip through text, unless an event wants to see the text.
    if (const TIB_Column* column = OnGetExportText ? nullptr : DatasetColumn(Index)) {
        TDecimal number;
        TDateTime moment;
        if ((type == ectInteger || type == ectFloat || type == ectCurrency) && column->GetDecimal(number)) {
            out += GeneralForm(number, '.');
            return;
        }
        if ((type == ectDate || type == ectTime || type == ectDateTime) && column->GetDateTime(moment)) {
            AppendIsoLiteral(out, type, moment);
            return;
        }
    }
    std::string copy;
    const std::string_view raw =
        inPlace ? SourceTextView(Columns()[Index]) : std::string_view(copy = TIB_OstrelAdvancedText::GetColData(Index, false));
    // Readers end a literal at a NUL character and run the rest of the value as SQL, and no
    // literal syntax of SQLite or Firebird can carry one: such a value fails the run.
    if (raw.find('\0') != std::string_view::npos)
        throw EOstrelError("Row " + std::to_string(RecordCounter() + 1) + ", column " + Columns()[Index].Name +
                           ": a NUL character cannot be written in an SQL script");
    switch (type) {
        case ectString: return AppendSqlString(out, raw);
        case ectDate:
        case ectTime:
        case ectDateTime: {
            TDateTime value;
            if (TryStrToDateTime(raw, value)) return AppendIsoLiteral(out, type, value);
            return AppendSqlString(out, raw);
        }
        case ectBoolean: out += IsTrueText(raw) ? Formats().BooleanTrue() : Formats().BooleanFalse(); return;
        case ectInteger:
        case ectFloat:
        case ectCurrency:
        case ectUnknown: {
            int64_t whole;
            if (TryStrToInt64(raw, whole)) {
                out += std::to_string(whole);
                return;
            }
            TDecimal number;
            if (TryStrToDecimal(raw, number)) {
                out += GeneralForm(number, '.');
                return;
            }
            // A text that is no number still gives a valid statement.
            return AppendSqlString(out, raw);
        }
    }
    AppendSqlString(out, raw);
}

}  // namespace ostrel
