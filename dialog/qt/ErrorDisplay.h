// The application's error display as the dialog uses it: failures the user should read (a
// template file, a width cell that holds no number) are shown and the dialog stays open.
// Replaceable, so that tests see the message instead of a modal box.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace ostrel::qt {

using TErrorDisplayFunction = std::function<void(QWidget* parent, const QString& message)>;

void ShowErrorMessage(QWidget* parent, const QString& message);
// nullptr restores the message box.
void SetErrorDisplayFunction(TErrorDisplayFunction function);

}  // namespace ostrel::qt
