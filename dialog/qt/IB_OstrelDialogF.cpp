#include "dialog/qt/IB_OstrelDialogF.h"

namespace ostrel::qt {
QStringList SaveDialogScreenshots(TIB_OstrelDialog&, const QString&) { return {}; }
}  // namespace ostrel::qt
