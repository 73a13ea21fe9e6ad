// "ASCII Options": the column widths and spacing of text files, and the quoting and separator
// of CSV files.
#pragma once

#include "dialog/qt/DialogPage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace ostrel::qt {

class TAsciiPage : public TDialogPageView {
public:
    TAsciiPage(TDialogPageContext& context, QWidget* parent);

    struct TControls {
        QGroupBox* TXTOptions = nullptr;
        QCheckBox* AutoCalcColWidth = nullptr;
        QLabel* SpacingLabel = nullptr;
        QLineEdit* Spacing = nullptr;
        QGroupBox* CSVOptions = nullptr;
        QCheckBox* QuoteStrings = nullptr;
        QLabel* CommaLabel = nullptr;
        QLineEdit* Comma = nullptr;  // empty while the separator is character code 0
    };
    const TControls& Controls() const { return FControls; }

    void ApplyTexts() override;

private:
    QGroupBox* BuildGroup(QCheckBox*& check, QLabel*& label, QLineEdit*& edit);
    void BindComma();

    TControls FControls;
};

}  // namespace ostrel::qt
