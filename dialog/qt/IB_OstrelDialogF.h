// The export dialog window: a view over the dialog settings model.
#pragma once

#include <QString>
#include <QStringList>

namespace ostrel {
class TIB_OstrelDialog;
}

namespace ostrel::qt {

// Creates the dialog window for `dialog` (whose column list must be filled, as Execute does),
// renders each page and sub-page to a PNG file in `dir` (named dialog-NN-page.png) and destroys
// the window again. Returns the files written.
QStringList SaveDialogScreenshots(TIB_OstrelDialog& dialog, const QString& dir);

}  // namespace ostrel::qt
