#include "dialog/qt/HtmlPage.h"

#include "dialog/qt/DialogTexts.h"
#include "dialog/qt/ErrorDisplay.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

#include "dialog/DialogExporters.h"
#include "dialog/qt/ColorDialogs.h"
#include "dialog/qt/FileDialogs.h"
#include "dialog/qt/HtmlPreview.h"
#include "dialog/qt/PageWidgets.h"
#include "dialog/qt/QtServices.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

QPushButton* BrowseButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFixedWidth(28);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

THtmlPageView::THtmlPageView(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* tabs = FControls.SubPages = new QTabWidget(this);
    tabs->addTab(BuildPreviewPage(), QString());
    tabs->addTab(BuildBasicPage(), QString());
    tabs->addTab(BuildAdvancedPage(), QString());
    layout->addWidget(tabs);
    BindSettings();
}

// ---- building ----

QWidget* THtmlPageView::BuildPreviewPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    c.Template = new QComboBox(page);
    c.Template->setMinimumWidth(130);
    c.TemplateLabel = LabelFor(c.Template, page);
    c.SaveTemplate = new QPushButton(page);
    c.LoadTemplate = new QPushButton(page);
    for (QPushButton* b : {c.SaveTemplate, c.LoadTemplate}) b->setAutoDefault(false);
    row->addWidget(c.TemplateLabel);
    row->addWidget(c.Template);
    row->addStretch(1);
    row->addWidget(c.SaveTemplate);
    row->addWidget(c.LoadTemplate);
    layout->addLayout(row);
    c.Preview = new THtmlPreview(Context.Settings, Context.Binder, page);
    layout->addWidget(c.Preview, 1);

    connect(c.Template, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!FShowingChoice && index >= 0) TemplateChosen(index);
    });
    connect(c.SaveTemplate, &QPushButton::clicked, this, [this] { SaveTemplate(); });
    connect(c.LoadTemplate, &QPushButton::clicked, this, [this] { LoadTemplate(); });
    c.Preview->OnPick = [this](TDialogSetting id) { PickColour(id); };
    return page;
}

QWidget* THtmlPageView::BuildBasicPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* titleRow = new QHBoxLayout;
    c.Title = new QLineEdit(page);
    c.TitleLabel = LabelFor(c.Title, page);
    titleRow->addWidget(c.TitleLabel);
    titleRow->addWidget(c.Title, 1);
    layout->addLayout(titleRow);

    c.CSSGroup = new QGroupBox(page);
    auto* css = new QGridLayout(c.CSSGroup);
    c.CSSInternal = new QRadioButton(c.CSSGroup);
    c.CSSExternal = new QRadioButton(c.CSSGroup);
    c.CSSFileName = new QLineEdit(c.CSSGroup);
    c.CSSFileLabel = LabelFor(c.CSSFileName, c.CSSGroup);
    c.CSSBrowse = BrowseButton(c.CSSGroup);
    auto* radios = new QHBoxLayout;
    radios->addWidget(c.CSSInternal);
    radios->addSpacing(24);
    radios->addWidget(c.CSSExternal);
    radios->addStretch(1);
    css->addLayout(radios, 0, 0, 1, 3);
    css->addWidget(c.CSSFileLabel, 1, 0);
    css->addWidget(c.CSSFileName, 1, 1);
    css->addWidget(c.CSSBrowse, 1, 2);
    layout->addWidget(c.CSSGroup);

    c.MultiFileGroup = new QGroupBox(page);
    auto* multi = new QGridLayout(c.MultiFileGroup);
    c.MultiFile = new QCheckBox(c.MultiFileGroup);
    c.FileRecCount = ShortEdit(c.MultiFileGroup);
    c.MaximumLabel = LabelFor(c.FileRecCount, c.MultiFileGroup);
    c.RecordsLabel = new QLabel(c.MultiFileGroup);
    c.GenerateIndex = new QCheckBox(c.MultiFileGroup);
    multi->addWidget(c.MultiFile, 0, 0, 1, 4);
    multi->addWidget(c.MaximumLabel, 1, 0);
    multi->addWidget(c.FileRecCount, 1, 1);
    multi->addWidget(c.RecordsLabel, 1, 2);
    multi->addWidget(c.GenerateIndex, 2, 0, 1, 4);
    multi->setColumnStretch(3, 1);
    layout->addWidget(c.MultiFileGroup);
    layout->addStretch(1);

    connect(c.CSSInternal, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Context.Settings.SetInt(dsHTMLUsingCSS, usInternal);
    });
    connect(c.CSSExternal, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Context.Settings.SetInt(dsHTMLUsingCSS, usExternal);
    });
    connect(c.CSSBrowse, &QPushButton::clicked, this, [this] { BrowseFor(dsHTMLCSSFileName, sCSSFilter, "css"); });
    return page;
}

QWidget* THtmlPageView::BuildAdvancedPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);

    c.BodyGroup = new QGroupBox(page);
    auto* body = new QGridLayout(c.BodyGroup);
    c.FontName = new QComboBox(c.BodyGroup);
    c.FontName->setEditable(true);
    c.FontName->setInsertPolicy(QComboBox::NoInsert);
    c.FontName->addItems(QFontDatabase::families());
    c.FontNameLabel = LabelFor(c.FontName, c.BodyGroup);
    c.Background = new QLineEdit(c.BodyGroup);
    c.BackgroundLabel = LabelFor(c.Background, c.BodyGroup);
    c.BackgroundBrowse = BrowseButton(c.BodyGroup);
    c.BodyAdvanced = new QLineEdit(c.BodyGroup);
    c.BodyAdvancedLabel = LabelFor(c.BodyAdvanced, c.BodyGroup);
    body->addWidget(c.FontNameLabel, 0, 0);
    body->addWidget(c.FontName, 0, 1, 1, 2);
    body->addWidget(c.BackgroundLabel, 1, 0);
    body->addWidget(c.Background, 1, 1);
    body->addWidget(c.BackgroundBrowse, 1, 2);
    body->addWidget(c.BodyAdvancedLabel, 2, 0);
    body->addWidget(c.BodyAdvanced, 2, 1, 1, 2);
    body->setColumnStretch(1, 1);
    layout->addWidget(c.BodyGroup);

    c.TableGroup = new QGroupBox(page);
    auto* table = new QGridLayout(c.TableGroup);
    c.CellPadding = ShortEdit(c.TableGroup);
    c.CellPaddingLabel = LabelFor(c.CellPadding, c.TableGroup);
    c.CellSpacing = ShortEdit(c.TableGroup);
    c.CellSpacingLabel = LabelFor(c.CellSpacing, c.TableGroup);
    c.Border = ShortEdit(c.TableGroup);
    c.BorderLabel = LabelFor(c.Border, c.TableGroup);
    c.TableAdvanced = new QLineEdit(c.TableGroup);
    c.TableAdvancedLabel = LabelFor(c.TableAdvanced, c.TableGroup);
    auto* numbers = new QHBoxLayout;
    for (auto [label, edit] : {std::pair{c.CellPaddingLabel, c.CellPadding}, std::pair{c.CellSpacingLabel, c.CellSpacing},
                               std::pair{c.BorderLabel, c.Border}}) {
        numbers->addWidget(label);
        numbers->addWidget(edit);
        numbers->addSpacing(12);
    }
    numbers->addStretch(1);
    table->addLayout(numbers, 0, 0, 1, 2);
    table->addWidget(c.TableAdvancedLabel, 1, 0);
    table->addWidget(c.TableAdvanced, 1, 1);
    layout->addWidget(c.TableGroup);
    layout->addStretch(1);

    // Choosing a family from the list types nothing, so the choice is taken on its own.
    connect(c.FontName, &QComboBox::textActivated, this,
            [this](const QString& family) { Context.Settings.SetStr(dsHTMLFontName, family.toStdString()); });
    connect(c.BackgroundBrowse, &QPushButton::clicked, this,
            [this] { BrowseFor(dsHTMLBackground, sPictureFilter, QString()); });
    return page;
}

void THtmlPageView::ApplyTexts() {
    auto& c = FControls;
    c.SubPages->setTabText(0, Text(sHTMLPreview));
    c.SubPages->setTabText(1, Text(sHTMLBasic));
    c.SubPages->setTabText(2, Text(sHTMLAdvanced));
    c.TemplateLabel->setText(Text(sTemplate));
    FShowingChoice = true;
    c.Template->clear();
    c.Template->addItem(Text(sTemplateCustom));
    for (int t = htBW; t <= htSimple; ++t) c.Template->addItem(QString::fromStdString(HTMLTemplateNames[t]));
    FShowingChoice = false;
    ShowTemplateChoice();
    c.SaveTemplate->setText(Text(sSaveAsTemplate));
    c.LoadTemplate->setText(Text(sLoadTemplate));
    c.Preview->ApplyTexts();

    c.TitleLabel->setText(Text(sHTMLTitle));
    c.CSSGroup->setTitle(Text(sCSSGroup));
    c.CSSInternal->setText(Text(sCSSInternal));
    c.CSSExternal->setText(Text(sCSSExternal));
    c.CSSFileLabel->setText(Text(sCSSFileName));
    c.MultiFileGroup->setTitle(Text(sMultiFileGroup));
    c.MultiFile->setText(Text(sUseMultiFile));
    c.MaximumLabel->setText(Text(sMaximum));
    c.RecordsLabel->setText(Text(sRecordsInSingleFile));
    c.GenerateIndex->setText(Text(sGenerateIndex));

    c.BodyGroup->setTitle(Text(sBodyOptionsGroup));
    c.FontNameLabel->setText(Text(sFontName));
    c.BackgroundLabel->setText(Text(sBackground));
    c.BodyAdvancedLabel->setText(Text(sAdvancedAttributes));
    c.TableGroup->setTitle(Text(sHTMLTableOptionsGroup));
    c.CellPaddingLabel->setText(Text(sCellPadding));
    c.CellSpacingLabel->setText(Text(sCellSpacing));
    c.BorderLabel->setText(Text(sBorder));
    c.TableAdvancedLabel->setText(Text(sAdvancedAttributes));
    for (QPushButton* b : {c.CSSBrowse, c.BackgroundBrowse}) b->setText(Text(sBrowse));
}

void THtmlPageView::Fill() { FControls.SubPages->setCurrentIndex(0); }

// ---- the model shown ----

void THtmlPageView::BindSettings() {
    auto& c = FControls;
    TSettingBinder& b = Context.Binder;
    b.BindText(c.Title, dsHTMLTitle);
    b.BindText(c.CSSFileName, dsHTMLCSSFileName);
    b.BindCheck(c.MultiFile, dsHTMLMultiFile);
    b.BindNumber(c.FileRecCount, dsHTMLFileRecCount, true);
    b.BindCheck(c.GenerateIndex, dsHTMLGenerateIndex);
    b.BindText(c.FontName->lineEdit(), dsHTMLFontName);
    b.BindText(c.Background, dsHTMLBackground);
    b.BindText(c.BodyAdvanced, dsHTMLBodyAdvanced);
    b.BindNumber(c.CellPadding, dsHTMLCellPadding, true);
    b.BindNumber(c.CellSpacing, dsHTMLCellSpacing, true);
    b.BindNumber(c.Border, dsHTMLBorderWidth, true);
    b.BindText(c.TableAdvanced, dsHTMLTableAdvanced);
    b.OnChange(dsHTMLUsingCSS, [this] {
        const bool external = Context.Settings.Int(dsHTMLUsingCSS) == usExternal;
        QRadioButton* on = external ? FControls.CSSExternal : FControls.CSSInternal;
        if (!on->isChecked()) on->setChecked(true);
    });
    b.OnChange(dsHTMLTemplateChoice, [this] { ShowTemplateChoice(); });
    b.OnAnyChange([this] { UpdateEnabling(); });
}

void THtmlPageView::ShowTemplateChoice() {
    const int choice = Context.Settings.Int(dsHTMLTemplateChoice);
    if (FControls.Template->currentIndex() == choice) return;
    // Showing the model's choice is no new choice of the user.
    FShowingChoice = true;
    FControls.Template->setCurrentIndex(choice);
    FShowingChoice = false;
}

void THtmlPageView::UpdateEnabling() {
    auto& c = FControls;
    const TOstrelDialogSettings& s = Context.Settings;
    const bool css = s.Enabled(dcCSSFileName);
    for (QWidget* w : {static_cast<QWidget*>(c.CSSFileLabel), static_cast<QWidget*>(c.CSSFileName),
                       static_cast<QWidget*>(c.CSSBrowse)})
        w->setEnabled(css);
    const bool count = s.Enabled(dcMultiFileCount);
    for (QWidget* w : {static_cast<QWidget*>(c.MaximumLabel), static_cast<QWidget*>(c.FileRecCount),
                       static_cast<QWidget*>(c.RecordsLabel)})
        w->setEnabled(count);
    c.GenerateIndex->setEnabled(s.Enabled(dcGenerateIndex));
}

// ---- templates and colours ----

void THtmlPageView::TemplateChosen(int index) { Context.Settings.ChooseHTMLTemplate(index, Context.Exporters.HTMLExp); }

void THtmlPageView::PickColour(TDialogSetting id) {
    TColorDialogRequest request;
    request.Initial = ToQColor(Context.Settings.Int(id));
    // The two row colours of the design, offered for every part.
    request.CustomColors = {QColor(0x00, 0x6B, 0xCE), QColor(0x00, 0x7A, 0xEC)};
    const QColor chosen = RunColorDialog(this, request);
    if (chosen.isValid()) Context.Settings.PickHTMLColour(id, FromQColor(chosen));
}

QString THtmlPageView::ChooseTemplateFile(bool save) {
    TFileDialogRequest request;
    request.Save = save;
    request.Title = Text(save ? sSaveTemplateTitle : sLoadTemplateTitle);
    request.Filter = DialogText(sTemplateFilter);
    request.DefaultExt = "htf";
    return RunFileDialog(this, request);
}

void THtmlPageView::SaveTemplate() {
    const QString chosen = ChooseTemplateFile(true);
    if (chosen.isEmpty()) return;
    TIB_OstrelHTML& html = Context.Exporters.HTMLExp;
    // The file holds what the preview shows, which may differ from the exporter's colours.
    Context.Settings.CopyColoursToExporter(html);
    try {
        html.SaveTemplateToFile(chosen.toStdString());
    } catch (const std::exception& error) {
        ShowErrorMessage(this, ToQString(error.what()));
    }
}

void THtmlPageView::LoadTemplate() {
    const QString chosen = ChooseTemplateFile(false);
    if (chosen.isEmpty()) return;
    TIB_OstrelHTML& html = Context.Exporters.HTMLExp;
    try {
        html.LoadTemplateFromFile(chosen.toStdString());
    } catch (const std::exception& error) {
        ShowErrorMessage(this, ToQString(error.what()));
        return;
    }
    Context.Settings.TemplateLoaded(html);
}

void THtmlPageView::BrowseFor(TDialogSetting id, TDialogText filter, const QString& defaultExt) {
    TFileDialogRequest request;
    request.Save = false;
    request.FileName = QString::fromStdString(Context.Settings.Str(id));
    request.Filter = DialogText(filter);
    request.DefaultExt = defaultExt;
    const QString chosen = RunFileDialog(this, request);
    if (!chosen.isEmpty()) Context.Settings.SetStr(id, chosen.toStdString());
}

TDialogPageView* CreateHtmlPage(TDialogPageContext& context, QWidget* parent) {
    return new THtmlPageView(context, parent);
}

}  // namespace ostrel::qt
