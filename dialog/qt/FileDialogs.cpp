#include "dialog/qt/FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace ostrel::qt {

namespace {

QString PlatformFileDialog(QWidget* parent, const TFileDialogRequest& r) {
    QFileDialog dialog(parent, r.Title);
    dialog.setAcceptMode(r.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Choosing an existing destination is the user's decision; nothing is asked.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(QtNameFilters(r.Filter));
    dialog.setDefaultSuffix(r.DefaultExt);
    if (!r.FileName.isEmpty()) dialog.selectFile(r.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

TFileDialogFunction& Function() {
    static TFileDialogFunction function = PlatformFileDialog;
    return function;
}

}  // namespace

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request) { return Function()(parent, request); }

void SetFileDialogFunction(TFileDialogFunction function) {
    Function() = function ? std::move(function) : TFileDialogFunction(PlatformFileDialog);
}

QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(ownPatterns);
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

}  // namespace ostrel::qt
