// What the engine needs of its four kinds of source, and nothing more. The data layer, the
// Qt widgets and the in-memory sources implement these classes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/Classes.h"
#include "platform/DateTimeFormat.h"
#include "platform/Graphics.h"
#include "platform/NumberFormat.h"

namespace ostrel {

// A value of the current row read in one step: its kind and the value itself. Numbers and
// dates come as the typed reads give them, texts as GetText gives them.
enum TCellKind : unsigned char { ckNone, ckNull, ckInteger, ckFloat, ckDateTime, ckText };
struct TCellValue {
    TCellKind Kind = ckNone;
    int64_t Integer = 0;
    double Float = 0;  // also the TDateTime of DateTime
    std::string_view Text;
    // A DateTime given split (Split) instead of as Float: every writer decodes it anyway.
    bool Split = false;
    TSplitDateTime Moment;  // set when Split
};

// One column of a query dataset, giving the value of the dataset's current row.
class TIB_Column {
public:
    virtual ~TIB_Column() = default;
    virtual int Index() const = 0;
    virtual std::string FieldName() const = 0;
    virtual std::string DisplayLabel() const = 0;
    virtual bool Visible() const = 0;
    // The data layer's default rendering: numbers with the locale decimal separator and no
    // grouping, dates and times in the locale's forms; empty for NULL.
    virtual std::string AsString() const = 0;
    virtual bool IsNull() const = 0;
    // The declared length in bytes (the CHAR length of text columns).
    virtual int DataSize() const = 0;
    virtual bool IsText() const = 0;
    virtual bool IsBlob() const = 0;
    virtual bool IsNumeric() const = 0;
    virtual bool IsBoolean() const = 0;
    virtual bool IsCurrency() const = 0;
    virtual bool IsDateOnly() const = 0;
    virtual bool IsTimeOnly() const = 0;
    virtual bool IsDateTime() const = 0;
    // The current value as an integer; throws when it is not one.
    virtual int64_t AsInteger() const = 0;

    // Optional typed reads of the current, non-NULL value: the same value that AsString renders,
    // without a round trip through text. False when the column cannot give it that way.
    virtual bool GetDecimal(TDecimal& value) const { return false; }
    virtual bool GetDateTime(TDateTime& value) const { return false; }
    // Optional: the current, non-NULL value's AsString text read in place, valid until the
    // dataset moves. False when the column has no such text at hand.
    virtual bool GetText(std::string_view& text) const { return false; }
    // Optional: what IsNull and the reads above give for the current value, in one call, for
    // exporters that read many values. None when the column offers no such read: the caller
    // asks the reads above.
    virtual TCellKind ReadCell(TCellValue& value) const { return value.Kind = ckNone; }
};

class TIB_Dataset : public TComponent {
public:
    using TComponent::TComponent;
    virtual bool Active() const = 0;
    // 0 exactly when the result set has no rows.
    virtual int RecordCount() = 0;
    // Whether the result set has no rows; datasets that cannot count cheaply override it.
    virtual bool IsEmpty() { return RecordCount() == 0; }
    // True once the dataset has moved past its last row, and for an empty result.
    virtual bool Eof() const = 0;
    virtual void First() = 0;
    // Moving when already at the end is an error of the data layer.
    virtual void Next() = 0;
    // A number that, set back later, returns the dataset to the same row.
    virtual int RecNo() const = 0;
    virtual void SetRecNo(int value) = 0;
    // Nestable; resuming refreshes the bound controls.
    virtual void DisableControls() = 0;
    virtual void EnableControls() = 0;
    virtual int FieldCount() const = 0;
    // nullptr when the index is out of range.
    virtual TIB_Column* Fields(int index) const = 0;
    // nullptr when the dataset has no such column.
    virtual TIB_Column* FieldByName(const std::string& name) const = 0;
    // Lines Name=Label.
    virtual const TStrings& FieldsGridLabel() const = 0;
};

// Binds a dataset to the grids that show it; told when the dataset is destroyed.
class TIB_DataSource : public TComponent {
public:
    using TComponent::TComponent;
    ~TIB_DataSource() override { SetDataset(nullptr); }
    virtual TIB_Dataset* Dataset() const { return FDataset; }
    void SetDataset(TIB_Dataset* dataset) {
        if (FDataset) RemoveFreeNotification(FDataset);
        FDataset = dataset;
        if (dataset) FreeNotification(dataset);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == FDataset) FDataset = nullptr;
    }

private:
    TIB_Dataset* FDataset = nullptr;
};

// A data grid showing a dataset's columns.
class TIB_Grid : public TComponent {
public:
    using TComponent::TComponent;
    virtual TIB_DataSource* DataSource() const = 0;
    // The columns the grid displays.
    virtual int GridColumnCount() const = 0;
    // nullptr when the index is out of range.
    virtual TIB_Column* GridColumn(int index) const = 0;
    virtual int GridColumnWidth(int index) const = 0;  // pixels
    // The width in pixels of a text on the grid's canvas.
    virtual int TextWidth(const std::string& text) const = 0;
};

// A report-style list view: items with a caption and sub-items, under captioned columns.
class TListView : public TComponent {
public:
    using TComponent::TComponent;
    virtual int ItemCount() const = 0;
    virtual std::string ItemCaption(int item) const = 0;
    // Empty when the item has no such sub-item.
    virtual std::string ItemSubItem(int item, int subItem) const = 0;
    virtual void FocusItem(int item) = 0;
    // -1 when no item is selected.
    virtual int SelectedIndex() const = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string ColumnCaption(int column) const = 0;
    virtual int ColumnWidth(int column) const = 0;  // pixels
    virtual TFont Font() const = 0;
};

class TStringGrid : public TComponent {
public:
    using TComponent::TComponent;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedRows() const = 0;
    virtual int Row() const = 0;
    // Rows outside 0 .. RowCount - 1 are refused.
    virtual void SetRow(int row) = 0;
    // Empty text for a cell outside the grid.
    virtual std::string Cells(int col, int row) const = 0;
    virtual int ColWidth(int col) const = 0;  // pixels
    virtual int TextWidth(const std::string& text) const = 0;
};

}  // namespace ostrel
