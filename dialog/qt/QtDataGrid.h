// A Qt data grid that shows a dataset through a data source, and that an exporter can read.
#pragma once

#include <QTableView>

#include <string>

#include "engine/IB_OstrelSources.h"

namespace ostrel::qt {

class TDatasetModel;

// One grid column per dataset column, hidden where the column is not visible, numbers aligned
// right; rows are read in batches as the view needs them, the dataset's current row kept as it
// was. The widget base comes first so that the component part goes first when the object is
// destroyed: whoever refers to the grid is told while the widget still exists.
class TQtDataGrid : public QTableView, public TIB_Grid {
public:
    explicit TQtDataGrid(QWidget* parent = nullptr);

    // Shows the data source's dataset; the grid lets go of a data source or dataset that is
    // destroyed.
    void SetDataSource(TIB_DataSource* source);
    // Reads the columns and rows again: after the dataset opened or closed, its labels
    // changed, or the data source was given another dataset.
    void Refresh();

    TIB_DataSource* DataSource() const override { return FDataSource; }
    // The dataset's column count while it is open; 0 otherwise.
    int GridColumnCount() const override;
    TIB_Column* GridColumn(int index) const override;
    // Qt keeps no readable width for a hidden column: it counts with the default width.
    int GridColumnWidth(int index) const override;
    int TextWidth(const std::string& text) const override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TIB_Dataset* LiveDataset() const;
    void Bind(TIB_Dataset* dataset);

    TIB_DataSource* FDataSource = nullptr;
    TIB_Dataset* FShown = nullptr;  // the dataset the rows were read from
    TDatasetModel* FModel;
};

}  // namespace ostrel::qt
