#include "dialog/qt/SettingBindings.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>

namespace ostrel::qt {

TSettingBinder::TSettingBinder(TOstrelDialogSettings& settings) : FSettings(settings) {
    settings.AddListener([this](TDialogSetting id) { Changed(id); });
}

void TSettingBinder::Changed(TDialogSetting id) {
    auto it = FShow.find(id);
    if (it != FShow.end())
        for (const auto& show : it->second) show();
    for (const auto& update : FAny) update();
}

void TSettingBinder::OnChange(TDialogSetting id, std::function<void()> show) {
    show();
    FShow[id].push_back(std::move(show));
}

void TSettingBinder::OnAnyChange(std::function<void()> update) {
    update();
    FAny.push_back(std::move(update));
}

void TSettingBinder::BindText(QLineEdit* edit, TDialogSetting id) {
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this, id](const QString& text) { FSettings.SetStr(id, text.toStdString()); });
    OnChange(id, [this, edit, id] {
        const QString text = QString::fromStdString(FSettings.Str(id));
        if (edit->text() != text) edit->setText(text);
    });
}

void TSettingBinder::BindNumber(QLineEdit* edit, TDialogSetting id, bool digitsOnly) {
    if (digitsOnly) edit->installEventFilter(new TDigitsOnlyFilter(edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this, id](const QString& text) { FSettings.SetIntText(id, text.toStdString()); });
    OnChange(id, [this, edit, id] {
        // An edit being typed into keeps its text while it still means the setting's value.
        bool ok = false;
        const int shown = edit->text().toInt(&ok);
        if (!ok || shown != FSettings.Int(id)) edit->setText(QString::number(FSettings.Int(id)));
    });
}

void TSettingBinder::BindCheck(QAbstractButton* box, TDialogSetting id) {
    QObject::connect(box, &QAbstractButton::toggled, box, [this, id](bool on) { FSettings.SetBool(id, on); });
    OnChange(id, [this, box, id] {
        if (box->isChecked() != FSettings.Bool(id)) box->setChecked(FSettings.Bool(id));
    });
}

bool TDigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text[0].isPrint()) return false;
    const bool digits = std::all_of(text.begin(), text.end(),
                                    [](QChar c) { return TOstrelDialogSettings::AcceptsDigitKey(c.unicode()); });
    return !digits;
}

}  // namespace ostrel::qt
