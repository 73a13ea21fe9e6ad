// "Word / RTF Options": the page orientation (a setting) and the two fonts, which are edited
// directly on the embedded RTF exporter.
#pragma once

#include "dialog/qt/DialogPage.h"

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ostrel {
struct TFont;
}

namespace ostrel::qt {

class TFontSampleBox;

class TRtfPage : public TDialogPageView {
public:
    TRtfPage(TDialogPageContext& context, QWidget* parent);

    // A font's label, sample box and "Select..." button.
    struct TFontRow {
        QLabel* Label = nullptr;
        TFontSampleBox* Sample = nullptr;
        QPushButton* Select = nullptr;
    };
    struct TControls {
        QGroupBox* Orientation = nullptr;
        QButtonGroup* Orientations = nullptr;  // ids are the orientation values
        QRadioButton* Portrait = nullptr;
        QRadioButton* Landscape = nullptr;
        TFontRow DefaultFont;
        TFontRow HeaderFont;
    };
    const TControls& Controls() const { return FControls; }

    void ApplyTexts() override;
    void Fill() override;
    void Reshow() override;

private:
    TFontRow AddFontRow(QGridLayout* grid, int row, TFont& font);

    TControls FControls;
};

}  // namespace ostrel::qt
