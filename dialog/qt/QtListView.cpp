#include "dialog/qt/QtListView.h"

#include <QHeaderView>

#include "dialog/qt/QtServices.h"

namespace ostrel::qt {

TQtListView::TQtListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    // A new tree widget has one unnamed column; a list view starts with none.
    setColumnCount(0);
    // The last column keeps the width it was given, which is what an export measures.
    header()->setStretchLastSection(false);
}

void TQtListView::AddColumn(const std::string& caption, int widthPixels) {
    const int column = columnCount();
    setColumnCount(column + 1);
    headerItem()->setText(column, ToQString(caption));
    setColumnWidth(column, widthPixels);
}

int TQtListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems) {
    QStringList texts{ToQString(caption)};
    for (const auto& s : subItems) texts << ToQString(s);
    addTopLevelItem(new QTreeWidgetItem(texts));
    return topLevelItemCount() - 1;
}

int TQtListView::ItemCount() const { return topLevelItemCount(); }

std::string TQtListView::ItemCaption(int item) const {
    const QTreeWidgetItem* it = topLevelItem(item);
    return it ? FromQString(it->text(0)) : std::string();
}

std::string TQtListView::ItemSubItem(int item, int subItem) const {
    const QTreeWidgetItem* it = topLevelItem(item);
    return it && subItem >= 0 ? FromQString(it->text(subItem + 1)) : std::string();
}

void TQtListView::FocusItem(int item) {
    QTreeWidgetItem* it = topLevelItem(item);
    if (!it) return;
    setCurrentItem(it, 0, QItemSelectionModel::NoUpdate);
    scrollToItem(it);
}

int TQtListView::SelectedIndex() const {
    int first = -1;
    for (const QModelIndex& cell : selectionModel()->selectedIndexes())
        if (!cell.parent().isValid() && (first < 0 || cell.row() < first)) first = cell.row();
    return first;
}

void TQtListView::BeginUpdate() {
    if (FUpdateDepth++ == 0) setUpdatesEnabled(false);
}

void TQtListView::EndUpdate() {
    if (FUpdateDepth == 0) return;
    if (--FUpdateDepth == 0) setUpdatesEnabled(true);
}

int TQtListView::ColumnCount() const { return columnCount(); }

std::string TQtListView::ColumnCaption(int column) const {
    return column >= 0 && column < columnCount() ? FromQString(headerItem()->text(column)) : std::string();
}

int TQtListView::ColumnWidth(int column) const {
    return column >= 0 && column < columnCount() ? header()->sectionSize(column) : 0;
}

TFont TQtListView::Font() const { return FromQFont(font()); }

}  // namespace ostrel::qt
