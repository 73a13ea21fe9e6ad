#include "sources/MemControls.h"

#include "platform/Services.h"

namespace ostrel {

void TMemListView::AddColumn(const std::string& caption, int widthPixels) {
    FColumns.push_back({caption, widthPixels});
}

int TMemListView::AddItem(const std::string& caption, std::vector<std::string> subItems) {
    FItems.push_back({caption, std::move(subItems)});
    return ItemCount() - 1;
}

std::string TMemListView::ItemCaption(int item) const {
    return item >= 0 && item < ItemCount() ? FItems[item].Caption : std::string();
}

std::string TMemListView::ItemSubItem(int item, int subItem) const {
    if (item < 0 || item >= ItemCount()) return {};
    const auto& subs = FItems[item].SubItems;
    return subItem >= 0 && subItem < static_cast<int>(subs.size()) ? subs[subItem] : std::string();
}

void TMemListView::FocusItem(int item) {
    if (item >= 0 && item < ItemCount()) FFocused = item;
}

std::string TMemListView::ColumnCaption(int column) const {
    return column >= 0 && column < ColumnCount() ? FColumns[column].Caption : std::string();
}

int TMemListView::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? FColumns[column].Width : 0;
}

void TMemStringGrid::SetSize(int colCount, int rowCount) {
    std::vector<std::string> cells(static_cast<size_t>(colCount) * rowCount);
    for (int r = 0; r < std::min(rowCount, FRowCount); ++r)
        for (int c = 0; c < std::min(colCount, FColCount); ++c)
            cells[static_cast<size_t>(r) * colCount + c] = std::move(FCells[static_cast<size_t>(r) * FColCount + c]);
    FCells = std::move(cells);
    FColWidths.resize(colCount, kDefaultColWidth);
    FColCount = colCount;
    FRowCount = rowCount;
    FFixedRows = std::min(FFixedRows, rowCount);
    FRow = std::clamp(FRow, 0, std::max(rowCount - 1, 0));
}

void TMemStringGrid::SetFixedRows(int fixedRows) {
    FFixedRows = std::clamp(fixedRows, 0, FRowCount);
    if (FRow < FFixedRows && FFixedRows < FRowCount) FRow = FFixedRows;
}

void TMemStringGrid::SetCell(int col, int row, const std::string& text) {
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount)
        throw EOstrelError("Grid index out of range");
    FCells[static_cast<size_t>(row) * FColCount + col] = text;
}

void TMemStringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= FColCount) throw EOstrelError("Grid index out of range");
    FColWidths[col] = width;
}

void TMemStringGrid::SetRow(int row) {
    if (row < 0 || row >= FRowCount) throw EOstrelError("Grid index out of range");
    FRow = row;
}

std::string TMemStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return {};
    return FCells[static_cast<size_t>(row) * FColCount + col];
}

int TMemStringGrid::ColWidth(int col) const {
    return col >= 0 && col < FColCount ? FColWidths[col] : kDefaultColWidth;
}

int TMemStringGrid::TextWidth(const std::string& text) const { return FontMetrics().TextWidth(FFont, text); }

}  // namespace ostrel
