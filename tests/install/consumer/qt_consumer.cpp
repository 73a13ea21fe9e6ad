// A Qt application on the installed Qt layer: a string grid widget exported as CSV.
//   qt_consumer OUTPUT.csv
#include <QApplication>
#include <cstdio>
#include <exception>

#include "dialog/qt/QtLayer.h"
#include "dialog/qt/QtStringGrid.h"
#include "exporters/text/IB_OstrelASCII.h"

using namespace ostrel;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qt_consumer OUTPUT.csv\n");
        return 2;
    }
    qt::InitializeQtLayer();
    qt::TQtStringGrid grid;
    grid.SetSize(2, 3);
    grid.SetFixedRows(1);
    grid.SetCell(0, 0, "Code");
    grid.SetCell(1, 0, "Name");
    grid.SetCell(0, 1, "1");
    grid.SetCell(1, 1, "Ångström");
    grid.SetCell(0, 2, "2");
    grid.SetCell(1, 2, "東 太郎");
    try {
        TIB_OstrelASCII csv;
        csv.SetExportType(etCSV);
        csv.SetExportSource(esStringGrid);
        csv.SetStringGrid(&grid);
        csv.SetFileName(argv[1]);
        csv.DoExecute();
        std::printf("%d rows\n", csv.RecordCounter());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qt_consumer: %s\n", e.what());
        return 1;
    }
    return 0;
}
