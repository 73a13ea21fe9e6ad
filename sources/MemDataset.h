// An in-memory query dataset with typed columns, NULLs, BLOB, hidden and DB_KEY columns, and a
// data source and data grid over it: the dataset-family sources for programs without a
// database, and for tests.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/IB_OstrelSources.h"
#include "platform/DateTimeFormat.h"

namespace ostrel {

enum class TMemFieldType { Integer, BigInt, Float, Currency, Date, Time, DateTime, Boolean, String, Blob, DbKey };

// NULL, an integer, a floating-point number or date-time, a Boolean, or a text.
using TMemValue = std::variant<std::monostate, int64_t, double, bool, std::string>;

class TMemDataset;

// One stored value as the columns read it: its kind beside 8 bytes of value. The dataset
// keeps the kinds and the values of its cells in two arrays (9 bytes a cell), the texts
// together in a text store, each behind its length.
struct TMemCell {
    enum TKind : uint8_t { kNull, kInt, kFloat, kBool, kText };
    union TValue {
        int64_t Int = 0;
        double Float;
        bool Bool;
        uint64_t Offset;  // of a text's length in the store
    };
    TKind Kind = kNull;
    TValue Value;
};

class TMemColumn : public TIB_Column {
public:
    TMemColumn(TMemDataset& dataset, int index, std::string name, TMemFieldType type, int size)
        : FDataset(dataset), FIndex(index), FName(std::move(name)), FLabel(FName), FType(type), FSize(size) {}

    int Index() const override { return FIndex; }
    std::string FieldName() const override { return FName; }
    std::string DisplayLabel() const override { return FLabel; }
    void SetDisplayLabel(const std::string& label) { FLabel = label; }
    bool Visible() const override { return FVisible; }
    void SetVisible(bool visible) { FVisible = visible; }
    std::string AsString() const override;
    bool IsNull() const override;
    int DataSize() const override;
    bool IsText() const override { return FType == TMemFieldType::String || FType == TMemFieldType::DbKey; }
    bool IsBlob() const override { return FType == TMemFieldType::Blob; }
    bool IsNumeric() const override;
    bool IsBoolean() const override { return FType == TMemFieldType::Boolean; }
    bool IsCurrency() const override { return FType == TMemFieldType::Currency; }
    bool IsDateOnly() const override { return FType == TMemFieldType::Date; }
    bool IsTimeOnly() const override { return FType == TMemFieldType::Time; }
    bool IsDateTime() const override { return FType == TMemFieldType::DateTime; }
    // Integer columns only; NULL reads as 0.
    int64_t AsInteger() const override;
    bool GetDecimal(TDecimal& value) const override;
    bool GetDateTime(TDateTime& value) const override;
    bool GetText(std::string_view& text) const override;
    TCellKind ReadCell(TCellValue& value) const override;
    TMemFieldType Type() const { return FType; }

private:
    TMemCell Cell() const;

    TMemDataset& FDataset;
    int FIndex;
    std::string FName, FLabel;
    TMemFieldType FType;
    int FSize;
    bool FVisible = true;
};

class TMemDataset : public TIB_Dataset {
public:
    using TIB_Dataset::TIB_Dataset;

    // Columns are defined while the dataset is closed. Size is the declared text length.
    TMemColumn& AddField(const std::string& name, TMemFieldType type, int size = 0);
    // One value per column; dates and times as TDateTime numbers (double).
    // Missing trailing values are NULL.
    void AppendRow(const std::vector<TMemValue>& values);
    // Appends one row value by value, in column order, without a TMemValue per value (for
    // large fills); the columns not given a value by the end of its life are NULL. A row left
    // by an exception is taken out whole.
    class TRowWriter {
    public:
        explicit TRowWriter(TMemDataset& dataset)
            : FDataset(dataset), FCells(dataset.FKinds.size()), FTexts(dataset.FText.size()),
              FExceptions(std::uncaught_exceptions()) {}
        TRowWriter(const TRowWriter&) = delete;
        TRowWriter& operator=(const TRowWriter&) = delete;
        ~TRowWriter();
        TRowWriter& Null() { return Put(TMemCell::kNull, {}); }
        TRowWriter& Int(int64_t value) {
            TMemCell::TValue v;
            v.Int = value;
            return Put(TMemCell::kInt, v);
        }
        // Floating-point numbers, and dates and times as TDateTime numbers.
        TRowWriter& Float(double value) {
            TMemCell::TValue v;
            v.Float = value;
            return Put(TMemCell::kFloat, v);
        }
        TRowWriter& Bool(bool value) {
            TMemCell::TValue v;
            v.Bool = value;
            return Put(TMemCell::kBool, v);
        }
        TRowWriter& Text(std::string_view value);

    private:
        TRowWriter& Put(TMemCell::TKind kind, TMemCell::TValue value) {
            if (FColumn >= FDataset.FColumns.size()) TooManyValues();
            ++FColumn;
            FDataset.FKinds.push_back(kind);
            FDataset.FValues.push_back(value);
            return *this;
        }
        [[noreturn]] static void TooManyValues();

        TMemDataset& FDataset;
        size_t FColumn = 0;
        const size_t FCells, FTexts;  // where the row began
        const int FExceptions;
    };
    // Room for this many rows (cells and texts by their declared sizes), for large fills.
    void Reserve(int rows);
    void Open();
    void Close() {
        FActive = false;
        FindRowStart();
    }
    TStrings& GridLabels() { return FGridLabels; }
    int RowCount() const { return FColumns.empty() ? 0 : static_cast<int>(FKinds.size() / FColumns.size()); }
    // The nesting depth of DisableControls, and how often EnableControls ran.
    int ControlsDisabled() const { return FDisabled; }
    int EnableCalls() const { return FEnableCalls; }

    bool Active() const override { return FActive; }
    int RecordCount() override { return FActive ? RowCount() : 0; }
    bool Eof() const override { return !FActive || FRow >= RowCount(); }
    void First() override {
        FRow = 0;
        FindRowStart();
    }
    void Next() override;
    int RecNo() const override { return FRow + 1; }
    void SetRecNo(int value) override;
    void DisableControls() override { ++FDisabled; }
    void EnableControls() override {
        ++FEnableCalls;
        if (FDisabled > 0) --FDisabled;
    }
    int FieldCount() const override { return static_cast<int>(FColumns.size()); }
    TIB_Column* Fields(int index) const override;
    TIB_Column* FieldByName(const std::string& name) const override;
    const TStrings& FieldsGridLabel() const override { return FGridLabels; }

    TMemCell CurrentCell(int column) const {
        // Rows are whole: the row exists when its last cell does (no division per value).
        if (FRowStart == kNoRow) return {};
        const size_t at = FRowStart + static_cast<size_t>(column);
        return {FKinds[at], FValues[at]};
    }
    std::string_view CellText(const TMemCell& cell) const;

private:
    std::vector<std::unique_ptr<TMemColumn>> FColumns;
    // Row by row, a cell's kind and value at the same index.
    std::vector<TMemCell::TKind> FKinds;
    std::vector<TMemCell::TValue> FValues;
    std::string FText;  // the texts of the cells, each after its length (4 bytes)
    TStrings FGridLabels;
    bool FActive = false;
    int FRow = 0;
    // Where the current row's cells begin, kept as the row moves or rows come in (read for every
    // value); kNoRow when there is no current row. Rows are whole: the row exists when its
    // last cell does.
    static constexpr size_t kNoRow = SIZE_MAX;
    size_t FRowStart = kNoRow;
    void FindRowStart() {
        const size_t width = FColumns.size(), end = (static_cast<size_t>(FRow) + 1) * width;
        FRowStart = FActive && FRow >= 0 && width > 0 && end <= FKinds.size() ? end - width : kNoRow;
    }
    int FDisabled = 0;
    int FEnableCalls = 0;
};

using TMemDataSource = TIB_DataSource;

// A data grid: by default it shows the dataset's visible columns; AddColumn picks and orders
// them. Pixel widths are measured with the grid's font.
class TMemGrid : public TIB_Grid {
public:
    using TIB_Grid::TIB_Grid;
    ~TMemGrid() override { SetDataSource(nullptr); }
    TIB_DataSource* DataSource() const override { return FDataSource; }
    void SetDataSource(TIB_DataSource* source);
    void AddColumn(const std::string& fieldName, int widthPixels);
    TFont& Font() { return FFont; }

    int GridColumnCount() const override;
    TIB_Column* GridColumn(int index) const override;
    int GridColumnWidth(int index) const override;
    int TextWidth(const std::string& text) const override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    struct TGridColumn {
        std::string FieldName;
        int Width;
    };
    std::vector<TIB_Column*> DisplayedColumns() const;

    TIB_DataSource* FDataSource = nullptr;
    std::vector<TGridColumn> FColumns;
    TFont FFont;
};

}  // namespace ostrel
