#include "dialog/qt/DialogPage.h"

#include <QTabWidget>

namespace ostrel::qt {

void TDialogPageView::SetPageText(const QString& text) {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int index = tabs->indexOf(this);
            if (index >= 0) tabs->setTabText(index, text);
            return;
        }
}

}  // namespace ostrel::qt
