// A Qt string grid that an exporter can read: a table of texts whose first rows may be fixed
// title rows, counted among the grid's rows.
#pragma once

#include <QTableWidget>

#include <string>

#include "engine/IB_OstrelSources.h"

namespace ostrel::qt {

// The widget base comes first so that the component part goes first when the object is
// destroyed: whoever refers to the grid is told while the widget still exists.
class TQtStringGrid : public QTableWidget, public TStringGrid {
public:
    // The sizes a new grid gives its columns and rows.
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kDefaultRowHeight = 24;

    explicit TQtStringGrid(QWidget* parent = nullptr);

    // Resizes the grid, keeping the cells that still fit.
    void SetSize(int cols, int rows);
    // The first n rows become title rows: neither editable nor selectable.
    void SetFixedRows(int fixedRows);
    void SetCell(int col, int row, const std::string& text);
    void SetColWidth(int col, int widthPixels);
    // Every column and row, and those added later.
    void SetDefaultColWidth(int widthPixels);
    void SetDefaultRowHeight(int heightPixels);

    int ColCount() const override { return columnCount(); }
    int RowCount() const override { return rowCount(); }
    int FixedRows() const override { return FFixedRows; }
    // The current row; without a current cell the first row below the fixed rows.
    int Row() const override;
    void SetRow(int row) override;
    std::string Cells(int col, int row) const override;
    int ColWidth(int col) const override;
    int TextWidth(const std::string& text) const override;

private:
    void CheckCell(int col, int row) const;
    QTableWidgetItem* CellItem(int col, int row);
    void StyleRow(int row);
    void StyleItem(QTableWidgetItem& it, int row) const;

    int FFixedRows = 0;
    // The row set while no cell can be current (a grid without columns).
    int FRow = 0;
};

}  // namespace ostrel::qt
