// ostrel-demo: the demo window, or with --screenshots its pictures written to a directory.
#include <QApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "demo/Form1.h"
#include "demo/Screenshots.h"
#include "dialog/qt/QtLayer.h"

namespace {

const char* const kUsage =
    "Usage: ostrel-demo [--screenshots DIR]\n"
    "\n"
    "Without options, opens the demo window on country.gdb beside the program (an installed\n"
    "program: in " OSTREL_DEMO_DATA_DIR " relative to its folder).\n"
    "\n"
    "  --screenshots DIR  writes the demo window with each tab active (demo-1-dataset.png ...\n"
    "                     demo-4-stringgrid.png) and every page of the export dialog to DIR as\n"
    "                     PNG files, shows nothing and exits; prints the files written.\n"
    "                     Exit codes: 0 done, 1 rendering failed, 2 bad usage or DIR missing or\n"
    "                     not writable.\n"
    "  --help             shows this text.\n";

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);

    if (args == QStringList{QStringLiteral("--help")} || args == QStringList{QStringLiteral("-h")}) {
        out << kUsage;
        return 0;
    }
    const bool screenshots = !args.isEmpty() && args.first() == QStringLiteral("--screenshots");
    if (!args.isEmpty() && !(screenshots && args.size() == 2)) {
        err << (screenshots ? QStringLiteral("ostrel-demo: --screenshots needs one directory\n")
                            : QStringLiteral("ostrel-demo: unknown argument %1\n").arg(args.first()))
            << kUsage;
        return 2;
    }

    ostrel::qt::InitializeQtLayer();
    const QString databaseDir = ostrel::demo::SampleDatabaseDir();
    if (screenshots) return ostrel::demo::RunScreenshots(args.at(1), databaseDir, out, err);

    ostrel::demo::TForm1 form(databaseDir);
    form.show();
    return app.exec();
}
