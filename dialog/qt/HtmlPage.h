// The "&HTML Options" page: the colour template with its preview, and the page's basic and
// advanced options, as a view over the settings model and the embedded HTML exporter.
#pragma once

#include <functional>

#include <QString>

#include "dialog/DialogSettings.h"
#include "dialog/qt/DialogPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace ostrel::qt {

class THtmlPreview;

class THtmlPageView : public TDialogPageView {
public:
    THtmlPageView(TDialogPageContext& context, QWidget* parent);

    void ApplyTexts() override;
    void Fill() override;

    struct TControls {
        QTabWidget* SubPages = nullptr;  // "&Preview", "&Basic", "&Advanced"
        // Preview
        QLabel* TemplateLabel = nullptr;
        QComboBox* Template = nullptr;  // item index = THTMLTemplate
        QPushButton* SaveTemplate = nullptr;
        QPushButton* LoadTemplate = nullptr;
        THtmlPreview* Preview = nullptr;
        // Basic
        QLabel* TitleLabel = nullptr;
        QLineEdit* Title = nullptr;
        QGroupBox* CSSGroup = nullptr;
        QRadioButton* CSSInternal = nullptr;
        QRadioButton* CSSExternal = nullptr;
        QLabel* CSSFileLabel = nullptr;
        QLineEdit* CSSFileName = nullptr;
        QPushButton* CSSBrowse = nullptr;
        QGroupBox* MultiFileGroup = nullptr;
        QCheckBox* MultiFile = nullptr;
        QLabel* MaximumLabel = nullptr;
        QLineEdit* FileRecCount = nullptr;
        QLabel* RecordsLabel = nullptr;
        QCheckBox* GenerateIndex = nullptr;
        // Advanced
        QGroupBox* BodyGroup = nullptr;
        QLabel* FontNameLabel = nullptr;
        QComboBox* FontName = nullptr;
        QLabel* BackgroundLabel = nullptr;
        QLineEdit* Background = nullptr;
        QPushButton* BackgroundBrowse = nullptr;
        QLabel* BodyAdvancedLabel = nullptr;
        QLineEdit* BodyAdvanced = nullptr;
        QGroupBox* TableGroup = nullptr;
        QLabel* CellPaddingLabel = nullptr;
        QLineEdit* CellPadding = nullptr;
        QLabel* CellSpacingLabel = nullptr;
        QLineEdit* CellSpacing = nullptr;
        QLabel* BorderLabel = nullptr;
        QLineEdit* Border = nullptr;
        QLabel* TableAdvancedLabel = nullptr;
        QLineEdit* TableAdvanced = nullptr;
    };
    const TControls& Controls() const { return FControls; }

private:
    QWidget* BuildPreviewPage();
    QWidget* BuildBasicPage();
    QWidget* BuildAdvancedPage();
    void BindSettings();
    void ShowTemplateChoice();
    void UpdateEnabling();
    void TemplateChosen(int index);
    void PickColour(TDialogSetting id);
    // The template file to save to or load from; empty when the user cancelled.
    QString ChooseTemplateFile(bool save);
    void SaveTemplate();
    void LoadTemplate();
    // An open dialog whose path, when one is chosen, becomes the setting.
    void BrowseFor(TDialogSetting id, TDialogText filter, const QString& defaultExt);

    TControls FControls;
    bool FShowingChoice = false;
};

}  // namespace ostrel::qt
