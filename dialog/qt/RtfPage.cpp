#include "dialog/qt/RtfPage.h"

#include "dialog/qt/DialogTexts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog/DialogExporters.h"
#include "dialog/qt/FontSample.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

}  // namespace

TRtfPage::TRtfPage(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto& c = FControls;
    auto* layout = new QVBoxLayout(this);

    c.Orientation = new QGroupBox(this);
    auto* columns = new QGridLayout(c.Orientation);
    c.Portrait = new QRadioButton(c.Orientation);
    c.Landscape = new QRadioButton(c.Orientation);
    columns->addWidget(c.Portrait, 0, 0);
    columns->addWidget(c.Landscape, 0, 1);
    c.Orientations = new QButtonGroup(this);
    c.Orientations->addButton(c.Portrait, poPortrait);
    c.Orientations->addButton(c.Landscape, poLandscape);
    TOstrelDialogSettings& settings = Context.Settings;
    // Toggled rather than clicked, so that moving the choice with the arrow keys assigns too.
    connect(c.Orientations, &QButtonGroup::idToggled, this, [&settings](int id, bool on) {
        if (on) settings.SetInt(dsRTFPageOrientation, id);
    });
    Context.Binder.OnChange(dsRTFPageOrientation, [this, &settings] {
        if (QAbstractButton* item = FControls.Orientations->button(settings.Int(dsRTFPageOrientation)))
            item->setChecked(true);
    });
    layout->addWidget(c.Orientation);

    auto* fonts = new QGridLayout;
    fonts->setColumnStretch(1, 1);
    TRTFOptions& options = Context.Exporters.RTFExp.Options();
    c.DefaultFont = AddFontRow(fonts, 0, options.DefaultFont);
    c.HeaderFont = AddFontRow(fonts, 1, options.HeaderFont);
    layout->addSpacing(6);
    layout->addLayout(fonts);
    layout->addStretch(1);
}

TRtfPage::TFontRow TRtfPage::AddFontRow(QGridLayout* grid, int row, TFont& font) {
    TFontRow r;
    r.Label = new QLabel(this);
    r.Sample = new TFontSampleBox(font, this);
    r.Select = new QPushButton(this);
    r.Select->setAutoDefault(false);
    r.Label->setBuddy(r.Select);
    grid->addWidget(r.Label, row, 0);
    grid->addWidget(r.Sample, row, 1);
    grid->addWidget(r.Select, row, 2);
    TFontSampleBox* sample = r.Sample;
    auto choose = [this, sample, &font] {
        if (ChooseFont(this, font)) sample->update();
    };
    connect(r.Select, &QPushButton::clicked, this, choose);
    r.Sample->OnDoubleClick = choose;
    return r;
}

void TRtfPage::ApplyTexts() {
    auto& c = FControls;
    c.Orientation->setTitle(Text(sPageOrientation));
    c.Portrait->setText(Text(sPortrait));
    c.Landscape->setText(Text(sLandscape));
    c.DefaultFont.Label->setText(Text(sDefaultFont));
    c.HeaderFont.Label->setText(Text(sRowHeaderFont));
    for (const TFontRow* row : {&c.DefaultFont, &c.HeaderFont}) {
        row->Sample->SetText(Text(sFontSample));
        row->Select->setText(Text(sSelect));
    }
}

void TRtfPage::Reshow() { Fill(); }

void TRtfPage::Fill() {
    // The fonts live in the exporter, not in a setting: show what it holds now.
    FControls.DefaultFont.Sample->update();
    FControls.HeaderFont.Sample->update();
}

TDialogPageView* CreateRtfPage(TDialogPageContext& context, QWidget* parent) { return new TRtfPage(context, parent); }

}  // namespace ostrel::qt
