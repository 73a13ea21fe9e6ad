#include "dialog/qt/QtStringGrid.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

#include "dialog/qt/QtServices.h"
#include "platform/Errors.h"

namespace ostrel::qt {

namespace {

const char* const kOutOfRange = "Grid index out of range";

}  // namespace

TQtStringGrid::TQtStringGrid(QWidget* parent) : QTableWidget(parent) {
    // The grid's own rows are its headers.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Widths are what the application sets, however narrow.
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    SetDefaultColWidth(kDefaultColWidth);
    SetDefaultRowHeight(kDefaultRowHeight);
}

void TQtStringGrid::SetSize(int cols, int rows) {
    const int oldRows = rowCount();
    setColumnCount(std::max(cols, 0));
    setRowCount(std::max(rows, 0));
    FFixedRows = std::min(FFixedRows, rowCount());
    FRow = std::clamp(FRow, 0, std::max(rowCount() - 1, 0));
    // New columns of the title rows need their title cells.
    for (int r = 0; r < std::min(FFixedRows, oldRows); ++r) StyleRow(r);
}

void TQtStringGrid::SetFixedRows(int fixedRows) {
    const int old = FFixedRows;
    FFixedRows = std::clamp(fixedRows, 0, rowCount());
    for (int r = std::min(old, FFixedRows); r < std::max(old, FFixedRows); ++r) StyleRow(r);
    if (Row() < FFixedRows && FFixedRows < rowCount()) SetRow(FFixedRows);
}

void TQtStringGrid::StyleRow(int row) {
    // Title rows get a cell everywhere, so that their background shows even where empty.
    for (int c = 0; c < columnCount(); ++c)
        if (QTableWidgetItem* it = row < FFixedRows ? CellItem(c, row) : item(row, c)) StyleItem(*it, row);
}

void TQtStringGrid::StyleItem(QTableWidgetItem& it, int row) const {
    if (row < FFixedRows) {
        it.setFlags(Qt::ItemIsEnabled);
        it.setBackground(palette().button());
        it.setForeground(palette().buttonText());
    } else {
        it.setFlags(QTableWidgetItem().flags());
        it.setData(Qt::BackgroundRole, QVariant());
        it.setData(Qt::ForegroundRole, QVariant());
    }
}

QTableWidgetItem* TQtStringGrid::CellItem(int col, int row) {
    if (QTableWidgetItem* it = item(row, col)) return it;
    auto* it = new QTableWidgetItem;
    if (row < FFixedRows) StyleItem(*it, row);
    setItem(row, col, it);
    return it;
}

void TQtStringGrid::CheckCell(int col, int row) const {
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) throw EOstrelError(kOutOfRange);
}

void TQtStringGrid::SetCell(int col, int row, const std::string& text) {
    CheckCell(col, row);
    CellItem(col, row)->setText(ToQString(text));
}

void TQtStringGrid::SetColWidth(int col, int widthPixels) {
    if (col < 0 || col >= columnCount()) throw EOstrelError(kOutOfRange);
    setColumnWidth(col, widthPixels);
}

void TQtStringGrid::SetDefaultColWidth(int widthPixels) { horizontalHeader()->setDefaultSectionSize(widthPixels); }

void TQtStringGrid::SetDefaultRowHeight(int heightPixels) { verticalHeader()->setDefaultSectionSize(heightPixels); }

int TQtStringGrid::Row() const {
    if (currentRow() >= 0) return currentRow();
    if (columnCount() == 0) return FRow;
    return FFixedRows < rowCount() ? FFixedRows : 0;
}

void TQtStringGrid::SetRow(int row) {
    if (row < 0 || row >= rowCount()) throw EOstrelError(kOutOfRange);
    FRow = row;
    if (columnCount() > 0) setCurrentCell(row, std::max(currentColumn(), 0));
}

std::string TQtStringGrid::Cells(int col, int row) const {
    const QTableWidgetItem* it = col >= 0 && row >= 0 ? item(row, col) : nullptr;
    return it ? FromQString(it->text()) : std::string();
}

int TQtStringGrid::ColWidth(int col) const {
    return col >= 0 && col < columnCount() ? columnWidth(col) : horizontalHeader()->defaultSectionSize();
}

int TQtStringGrid::TextWidth(const std::string& text) const {
    return QFontMetrics(font()).horizontalAdvance(ToQString(text));
}

}  // namespace ostrel::qt
