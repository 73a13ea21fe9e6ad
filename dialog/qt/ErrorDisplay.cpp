#include "dialog/qt/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

namespace ostrel::qt {

namespace {

void MessageBoxErrorDisplay(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), message);
}

TErrorDisplayFunction& ErrorDisplay() {
    static TErrorDisplayFunction function = MessageBoxErrorDisplay;
    return function;
}

}  // namespace

void ShowErrorMessage(QWidget* parent, const QString& message) { ErrorDisplay()(parent, message); }

void SetErrorDisplayFunction(TErrorDisplayFunction function) {
    ErrorDisplay() = function ? std::move(function) : TErrorDisplayFunction(MessageBoxErrorDisplay);
}

}  // namespace ostrel::qt
