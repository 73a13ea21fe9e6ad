// SQL scripts: header lines, an optional CREATE TABLE, one INSERT per record, commits.
//
// Every value stays inside its literal: texts are single-quoted with inner quotes doubled, and
// line breaks, tabs, semicolons and "--" are written as they are (SQLite and Firebird read
// them back unchanged), except that a CR LF splits the literal (see SqlString). A text holding a NUL character fails the run with a message naming the
// row and column, since no literal can carry it. Field names that are not plain identifiers
// are double-quoted; the table name is SQL text of the caller and is written unchanged.
#pragma once

#include "engine/IB_Ostrel.h"

namespace ostrel {

class TIB_OstrelSQL : public TIB_OstrelAdvancedText {
public:
    using TIB_OstrelAdvancedText::TIB_OstrelAdvancedText;

    // Written as given: a name that needs quotes must be passed with them.
    const std::string& TableName() const { return FTableName; }
    void SetTableName(const std::string& value) { FTableName = value; }
    int CommitRecCount() const { return FCommitRecCount; }
    void SetCommitRecCount(int value) { FCommitRecCount = value; }
    bool CommitAfterScript() const { return FCommitAfterScript; }
    void SetCommitAfterScript(bool value) { FCommitAfterScript = value; }
    const std::string& CommitStatement() const { return FCommitStatement; }
    void SetCommitStatement(const std::string& value) { FCommitStatement = value; }
    bool CreateTable() const { return FCreateTable; }
    void SetCreateTable(bool value) { FCreateTable = value; }
    char StatementTerm() const { return FStatementTerm; }
    void SetStatementTerm(char value) { FStatementTerm = value; }
    // The NULL and Boolean texts of the values.
    using TIB_Ostrel::Formats;
    using TIB_Ostrel::SetFormats;

    const std::string& FieldList() const { return FFieldList; }

protected:
    void BeginExport() override;
    void EndExport() override;
    std::string GetDataRow(bool Formatted) override;
    void WriteDataRow() override;
    std::string GetColData(int Index, bool Formatted) override;

private:
    // CHAR sizes of text-source columns that hold every value of the source.
    void SizeTextColumns();
    void AppendSqlLiteral(std::string& out, int Index, bool inPlace);
    bool AppendReadLiteral(std::string& out, int Index);
    // The literal by the virtual steps (AppendSqlLiteral when the value is not read in one step).
    void AppendSteppedLiteral(std::string& out, int Index, bool inPlace);
    std::string ValuesTail(bool Formatted);
    void CloseValues(std::string& row, size_t valuesStart) const;

    std::string FTableName;
    int FCommitRecCount = 0;
    bool FCommitAfterScript = false;
    std::string FCommitStatement = "COMMIT WORK;";
    bool FCreateTable = false;
    char FStatementTerm = ';';
    std::string FFieldList;
    std::string FRowPrefix;  // "INSERT INTO ... VALUES(", fixed for a run
    std::string FRow;        // the statement being built on the fast path
};

// A name as an SQL identifier: unchanged when it is a plain, unreserved identifier, otherwise
// in double quotes (with inner double quotes doubled).
std::string SqlIdentifier(const std::string& name);
// Text in single quotes, inner single quotes doubled; at a CR LF the literal is split in two
// joined by "||" (CR ending the first, LF starting the second), so that readers that take the
// script line by line keep the CR.
std::string SqlString(const std::string& text);

}  // namespace ostrel
