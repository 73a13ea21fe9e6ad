#include "cli/Source.h"

#include <algorithm>

namespace ostrel::cli {

void TCliSource::Open(const TCliOptions& o) {
    if (!o.Database.empty()) {
        FKind = esDataSet;
        FConnection.SetDatabaseName(o.Database);
        FConnection.SetUsername(o.User);
        FConnection.SetPassword(o.Password);
        FConnection.SetCharSet(o.CharSet);
        FConnection.Connect();
        FQuery.SetConnection(&FConnection);
        FQuery.SetSQL(o.Sql);
        FQuery.Open();
        return;
    }
    FTable = ReadCsv(o.CsvFile, o.CsvSeparator[0], !o.CsvNoHeader);
    if (FTable.Header.empty()) {
        FKind = esStringGrid;
        FillGrid(FTable, FGrid);
        return;
    }
    FKind = esListView;
    const auto names = cli::ColumnNames(FTable);
    FillList(FTable, names, FList);
    for (size_t c = 0; c < names.size(); ++c)
        if (c >= FTable.Header.size() || names[c] != FTable.Header[c])
            FRenamedCaptions.push_back(names[c] + "=" + (c < FTable.Header.size() ? FTable.Header[c] : ""));
}

std::vector<std::string> TCliSource::ColumnNames() const {
    std::vector<std::string> names;
    switch (FKind) {
        case esDataSet:
            for (int i = 0; i < FQuery.FieldCount(); ++i) names.push_back(FQuery.Fields(i)->FieldName());
            break;
        case esListView: names = cli::ColumnNames(FTable); break;
        default: {
            size_t cols = 0;
            for (const auto& r : FTable.Rows) cols = std::max(cols, r.size());
            for (size_t c = 0; c < cols; ++c) names.push_back(std::to_string(c));
            break;
        }
    }
    return names;
}

}  // namespace ostrel::cli
