// The "&Excel Options" page: the cell formats of the workbook's kinds of cells, edited for one or
// several entries of the format list at once, with a sample cell; and the sheet's page header,
// page footer and title. A view over the Excel format list and the settings model.
#pragma once

#include <array>
#include <functional>

#include "dialog/DialogXLSFormatList.h"
#include "dialog/qt/DialogPage.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace ostrel::qt {

class TXlsColourButton;
class TXlsPictureCombo;
class TXlsSampleCell;

class TExcelPageView : public TDialogPageView {
public:
    TExcelPageView(TDialogPageContext& context, QWidget* parent);

    void ApplyTexts() override;
    void Fill() override;
    void Activated() override;

    // The list the page shows and edits.
    TOstrelXLSFormatList& Model();

    struct TControls {
        QTabWidget* SubPages = nullptr;  // "&Data format", "A&dvanced"
        // Data format
        QListWidget* List = nullptr;
        QPushButton* ResetItem = nullptr;  // "Reset item" / "Reset selected"
        QPushButton* ResetAll = nullptr;
        QLabel* SampleLabel = nullptr;
        TXlsSampleCell* Sample = nullptr;
        QTabWidget* InnerPages = nullptr;  // "&Font", "&Borders", "F&ill", "&Aggregate"
        // Font
        QLabel* FontLabel = nullptr;
        QComboBox* Font = nullptr;
        QLabel* SizeLabel = nullptr;
        QComboBox* Size = nullptr;
        TXlsColourButton* FontColour = nullptr;
        QToolButton* Bold = nullptr;
        QToolButton* Italic = nullptr;
        QToolButton* StrikeOut = nullptr;
        // By TxlsFontUnderline - 1: single, double, single accounting, double accounting.
        std::array<QToolButton*, 4> Underline{};
        // By TxlsHorizontalAlignment - 1: left, center, right, fill.
        std::array<QToolButton*, 4> Horizontal{};
        // By TxlsVerticalAlignment: top, center, bottom.
        std::array<QToolButton*, 3> Vertical{};
        // Borders, by TXLSSide: top, bottom, left, right.
        std::array<QToolButton*, kXLSSideCount> BorderToggle{};
        std::array<TXlsPictureCombo*, kXLSSideCount> BorderStyle{};  // item index = TxlsBorderStyle
        std::array<TXlsColourButton*, kXLSSideCount> BorderColour{};
        // Fill
        TXlsPictureCombo* Pattern = nullptr;  // item index = TxlsPattern
        TXlsColourButton* Background = nullptr;
        TXlsColourButton* Foreground = nullptr;
        // Aggregate
        QGroupBox* AggregateGroup = nullptr;
        std::array<QRadioButton*, 5> Aggregate{};  // by TxlsAggregate
        QButtonGroup* AggregateButtons = nullptr;
        // Advanced
        QLabel* PageHeaderLabel = nullptr;
        QLineEdit* PageHeader = nullptr;
        QLabel* PageFooterLabel = nullptr;
        QLineEdit* PageFooter = nullptr;
        QLabel* SheetTitleLabel = nullptr;
        QLineEdit* SheetTitle = nullptr;
    };
    const TControls& Controls() const { return FControls; }

private:
    QWidget* BuildDataFormatPage();
    QWidget* BuildFontPage();
    QWidget* BuildBordersPage();
    QWidget* BuildFillPage();
    QWidget* BuildAggregatePage();
    QWidget* BuildAdvancedPage();
    QToolButton* Toggle(QWidget* parent);
    void ConnectColour(TXlsColourButton* button, std::function<TxlsColor(const TXLSShown&)> colour,
                       std::function<void(TOstrelXLSFormatList&, TxlsColor)> choose);
    // Runs a control's change on the list, then shows the list again.
    void Edit(const std::function<void(TOstrelXLSFormatList&)>& change);

    void ModelChanged();
    void ListSelectionChanged();
    // The list's entries, marks and selection, then the shown format in every control.
    void ShowModel();
    void ShowList();
    void ShowFormat(const TXLSShown& shown);
    const TxlsFormat* SampleFormat();

    TControls FControls;
    TXLSShown FShown;
    bool FShowing = false;
    bool FSelecting = false;
};

}  // namespace ostrel::qt
