#include "dialog/qt/QtDataGrid.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QHeaderView>

#include <exception>
#include <vector>

#include "dialog/qt/QtServices.h"

namespace ostrel::qt {

// The texts of a dataset's rows, read forward on demand. Reading moves the dataset, so each
// batch puts it back on the row it was on: a grid never moves a dataset under an exporter.
class TDatasetModel final : public QAbstractTableModel {
public:
    static constexpr int kBatchRows = 256;

    using QAbstractTableModel::QAbstractTableModel;

    // Takes the columns of an open dataset (none of a closed one) and forgets the rows read.
    void Reset(TIB_Dataset* dataset);
    bool ColumnVisible(int column) const { return FColumns[column].Visible; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(FRows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
    bool canFetchMore(const QModelIndex& parent) const override {
        return !parent.isValid() && !FAtEnd && FDataset && FDataset->Active();
    }
    void fetchMore(const QModelIndex& parent) override;

private:
    struct TColumnInfo {
        QString Label;
        bool Numeric, Visible;
    };
    std::vector<QString> ReadRow() const;
    std::vector<std::vector<QString>> ReadBatch();

    TIB_Dataset* FDataset = nullptr;
    std::vector<TColumnInfo> FColumns;
    std::vector<std::vector<QString>> FRows;
    bool FAtEnd = true;
    bool FStarted = false;
    int FNextRecNo = 0;  // the position of the first row not read yet, once started
};

void TDatasetModel::Reset(TIB_Dataset* dataset) {
    beginResetModel();
    FDataset = dataset;
    FColumns.clear();
    FRows.clear();
    FStarted = false;
    FAtEnd = !dataset || !dataset->Active();
    if (!FAtEnd) {
        for (int i = 0; i < dataset->FieldCount(); ++i) {
            const TIB_Column* c = dataset->Fields(i);
            std::string label = dataset->FieldsGridLabel().Values(c->FieldName());
            if (label.empty()) label = c->DisplayLabel();
            FColumns.push_back({ToQString(label), c->IsNumeric() || c->IsCurrency(), c->Visible()});
        }
    }
    endResetModel();
}

QVariant TDatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole) return FRows[index.row()][index.column()];
    if (role == Qt::TextAlignmentRole && FColumns[index.column()].Numeric)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant TDatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return FColumns[section].Label;
    return QAbstractTableModel::headerData(section, orientation, role);
}

std::vector<QString> TDatasetModel::ReadRow() const {
    std::vector<QString> row;
    row.reserve(FColumns.size());
    for (int i = 0; i < columnCount(); ++i) {
        const TIB_Column* c = FDataset->Fields(i);
        row.push_back(c && !c->IsNull() ? ToQString(c->AsString()) : QString());
    }
    return row;
}

std::vector<std::vector<QString>> TDatasetModel::ReadBatch() {
    std::vector<std::vector<QString>> batch;
    const int saved = FDataset->RecNo();
    try {
        if (FStarted) FDataset->SetRecNo(FNextRecNo);
        else FDataset->First();
        FStarted = true;
        while (static_cast<int>(batch.size()) < kBatchRows && !FDataset->Eof()) {
            batch.push_back(ReadRow());
            FDataset->Next();
        }
        FAtEnd = FDataset->Eof();
        if (!FAtEnd) FNextRecNo = FDataset->RecNo();
    } catch (const std::exception&) {
        // A dataset that cannot be read shows the rows read so far; the view must not see
        // the exception.
        FAtEnd = true;
    }
    try {
        FDataset->SetRecNo(saved);
    } catch (const std::exception&) {
        FAtEnd = true;
    }
    return batch;
}

void TDatasetModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    auto batch = ReadBatch();
    if (batch.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    for (auto& row : batch) FRows.push_back(std::move(row));
    endInsertRows();
}

TQtDataGrid::TQtDataGrid(QWidget* parent) : QTableView(parent), FModel(new TDatasetModel(this)) {
    setModel(FModel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // One line of text a row, as a data grid shows its records.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void TQtDataGrid::SetDataSource(TIB_DataSource* source) {
    if (FDataSource) RemoveFreeNotification(FDataSource);
    FDataSource = source;
    if (source) FreeNotification(source);
    Refresh();
}

TIB_Dataset* TQtDataGrid::LiveDataset() const { return FDataSource ? FDataSource->Dataset() : nullptr; }

void TQtDataGrid::Refresh() { Bind(LiveDataset()); }

void TQtDataGrid::Bind(TIB_Dataset* dataset) {
    if (FShown != dataset) {
        if (FShown) RemoveFreeNotification(FShown);
        FShown = dataset;
        if (dataset) FreeNotification(dataset);
    }
    FModel->Reset(dataset);
    for (int i = 0; i < FModel->columnCount(); ++i) setColumnHidden(i, !FModel->ColumnVisible(i));
}

void TQtDataGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TIB_Grid::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FDataSource) {
        FDataSource = nullptr;
        Bind(nullptr);
    } else if (AComponent == FShown) {
        FShown = nullptr;
        Bind(nullptr);
    }
}

int TQtDataGrid::GridColumnCount() const {
    const TIB_Dataset* ds = LiveDataset();
    return ds && ds->Active() ? ds->FieldCount() : 0;
}

TIB_Column* TQtDataGrid::GridColumn(int index) const {
    return index >= 0 && index < GridColumnCount() ? LiveDataset()->Fields(index) : nullptr;
}

int TQtDataGrid::GridColumnWidth(int index) const {
    if (index < 0 || index >= GridColumnCount()) return 0;
    // A hidden section reports no width, and a column the grid has not read yet has none.
    const QHeaderView* header = horizontalHeader();
    if (index >= header->count() || header->isSectionHidden(index)) return header->defaultSectionSize();
    return header->sectionSize(index);
}

int TQtDataGrid::TextWidth(const std::string& text) const {
    return QFontMetrics(font()).horizontalAdvance(ToQString(text));
}

}  // namespace ostrel::qt
