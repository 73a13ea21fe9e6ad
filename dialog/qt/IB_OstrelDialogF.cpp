#include "dialog/qt/IB_OstrelDialogF.h"

#include "dialog/qt/DialogTexts.h"

#include <functional>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/DialogOptionsFile.h"
#include "dialog/qt/DialogPage.h"
#include "dialog/qt/ErrorDisplay.h"
#include "dialog/qt/FieldListWidget.h"
#include "dialog/qt/FileDialogs.h"
#include "dialog/qt/IB_OstrelXLSColorEditor.h"
#include "dialog/qt/PageWidgets.h"
#include "dialog/qt/ProgressRunView.h"
#include "dialog/qt/RunScreenshots.h"
#include "dialog/qt/SettingBindings.h"
#include "dialog/qt/WindowPicture.h"

namespace ostrel::qt {

namespace {

constexpr int kWindowWidth = 660;
constexpr int kWindowHeight = 490;

// The marks of the field rows: a hollow square for an available field, a filled one for an
// exported field.
QIcon FieldMark(bool exported) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(exported ? QColor(0x1E, 0x7B, 0x34) : QColor(0x70, 0x70, 0x70), 1.2));
    p.setBrush(exported ? QColor(0x3C, 0xB3, 0x5A) : QColor(Qt::white));
    p.drawRoundedRect(QRectF(1.5, 1.5, 9, 9), 2, 2);
    return QIcon(pixmap);
}

// Both lists keep showing their selection when another control has the focus.
void KeepSelectionVisible(QWidget* list) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    list->setPalette(palette);
}

}  // namespace

TIB_OstrelDialogF::TIB_OstrelDialogF(TIB_OstrelDialog& owner, QWidget* parent)
    : QDialog(parent),
      FOwner(owner),
      FExporters(std::make_unique<TOstrelDialogExporters>()),
      FBinder(std::make_unique<TSettingBinder>(FSettings)),
      FPageContext(std::make_unique<TDialogPageContext>(TDialogPageContext{owner, FSettings, *FBinder, *FExporters})) {
    BuildWindow();
    BindSettings();
    FillFromComponent();
}

TIB_OstrelDialogF::~TIB_OstrelDialogF() = default;

// ---- building ----

void TIB_OstrelDialogF::BuildWindow() {
    setFixedSize(kWindowWidth, kWindowHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(BuildDestinationPanel());

    auto* pages = FControls.Pages = new QTabWidget(this);
    pages->setUsesScrollButtons(true);
    FPages[dpExportType] = BuildExportTypePage();
    FPages[dpFields] = BuildFieldsPage();
    // The pages of the formats, texts and per-format options, in their order.
    using TCreatePage = TDialogPageView* (*)(TDialogPageContext&, QWidget*);
    static constexpr TCreatePage kCreate[kDialogPageCount] = {
        nullptr,         nullptr,       CreateFormatsPage, CreateHeaderFooterPage, CreateCaptionsPage,
        CreateRtfPage,   CreateXmlPage, CreateSqlPage,     CreateHtmlPage,         CreateExcelPage,
        CreateAsciiPage};
    for (int page = dpFormats; page < kDialogPageCount; ++page)
        FPages[page] = FPageViews[page] = kCreate[page](*FPageContext, pages);
    for (int page = 0; page < kDialogPageCount; ++page) pages->addTab(FPages[page], QString());
    connect(pages, &QTabWidget::currentChanged, this, [this] { PagesChanged(); });
    layout->addWidget(pages, 1);
    layout->addWidget(BuildButtonRow());
}

QWidget* TIB_OstrelDialogF::BuildDestinationPanel() {
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 8, 6);
    auto& c = FControls;
    c.DestinationLabel = new QLabel(panel);
    c.FileName = new QLineEdit(panel);
    c.FileName->setObjectName("FileName");
    c.DestinationLabel->setBuddy(c.FileName);
    c.Select = new QPushButton(panel);
    c.ShowFile = new QCheckBox(panel);
    c.PrintFile = new QCheckBox(panel);
    grid->addWidget(c.DestinationLabel, 0, 0, 1, 2);
    grid->addWidget(c.FileName, 1, 0);
    grid->addWidget(c.Select, 1, 1);
    auto* checks = new QHBoxLayout;
    checks->addWidget(c.ShowFile);
    checks->addSpacing(16);
    checks->addWidget(c.PrintFile);
    checks->addStretch(1);
    grid->addLayout(checks, 2, 0, 1, 2);
    connect(c.Select, &QPushButton::clicked, this, [this] { SelectDestination(); });
    return panel;
}

QWidget* TIB_OstrelDialogF::BuildExportTypePage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    c.ExportTypePages = new QTabWidget(page);

    auto* formats = new QWidget(c.ExportTypePages);
    auto* formatsLayout = new QVBoxLayout(formats);
    c.ExportTo = new QGroupBox(formats);
    c.ExportTypes = new QButtonGroup(this);
    connect(c.ExportTypes, &QButtonGroup::idClicked, this, [this](int code) { FSettings.SetInt(dsExportType, code); });
    new QGridLayout(c.ExportTo);
    formatsLayout->addWidget(c.ExportTo);
    formatsLayout->addStretch(1);

    auto* options = FOptionsSubPage = new QWidget(c.ExportTypePages);
    auto* optionsLayout = new QVBoxLayout(options);
    c.Constraints = new QGroupBox(options);
    auto* grid = new QGridLayout(c.Constraints);
    c.GoToFirstRecord = new QCheckBox(c.Constraints);
    c.SkipLabel = new QLabel(c.Constraints);
    c.SkipCount = ShortEdit(c.Constraints);
    c.SkipCount->setObjectName("SkipCount");
    c.SkipLabel->setBuddy(c.SkipCount);
    c.SkipRecordsLabel = new QLabel(c.Constraints);
    c.ExportAll = new QRadioButton(c.Constraints);
    c.ExportOnly = new QRadioButton(c.Constraints);
    c.ExportCount = ShortEdit(c.Constraints);
    c.ExportCount->setObjectName("ExportCount");
    c.ExportRecordsLabel = new QLabel(c.Constraints);
    grid->addWidget(c.GoToFirstRecord, 0, 0, 1, 4);
    grid->addWidget(c.SkipLabel, 1, 0);
    grid->addWidget(c.SkipCount, 1, 1);
    grid->addWidget(c.SkipRecordsLabel, 1, 2);
    grid->addWidget(c.ExportAll, 2, 0, 1, 4);
    grid->addWidget(c.ExportOnly, 3, 0);
    grid->addWidget(c.ExportCount, 3, 1);
    grid->addWidget(c.ExportRecordsLabel, 3, 2);
    grid->setColumnStretch(3, 1);
    optionsLayout->addWidget(c.Constraints);
    optionsLayout->addStretch(1);
    connect(c.ExportAll, &QRadioButton::clicked, this, [this] { FSettings.ExportAllRecords(); });
    connect(c.ExportOnly, &QRadioButton::toggled, this, [this](bool on) {
        if (on) FSettings.SetBool(dsExportOnly, true);
    });

    c.ExportTypePages->addTab(formats, QString());
    c.ExportTypePages->addTab(options, QString());
    layout->addWidget(c.ExportTypePages, 1);

    auto* buttons = new QHBoxLayout;
    c.SaveOptions = new QPushButton(page);
    c.LoadOptions = new QPushButton(page);
    buttons->addWidget(c.SaveOptions);
    buttons->addWidget(c.LoadOptions);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(c.SaveOptions, &QPushButton::clicked, this, [this] { SelectOptionsFile(true); });
    connect(c.LoadOptions, &QPushButton::clicked, this, [this] { SelectOptionsFile(false); });
    return page;
}

QWidget* TIB_OstrelDialogF::BuildFieldsPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    c.AvailableLabel = new QLabel(page);
    c.ExportedLabel = new QLabel(page);
    c.Available = new TFieldListWidget(flAvailable, page);
    c.Available->setObjectName("Available");
    c.Exported = new TFieldListWidget(flExported, page);
    c.Exported->setObjectName("Exported");
    c.AvailableLabel->setBuddy(c.Available);
    c.ExportedLabel->setBuddy(c.Exported);
    auto* buttons = new QVBoxLayout;
    c.AddField = new QPushButton(page);
    c.AddAllFields = new QPushButton(page);
    c.RemoveField = new QPushButton(page);
    c.RemoveAllFields = new QPushButton(page);
    buttons->addStretch(1);
    for (QPushButton* b : {c.AddField, c.AddAllFields, c.RemoveField, c.RemoveAllFields}) {
        b->setFixedWidth(40);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    grid->addWidget(c.AvailableLabel, 0, 0);
    grid->addWidget(c.ExportedLabel, 0, 2);
    grid->addWidget(c.Available, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(c.Exported, 1, 2);

    TOstrelDialogFieldLists& fields = FSettings.Fields();
    for (TFieldListWidget* list : {c.Available, c.Exported}) {
        KeepSelectionVisible(list);
        connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
            if (!FShowingLists) FSettings.Fields().Select(list->List(), row);
        });
        list->OnDrop = [&fields, list](TFieldList source, int targetRow) { fields.Drop(source, list->List(), targetRow); };
    }
    connect(c.Available, &QListWidget::itemDoubleClicked, this, [&fields] { fields.AddSelected(); });
    connect(c.Exported, &QListWidget::itemDoubleClicked, this, [&fields] { fields.RemoveSelected(); });
    connect(c.AddField, &QPushButton::clicked, this, [&fields] { fields.AddSelected(); });
    connect(c.AddAllFields, &QPushButton::clicked, this, [&fields] { fields.AddAll(); });
    connect(c.RemoveField, &QPushButton::clicked, this, [&fields] { fields.RemoveSelected(); });
    connect(c.RemoveAllFields, &QPushButton::clicked, this, [&fields] { fields.RemoveAll(); });
    FSettings.AddFieldsListener([this] { ShowFieldLists(); });
    return page;
}

QWidget* TIB_OstrelDialogF::BuildButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    FControls.StartExport = new QPushButton(row);
    FControls.StartExport->setDefault(true);
    FControls.Close = new QPushButton(row);
    FControls.Close->setAutoDefault(false);
    layout->addStretch(1);
    layout->addWidget(FControls.StartExport);
    layout->addWidget(FControls.Close);
    connect(FControls.Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(FControls.StartExport, &QPushButton::clicked, this, [this] { StartExport(); });
    return row;
}

void TIB_OstrelDialogF::ApplyTexts() {
    auto& c = FControls;
    c.DestinationLabel->setText(Text(sDestinationFile));
    c.Select->setText(Text(sSelect));
    c.ShowFile->setText(Text(sOpenFileAfterExport));
    c.PrintFile->setText(Text(sPrintFileAfterExport));
    c.StartExport->setText(Text(sStartExport));
    c.Close->setText(Text(sClose));
    static constexpr TDialogText kPageTexts[kDialogPageCount] = {
        sPageExportType, sPageFields, sPageFormats, sPageHeaderFooter, sPageCaptions, sPageRTF,
        sPageXML,        sPageSQL,    sPageHTML,    sPageExcel,        sPageASCII};
    for (int page = 0; page < kDialogPageCount; ++page)
        c.Pages->setTabText(c.Pages->indexOf(FPages[page]), Text(kPageTexts[page]));
    c.ExportTypePages->setTabText(0, Text(sSubPageFormats));
    c.ExportTypePages->setTabText(1, Text(sSubPageOptions));
    c.SaveOptions->setText(Text(sSaveOptions));
    c.LoadOptions->setText(Text(sLoadOptions));
    c.ExportTo->setTitle(Text(sExportTo));
    c.Constraints->setTitle(Text(sConstraints));
    c.GoToFirstRecord->setText(Text(sGoToFirstRecord));
    c.SkipLabel->setText(Text(sSkip));
    c.SkipRecordsLabel->setText(Text(sRecords));
    c.ExportAll->setText(Text(sExportAllRecords));
    c.ExportOnly->setText(Text(sExportOnly));
    c.ExportRecordsLabel->setText(Text(sRecords));
    c.AvailableLabel->setText(Text(sAvailableFields));
    c.ExportedLabel->setText(Text(sExportedFieldsLabel));
    c.AddField->setText(Text(sAddField));
    c.AddAllFields->setText(Text(sAddAllFields));
    c.RemoveField->setText(Text(sRemoveField));
    c.RemoveAllFields->setText(Text(sRemoveAllFields));
    for (TDialogPageView* view : FPageViews)
        if (view) view->ApplyTexts();
    UpdateCaption();
}

// ---- the model shown ----

void TIB_OstrelDialogF::BindSettings() {
    auto& c = FControls;
    TSettingBinder& b = *FBinder;
    b.BindText(c.FileName, dsFileName);
    b.BindCheck(c.ShowFile, dsShowFile);
    b.BindCheck(c.PrintFile, dsPrintFile);
    b.BindCheck(c.GoToFirstRecord, dsGoToFirstRecord);
    b.BindNumber(c.SkipCount, dsSkipRecCount, true);
    b.BindNumber(c.ExportCount, dsExportRecCount, true);
    b.OnChange(dsFileName, [this] { UpdateCaption(); });
    b.OnChange(dsExportOnly, [this] {
        QRadioButton* on = FSettings.Bool(dsExportOnly) ? FControls.ExportOnly : FControls.ExportAll;
        if (!on->isChecked()) on->setChecked(true);
    });
    b.OnChange(dsExportType, [this] {
        if (QAbstractButton* item = FControls.ExportTypes->button(FSettings.Int(dsExportType))) item->setChecked(true);
        UpdatePages();
    });
    b.OnAnyChange([this] { UpdateEnabling(); });
}

void TIB_OstrelDialogF::UpdateCaption() { setWindowTitle(QString::fromStdString(FSettings.Caption())); }

void TIB_OstrelDialogF::FillExportTypes() {
    auto& c = FControls;
    for (QAbstractButton* item : c.ExportTypes->buttons()) {
        c.ExportTypes->removeButton(item);
        delete item;
    }
    // Three columns, filled column by column.
    auto* grid = static_cast<QGridLayout*>(c.ExportTo->layout());
    const std::vector<int>& types = FSettings.OfferedTypes();
    const int perColumn = (static_cast<int>(types.size()) + 2) / 3;
    for (int i = 0; i < static_cast<int>(types.size()); ++i) {
        auto* item = new QRadioButton(Text(ExportTypeInfo(types[i]).Text), c.ExportTo);
        c.ExportTypes->addButton(item, types[i]);
        grid->addWidget(item, i % perColumn, i / perColumn);
        item->setChecked(types[i] == FSettings.Int(dsExportType));
    }
}

void TIB_OstrelDialogF::UpdatePages() {
    for (int page = 0; page < kDialogPageCount; ++page)
        FControls.Pages->setTabVisible(FControls.Pages->indexOf(FPages[page]),
                                       FSettings.PageVisible(static_cast<TDialogPage>(page)));
    FControls.ExportTypePages->setTabVisible(1, FSettings.OptionsSubPageVisible());
}

void TIB_OstrelDialogF::UpdateEnabling() {
    auto& c = FControls;
    const bool destination = FSettings.Enabled(dcDestination);
    for (QWidget* w : {static_cast<QWidget*>(c.DestinationLabel), static_cast<QWidget*>(c.FileName),
                       static_cast<QWidget*>(c.Select), static_cast<QWidget*>(c.ShowFile)})
        w->setEnabled(destination);
    const bool count = FSettings.Enabled(dcExportCount);
    c.ExportCount->setEnabled(count);
    c.ExportRecordsLabel->setEnabled(count);
    c.StartExport->setEnabled(FSettings.Enabled(dcStartExport));
    const bool saveLoad = FSettings.Enabled(dcSaveLoadButtons);
    for (QPushButton* button : {c.SaveOptions, c.LoadOptions}) {
        button->setVisible(saveLoad);
        button->setEnabled(saveLoad);
    }
}

void TIB_OstrelDialogF::ShowFieldLists() {
    FShowingLists = true;
    const TOstrelDialogFieldLists& fields = FSettings.Fields();
    for (TFieldListWidget* list : {FControls.Available, FControls.Exported}) {
        const TFieldList which = list->List();
        const QIcon mark = FieldMark(which == flExported);
        list->clear();
        for (const TFieldRow& row : fields.Rows(which))
            new QListWidgetItem(mark, QString::fromStdString(row.Text), list);
        list->setCurrentRow(fields.Selected(which));
    }
    FShowingLists = false;
}

void TIB_OstrelDialogF::ShowPage(TDialogPage page) { FControls.Pages->setCurrentWidget(FPages[page]); }

// ---- creation ----

void TIB_OstrelDialogF::FillFromComponent() {
    FControls.Pages->setCurrentWidget(FPages[dpExportType]);
    FControls.ExportTypePages->setCurrentIndex(0);
    FControls.FileName->setFocus();
    FSettings.FillFromComponent(FOwner, *FExporters, this, [this] { ApplyTexts(); });
    FillExportTypes();
    UpdatePages();
    UpdateEnabling();
    ShowFieldLists();
    for (TDialogPageView* view : FPageViews)
        if (view) view->Fill();
    if (FOwner.AutoLoadOptions() && !FSettings.Str(dsOptionsFileName).empty())
        LoadOptions(FSettings.Str(dsOptionsFileName));
}

void TIB_OstrelDialogF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    UpdateCaption();
}

void TIB_OstrelDialogF::PagesChanged() {
    for (int page = 0; page < kDialogPageCount; ++page)
        if (FPageViews[page] && FControls.Pages->currentWidget() == FPages[page]) FPageViews[page]->Activated();
}

// ---- file dialogs ----

void TIB_OstrelDialogF::SelectDestination() {
    TFileDialogRequest request;
    request.FileName = QString::fromStdString(FSettings.Str(dsFileName));
    request.Filter = FSettings.DestinationFilter();
    request.DefaultExt = QString::fromStdString(FSettings.DestinationDefaultExt());
    const QString chosen = RunFileDialog(this, request);
    if (!chosen.isEmpty()) FSettings.SetStr(dsFileName, chosen.toStdString());
}

void TIB_OstrelDialogF::SelectOptionsFile(bool save) {
    TFileDialogRequest request;
    request.Save = save;
    request.FileName = QString::fromStdString(FSettings.Str(dsOptionsFileName));
    request.Filter = DialogText(sOptionsFilter);
    request.DefaultExt = "cfg";
    const QString chosen = RunFileDialog(this, request);
    if (chosen.isEmpty()) return;
    FSettings.SetStr(dsOptionsFileName, chosen.toStdString());
    if (save) SaveOptions(FSettings.Str(dsOptionsFileName));
    else LoadOptions(FSettings.Str(dsOptionsFileName));
}

bool TIB_OstrelDialogF::SaveOptions(const std::string& fileName) {
    try {
        ostrel::SaveOptions(FSettings, *FExporters, FOwner, fileName);
        return true;
    } catch (const std::exception& error) {
        ShowErrorMessage(this, ToQString(error.what()));
        return false;
    }
}

bool TIB_OstrelDialogF::LoadOptions(const std::string& fileName) {
    bool done = true;
    try {
        ostrel::LoadOptions(FSettings, *FExporters, FOwner, fileName);
    } catch (const std::exception& error) {
        // What was read before the failure stays, as it shows.
        ShowErrorMessage(this, ToQString(error.what()));
        done = false;
    }
    ShowFieldLists();
    for (TDialogPageView* view : FPageViews)
        if (view) view->Reshow();
    return done;
}

void TIB_OstrelDialogF::StartExport() {
    TProgressRunView view(this);
    TDialogExportRun run(FSettings, *FExporters, FOwner, view);
    FRun = &run;
    FRunView = &view;
    try {
        run.Execute();
    } catch (const std::exception& error) {
        // The dialog stays open with every setting, for another try.
        ShowErrorMessage(this, ToQString(error.what()));
    }
    FRun = nullptr;
    FRunView = nullptr;
}

TIB_Ostrel* TIB_OstrelDialogF::RunningExporter() const { return FRun ? FRun->Running() : nullptr; }

TIB_OstrelDialogProgressF* TIB_OstrelDialogF::ProgressWindow() const {
    return FRunView ? FRunView->Window() : nullptr;
}

void TIB_OstrelDialogF::done(int result) {
    // The choices are kept for the next time, however the window closes.
    if (FOwner.AutoSaveOptions() && !FSettings.Str(dsOptionsFileName).empty())
        SaveOptions(FSettings.Str(dsOptionsFileName));
    QDialog::done(result);
}

// ---- pictures ----

namespace {

// The page controls inside `page` that no other page control stands between.
QList<QTabWidget*> NestedTabs(QWidget* page) {
    QList<QTabWidget*> nested;
    for (QTabWidget* tabs : page->findChildren<QTabWidget*>()) {
        QWidget* w = tabs->parentWidget();
        while (w != page && !qobject_cast<QTabWidget*>(w)) w = w->parentWidget();
        if (w == page) nested << tabs;
    }
    return nested;
}

// Saves a page, or each of its sub-pages (and theirs) in turn.
void SaveTabs(QWidget* page, const QString& name, const std::function<void(const QString&)>& save) {
    const QList<QTabWidget*> nested = NestedTabs(page);
    if (nested.isEmpty()) return save(name);
    QTabWidget* tabs = nested.front();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        SaveTabs(tabs->widget(i), QStringLiteral("%1-%2").arg(name).arg(i + 1), save);
    }
    tabs->setCurrentIndex(0);
}

}  // namespace

QStringList SaveDialogScreenshots(TIB_OstrelDialog& dialog, const QString& dir) {
    QStringList written;
    TIB_OstrelDialogF window(dialog);
    int number = 0;
    std::function<void(const QString&)> save = [&](const QString& name) {
        const QString file = QStringLiteral("dialog-%1-%2.png").arg(++number, 2, 10, QChar('0')).arg(name);
        const QString path = QDir(dir).filePath(file);
        if (WindowPicture(window).save(path)) written << path;
    };
    const auto& c = window.Controls();
    TOstrelDialogSettings& settings = window.Settings();
    window.ShowPage(dpExportType);
    c.ExportTypePages->setCurrentIndex(0);
    save("export-type");
    c.ExportTypePages->setCurrentIndex(1);
    save("export-type-options");
    window.ShowPage(dpFields);
    TOstrelDialogFieldLists& fields = settings.Fields();
    fields.Select(flAvailable, 1);
    fields.AddSelected();
    fields.Select(flAvailable, 0);
    fields.AddSelected();
    save("fields");

    // Every other page under a type that shows it, with each of its sub-pages.
    struct TShot {
        TDialogPage Page;
        TAllowedExport Type;
        const char* Name;
    };
    static constexpr TShot kShots[] = {
        {dpFormats, aeXLS, "formats"},          {dpHeaderFooter, aeXLS, "header-footer"},
        {dpCaptions, aeXLS, "captions-excel"},  {dpCaptions, aeTXT, "captions-text"},
        {dpCaptions, aeCSV, "captions-csv"},    {dpRTF, aeRTF, "rtf"},
        {dpXML, aeXML, "xml"},                  {dpSQL, aeSQL, "sql"},
        {dpHTML, aeHTML, "html"},               {dpExcel, aeXLS, "excel"},
        {dpASCII, aeTXT, "ascii"},
    };
    for (const TShot& shot : kShots) {
        settings.SetInt(dsExportType, shot.Type);
        window.ShowPage(shot.Page);
        SaveTabs(window.Page(shot.Page), shot.Name, save);
    }

    // The destination controls as the clipboard leaves them.
    settings.SetInt(dsExportType, aeClipboard);
    window.ShowPage(dpExportType);
    c.ExportTypePages->setCurrentIndex(0);
    save("export-type-clipboard");

    // The spreadsheet colour picker the Excel page's colour buttons open.
    const QString picker = QDir(dir).filePath(QStringLiteral("dialog-%1-xls-color-picker.png").arg(++number, 2, 10, QChar('0')));
    if (RenderXLSColorPicker(clrRed).save(picker)) written << picker;

    // A run: the progress window, the stop question, the stopped run.
    written << SaveRunScreenshots(window, dir, number);
    return written;
}

}  // namespace ostrel::qt
