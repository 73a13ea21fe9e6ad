// The export dialog window: a view over the dialog settings model. It is filled from its
// component when it is created, and keeps the user's choices in the model, never in the
// component.
#pragma once

#include <memory>
#include <string>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "dialog/DialogExporters.h"
#include "dialog/DialogSettings.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace ostrel {
class TDialogExportRun;
class TIB_OstrelDialog;
}

namespace ostrel::qt {

class TDialogPageView;
class TIB_OstrelDialogProgressF;
class TProgressRunView;
class TFieldListWidget;
class TSettingBinder;
struct TDialogPageContext;

// Also a TObject: it is the Sender of the events it raises on its component.
class TIB_OstrelDialogF : public QDialog, public TObject {
public:
    // The component must have filled its column list (Execute does).
    explicit TIB_OstrelDialogF(TIB_OstrelDialog& owner, QWidget* parent = nullptr);
    ~TIB_OstrelDialogF() override;

    TIB_OstrelDialog& Owner() const { return FOwner; }
    TOstrelDialogSettings& Settings() { return FSettings; }
    TOstrelDialogExporters& Exporters() { return *FExporters; }

    void UpdateCaption();
    // The options file; a failure is shown and the window stays open. False when it failed.
    bool SaveOptions(const std::string& fileName);
    bool LoadOptions(const std::string& fileName);
    void FillExportTypes();
    // The page control's page of a page of the model.
    QWidget* Page(TDialogPage page) const { return FPages[page]; }
    void ShowPage(TDialogPage page);

    // Controls, for the pages of later parts of the dialog and for tests.
    struct TControls {
        QLabel* DestinationLabel = nullptr;
        QLineEdit* FileName = nullptr;
        QPushButton* Select = nullptr;
        QCheckBox* ShowFile = nullptr;
        QCheckBox* PrintFile = nullptr;
        QTabWidget* Pages = nullptr;
        QTabWidget* ExportTypePages = nullptr;  // " &Formats" and "&Options"
        QGroupBox* ExportTo = nullptr;
        QButtonGroup* ExportTypes = nullptr;    // ids are export-type codes
        QPushButton* SaveOptions = nullptr;
        QPushButton* LoadOptions = nullptr;
        QGroupBox* Constraints = nullptr;
        QCheckBox* GoToFirstRecord = nullptr;
        QLabel* SkipLabel = nullptr;
        QLineEdit* SkipCount = nullptr;
        QLabel* SkipRecordsLabel = nullptr;
        QRadioButton* ExportAll = nullptr;
        QRadioButton* ExportOnly = nullptr;
        QLineEdit* ExportCount = nullptr;
        QLabel* ExportRecordsLabel = nullptr;
        QLabel* AvailableLabel = nullptr;
        QLabel* ExportedLabel = nullptr;
        TFieldListWidget* Available = nullptr;
        TFieldListWidget* Exported = nullptr;
        QPushButton* AddField = nullptr;
        QPushButton* AddAllFields = nullptr;
        QPushButton* RemoveField = nullptr;
        QPushButton* RemoveAllFields = nullptr;
        QPushButton* StartExport = nullptr;
        QPushButton* Close = nullptr;
    };
    const TControls& Controls() const { return FControls; }

    // What "Start Export" does: the run with its progress window; a failure is shown and the
    // window stays open.
    void StartExport();
    // While a run is in progress: its exporter and progress window (nullptr otherwise).
    TIB_Ostrel* RunningExporter() const;
    TIB_OstrelDialogProgressF* ProgressWindow() const;

    // Closing by any means writes the options file when the component asks for it.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildWindow();
    QWidget* BuildDestinationPanel();
    QWidget* BuildExportTypePage();
    QWidget* BuildFieldsPage();
    QWidget* BuildButtonRow();
    void ApplyTexts();
    void FillFromComponent();
    void BindSettings();
    void ShowFieldLists();
    void UpdatePages();
    void UpdateEnabling();
    void SelectDestination();
    void SelectOptionsFile(bool save);
    void PagesChanged();

    TIB_OstrelDialog& FOwner;
    TOstrelDialogSettings FSettings;
    std::unique_ptr<TOstrelDialogExporters> FExporters;
    std::unique_ptr<TSettingBinder> FBinder;
    std::unique_ptr<TDialogPageContext> FPageContext;
    TControls FControls;
    // The pages built in their own units, by page (nullptr for the two built here).
    TDialogPageView* FPageViews[kDialogPageCount] = {};
    QWidget* FPages[kDialogPageCount] = {};
    QWidget* FOptionsSubPage = nullptr;
    bool FShowingLists = false;
    TDialogExportRun* FRun = nullptr;
    TProgressRunView* FRunView = nullptr;
};

// Creates the dialog window for `dialog` (whose column list must be filled, as Execute does),
// renders each page and sub-page to a PNG file in `dir` (dialog-NN-name.png) and destroys the
// window again. Returns the files written.
QStringList SaveDialogScreenshots(TIB_OstrelDialog& dialog, const QString& dir);

}  // namespace ostrel::qt
