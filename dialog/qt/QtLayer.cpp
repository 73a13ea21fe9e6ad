#include "dialog/qt/QtLayer.h"

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/QtServices.h"

namespace ostrel::qt {

void InitializeQtLayer() {
    InstallQtServices();
    TIB_OstrelDialog::SetDialogRunner([](TIB_OstrelDialog& dialog) {
        // Destroyed when it closes, also when showing it failed; the modal result is not used.
        TIB_OstrelDialogF window(dialog);
        window.exec();
    });
}

}  // namespace ostrel::qt
