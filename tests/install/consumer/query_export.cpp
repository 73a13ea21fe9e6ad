// A query on a database exported as CSV, and the non-visual dialog's column list of the same
// query: the database layer and the dialog layer as an application takes them.
//   query_export DATABASE OUTPUT.csv
#include <cstdio>
#include <exception>
#include <string>

#include "data/IB_Connection.h"
#include "data/IB_Query.h"
#include "dialog/IB_OstrelDialog.h"
#include "exporters/text/IB_OstrelASCII.h"

using namespace ostrel;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: query_export DATABASE OUTPUT.csv\n");
        return 2;
    }
    try {
        TIB_Connection connection;
        connection.SetDatabaseName(argv[1]);
        connection.SetUsername("SYSDBA");
        connection.SetPassword("tallowfin");
        connection.Connect();
        TIB_Query query;
        query.SetConnection(&connection);
        query.SetSQL("select code, name from country order by code");
        query.Open();

        TIB_OstrelASCII csv;
        csv.SetExportType(etCSV);
        csv.SetDataSet(&query);
        csv.SetFileName(argv[2]);
        csv.DoExecute();
        std::printf("%d rows\n", csv.RecordCounter());

        int columns = -1;
        TIB_OstrelDialog::SetDialogRunner([&columns](TIB_OstrelDialog& d) { columns = d.DialogColumns().Count(); });
        TIB_OstrelDialog dialog;
        dialog.SetExportSource(esDataSet);
        dialog.SetDataSet(&query);
        dialog.Execute();
        TIB_OstrelDialog::SetDialogRunner(nullptr);
        std::printf("%d dialog columns\n", columns);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "query_export: %s\n", e.what());
        return 1;
    }
    return 0;
}
