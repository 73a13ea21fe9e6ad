// "XML Options": whether the document is standalone, and its declared encoding.
#pragma once

#include "dialog/qt/DialogPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ostrel::qt {

class TXmlPage : public TDialogPageView {
public:
    TXmlPage(TDialogPageContext& context, QWidget* parent);

    struct TControls {
        QCheckBox* Standalone = nullptr;
        QLabel* EncodingLabel = nullptr;
        QLineEdit* Encoding = nullptr;
    };
    const TControls& Controls() const { return FControls; }

    void ApplyTexts() override;

private:
    TControls FControls;
};

}  // namespace ostrel::qt
