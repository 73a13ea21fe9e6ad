// In-memory list view and string grid sources, filled by the application from its own data.
#pragma once

#include <string>
#include <vector>

#include "engine/IB_OstrelSources.h"

namespace ostrel {

class TMemListView : public TListView {
public:
    using TListView::TListView;

    void AddColumn(const std::string& caption, int widthPixels);
    // Returns the new item's index.
    int AddItem(const std::string& caption, std::vector<std::string> subItems = {});
    void SetSelectedIndex(int index) { FSelected = index; }
    int FocusedIndex() const { return FFocused; }
    int UpdateDepth() const { return FUpdateDepth; }
    void SetFont(const TFont& font) { FFont = font; }

    int ItemCount() const override { return static_cast<int>(FItems.size()); }
    std::string ItemCaption(int item) const override;
    std::string ItemSubItem(int item, int subItem) const override;
    void FocusItem(int item) override;
    int SelectedIndex() const override { return FSelected; }
    void BeginUpdate() override { ++FUpdateDepth; }
    void EndUpdate() override {
        if (FUpdateDepth > 0) --FUpdateDepth;
    }
    int ColumnCount() const override { return static_cast<int>(FColumns.size()); }
    std::string ColumnCaption(int column) const override;
    int ColumnWidth(int column) const override;
    TFont Font() const override { return FFont; }

private:
    struct TColumn {
        std::string Caption;
        int Width;
    };
    struct TItem {
        std::string Caption;
        std::vector<std::string> SubItems;
    };
    std::vector<TColumn> FColumns;
    std::vector<TItem> FItems;
    int FSelected = -1;
    int FFocused = -1;
    int FUpdateDepth = 0;
    TFont FFont;
};

class TMemStringGrid : public TStringGrid {
public:
    static constexpr int kDefaultColWidth = 64;

    using TStringGrid::TStringGrid;

    // Resizes the grid, keeping the cells that still fit.
    void SetSize(int colCount, int rowCount);
    void SetFixedRows(int fixedRows);
    void SetCell(int col, int row, const std::string& text);
    void SetColWidth(int col, int width);
    TFont& Font() { return FFont; }

    int ColCount() const override { return FColCount; }
    int RowCount() const override { return FRowCount; }
    int FixedRows() const override { return FFixedRows; }
    int Row() const override { return FRow; }
    void SetRow(int row) override;
    std::string Cells(int col, int row) const override;
    int ColWidth(int col) const override;
    int TextWidth(const std::string& text) const override;

private:
    int FColCount = 0, FRowCount = 0, FFixedRows = 0, FRow = 0;
    std::vector<std::string> FCells;  // row-major
    std::vector<int> FColWidths;
    TFont FFont;
};

}  // namespace ostrel
