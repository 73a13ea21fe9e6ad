// Pictures of the demo: its window with each tab active, and the export dialog's pages, written
// as PNG files without anything shown on the screen.
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace ostrel::demo {

class TForm1;

// Renders `form` with each of its tabs active to demo-1-dataset.png ... demo-4-stringgrid.png in
// `dir`, then the export dialog on the query (or, without an open query, on the list view).
// Leaves the first tab active. Returns the files written; throws EStreamError when one cannot be.
QStringList SaveDemoScreenshots(TForm1& form, const QString& dir);

// `ostrel-demo --screenshots DIR`: the window on the database in `databaseDir`, its pictures in
// `dir`, each file written named on `out`, errors on `err`. Returns the exit code: 0 done, 2 for
// a directory that is missing or not writable, 1 when rendering failed.
int RunScreenshots(const QString& dir, const QString& databaseDir, QTextStream& out, QTextStream& err);

}  // namespace ostrel::demo
