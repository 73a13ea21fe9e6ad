#include "cli/Source.h"

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
    auto records = std::make_unique<TCsvRecords>(std::make_unique<TCsvReader>(o.CsvFile, o.CsvSeparator[0]));
    // A file without a single record has no header either.
    if (o.CsvNoHeader || records->Count() == 0) {
        FKind = esStringGrid;
        FGrid = std::make_unique<TCsvStringGrid>(std::move(records));
        return;
    }
    FKind = esListView;
    FList = std::make_unique<TCsvListView>(std::move(records));
    const auto& header = FList->Header();
    const auto names = ColumnNames();
    for (size_t c = 0; c < names.size(); ++c)
        if (c >= header.size() || names[c] != header[c])
            FRenamedCaptions.push_back(names[c] + "=" + (c < header.size() ? header[c] : ""));
}

std::vector<std::string> TCliSource::ColumnNames() const {
    std::vector<std::string> names;
    switch (FKind) {
        case esDataSet:
            for (int i = 0; i < FQuery.FieldCount(); ++i) names.push_back(FQuery.Fields(i)->FieldName());
            break;
        case esListView:
            for (int c = 0; c < FList->ColumnCount(); ++c) names.push_back(FList->ColumnCaption(c));
            break;
        case esStringGrid:
            for (int c = 0; c < FGrid->ColCount(); ++c) names.push_back(std::to_string(c));
            break;
        case esDBGrid: break;
    }
    return names;
}

}  // namespace ostrel::cli
