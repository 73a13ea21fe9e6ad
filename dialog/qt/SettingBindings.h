// Ties controls to the dialog settings model: editing a control assigns its setting, and a change
// of the setting (by the program, a rule or another control) shows in the control.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <QObject>

#include "dialog/DialogSettings.h"

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace ostrel::qt {

class TSettingBinder {
public:
    explicit TSettingBinder(TOstrelDialogSettings& settings);

    void BindText(QLineEdit* edit, TDialogSetting id);
    // A whole-number edit: assigns only a decimal integer text; with `digitsOnly` the keyboard
    // gives it digits and backspace only.
    void BindNumber(QLineEdit* edit, TDialogSetting id, bool digitsOnly);
    void BindCheck(QAbstractButton* box, TDialogSetting id);
    // Runs `show` now and after every change of the setting.
    void OnChange(TDialogSetting id, std::function<void()> show);
    // Runs `update` after every change of any setting (enabling, visibility).
    void OnAnyChange(std::function<void()> update);

private:
    void Changed(TDialogSetting id);

    TOstrelDialogSettings& FSettings;
    std::map<int, std::vector<std::function<void()>>> FShow;
    std::vector<std::function<void()>> FAny;
};

// Discards key presses that type anything but a digit; backspace and keys that type nothing
// (arrows, tab, shortcuts) pass.
class TDigitsOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ostrel::qt
