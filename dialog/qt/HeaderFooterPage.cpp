// Placeholder until the page is built.
#include "dialog/qt/DialogPage.h"

namespace ostrel::qt {

TDialogPageView* CreateHeaderFooterPage(TDialogPageContext& context, QWidget* parent) {
    return new TDialogPageView(context, parent);
}

}  // namespace ostrel::qt
