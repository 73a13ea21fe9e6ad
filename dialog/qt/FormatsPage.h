// The formats page's input box for "Edit", replaceable so that tests answer it.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace ostrel::qt {

// Shows `value` for editing; returns false when the user cancelled.
using TInputBoxFunction =
    std::function<bool(QWidget* parent, const QString& title, const QString& prompt, QString& value)>;

bool RunInputBox(QWidget* parent, const QString& title, const QString& prompt, QString& value);
// nullptr restores the platform input dialog.
void SetInputBoxFunction(TInputBoxFunction function);

}  // namespace ostrel::qt
