// The platform file dialogs the export dialog opens, replaceable so that tests answer them.
#pragma once

#include <functional>
#include <string>

#include <QString>

class QWidget;

namespace ostrel::qt {

struct TFileDialogRequest {
    bool Save = true;         // a save dialog; otherwise an open dialog
    QString Title;
    QString FileName;         // the initial file name
    std::string Filter;       // "Description|pattern;pattern|Description|pattern"
    QString DefaultExt;
};

// Returns the chosen path, or an empty text when the user cancelled.
using TFileDialogFunction = std::function<QString(QWidget* parent, const TFileDialogRequest&)>;

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request);
// nullptr restores the platform dialog.
void SetFileDialogFunction(TFileDialogFunction function);

// "Description (*.a)|*.a;*.b|..." as Qt name filters: "Description (*.a *.b)", ...
QStringList QtNameFilters(const std::string& filter);

}  // namespace ostrel::qt
