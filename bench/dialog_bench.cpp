// ostrel-bench-dialog: what the export dialog costs over its exporter. The same embedded
// exporter, set up by the same copy of the dialog's settings, runs once bare and once from the
// dialog window with its progress window (offscreen unless a display is asked for).
//   ostrel-bench-dialog ROWS TYPE DIR [REPEAT]    TYPE: xls doc rtf html xml dbf txt csv dif sylk tex sql
// Prints the median seconds of each and their ratio.
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchData.h"
#include "dialog/DialogExportCopy.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/IB_OstrelDialogProgress.h"
#include "dialog/qt/QtLayer.h"

using namespace ostrel;

namespace {

const char* const kTypes[] = {"xls", "doc", "rtf", "html", "xml", "dbf", "txt", "csv", "dif", "sylk", "tex", "sql"};

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The user's "OK" once the run has ended.
void ConfirmWhenEnded(qt::TIB_OstrelDialogF& window) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [&window, poll] {
        qt::TIB_OstrelDialogProgressF* progress = window.ProgressWindow();
        if (!progress || progress->Progress().ButtonStops()) return;
        progress->Controls().Button->click();
        poll->deleteLater();
    });
    poll->start(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 4) {
        std::fprintf(stderr, "usage: ostrel-bench-dialog ROWS TYPE DIR [REPEAT]\n");
        return 2;
    }
    const int rows = std::stoi(argv[1]);
    const std::string type = argv[2];
    const std::string dir = argv[3];
    const int repeat = argc > 4 ? std::max(1, std::stoi(argv[4])) : 3;
    const auto* found = std::find(std::begin(kTypes), std::end(kTypes), type);
    if (found == std::end(kTypes)) {
        std::fprintf(stderr, "ostrel-bench-dialog: unknown type %s\n", type.c_str());
        return 2;
    }
    const int code = int(found - std::begin(kTypes));
    QApplication app(argc, argv);
    qt::InitializeQtLayer();

    TMemDataset ds;
    bench::FillStandardDataset(ds, rows);
    TIB_OstrelDialog dialog;
    dialog.SetDataSet(&ds);
    dialog.SetShowFile(false);
    dialog.SetAllowedExports(ExportBit(static_cast<TAllowedExport>(code)));
    dialog.DialogColumns().Fill();
    qt::TIB_OstrelDialogF window(dialog);
    window.show();
    QApplication::processEvents();
    TOstrelDialogSettings& settings = window.Settings();
    settings.SetInt(dsExportType, code);

    std::vector<double> bare, fromDialog;
    int written = 0;
    for (int i = 0; i < repeat; ++i) {
        settings.SetStr(dsFileName, dir + "/bare." + type);
        TIB_Ostrel& exporter = CopySettingsToExporter(settings, window.Exporters(), dialog, code);
        auto start = std::chrono::steady_clock::now();
        exporter.DoExecute();
        bare.push_back(Seconds(start));

        settings.SetStr(dsFileName, dir + "/dialog." + type);
        ConfirmWhenEnded(window);
        start = std::chrono::steady_clock::now();
        window.StartExport();
        fromDialog.push_back(Seconds(start));
        written = exporter.RecordCounter();
    }
    const double b = Median(bare), d = Median(fromDialog);
    std::printf("%s %d rows: bare %.3f s, from the dialog %.3f s, ratio %.2f\n", type.c_str(), written, b, d, d / b);
    return 0;
}
