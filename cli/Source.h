// The source the command line names: a query on a database, or a CSV file, which stands as a
// list view when it has a header (columns named by it) and as a string grid when it has none
// (columns numbered).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/CsvSource.h"
#include "cli/Options.h"
#include "data/IB_Query.h"
#include "engine/IB_OstrelCommon.h"

namespace ostrel::cli {

class TCliSource {
public:
    // Connects and opens the query, or reads the CSV file through once (its rows are read again
    // as the export asks for them); failures are the library's.
    void Open(const TCliOptions& options);

    TOstrelSource Kind() const { return FKind; }
    // The names options may use for the columns: the query's field names, the CSV header's
    // names made unique, or the column numbers of a CSV file without a header.
    std::vector<std::string> ColumnNames() const;
    // NAME=TEXT for the CSV columns renamed to be told apart: they still show their header text.
    const std::vector<std::string>& RenamedCaptions() const { return FRenamedCaptions; }

    // Points an exporter or the dialog component at the source.
    template <class T>
    void AttachTo(T& target) {
        target.SetExportSource(FKind);
        switch (FKind) {
            case esDataSet: target.SetDataSet(&FQuery); break;
            case esListView: target.SetListView(FList.get()); break;
            case esStringGrid: target.SetStringGrid(FGrid.get()); break;
            case esDBGrid: break;
        }
    }

private:
    TIB_Connection FConnection;
    TIB_Query FQuery;
    std::unique_ptr<TCsvStringGrid> FGrid;
    std::unique_ptr<TCsvListView> FList;
    TOstrelSource FKind = esDataSet;
    std::vector<std::string> FRenamedCaptions;
};

}  // namespace ostrel::cli
