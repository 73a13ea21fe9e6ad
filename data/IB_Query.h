// A query dataset over the client library.
//
// The result set is never held in memory: the query reads forward through a cursor, one row
// at a time. Going back (First, or RecNo set to an earlier row, as the width and DIF pre-passes
// do) re-executes the statement in the connection's snapshot transaction and reads forward to
// the row, so the same rows come back in the same order and memory stays flat in the row count.
#pragma once

#include <ibase.h>

#include <memory>
#include <string>
#include <vector>

#include "data/IB_Connection.h"
#include "engine/IB_OstrelSources.h"

namespace ostrel {

class TIB_Query;

// One column of the current row. Currency columns are NUMERIC/DECIMAL columns with four
// decimals (the fixed-point money type); other scaled columns are numeric (not integers).
class TIB_QueryColumn : public TIB_Column {
public:
    TIB_QueryColumn(TIB_Query& query, int index);

    int Index() const override { return FIndex; }
    std::string FieldName() const override { return FFieldName; }
    std::string DisplayLabel() const override { return FDisplayLabel; }
    void SetDisplayLabel(const std::string& value) { FDisplayLabel = value; }
    bool Visible() const override { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    std::string AsString() const override;
    bool IsNull() const override;
    int DataSize() const override;
    bool IsText() const override;
    bool IsBlob() const override;
    bool IsNumeric() const override;
    bool IsBoolean() const override;
    bool IsCurrency() const override;
    bool IsDateOnly() const override;
    bool IsTimeOnly() const override;
    bool IsDateTime() const override;
    int64_t AsInteger() const override;
    bool GetDecimal(TDecimal& value) const override;
    bool GetText(std::string_view& text) const override;
    bool GetDateTime(TDateTime& value) const override;

    // The SQL type code without the nullable bit, and the scale (0 or negative).
    int SqlType() const;
    int Scale() const;

private:
    const XSQLVAR& Var() const;
    bool IsScaledInteger() const;
    int64_t RawInteger() const;
    std::string BlobText() const;

    TIB_Query& FQuery;
    int FIndex;
    std::string FFieldName, FDisplayLabel;
    bool FVisible = true;
};

class TIB_Query : public TIB_Dataset {
public:
    using TIB_Dataset::TIB_Dataset;
    ~TIB_Query() override;

    TIB_Connection* Connection() const { return FConnection; }
    void SetConnection(TIB_Connection* connection);
    const std::string& SQL() const { return FSQL; }
    void SetSQL(const std::string& sql);

    // Prepares and executes the statement and reads the first row.
    void Open();
    void Close();
    TStrings& GridLabels() { return FGridLabels; }
    int ControlsDisabled() const { return FDisabled; }
    // How often the statement ran since Open (1 for a run that never went back).
    int Executions() const { return FExecutions; }

    bool Active() const override { return FActive; }
    // Counted on the server the first time it is asked for (or known once the end was read).
    int RecordCount() override;
    bool IsEmpty() override { return FActive && FEmpty; }
    bool Eof() const override { return !FActive || FEof; }
    void First() override;
    void Next() override;
    int RecNo() const override { return FRow; }
    void SetRecNo(int value) override;
    void DisableControls() override { ++FDisabled; }
    void EnableControls() override {
        if (FDisabled > 0) --FDisabled;
    }
    int FieldCount() const override { return static_cast<int>(FColumns.size()); }
    TIB_Column* Fields(int index) const override;
    TIB_Column* FieldByName(const std::string& name) const override;
    const TStrings& FieldsGridLabel() const override { return FGridLabels; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TIB_QueryColumn;
    void Execute();
    void Fetch();
    void FreeStatement();
    void AllocateBuffers();
    int CountRows();

    TIB_Connection* FConnection = nullptr;
    std::string FSQL;
    TStrings FGridLabels;
    isc_stmt_handle FStatement = 0;
    std::vector<char> FSqlda;   // XSQLDA storage
    std::vector<char> FBuffer;  // row data and null indicators, 8-byte aligned
    std::vector<std::unique_ptr<TIB_QueryColumn>> FColumns;
    bool FActive = false, FEof = true, FEmpty = true;
    int FRow = 0;         // 1-based number of the current row; rows + 1 at the end
    int FKnownCount = -1;
    int FDisabled = 0;
    int FExecutions = 0;
};

}  // namespace ostrel
