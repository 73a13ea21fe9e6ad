// Pictures of a run from the dialog window, for the documentation: the progress window while
// rows are written, the stop question, and the progress window after the stop.
#pragma once

#include <QString>
#include <QStringList>

namespace ostrel::qt {

class TIB_OstrelDialogF;

// Runs a CSV export of the window's source into a temporary folder, stops it after a few rows
// and saves the pictures in `dir` as dialog-NN-name.png, counting on from `number`. The
// window's settings and its component's events are as before afterwards.
QStringList SaveRunScreenshots(TIB_OstrelDialogF& window, const QString& dir, int& number);

}  // namespace ostrel::qt
