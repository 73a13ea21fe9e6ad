#include "dialog/qt/AsciiPage.h"

#include "dialog/qt/DialogTexts.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog/qt/QtServices.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

}  // namespace

TAsciiPage::TAsciiPage(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto& c = FControls;
    auto* layout = new QVBoxLayout(this);
    c.TXTOptions = BuildGroup(c.AutoCalcColWidth, c.SpacingLabel, c.Spacing);
    c.CSVOptions = BuildGroup(c.QuoteStrings, c.CommaLabel, c.Comma);
    c.Comma->setFixedWidth(32);
    layout->addWidget(c.TXTOptions);
    layout->addWidget(c.CSVOptions);
    layout->addStretch(1);

    TSettingBinder& b = Context.Binder;
    b.BindCheck(c.AutoCalcColWidth, dsTXTAutoCalcColWidth);
    // Not limited to digits from the keyboard: a text that is no number is simply not assigned.
    b.BindNumber(c.Spacing, dsTXTSpacing, false);
    b.BindCheck(c.QuoteStrings, dsCSVQuoteStrings);
    BindComma();
}

// Both groups are a check box above a short labelled edit.
QGroupBox* TAsciiPage::BuildGroup(QCheckBox*& check, QLabel*& label, QLineEdit*& edit) {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    check = new QCheckBox(group);
    label = new QLabel(group);
    edit = new QLineEdit(group);
    edit->setFixedWidth(60);
    label->setBuddy(edit);
    grid->addWidget(check, 0, 0, 1, 3);
    grid->addWidget(label, 1, 0);
    grid->addWidget(edit, 1, 1);
    grid->setColumnStretch(2, 1);
    return group;
}

void TAsciiPage::BindComma() {
    QLineEdit* edit = FControls.Comma;
    edit->setMaxLength(1);
    TOstrelDialogSettings& settings = Context.Settings;
    auto show = [edit, &settings] {
        const int code = settings.Int(dsCSVComma);
        const QString text = code == 0 ? QString() : ToQString(std::string(1, static_cast<char>(code)));
        if (edit->text() != text) edit->setText(text);
    };
    // A character the separator cannot be is taken back, so the edit never shows another
    // separator than the one the export uses.
    connect(edit, &QLineEdit::textEdited, edit, [&settings, show](const QString& text) {
        if (!settings.SetCommaText(FromQString(text))) show();
    });
    Context.Binder.OnChange(dsCSVComma, show);
}

void TAsciiPage::ApplyTexts() {
    auto& c = FControls;
    c.TXTOptions->setTitle(Text(sTXTOptionsGroup));
    c.AutoCalcColWidth->setText(Text(sCalcColumnWidth));
    c.SpacingLabel->setText(Text(sSpacing));
    c.CSVOptions->setTitle(Text(sCSVOptionsGroup));
    c.QuoteStrings->setText(Text(sQuoteStrings));
    c.CommaLabel->setText(Text(sComma));
    // The two edits start in one column, after the wider label.
    const int width = std::max(c.SpacingLabel->sizeHint().width(), c.CommaLabel->sizeHint().width());
    for (QGroupBox* group : {c.TXTOptions, c.CSVOptions})
        static_cast<QGridLayout*>(group->layout())->setColumnMinimumWidth(0, width);
}

TDialogPageView* CreateAsciiPage(TDialogPageContext& context, QWidget* parent) {
    return new TAsciiPage(context, parent);
}

}  // namespace ostrel::qt
